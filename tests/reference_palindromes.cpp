#include "reference_palindromes.h"

#include <algorithm>
#include <random>

reference_row reference_length(const std::vector<int32_t>& digits, int32_t palin_length) {
  reference_row row;
  row.palin_length = palin_length;
  const auto n = static_cast<int64_t>(digits.size());
  int64_t previous = -1;
  for (int64_t start = 0; start + palin_length <= n; ++start) {
    const auto first = digits.begin() + start;
    const auto last = first + palin_length;
    if (!std::equal(first, last, std::make_reverse_iterator(last))) continue;
    if (previous >= 0) row.gaps.push_back(static_cast<int32_t>(start - previous - 1));
    previous = start;
    ++row.num_palin;
  }
  if (!row.gaps.empty()) {
    std::vector<int32_t> sorted = row.gaps;
    std::sort(sorted.begin(), sorted.end());
    row.has_median = true;
    row.median = sorted[(sorted.size() + 1) / 2 - 1];
  }
  return row;
}

std::vector<reference_row> reference_table(const std::vector<int32_t>& digits) {
  std::vector<reference_row> rows;
  for (int32_t length = 2;; ++length) {
    rows.push_back(reference_length(digits, length));
    if (rows.back().num_palin == 0) return rows;
  }
}

std::vector<int32_t> random_digits(uint32_t seed, int32_t length, int32_t alphabet) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int32_t> pick(0, alphabet - 1);
  std::vector<int32_t> digits(static_cast<std::size_t>(length));
  for (int32_t& digit : digits) digit = pick(generator);
  return digits;
}
