// The direct implementation that pidromes is measured against: the digits
// read one character at a time with fgetc, then one full pass per length with
// scan_length and a full sort of every gap list with median_gap. Prints the
// same table as pidromes.
#include <cstdio>
#include <cstdlib>

#include "palindromes.h"
#include "program_support.h"

int main() {
  constexpr int32_t total_length = 50'000'000;
  std::FILE* file = std::fopen("pi_50m.txt", "r");
  if (file == nullptr) {
    std::fputs(cant_open_message, stdout);
    return -1;
  }
  std::fputs(table_header, stdout);
  auto* file_digits = static_cast<int32_t*>(std::calloc(total_length, sizeof(int32_t)));
  if (file_digits == nullptr) return -1;
  std::fseek(file, 2, SEEK_SET);
  int32_t counter = 0;
  for (int c = 0; counter < total_length && (c = std::fgetc(file)) != EOF;) file_digits[counter++] = c - '0';
  std::fclose(file);
  gap_list gaps;
  for (int32_t palin_length = 2;; ++palin_length) {
    const length_result result = scan_length(file_digits, total_length, palin_length, &gaps);
    if (result.num_palin == 0) {
      std::printf("%10d\t%9d\t         -", palin_length, 0);
      break;
    }
    if (gaps.dig_dist_counter == 0) {
      std::printf("%10d\t%9d\t         -\n", palin_length, result.num_palin);
    } else {
      std::printf("%10d\t%9d\t%10d\n", palin_length, result.num_palin, median_gap(&gaps));
    }
  }
  release_gaps(&gaps);
  std::free(file_digits);
  return 0;
}
