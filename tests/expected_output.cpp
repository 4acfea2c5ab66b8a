#include "expected_output.h"

#include <cstdio>

const std::string table_header =
    "Palindrome\tNumber of \tMedian Digit\n"
    "Length\t\tPalindromes\tDistance\n"
    "----------\t-----------\t------------\n";

std::string expected_table(const std::vector<reference_row>& rows, final_median form) {
  std::string table = table_header;
  char line[64];
  for (const reference_row& row : rows) {
    const bool final_row = row.num_palin == 0;
    if (row.has_median) {
      std::snprintf(line, sizeof line, "%10d\t%9d\t%10d\n", row.palin_length, row.num_palin, row.median);
    } else {
      std::snprintf(line, sizeof line, "%10d\t%9d\t%s%s", row.palin_length, row.num_palin,
                    form == final_median::dash ? "         -" : "         0", final_row ? "" : "\n");
    }
    table += line;
  }
  return table;
}

std::string expected_probe_lines(const std::vector<reference_row>& rows) {
  std::string lines;
  char line[64];
  for (const reference_row& row : rows) {
    if (row.has_median) {
      std::snprintf(line, sizeof line, "\n%d\t%d\tMedian dist = %d\n", row.palin_length, row.num_palin,
                    row.median);
    } else {
      std::snprintf(line, sizeof line, "\n%d\t%d\tMedian dist = -\n", row.palin_length, row.num_palin);
    }
    lines += line;
  }
  return lines;
}

std::vector<int32_t> digits_of_file(const std::string& bytes, std::size_t capacity) {
  std::vector<int32_t> digits;
  for (std::size_t i = 2; i < bytes.size() && digits.size() < capacity; ++i) {
    digits.push_back(static_cast<unsigned char>(bytes[i]) - '0');
  }
  return digits;
}
