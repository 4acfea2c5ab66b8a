// The per-length scan and the median, against hand-checked cases and the
// plain reference counter.
#include <gtest/gtest.h>

#include <vector>

#include "palindromes.h"
#include "reference_palindromes.h"

namespace {

struct scan_case {
  std::vector<int32_t> digits;
  int32_t palin_length;
  int32_t num_palin;
  std::vector<int32_t> gaps;
};

std::vector<int32_t> scanned_gaps(const std::vector<int32_t>& digits, int32_t palin_length,
                                  length_result* result) {
  gap_list gaps;
  *result = scan_length(digits.data(), static_cast<int32_t>(digits.size()), palin_length, &gaps);
  std::vector<int32_t> found(gaps.dig_dist_array, gaps.dig_dist_array + gaps.dig_dist_counter);
  release_gaps(&gaps);
  return found;
}

TEST(ScanLength, HandCheckedSequences) {
  const std::vector<scan_case> cases = {
      {{1, 1, 2, 2, 1, 1}, 2, 3, {1, 1}},
      {{1, 1, 2, 2, 1, 1}, 3, 0, {}},
      {{1, 1, 2, 2, 1, 1}, 6, 1, {}},
      {{1, 1, 1, 1}, 2, 3, {0, 0}},
      {{1, 1, 1, 1}, 3, 2, {0}},
      {{1, 1, 1, 1}, 4, 1, {}},
      {{1, 1, 1, 1}, 5, 0, {}},  // no window at all
      {{1, 2, 1, 2, 1}, 3, 3, {0, 0}},
      {{1, 2, 1, 3, 1, 2, 1}, 2, 0, {}},  // although 3 and 7 have some
      {{1, 2, 1, 3, 1, 2, 1}, 3, 3, {1, 1}},
      {{1, 2, 1, 3, 1, 2, 1}, 7, 1, {}},
      {{1, 7, 1, 0, 1}, 3, 2, {1}},  // the middle is never compared
      {{-38, 5, -38, 0, 10}, 3, 1, {}},
      {{-38, 38, 5}, 2, 0, {}},
      {{}, 2, 0, {}},
      {{4}, 2, 0, {}},
      {{9, 9, 0, 0, 0, 0, 0, 0, 0, 9, 9}, 2, 8, {1, 0, 0, 0, 0, 0, 1}},
  };
  for (const scan_case& c : cases) {
    length_result result;
    const std::vector<int32_t> gaps = scanned_gaps(c.digits, c.palin_length, &result);
    EXPECT_EQ(result.palin_length, c.palin_length);
    EXPECT_EQ(result.num_palin, c.num_palin) << "length " << c.palin_length;
    EXPECT_EQ(gaps, c.gaps) << "length " << c.palin_length;
    EXPECT_FALSE(result.out_of_memory);
  }
}

TEST(ScanLength, GapListIsEmptiedBetweenLengths) {
  const std::vector<int32_t> digits = {1, 1, 1, 1};
  gap_list gaps;
  scan_length(digits.data(), 4, 2, &gaps);
  ASSERT_EQ(gaps.dig_dist_counter, 2);
  const length_result result = scan_length(digits.data(), 4, 4, &gaps);
  EXPECT_EQ(result.num_palin, 1);
  EXPECT_EQ(gaps.dig_dist_counter, 0);
  release_gaps(&gaps);
}

TEST(MedianGap, LowerMiddleOfTheSortedList) {
  const std::vector<std::pair<std::vector<int32_t>, int32_t>> cases = {
      {{7, 1, 3}, 3}, {{5, 1, 3, 7}, 3}, {{9}, 9}, {{0, 0}, 0}, {{4, 2}, 2}, {{6, 6, 1, 6}, 6},
  };
  for (const auto& [entries, median] : cases) {
    std::vector<int32_t> storage = entries;
    gap_list gaps{storage.data(), static_cast<int32_t>(storage.size()), static_cast<int32_t>(storage.size())};
    EXPECT_EQ(median_gap(&gaps), median);
    EXPECT_TRUE(std::is_sorted(storage.begin(), storage.end()));
  }
}

TEST(Comparator, SignOfTheDifference) {
  const int32_t small = 0, large = 49'999'997;
  EXPECT_LT(comparator(&small, &large), 0);
  EXPECT_GT(comparator(&large, &small), 0);
  EXPECT_EQ(comparator(&large, &large), 0);
}

// Many sequences over small alphabets, where palindromes of every length are
// common, against the reference counter for every length up to N + 1.
TEST(ScanLength, AgreesWithReferenceOnGeneratedSequences) {
  uint32_t seed = 1;
  for (int32_t alphabet = 1; alphabet <= 4; ++alphabet) {
    for (int32_t n = 0; n <= 120; n += 1 + n / 8) {
      for (int repeat = 0; repeat < 6; ++repeat) {
        const std::vector<int32_t> digits = random_digits(seed++, n, alphabet);
        gap_list gaps;
        for (int32_t length = 2; length <= n + 1; ++length) {
          const reference_row expected = reference_length(digits, length);
          const length_result result = scan_length(digits.data(), n, length, &gaps);
          ASSERT_EQ(result.num_palin, expected.num_palin) << "seed " << seed << " length " << length;
          ASSERT_EQ(std::vector<int32_t>(gaps.dig_dist_array, gaps.dig_dist_array + gaps.dig_dist_counter),
                    expected.gaps);
          if (expected.has_median) {
            ASSERT_EQ(median_gap(&gaps), expected.median);
          }
        }
        release_gaps(&gaps);
      }
    }
  }
}

}  // namespace
