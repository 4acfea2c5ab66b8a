// The programs' one-pass walk over all lengths must give exactly the rows of
// the per-length path; the reference counter is the judge for both.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "palindromes.h"
#include "reference_palindromes.h"

namespace {

std::string describe(const length_row& row) {
  return std::to_string(row.palin_length) + " " + std::to_string(row.num_palin) + " " +
         (row.has_median ? std::to_string(row.median) : "-");
}

std::string describe(const reference_row& row) {
  return std::to_string(row.palin_length) + " " + std::to_string(row.num_palin) + " " +
         (row.has_median ? std::to_string(row.median) : "-");
}

std::vector<std::string> walk_rows(length_walk* walk) {
  std::vector<std::string> rows;
  for (length_row row;;) {
    if (walk_next(walk, &row) != walk_status::row) return {"out of memory"};
    rows.push_back(describe(row));
    if (row.num_palin == 0) return rows;
  }
}

// Rows from scan_length + median_gap, the way the specification runs them.
std::vector<std::string> per_length_rows(const std::vector<int32_t>& digits) {
  std::vector<std::string> rows;
  gap_list gaps;
  for (int32_t length = 2;; ++length) {
    const length_result result =
        scan_length(digits.data(), static_cast<int32_t>(digits.size()), length, &gaps);
    length_row row{length, result.num_palin, 0, gaps.dig_dist_counter > 0};
    if (row.has_median) row.median = median_gap(&gaps);
    rows.push_back(describe(row));
    if (row.num_palin == 0) break;
  }
  release_gaps(&gaps);
  return rows;
}

std::vector<std::string> reference_rows(const std::vector<int32_t>& digits) {
  std::vector<std::string> rows;
  for (const reference_row& row : reference_table(digits)) rows.push_back(describe(row));
  return rows;
}

std::vector<std::string> walked_whole(const std::vector<int32_t>& digits) {
  length_walk walk;
  EXPECT_TRUE(walk_digits(&walk, digits.data(), static_cast<int32_t>(digits.size())));
  std::vector<std::string> rows = walk_rows(&walk);
  release_walk(&walk);
  return rows;
}

// Feeds the walk in uneven pieces, as the loader does block by block.
std::vector<std::string> walked_in_pieces(const std::vector<int32_t>& digits, uint32_t seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int32_t> step(0, 300);
  const auto n = static_cast<int32_t>(digits.size());
  length_walk walk;
  EXPECT_TRUE(walk_start(&walk, digits.data()));
  for (int32_t available = 0; available < n; available = std::min(n, available + step(generator))) {
    EXPECT_TRUE(walk_feed(&walk, available));
  }
  EXPECT_TRUE(walk_seal(&walk, n));
  std::vector<std::string> rows = walk_rows(&walk);
  release_walk(&walk);
  return rows;
}

TEST(LengthWalk, HandCheckedSequences) {
  const std::vector<std::pair<std::vector<int32_t>, std::vector<std::string>>> cases = {
      {{}, {"2 0 -"}},
      {{5}, {"2 0 -"}},
      {{1, 1, 2, 2, 1, 1}, {"2 3 1", "3 0 -"}},
      {{1, 1, 1, 1}, {"2 3 0", "3 2 0", "4 1 -", "5 0 -"}},
      {{1, 2, 1, 3, 1, 2, 1}, {"2 0 -"}},
      {{3, 3, 1, 7, 1, 0, 1}, {"2 1 -", "3 2 1", "4 0 -"}},
  };
  for (const auto& [digits, rows] : cases) EXPECT_EQ(walked_whole(digits), rows);
}

TEST(LengthWalk, AgreesWithPerLengthPathOnGeneratedSequences) {
  uint32_t seed = 100;
  for (int32_t alphabet = 1; alphabet <= 5; ++alphabet) {
    for (int32_t n = 0; n <= 400; n += 1 + n / 5) {
      for (int repeat = 0; repeat < 4; ++repeat) {
        const std::vector<int32_t> digits = random_digits(seed++, n, alphabet);
        const std::vector<std::string> expected = reference_rows(digits);
        ASSERT_EQ(per_length_rows(digits), expected) << "seed " << seed;
        ASSERT_EQ(walked_whole(digits), expected) << "seed " << seed;
        ASSERT_EQ(walked_in_pieces(digits, seed), expected) << "seed " << seed;
      }
    }
  }
}

// Long sequences reach the block path, long lengths and gaps beyond the
// tally's counted range.
TEST(LengthWalk, AgreesOnLongSequences) {
  struct long_case {
    int32_t n, alphabet;
  };
  const std::vector<long_case> cases = {{5000, 2}, {20000, 3}, {60000, 10}, {100000, 10}, {30000, 40}};
  uint32_t seed = 7;
  for (const long_case& c : cases) {
    const std::vector<int32_t> digits = random_digits(seed++, c.n, c.alphabet);
    const std::vector<std::string> expected = reference_rows(digits);
    EXPECT_EQ(walked_whole(digits), expected) << c.n << " over " << c.alphabet;
    EXPECT_EQ(walked_in_pieces(digits, seed), expected) << c.n << " over " << c.alphabet;
  }
}

// Runs and periodic stretches give palindromes of many lengths at once.
TEST(LengthWalk, AgreesOnStructuredSequences) {
  std::vector<std::vector<int32_t>> sequences;
  sequences.push_back(std::vector<int32_t>(300, 0));
  std::vector<int32_t> alternating;
  for (int32_t i = 0; i < 500; ++i) alternating.push_back(i % 2);
  sequences.push_back(alternating);
  std::vector<int32_t> mixed = random_digits(3, 9000, 10);
  std::fill(mixed.begin() + 100, mixed.begin() + 180, 4);
  for (int32_t i = 5000; i < 5301; ++i) mixed[static_cast<std::size_t>(i)] = (i % 3 == 0) ? -38 : 7;
  sequences.push_back(mixed);
  for (const std::vector<int32_t>& digits : sequences) {
    const std::vector<std::string> expected = reference_rows(digits);
    EXPECT_EQ(walked_whole(digits), expected);
    EXPECT_EQ(walked_in_pieces(digits, 11), expected);
  }
}

}  // namespace
