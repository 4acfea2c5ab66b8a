// The per-length scan and the median of its gaps, one full pass per length.
#include <cstdlib>

#include "palindromes.h"

namespace {

bool is_palindrome(const int32_t* window, int32_t palin_length) {
  for (int32_t i = 0; i < palin_length / 2; ++i) {
    if (window[i] != window[palin_length - 1 - i]) return false;
  }
  return true;
}

bool append_gap(gap_list* gaps, int32_t digit_dist) {
  if (gaps->dig_dist_counter == gaps->capacity) {
    const int64_t grown = gaps->capacity < 1024 ? 1024 : int64_t{gaps->capacity} * 2;
    const int32_t capacity = grown > INT32_MAX ? INT32_MAX : static_cast<int32_t>(grown);
    if (capacity == gaps->capacity) return false;
    void* memory = std::realloc(gaps->dig_dist_array, static_cast<std::size_t>(capacity) * sizeof(int32_t));
    if (memory == nullptr) return false;
    gaps->dig_dist_array = static_cast<int32_t*>(memory);
    gaps->capacity = capacity;
  }
  gaps->dig_dist_array[gaps->dig_dist_counter++] = digit_dist;
  return true;
}

}  // namespace

length_result scan_length(const int32_t* file_digits, int32_t total_length, int32_t palin_length,
                          gap_list* gaps) {
  length_result result;
  result.palin_length = palin_length;
  gaps->dig_dist_counter = 0;
  if (palin_length > total_length) return result;
  const uint32_t last_start = static_cast<uint32_t>(total_length - palin_length);
  int32_t prev_palin = 0;
  for (uint32_t count = 0; count <= last_start; ++count) {
    if (!is_palindrome(file_digits + count, palin_length)) continue;
    const int32_t start = static_cast<int32_t>(count);
    const int32_t digit_dist = start - prev_palin - 1;
    if (result.num_palin > 0 && !append_gap(gaps, digit_dist)) result.out_of_memory = true;
    ++result.num_palin;
    prev_palin = start;
  }
  return result;
}

int comparator(const void* a, const void* b) {
  return *static_cast<const int32_t*>(a) - *static_cast<const int32_t*>(b);
}

int32_t median_gap(gap_list* gaps) {
  const int32_t n = gaps->dig_dist_counter;
  std::qsort(gaps->dig_dist_array, static_cast<std::size_t>(n), sizeof(int32_t), comparator);
  const int32_t median_index = (n + 1) / 2 - 1;
  return gaps->dig_dist_array[median_index];
}

void release_gaps(gap_list* gaps) {
  std::free(gaps->dig_dist_array);
  *gaps = gap_list{};
}
