// palprobe: the same analysis over the 14 decimals of "test.txt", one line
// per length, small enough to check by hand.
#include <cstdio>

#include "palindromes.h"
#include "program_support.h"

namespace {

constexpr char program[] = "palprobe";
constexpr char digit_file_name[] = "test.txt";
constexpr int32_t total_length = 14;

}  // namespace

int main() {
  // Update mode, although the file is only read: a read-only test.txt is refused.
  std::FILE* file = open_digit_file(digit_file_name, "r+");
  if (file == nullptr) {
    std::fputs(cant_open_message, stdout);
    finish_report(program);
    return -1;
  }
  digit_sequence seq;
  length_walk walk;
  int status = 0;
  if (!load_digit_file(program, digit_file_name, file, total_length, &seq, &walk)) {
    status = -1;
  } else if (!walk_seal(&walk, total_length)) {  // unfilled positions take part as zeros
    status = report_out_of_memory(program);
  }
  for (length_row row; status == 0;) {
    if (walk_next(&walk, &row) != walk_status::row) {
      status = report_out_of_memory(program);
      break;
    }
    if (row.has_median) {
      std::printf("\n%d\t%d\tMedian dist = %d\n", row.palin_length, row.num_palin, row.median);
    } else {
      std::printf("\n%d\t%d\tMedian dist = -\n", row.palin_length, row.num_palin);
    }
    if (row.num_palin == 0) break;
  }
  release_walk(&walk);
  release_digits(&seq);
  if (finish_report(program) != 0) status = -1;
  return status;
}
