// A plain palindrome counter for checking the core: every window of every
// length compared whole against its reverse, gaps kept and sorted. Slow and
// obvious on purpose; it shares no code with the core.
#pragma once

#include <cstdint>
#include <vector>

struct reference_row {
  int32_t palin_length = 0;
  int32_t num_palin = 0;
  std::vector<int32_t> gaps;  // in order of start
  bool has_median = false;
  int32_t median = 0;
};

// The figures for one length over all of `digits`.
reference_row reference_length(const std::vector<int32_t>& digits, int32_t palin_length);

// Rows for lengths 2, 3, ... up to and including the first with no palindrome.
std::vector<reference_row> reference_table(const std::vector<int32_t>& digits);

// `length` values drawn from 0..alphabet-1 with a fixed seed.
std::vector<int32_t> random_digits(uint32_t seed, int32_t length, int32_t alphabet);
