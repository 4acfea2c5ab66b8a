// The programs under hostile conditions: too little memory, and digit files
// holding bytes that are not digits. Each run gives either the exact table
// for the characters read or a clear message and a non-zero status.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "expected_output.h"
#include "program_run.h"

namespace {

using FaultTest = program_folder_test;

std::string random_bytes(uint32_t seed, std::size_t count) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(generator));
  return bytes;
}

// Decimals in lines of 50 with CR LF line ends, after "3.".
std::string crlf_digits(std::size_t lines) {
  std::mt19937 generator(17);
  std::uniform_int_distribution<int> digit(0, 9);
  std::string text = "3.";
  for (std::size_t line = 0; line < lines; ++line) {
    for (int i = 0; i < 50; ++i) text += static_cast<char>('0' + digit(generator));
    text += "\r\n";
  }
  return text;
}

TEST_F(FaultTest, TooLittleMemoryForTheDigits) {
#if PIDROMES_SANITIZED
  GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit that would bite";
#else
  digit_file("pi_50m.txt", "3.14159");
  for (const std::string& program : {std::string(PIDROMES_PATH), std::string(PIDROMES_ZERO_PATH)}) {
    const program_output result = run_program({program}, folder, stdout_target::captured, 120u << 20);
    EXPECT_EQ(result.out, table_header);
    EXPECT_NE(result.err.find("not enough memory for 50000000 digit positions"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.exit_status, 255);
  }
#endif
}

// Every byte value 0..255 stands for itself minus '0' and takes part like a digit.
TEST_F(FaultTest, EveryByteValueInAFullFile) {
  std::string bytes = "3.";
  bytes += random_bytes(23, 50'000'000);
  digit_file("pi_50m.txt", bytes);
  const std::vector<reference_row> rows = reference_table(digits_of_file(bytes, 50'000'000));
  const program_output result = run_program({PIDROMES_PATH}, folder);
  EXPECT_EQ(result.out, expected_table(rows, final_median::dash));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, 0);
}

TEST_F(FaultTest, BytesAndLineEndsInShortFiles) {
  const std::string cases[] = {random_bytes(1, 300'000), random_bytes(2, 70'000), crlf_digits(3000),
                               std::string("3.\r\n\r\n\0\0\0\r", 10)};
  for (const std::string& bytes : cases) {
    digit_file("pi_50m.txt", bytes);
    const std::vector<int32_t> digits = digits_of_file(bytes, 50'000'000);
    const program_output result = run_program({PIDROMES_ZERO_PATH}, folder);
    EXPECT_EQ(result.out, expected_table(reference_table(digits), final_median::zero));
    EXPECT_NE(result.err.find("holds " + std::to_string(digits.size()) + " of"), std::string::npos);
    EXPECT_EQ(result.exit_status, 0);
  }
}

// The prototype keeps its 14 positions, zeros included, whatever the bytes.
TEST_F(FaultTest, PrototypeOnBytesAndLineEnds) {
  const std::string cases[] = {random_bytes(3, 16), random_bytes(4, 9), std::string("3.\xff\x00\xff", 5),
                               "3.1\r\n5\r\n\r51",  "3.12\r\n21\r\n",   crlf_digits(1)};
  for (const std::string& bytes : cases) {
    digit_file("test.txt", bytes);
    std::vector<int32_t> digits = digits_of_file(bytes, 14);
    digits.resize(14, 0);
    const program_output result = run_program({PALPROBE_PATH}, folder);
    EXPECT_EQ(result.out, expected_probe_lines(reference_table(digits)));
    EXPECT_EQ(result.exit_status, 0);
  }
}

}  // namespace
