// What the entry procedures share: opening the digit file, loading it with
// the first pass of the walk, and checking that the report reached its reader.
#pragma once

#include <cstdio>

#include "palindromes.h"

// Written to standard output when the digit file can't be opened (U+2019 in UTF-8).
inline constexpr char cant_open_message[] = "I can\xE2\x80\x99t open the file for reading.\n";

// The analysis programs' table header.
inline constexpr char table_header[] =
    "Palindrome\tNumber of \tMedian Digit\n"
    "Length\t\tPalindromes\tDistance\n"
    "----------\t-----------\t------------\n";

// Opens the digit file `name` with `mode`. Returns nullptr when it can't be
// opened, and also when it names a directory: that opens on Linux but never
// yields a character, so it is no more a digit file than a missing one.
std::FILE* open_digit_file(const char* name, const char* mode);

// Loads `file` (closing it) into `seq` with `total_length` positions and runs
// the walk's first pass over it. On failure writes one line naming `program`
// and `name` to standard error and returns false.
bool load_digit_file(const char* program, const char* name, std::FILE* file, int32_t total_length,
                     digit_sequence* seq, length_walk* walk);

// Flushes standard output. Returns 0, or -1 after a line on standard error
// when anything written to it was lost (full disk, closed descriptor).
int finish_report(const char* program);

// Writes the line for a walk that ran out of memory and returns -1.
int report_out_of_memory(const char* program);
