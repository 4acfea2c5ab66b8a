// Loading the digit file: the skip, the capacity, the zero fill, characters
// stored as they come, and read errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "palindromes.h"
#include "reference_palindromes.h"

namespace {

std::FILE* stream_holding(const std::string& text) {
  std::FILE* file = std::tmpfile();
  EXPECT_NE(file, nullptr);
  EXPECT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
  std::rewind(file);
  return file;
}

std::vector<int32_t> loaded(const std::string& text, int32_t total_length, int32_t* filled) {
  digit_sequence seq = load_digits(stream_holding(text), total_length);
  EXPECT_NE(seq.file_digits, nullptr);
  EXPECT_FALSE(seq.read_failed);
  *filled = seq.filled;
  std::vector<int32_t> digits(seq.file_digits, seq.file_digits + total_length);
  release_digits(&seq);
  return digits;
}

struct load_case {
  std::string text;
  int32_t total_length;
  std::vector<int32_t> digits;
  int32_t filled;
};

TEST(LoadDigits, StoresCharactersAfterTheFirstTwo) {
  const std::vector<load_case> cases = {
      {"3.14159", 14, {1, 4, 1, 5, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 5},
      {"3.14159265358979323846", 14, {1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9}, 14},
      {"3.", 4, {0, 0, 0, 0}, 0},
      {"3", 4, {0, 0, 0, 0}, 0},
      {"", 4, {0, 0, 0, 0}, 0},
      {"3.14\n", 6, {1, 4, -38, 0, 0, 0}, 3},
      {"1415", 4, {1, 5, 0, 0}, 2},  // the skip doesn't look at what it skips
      {std::string("3. A\xff\r", 6), 5, {-16, 17, 207, -35, 0}, 4},
      {"3.1", 0, {}, 0},
  };
  for (const load_case& c : cases) {
    int32_t filled = -1;
    EXPECT_EQ(loaded(c.text, c.total_length, &filled), c.digits) << '"' << c.text << '"';
    EXPECT_EQ(filled, c.filled) << '"' << c.text << '"';
  }
}

// Files longer than one read block: every block lands in its own place.
TEST(LoadDigits, CrossesBlockBoundaries) {
  const std::vector<int32_t> digits = random_digits(5, 200'000, 10);
  std::string text = "3.";
  for (int32_t digit : digits) text += static_cast<char>('0' + digit);
  for (const int32_t total_length : {65'536, 131'073, 200'000, 250'000}) {
    int32_t filled = 0;
    const std::vector<int32_t> got = loaded(text, total_length, &filled);
    const auto stored = std::min<std::size_t>(digits.size(), static_cast<std::size_t>(total_length));
    EXPECT_EQ(filled, static_cast<int32_t>(stored));
    EXPECT_TRUE(
        std::equal(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(stored), got.begin()));
    EXPECT_TRUE(std::all_of(got.begin() + static_cast<std::ptrdiff_t>(stored), got.end(),
                            [](int32_t d) { return d == 0; }));
  }
}

// A directory opens for reading on Linux, but every read fails: that is a
// read error, not an empty file.
TEST(LoadDigits, ReadErrorIsReported) {
  std::FILE* directory = std::fopen(std::filesystem::temp_directory_path().c_str(), "r");
  ASSERT_NE(directory, nullptr);
  digit_sequence seq = load_digits(directory, 10);
  EXPECT_TRUE(seq.read_failed);
  EXPECT_EQ(seq.filled, 0);
  release_digits(&seq);
}

// The programs' fused load gives the same sequence and the same rows as
// loading first and walking afterwards.
TEST(LoadWalking, SameAsLoadThenWalk) {
  std::vector<int32_t> digits = random_digits(9, 150'000, 3);
  std::string text = "3.";
  for (int32_t digit : digits) text += static_cast<char>('0' + digit);
  digit_sequence seq;
  length_walk walk;
  ASSERT_TRUE(load_walking(stream_holding(text), 150'000, &seq, &walk));
  ASSERT_EQ(seq.filled, 150'000);
  ASSERT_TRUE(std::equal(digits.begin(), digits.end(), seq.file_digits));
  ASSERT_TRUE(walk_seal(&walk, seq.filled));
  for (const reference_row& expected : reference_table(digits)) {
    length_row row;
    ASSERT_EQ(walk_next(&walk, &row), walk_status::row);
    EXPECT_EQ(row.palin_length, expected.palin_length);
    EXPECT_EQ(row.num_palin, expected.num_palin);
    EXPECT_EQ(row.has_median, expected.has_median);
    if (expected.has_median) {
      EXPECT_EQ(row.median, expected.median);
    }
  }
  release_walk(&walk);
  release_digits(&seq);
}

}  // namespace
