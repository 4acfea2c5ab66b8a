// Gaps that come and go, with the k-th smallest on demand.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "palindromes.h"

namespace {

bool room_for_long_gap(gap_index* index) {
  if (index->long_count < index->long_capacity) return true;
  const int32_t capacity = index->long_capacity < 64 ? 64 : index->long_capacity * 2;
  void* memory = std::realloc(index->long_gaps, static_cast<std::size_t>(capacity) * sizeof(int32_t));
  if (memory == nullptr) return false;
  index->long_gaps = static_cast<int32_t*>(memory);
  index->long_capacity = capacity;
  return true;
}

}  // namespace

bool start_gap_index(gap_index* index) {
  *index = gap_index{};
  index->tree = static_cast<uint32_t*>(std::calloc(gap_index_short + 1, sizeof(uint32_t)));
  return index->tree != nullptr;
}

bool change_gap(gap_index* index, int32_t gap, int count) {
  if (gap < gap_index_short) {
    for (int32_t i = gap + 1; i <= gap_index_short; i += i & -i)
      index->tree[i] += static_cast<uint32_t>(count);
    index->short_total += count;
    return true;
  }
  // Gaps between centres sum to less than the sequence length, so there are
  // at most a few hundred long ones at a time.
  if (count > 0 && !room_for_long_gap(index)) return false;
  int32_t* const first = index->long_gaps;
  int32_t* const end = first + index->long_count;
  int32_t* const place = std::lower_bound(first, end, gap);
  if (count > 0) {
    std::memmove(place + 1, place, static_cast<std::size_t>(end - place) * sizeof(int32_t));
    *place = gap;
    ++index->long_count;
  } else {
    std::memmove(place, place + 1, static_cast<std::size_t>(end - place - 1) * sizeof(int32_t));
    --index->long_count;
  }
  return true;
}

int32_t select_gap(const gap_index* index, int32_t k) {
  if (k >= index->short_total) return index->long_gaps[k - index->short_total];
  // Descend the Fenwick tree: the largest prefix of values holding at most k gaps.
  int32_t position = 0;
  auto remaining = static_cast<uint32_t>(k);
  for (int32_t step = gap_index_short; step > 0; step /= 2) {
    if (position + step <= gap_index_short && index->tree[position + step] <= remaining) {
      position += step;
      remaining -= index->tree[position];
    }
  }
  return position;  // values 0..position-1 hold at most k gaps, so the k-th is `position`
}

void release_gap_index(gap_index* index) {
  std::free(index->tree);
  std::free(index->long_gaps);
  *index = gap_index{};
}
