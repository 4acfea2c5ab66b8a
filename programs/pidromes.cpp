// pidromes / pidromes-zero: the table of palindrome counts and median gaps
// over the first 50,000,000 decimals of pi in "pi_50m.txt".
#include <cstdio>
#include <ctime>

#include "palindromes.h"
#include "program_support.h"

namespace {

#if PIDROMES_ZERO_MEDIAN
constexpr char program[] = "pidromes-zero";
#else
constexpr char program[] = "pidromes";
#endif
constexpr char digit_file_name[] = "pi_50m.txt";
constexpr int32_t total_length = 50'000'000;

// A length with fewer than two palindromes has no gap and so no median; the
// final row (count 0) and a row with count 1 show the same mark for it.
void write_row(const length_row& row, bool final_row) {
  const char* end = final_row ? "" : "\n";
  if (row.has_median) {
    std::printf("%10d\t%9d\t%10d%s", row.palin_length, row.num_palin, row.median, end);
  } else if (PIDROMES_ZERO_MEDIAN) {
    std::printf("%10d\t%9d\t%10d%s", row.palin_length, row.num_palin, 0, end);
  } else {
    std::printf("%10d\t%9d\t         -%s", row.palin_length, row.num_palin, end);
  }
}

// Each row should show as soon as its length is done, even through a pipe.
// But a long run of one digit gives millions of rows in quick succession, and
// a write per row would then cost more than the analysis: past the first
// rows, the table is flushed at most every 20 ms.
void flush_now_and_then(int32_t palin_length, timespec* last_flush) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const int64_t elapsed_ns =
      (int64_t{now.tv_sec} - last_flush->tv_sec) * 1'000'000'000 + (now.tv_nsec - last_flush->tv_nsec);
  if (palin_length < 100 || elapsed_ns >= 20'000'000) {
    std::fflush(stdout);
    *last_flush = now;
  }
}

}  // namespace

int main() {
  std::FILE* file = open_digit_file(digit_file_name, "r");
  if (file == nullptr) {
    std::fputs(cant_open_message, stdout);
    finish_report(program);
    return -1;
  }
  std::fputs(table_header, stdout);
  std::fflush(stdout);  // the header shows while the digits load

  digit_sequence seq;
  length_walk walk;
  int status = 0;
  if (!load_digit_file(program, digit_file_name, file, total_length, &seq, &walk)) {
    status = -1;
  } else {
    // Positions the file didn't fill would be zeros, and a long run of zeros
    // holds palindromes of every length up to its own: analyse what was read.
    if (seq.filled < total_length) {
      std::fprintf(stderr, "%s: %s holds %d of the %d decimals; the table covers those %d only\n", program,
                   digit_file_name, seq.filled, total_length, seq.filled);
    }
    if (!walk_seal(&walk, seq.filled)) status = report_out_of_memory(program);
    timespec last_flush{};
    clock_gettime(CLOCK_MONOTONIC, &last_flush);
    for (length_row row; status == 0;) {
      if (walk_next(&walk, &row) != walk_status::row) {
        status = report_out_of_memory(program);
        break;
      }
      write_row(row, row.num_palin == 0);
      if (row.num_palin == 0) break;
      flush_now_and_then(row.palin_length, &last_flush);
    }
  }
  release_walk(&walk);
  release_digits(&seq);
  if (finish_report(program) != 0) status = -1;
  return status;
}
