// Lengths of one parity from each centre's longest palindrome, for sequences
// whose palindromes persist over many lengths.
#include <algorithm>
#include <cstdlib>

#include "palindromes.h"

namespace {

int32_t* allocate_entries(int32_t count) {
  return static_cast<int32_t*>(
      std::malloc(static_cast<std::size_t>(count > 0 ? count : 1) * sizeof(int32_t)));
}

// Gap between the windows of one length around centres with keys a < b.
int32_t gap_between(int32_t key_a, int32_t key_b) { return (key_b - key_a) / 2 - 1; }

// Last position of the window of `length` around the centre with `key`.
int32_t window_end(int32_t key, int32_t length) { return (key + length - 1) / 2; }

// The longest palindrome around each centre, from `known`, a length every one
// of them reaches. Manacher's rule: inside the palindrome that reaches
// furthest right, a centre mirrors the one opposite, so only growth past that
// reach is ever compared, and all the comparing is O(n) in total.
void find_longest(dense_centres* dense, const int32_t* d, int32_t n, int32_t known) {
  const int32_t* const keys = dense->keys;
  int32_t reach_centre = -1;  // index of the centre whose palindrome ends furthest right
  int32_t reach = -1;         // where it ends
  int32_t opposite = 0;       // index near the last mirror looked up
  for (int32_t i = 0; i < dense->count; ++i) {
    const int32_t key = keys[i];
    int32_t length = known;
    if (reach_centre >= 0) {
      const int32_t to_reach = 2 * reach - key + 1;  // the length around `key` that ends at `reach`
      if (to_reach > known) {
        // Mirrors move down one by one as i moves up, so a short walk from
        // the last one usually finds the next; a binary search otherwise.
        const int32_t mirror = 2 * keys[reach_centre] - key;
        int32_t steps = 0;
        while (opposite > 0 && keys[opposite] > mirror && steps++ < 8) --opposite;
        if (keys[opposite] != mirror) {
          opposite = static_cast<int32_t>(std::lower_bound(keys, keys + i, mirror) - keys);
        }
        if (opposite < i && keys[opposite] == mirror) {
          const int32_t mirrored = dense->longest[opposite];
          if (mirrored < to_reach) {  // wholly inside: the same length exactly
            dense->longest[i] = mirrored;
            continue;
          }
          length = to_reach;
        }
      }
    }
    int32_t left = (key - length + 1) / 2 - 1;
    int32_t right = window_end(key, length) + 1;
    while (left >= 0 && right < n && d[left] == d[right]) {
      --left;
      ++right;
      length += 2;
    }
    dense->longest[i] = length;
    if (right - 1 > reach) {
      reach = right - 1;
      reach_centre = i;
      opposite = i;
    }
  }
}

// Orders the centres by their longest palindrome (counting sort: lengths
// share the parity of `known`, so (longest - known) / 2 indexes them densely).
bool order_by_longest(dense_centres* dense, int32_t known) {
  int32_t most = known;
  for (int32_t i = 0; i < dense->count; ++i) most = std::max(most, dense->longest[i]);
  const int32_t buckets = (most - known) / 2 + 1;
  int32_t* starts =
      static_cast<int32_t*>(std::calloc(static_cast<std::size_t>(buckets) + 1, sizeof(int32_t)));
  if (starts == nullptr) return false;
  for (int32_t i = 0; i < dense->count; ++i) ++starts[(dense->longest[i] - known) / 2 + 1];
  for (int32_t b = 0; b < buckets; ++b) starts[b + 1] += starts[b];
  for (int32_t i = 0; i < dense->count; ++i) dense->order[starts[(dense->longest[i] - known) / 2]++] = i;
  std::free(starts);
  return true;
}

bool run_out(dense_centres* dense, int32_t i) {
  const int32_t before = dense->prev[i];
  const int32_t after = dense->next[i];
  bool ok = true;
  if (before >= 0) ok &= change_gap(&dense->gaps, gap_between(dense->keys[before], dense->keys[i]), -1);
  if (after >= 0) ok &= change_gap(&dense->gaps, gap_between(dense->keys[i], dense->keys[after]), -1);
  if (before >= 0 && after >= 0) {
    ok &= change_gap(&dense->gaps, gap_between(dense->keys[before], dense->keys[after]), +1);
  }
  if (before >= 0) dense->next[before] = after;
  if (after >= 0) dense->prev[after] = before;
  --dense->alive;
  return ok;
}

}  // namespace

bool start_dense(dense_centres* dense, start_list* list, const int32_t* file_digits, int32_t n) {
  *dense = dense_centres{};
  const int32_t count = list->count;
  const int32_t known = list->palin_length;
  dense->count = count;
  dense->alive = count;
  // The keys take over the starts' storage: in the runs this is for, the list
  // is as long as the sequence, and keeping both would double the peak.
  dense->keys = reinterpret_cast<int32_t*>(list->starts);
  *list = start_list{};
  dense->longest = allocate_entries(count);
  dense->prev = allocate_entries(count);
  dense->next = allocate_entries(count);
  dense->order = allocate_entries(count);
  if (dense->keys == nullptr || dense->longest == nullptr || dense->prev == nullptr ||
      dense->next == nullptr || dense->order == nullptr || !start_gap_index(&dense->gaps)) {
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    dense->keys[i] = 2 * dense->keys[i] + known - 1;
    dense->prev[i] = i - 1;
    dense->next[i] = i + 1 < count ? i + 1 : -1;
  }
  find_longest(dense, file_digits, n, known);
  if (!order_by_longest(dense, known)) return false;
  for (int32_t i = 0; i + 1 < count; ++i) {
    if (!change_gap(&dense->gaps, gap_between(dense->keys[i], dense->keys[i + 1]), +1)) return false;
  }
  dense->active = true;
  return true;
}

bool dense_row(dense_centres* dense, int32_t palin_length, length_row* row) {
  bool ok = true;
  while (dense->removed < dense->count && dense->longest[dense->order[dense->removed]] < palin_length) {
    ok &= run_out(dense, dense->order[dense->removed++]);
  }
  row->palin_length = palin_length;
  row->num_palin = dense->alive;
  row->has_median = dense->alive >= 2;
  const int32_t gaps = dense->alive - 1;
  row->median = row->has_median ? select_gap(&dense->gaps, (gaps + 1) / 2 - 1) : 0;
  return ok;
}

void release_dense(dense_centres* dense) {
  std::free(dense->keys);
  std::free(dense->longest);
  std::free(dense->prev);
  std::free(dense->next);
  std::free(dense->order);
  release_gap_index(&dense->gaps);
  *dense = dense_centres{};
}
