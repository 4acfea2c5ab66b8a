// What the programs must print, built from reference rows, so that program
// output can be compared byte for byte with an independent count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reference_palindromes.h"

enum class final_median { dash, zero };

// The analysis programs' header.
extern const std::string table_header;

// Header, one row per length with palindromes, and the final row without a line break.
std::string expected_table(const std::vector<reference_row>& rows, final_median form);

// palprobe's lines for the same rows.
std::string expected_probe_lines(const std::vector<reference_row>& rows);

// The positions a digit file's bytes give: each byte after the first two, minus '0'.
std::vector<int32_t> digits_of_file(const std::string& bytes, std::size_t capacity);
