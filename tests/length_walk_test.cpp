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

// Rows from scan_length + median_gap: one full pass per length.
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

// Dense thresholds to run every walk with: the programs' default, going dense
// at once, and going dense only for persisting palindromes of small sequences.
const int32_t default_threshold = length_walk{}.dense_threshold;
const int32_t thresholds[] = {default_threshold, 0, 3};

std::vector<std::string> walked_whole(const std::vector<int32_t>& digits,
                                      int32_t threshold = default_threshold) {
  length_walk walk;
  EXPECT_TRUE(walk_digits(&walk, digits.data(), static_cast<int32_t>(digits.size())));
  walk.dense_threshold = threshold;
  std::vector<std::string> rows = walk_rows(&walk);
  release_walk(&walk);
  return rows;
}

// Feeds the walk in uneven pieces, as the loader does block by block.
std::vector<std::string> walked_in_pieces(const std::vector<int32_t>& digits, uint32_t seed,
                                          int32_t threshold = default_threshold) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int32_t> step(0, 300);
  const auto n = static_cast<int32_t>(digits.size());
  length_walk walk;
  EXPECT_TRUE(walk_start(&walk, digits.data()));
  for (int32_t available = 0; available < n; available = std::min(n, available + step(generator))) {
    EXPECT_TRUE(walk_feed(&walk, available));
  }
  EXPECT_TRUE(walk_seal(&walk, n));
  walk.dense_threshold = threshold;
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
  for (const auto& [digits, rows] : cases) {
    for (const int32_t threshold : thresholds) EXPECT_EQ(walked_whole(digits, threshold), rows);
  }
}

TEST(LengthWalk, AgreesWithPerLengthPathOnGeneratedSequences) {
  uint32_t seed = 100;
  for (int32_t alphabet = 1; alphabet <= 5; ++alphabet) {
    for (int32_t n = 0; n <= 400; n += 1 + n / 5) {
      for (int repeat = 0; repeat < 4; ++repeat) {
        const std::vector<int32_t> digits = random_digits(seed++, n, alphabet);
        const std::vector<std::string> expected = reference_rows(digits);
        ASSERT_EQ(per_length_rows(digits), expected) << "seed " << seed;
        for (const int32_t threshold : thresholds) {
          ASSERT_EQ(walked_whole(digits, threshold), expected)
              << "seed " << seed << " threshold " << threshold;
        }
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
    for (const int32_t threshold : thresholds) {
      EXPECT_EQ(walked_whole(digits, threshold), expected) << c.n << " over " << c.alphabet;
    }
    EXPECT_EQ(walked_in_pieces(digits, seed, 0), expected) << c.n << " over " << c.alphabet;
  }
}

// Runs and periodic stretches give palindromes of many lengths at once: the
// case the dense centres are for.
TEST(LengthWalk, AgreesOnStructuredSequences) {
  std::vector<std::vector<int32_t>> sequences;
  sequences.push_back(std::vector<int32_t>(300, 0));
  std::vector<int32_t> nested;  // palindromes inside palindromes, of many lengths
  for (const int32_t piece : {1, 2, 1, 3, 1, 2, 1, 4, 1, 2, 1, 3, 1, 2, 1}) nested.push_back(piece);
  for (int round = 0; round < 3; ++round) {
    std::vector<int32_t> doubled = nested;
    doubled.push_back(5 + round);
    doubled.insert(doubled.end(), nested.begin(), nested.end());
    nested = doubled;
  }
  sequences.push_back(nested);
  std::vector<int32_t> runs = random_digits(8, 2000, 3);
  for (int32_t i = 100; i < 400; ++i) runs[static_cast<std::size_t>(i)] = 1;
  for (int32_t i = 1000; i < 1500; ++i) runs[static_cast<std::size_t>(i)] = i % 4 < 2 ? 0 : 2;
  sequences.push_back(runs);
  std::vector<int32_t> alternating;
  for (int32_t i = 0; i < 500; ++i) alternating.push_back(i % 2);
  sequences.push_back(alternating);
  std::vector<int32_t> mixed = random_digits(3, 9000, 10);
  std::fill(mixed.begin() + 100, mixed.begin() + 180, 4);
  for (int32_t i = 5000; i < 5301; ++i) mixed[static_cast<std::size_t>(i)] = (i % 3 == 0) ? -38 : 7;
  sequences.push_back(mixed);
  for (const std::vector<int32_t>& digits : sequences) {
    const std::vector<std::string> expected = reference_rows(digits);
    for (const int32_t threshold : thresholds) EXPECT_EQ(walked_whole(digits, threshold), expected);
    EXPECT_EQ(walked_in_pieces(digits, 11), expected);
  }
}

// The gap index against a plain sorted list, through random additions and removals.
TEST(GapIndex, SelectsLikeASortedList) {
  gap_index index;
  ASSERT_TRUE(start_gap_index(&index));
  std::vector<int32_t> plain;
  std::mt19937 generator(5);
  std::uniform_int_distribution<int32_t> short_gap(0, 40),
      long_gap(gap_index_short - 3, gap_index_short + 50);
  for (int step = 0; step < 20000; ++step) {
    if (!plain.empty() && generator() % 3 == 0) {
      const auto victim = plain.begin() + static_cast<std::ptrdiff_t>(generator() % plain.size());
      ASSERT_TRUE(change_gap(&index, *victim, -1));
      plain.erase(victim);
    } else {
      const int32_t gap = generator() % 4 == 0 ? long_gap(generator) : short_gap(generator);
      ASSERT_TRUE(change_gap(&index, gap, +1));
      plain.insert(std::lower_bound(plain.begin(), plain.end(), gap), gap);
    }
    if (!plain.empty()) {
      const auto k = static_cast<int32_t>(generator() % plain.size());
      ASSERT_EQ(select_gap(&index, k), plain[static_cast<std::size_t>(k)]) << "step " << step;
    }
  }
  release_gap_index(&index);
}

}  // namespace
