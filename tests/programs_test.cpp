// The three programs run as processes in a temporary folder with crafted
// digit files; their output is compared byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "expected_output.h"
#include "program_run.h"

namespace {

const std::string pidromes = PIDROMES_PATH;
const std::string pidromes_zero = PIDROMES_ZERO_PATH;
const std::string palprobe = PALPROBE_PATH;

const std::string cant_open = "I can\xE2\x80\x99t open the file for reading.\n";
constexpr int failed = 255;  // main returned -1

using ProgramTest = program_folder_test;

// "3." and then 50,000,000 characters made by repeating `block`.
std::string full_file(const std::string& block) {
  std::string text = "3.";
  text.reserve(50'000'002);
  while (text.size() < 50'000'002) text += block;
  text.resize(50'000'002);
  return text;
}

// 50,000 blocks of 1,000 characters: a run of seven 5s, then a filler
// cycling through the nine other digits. The filler holds no palindrome (no
// digit repeats within 9 places) and the digits around each run differ, so
// the palindromes are exactly those inside the runs: 8 - L per block for
// lengths L = 2..7, with gaps 0 inside a run and the rest up to the next run.
std::string runs_of_fives() {
  std::string block = "5555555";
  const std::string cycle = "012346789";
  while (block.size() < 1000) block += cycle[(block.size() - 7) % cycle.size()];
  return full_file(block);
}

const std::string runs_of_fives_rows =
    "         2\t   300000\t         0\n"
    "         3\t   250000\t         0\n"
    "         4\t   200000\t         0\n"
    "         5\t   150000\t         0\n"
    "         6\t   100000\t         0\n"  // 50,000 gaps of 0, 49,999 of 998: the lower middle is 0
    "         7\t    50000\t       999\n";

TEST_F(ProgramTest, AnalysisTableOfCraftedDigits) {
  digit_file("pi_50m.txt", runs_of_fives());
  const program_output dash = run(pidromes);
  EXPECT_EQ(dash.out, table_header + runs_of_fives_rows + "         8\t        0\t         -");
  EXPECT_EQ(dash.err, "");
  EXPECT_EQ(dash.exit_status, 0);
  const program_output zero = run(pidromes_zero);
  EXPECT_EQ(zero.out, table_header + runs_of_fives_rows + "         8\t        0\t         0");
  EXPECT_EQ(zero.exit_status, 0);
}

// A run of 100,000 sevens at the start, then the nine other digits in turn:
// every length L up to 100,000 has 100,001 - L palindromes, all inside the
// run and neighbouring (median 0), until the whole run is the only one.
TEST_F(ProgramTest, LongRunOfOneDigit) {
  constexpr int32_t run_length = 100'000;
  std::string text = "3." + std::string(run_length, '7');
  const std::string cycle = "012345689";
  text.reserve(50'000'002);
  for (std::size_t i = 0; text.size() < 50'000'002; ++i) text += cycle[i % cycle.size()];
  digit_file("pi_50m.txt", text);
  std::string rows;
  char row[64];
  for (int32_t length = 2; length < run_length; ++length) {
    std::snprintf(row, sizeof row, "%10d\t%9d\t%10d\n", length, run_length + 1 - length, 0);
    rows += row;
  }
  rows += "    100000\t        1\t         -\n    100001\t        0\t         -";
  const program_output result = run(pidromes);
  EXPECT_TRUE(result.out == table_header + rows) << "output of " << result.out.size() << " bytes differs";
  EXPECT_EQ(result.exit_status, 0);
}

TEST_F(ProgramTest, NoNeighboursEqualEndsAtLengthTwo) {
  digit_file("pi_50m.txt", full_file("01"));  // length 3 would have 49,999,998
  EXPECT_EQ(run(pidromes).out, table_header + "         2\t        0\t         -");
  EXPECT_EQ(run(pidromes_zero).out, table_header + "         2\t        0\t         0");
}

TEST_F(ProgramTest, SinglePalindromeHasNoMedian) {
  std::string text = full_file("0123456789");
  text[2 + 40'000'005] = text[2 + 40'000'004];  // ...4 5 5 7...: one pair, no triple
  digit_file("pi_50m.txt", text);
  const program_output dash = run(pidromes);
  EXPECT_EQ(dash.out, table_header + "         2\t        1\t         -\n         3\t        0\t         -");
  EXPECT_EQ(dash.exit_status, 0);
  const program_output zero = run(pidromes_zero);
  EXPECT_EQ(zero.out, table_header + "         2\t        1\t         0\n         3\t        0\t         0");
  EXPECT_EQ(zero.exit_status, 0);
}

// Unfilled positions would be zeros with palindromes of every length; the
// analysis covers exactly what the file holds and says so.
TEST_F(ProgramTest, ShortAndEmptyFiles) {
  struct short_case {
    std::string text, rows, note;
  };
  const short_case cases[] = {
      {"3.1221", "         2\t        1\t         -\n         3\t        0\t         -",
       "holds 4 of the 50000000"},
      {"3.", "         2\t        0\t         -", "holds 0 of the 50000000"},
      {"", "         2\t        0\t         -", "holds 0 of the 50000000"},
      {"3.14159265358979323846\n", "         2\t        0\t         -", "holds 21 of the 50000000"},
  };
  for (const short_case& c : cases) {
    digit_file("pi_50m.txt", c.text);
    const program_output result = run(pidromes);
    EXPECT_EQ(result.out, table_header + c.rows) << c.text;
    EXPECT_NE(result.err.find(c.note), std::string::npos) << result.err;
    EXPECT_EQ(result.exit_status, 0);
  }
}

TEST_F(ProgramTest, DigitFileThatCantBeOpened) {
  for (const std::string& program : {pidromes, pidromes_zero, palprobe}) {
    const program_output missing = run(program);
    EXPECT_EQ(missing.out, cant_open) << program;
    EXPECT_EQ(missing.exit_status, failed);
  }
  // A directory of that name opens on Linux but holds no digits.
  std::filesystem::create_directory(folder + "/pi_50m.txt");
  std::filesystem::create_directory(folder + "/test.txt");
  for (const std::string& program : {pidromes, pidromes_zero, palprobe}) {
    const program_output directory = run(program);
    EXPECT_EQ(directory.out, cant_open) << program;
    EXPECT_EQ(directory.err, "");
    EXPECT_EQ(directory.exit_status, failed);
  }
}

TEST_F(ProgramTest, FailedWritesAreNotSuccess) {
  digit_file("pi_50m.txt", "3.1221");
  digit_file("test.txt", "3.14");
  for (const std::string& program : {pidromes, pidromes_zero, palprobe}) {
    for (const stdout_target target : {stdout_target::dev_full, stdout_target::closed}) {
      const program_output result = run(program, target);
      EXPECT_EQ(result.exit_status, failed) << program;
      EXPECT_NE(result.err.find("writing the report to standard output failed"), std::string::npos)
          << result.err;
    }
  }
  remove_folder(folder + "/pi_50m.txt");
  const program_output message_lost = run(pidromes, stdout_target::dev_full);
  EXPECT_EQ(message_lost.exit_status, failed);
}

TEST_F(ProgramTest, PrototypeLines) {
  struct probe_case {
    std::string text, lines;
  };
  const probe_case cases[] = {
      {"3.11221134567890", "\n2\t3\tMedian dist = 1\n\n3\t0\tMedian dist = -\n"},
      // pi's own first 14 decimals: no pair, although 5 3 5 and 9 7 9 are palindromes
      {"3.14159265358979", "\n2\t0\tMedian dist = -\n"},
      {"3.1415926535897932384626", "\n2\t0\tMedian dist = -\n"},
      // positions 2..13 stay zero
      {"3.14",
       "\n2\t11\tMedian dist = 0\n\n3\t10\tMedian dist = 0\n\n4\t9\tMedian dist = 0\n"
       "\n5\t8\tMedian dist = 0\n\n6\t7\tMedian dist = 0\n\n7\t6\tMedian dist = 0\n"
       "\n8\t5\tMedian dist = 0\n\n9\t4\tMedian dist = 0\n\n10\t3\tMedian dist = 0\n"
       "\n11\t2\tMedian dist = 0\n\n12\t1\tMedian dist = -\n\n13\t0\tMedian dist = -\n"},
      // a line feed is stored as -38 and is no match for the zeros after it
      {"3.1\n",
       "\n2\t11\tMedian dist = 0\n\n3\t10\tMedian dist = 0\n\n4\t9\tMedian dist = 0\n"
       "\n5\t8\tMedian dist = 0\n\n6\t7\tMedian dist = 0\n\n7\t6\tMedian dist = 0\n"
       "\n8\t5\tMedian dist = 0\n\n9\t4\tMedian dist = 0\n\n10\t3\tMedian dist = 0\n"
       "\n11\t2\tMedian dist = 0\n\n12\t1\tMedian dist = -\n\n13\t0\tMedian dist = -\n"},
      {"",
       "\n2\t13\tMedian dist = 0\n\n3\t12\tMedian dist = 0\n\n4\t11\tMedian dist = 0\n"
       "\n5\t10\tMedian dist = 0\n\n6\t9\tMedian dist = 0\n\n7\t8\tMedian dist = 0\n"
       "\n8\t7\tMedian dist = 0\n\n9\t6\tMedian dist = 0\n\n10\t5\tMedian dist = 0\n"
       "\n11\t4\tMedian dist = 0\n\n12\t3\tMedian dist = 0\n\n13\t2\tMedian dist = 0\n"
       "\n14\t1\tMedian dist = -\n\n15\t0\tMedian dist = -\n"},
      {"3.12121212121213", "\n2\t0\tMedian dist = -\n"},
      {"3.11212121212121", "\n2\t1\tMedian dist = -\n\n3\t11\tMedian dist = 0\n\n4\t0\tMedian dist = -\n"},
  };
  for (const probe_case& c : cases) {
    digit_file("test.txt", c.text);
    const program_output result = run(palprobe);
    EXPECT_EQ(result.out, c.lines) << c.text;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 0);
  }
}

// The prototype opens its file for update, so a file it may not write is
// refused although it is only read. Root may write any file, so as root the
// run drops the capability that lets it do so.
TEST_F(ProgramTest, PrototypeRefusesReadOnlyFile) {
  digit_file("test.txt", "3.11221134567890");
  chmod((folder + "/test.txt").c_str(), 0444);
  program_output result;
  if (geteuid() == 0) {
    result = run_program(
        {"/usr/bin/setpriv", "--inh-caps=-dac_override", "--bounding-set=-dac_override", palprobe}, folder);
    if (result.err.find("setpriv") != std::string::npos)
      GTEST_SKIP() << "can't drop privileges: " << result.err;
  } else {
    result = run(palprobe);
  }
  EXPECT_EQ(result.out, cant_open);
  EXPECT_EQ(result.exit_status, failed);
  // The analysis programs only read, so the same permissions don't stop them.
  digit_file("pi_50m.txt", "3.1221");
  chmod((folder + "/pi_50m.txt").c_str(), 0444);
  EXPECT_EQ(run(pidromes).exit_status, 0);
}

}  // namespace
