// The core at 1M, 10M and 50M positions of random decimals: the cost per
// position (items/s) should stay flat as the sequence grows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "palindromes.h"

namespace {

const std::vector<int32_t>& random_decimals(int32_t n) {
  static std::vector<int32_t> digits;
  if (static_cast<int32_t>(digits.size()) < n) {
    std::mt19937 generator(2024);
    std::uniform_int_distribution<int32_t> pick(0, 9);
    digits.resize(static_cast<std::size_t>(n));
    for (int32_t& d : digits) d = pick(generator);
  }
  return digits;
}

// Walks every length of `digits`, the way the programs do, once per iteration.
void walk_every_length(benchmark::State& state, const std::vector<int32_t>& digits) {
  const auto n = static_cast<int32_t>(digits.size());
  for (auto _ : state) {
    length_walk walk;
    walk_digits(&walk, digits.data(), n);
    length_row row;
    do {
      walk_next(&walk, &row);
      benchmark::DoNotOptimize(row);
    } while (row.num_palin > 0);
    release_walk(&walk);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// Every length of the table of random decimals.
void all_lengths_walk(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::vector<int32_t>& digits = random_decimals(static_cast<int32_t>(n));
  walk_every_length(state,
                    std::vector<int32_t>(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(n)));
}

// A sequence that is one run of a single digit: a row for every length up to
// n, which the dense centres produce in O(n log n) in all.
void one_run_walk(benchmark::State& state) {
  walk_every_length(state, std::vector<int32_t>(static_cast<std::size_t>(state.range(0)), 7));
}

// One length on the per-length path, for comparison.
void one_length_scan(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  const std::vector<int32_t>& digits = random_decimals(n);
  gap_list gaps;
  for (auto _ : state) {
    scan_length(digits.data(), n, 2, &gaps);
    benchmark::DoNotOptimize(median_gap(&gaps));
  }
  release_gaps(&gaps);
  state.SetItemsProcessed(state.iterations() * n);
}

// Loading a digit file of n decimals with the first pass fused in.
void load_with_walk(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  const std::vector<int32_t>& digits = random_decimals(n);
  std::FILE* source = std::tmpfile();
  std::string text = "3.";
  for (int32_t i = 0; i < n; ++i) text += static_cast<char>('0' + digits[static_cast<std::size_t>(i)]);
  std::fwrite(text.data(), 1, text.size(), source);
  std::fflush(source);
  for (auto _ : state) {
    std::rewind(source);
    digit_sequence seq;
    length_walk walk;
    // load_walking closes its stream, so it gets a duplicate of the temporary file.
    std::FILE* file = fdopen(dup(fileno(source)), "r");
    load_walking(file, n, &seq, &walk);
    benchmark::DoNotOptimize(walk.count2);
    release_walk(&walk);
    release_digits(&seq);
  }
  std::fclose(source);
  state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(all_lengths_walk)->Arg(1'000'000)->Arg(10'000'000)->Arg(50'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(one_run_walk)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(one_length_scan)->Arg(1'000'000)->Arg(10'000'000)->Arg(50'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(load_with_walk)->Arg(1'000'000)->Arg(10'000'000)->Arg(50'000'000)->Unit(benchmark::kMillisecond);
