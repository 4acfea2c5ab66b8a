// Median of a stream of gaps by counting the short ones and selecting among the long ones.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "palindromes.h"

bool start_tally(gap_tally* tally) {
  tally->short_counts = static_cast<uint32_t*>(std::calloc(gap_tally_buckets, sizeof(uint32_t)));
  return tally->short_counts != nullptr;
}

void clear_tally(gap_tally* tally) {
  std::memset(tally->short_counts, 0, gap_tally_buckets * sizeof(uint32_t));
  tally->short_total = 0;
  tally->long_count = 0;
  tally->out_of_memory = false;
}

void add_long_gap(gap_tally* tally, int32_t gap) {
  // Gaps of one length sum to less than the sequence length, so there are
  // few long ones and this list stays short.
  if (tally->long_count == tally->long_capacity) {
    const int32_t capacity = tally->long_capacity < 256 ? 256 : tally->long_capacity * 2;
    void* memory = std::realloc(tally->long_gaps, static_cast<std::size_t>(capacity) * sizeof(int32_t));
    if (memory == nullptr) {
      tally->out_of_memory = true;
      return;
    }
    tally->long_gaps = static_cast<int32_t*>(memory);
    tally->long_capacity = capacity;
  }
  tally->long_gaps[tally->long_count++] = gap;
}

int32_t tally_median(gap_tally* tally) {
  const int32_t n = tally->short_total + tally->long_count;
  int32_t median_index = (n + 1) / 2 - 1;
  if (median_index < tally->short_total) {
    for (int32_t gap = 0;; ++gap) {
      const auto here = static_cast<int32_t>(tally->short_counts[gap]);
      if (median_index < here) return gap;
      median_index -= here;
    }
  }
  median_index -= tally->short_total;
  int32_t* first = tally->long_gaps;
  std::nth_element(first, first + median_index, first + tally->long_count);
  return first[median_index];
}

void release_tally(gap_tally* tally) {
  std::free(tally->short_counts);
  std::free(tally->long_gaps);
  *tally = gap_tally{};
}
