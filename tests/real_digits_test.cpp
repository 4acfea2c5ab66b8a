// End to end on the real digits: the analysis programs print the golden table
// for pi's first 50,000,000 decimals, and the golden table itself is
// recomputed here by the plain reference counter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "expected_output.h"
#include "program_run.h"
#include "reference_palindromes.h"

namespace {

const std::string digit_file = std::string(PIDROMES_DATA_DIR) + "/pi_50m.txt";

// Rows for lengths 2 to 15; length 16 has no palindrome.
const std::string golden_rows =
    "         2\t  4999371\t         6\n"
    "         3\t  5001645\t         6\n"
    "         4\t   499985\t        68\n"
    "         5\t   500430\t        69\n"
    "         6\t    50093\t       688\n"
    "         7\t    49537\t       700\n"
    "         8\t     5141\t      6619\n"
    "         9\t     4952\t      7169\n"
    "        10\t      510\t     70114\n"
    "        11\t      444\t     75185\n"
    "        12\t       48\t    957516\n"
    "        13\t       37\t    752921\n"
    "        14\t        5\t   3573107\n"
    "        15\t        6\t   4510852\n";
const std::string golden_final = "        16\t        0\t";

class RealDigits : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(digit_file)) {
      if (std::getenv("PIDROMES_REQUIRE_DIGITS") != nullptr) FAIL() << digit_file << " is missing";
      GTEST_SKIP() << digit_file << " is missing: scripts/make-pi-digits makes it";
    }
  }
};

TEST_F(RealDigits, GoldenTableMatchesReferenceCount) {
  std::ifstream in(digit_file, std::ios::binary);
  std::string text;
  text.resize(50'000'002);
  ASSERT_TRUE(in.read(text.data(), static_cast<std::streamsize>(text.size())));
  const std::vector<reference_row> rows = reference_table(digits_of_file(text, 50'000'000));
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    EXPECT_TRUE(rows[i].has_median) << "length " << rows[i].palin_length;
  }
  EXPECT_EQ(expected_table(rows, final_median::dash),
            table_header + golden_rows + golden_final + "         -");
  EXPECT_EQ(rows.back().palin_length, 16);
  EXPECT_EQ(rows.back().num_palin, 0);
}

TEST_F(RealDigits, ProgramsPrintTheGoldenTable) {
  const std::string folder = make_folder();
  std::filesystem::create_symlink(std::filesystem::absolute(digit_file), folder + "/pi_50m.txt");
  const program_output dash = run_program({PIDROMES_PATH}, folder);
  EXPECT_EQ(dash.out, table_header + golden_rows + golden_final + "         -");
  EXPECT_EQ(dash.err, "");
  EXPECT_EQ(dash.exit_status, 0);
  const program_output zero = run_program({PIDROMES_ZERO_PATH}, folder);
  EXPECT_EQ(zero.out, table_header + golden_rows + golden_final + "         0");
  EXPECT_EQ(zero.exit_status, 0);
  remove_folder(folder);
}

}  // namespace
