// All lengths from one pass over the sequence: lengths 2 and 3 are tallied
// while the pass runs, and every later length filters the starts of the length
// two below it, until a parity's palindromes persist over many lengths and it
// goes dense.
#include <cstdlib>

#include "palindromes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first pass looks ahead of a 64-start block by this many positions: the
// length-5 window at the block's last start ends 66 positions after the block.
constexpr int32_t block_starts = 64;
constexpr int32_t block_reach = block_starts + 3;

// Bit j is set when a[j] == b[j], for j = 0..63.
uint64_t equal_mask(const int32_t* a, const int32_t* b) {
#if defined(__SSE2__)
  uint64_t mask = 0;
  for (int part = 0; part < 4; ++part) {
    __m128i eq[4];
    for (int q = 0; q < 4; ++q) {
      const int offset = part * 16 + q * 4;
      eq[q] = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + offset)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + offset)));
    }
    // All-ones and all-zeros lanes survive the saturating packs unchanged.
    const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(eq[0], eq[1]), _mm_packs_epi32(eq[2], eq[3]));
    mask |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(bytes))) << (part * 16);
  }
  return mask;
#else
  uint64_t mask = 0;
  for (int j = 0; j < 64; ++j) mask |= static_cast<uint64_t>(a[j] == b[j]) << j;
  return mask;
#endif
}

bool reserve(start_list* list, int32_t extra) {
  if (list->capacity - list->count >= extra) return true;
  int64_t capacity = list->capacity < 4096 ? 4096 : list->capacity;
  while (capacity - list->count < extra) capacity *= 2;
  if (capacity > INT32_MAX) return false;
  void* memory = std::realloc(list->starts, static_cast<std::size_t>(capacity) * sizeof(uint32_t));
  if (memory == nullptr) return false;
  list->starts = static_cast<uint32_t*>(memory);
  list->capacity = static_cast<int32_t>(capacity);
  return true;
}

void record(int32_t* num_palin, int32_t* prev_palin, gap_tally* tally, int32_t start) {
  if (*num_palin > 0) add_gap(tally, start - *prev_palin - 1);
  ++*num_palin;
  *prev_palin = start;
}

// Appends `start` when `keep`; without a branch, since the outcome is random
// on real digits. Requires room for one more start.
void keep_if(start_list* list, int32_t start, bool keep) {
  list->starts[list->count] = static_cast<uint32_t>(start);
  list->count += keep ? 1 : 0;
}

// Bit j of `centres` marks a palindrome of length `inner` (2 or 3) at start
// base + j: tallies each one and keeps its start - 1 in `grown` when the pair
// around it is equal too.
void pass_centres(uint64_t centres, int32_t base, int32_t inner, const int32_t* d, int32_t* num_palin,
                  int32_t* prev_palin, gap_tally* tally, start_list* grown) {
  for (; centres != 0; centres &= centres - 1) {
    const int32_t s = base + __builtin_ctzll(centres);
    record(num_palin, prev_palin, tally, s);
    if (s >= 1) keep_if(grown, s - 1, d[s - 1] == d[s + inner]);
  }
}

// First pass over starts base..base+63. Requires positions up to
// base + block_reach - 1 loaded and room for 64 more starts in each list.
void pass_block(length_walk* walk, int32_t base) {
  const int32_t* d = walk->file_digits;
  pass_centres(equal_mask(d + base, d + base + 1), base, 2, d, &walk->count2, &walk->prev2, &walk->tally2,
               &walk->lists[0]);
  pass_centres(equal_mask(d + base, d + base + 2), base, 3, d, &walk->count3, &walk->prev3, &walk->tally3,
               &walk->lists[1]);
}

// First pass over one start near the end, where windows may run past position n - 1.
void pass_start(length_walk* walk, int32_t s, int32_t n) {
  const int32_t* d = walk->file_digits;
  if (s + 1 < n && d[s] == d[s + 1]) {
    record(&walk->count2, &walk->prev2, &walk->tally2, s);
    if (s >= 1 && s + 2 < n) keep_if(&walk->lists[0], s - 1, d[s - 1] == d[s + 2]);
  }
  if (s + 2 < n && d[s] == d[s + 2]) {
    record(&walk->count3, &walk->prev3, &walk->tally3, s);
    if (s >= 1 && s + 3 < n) keep_if(&walk->lists[1], s - 1, d[s - 1] == d[s + 3]);
  }
}

// Turns the starts of length palin_length - 2 into those of palin_length: the
// window grows by one position at each end, and those two must be equal.
void extend_starts(start_list* list, const int32_t* d, int32_t n, int32_t palin_length) {
  int32_t kept = 0;
  for (int32_t i = 0; i < list->count; ++i) {
    const auto inner = static_cast<int32_t>(list->starts[i]);
    if (inner == 0) continue;
    const int32_t start = inner - 1;
    const int32_t end = start + palin_length - 1;
    if (end >= n) break;  // starts increase, so every later window runs past the end too
    list->starts[kept] = static_cast<uint32_t>(start);
    kept += d[start] == d[end] ? 1 : 0;
  }
  list->count = kept;
  list->palin_length = palin_length;
}

void tally_starts(const start_list* list, gap_tally* tally) {
  clear_tally(tally);
  for (int32_t i = 1; i < list->count; ++i) {
    add_gap(tally, static_cast<int32_t>(list->starts[i] - list->starts[i - 1]) - 1);
  }
}

}  // namespace

bool walk_start(length_walk* walk, const int32_t* file_digits) {
  *walk = length_walk{};
  walk->file_digits = file_digits;
  walk->lists[0].palin_length = 4;
  walk->lists[1].palin_length = 5;
  walk->out_of_memory = !start_tally(&walk->tally2) || !start_tally(&walk->tally3) ||
                        !reserve(&walk->lists[0], block_starts) || !reserve(&walk->lists[1], block_starts);
  return !walk->out_of_memory;
}

bool walk_feed(length_walk* walk, int32_t available) {
  while (!walk->out_of_memory && walk->next_start + block_reach <= available) {
    if (!reserve(&walk->lists[0], block_starts) || !reserve(&walk->lists[1], block_starts)) {
      walk->out_of_memory = true;
      break;
    }
    pass_block(walk, walk->next_start);
    walk->next_start += block_starts;
  }
  return !walk->out_of_memory;
}

bool walk_seal(length_walk* walk, int32_t scan_length) {
  walk_feed(walk, scan_length);
  for (int32_t s = walk->next_start; s < scan_length && !walk->out_of_memory; ++s) {
    if (!reserve(&walk->lists[0], 1) || !reserve(&walk->lists[1], 1)) {
      walk->out_of_memory = true;
    } else {
      pass_start(walk, s, scan_length);
    }
  }
  walk->next_start = scan_length;
  walk->scanned = scan_length;
  walk->lists[0].previous_count = walk->count2;
  walk->lists[1].previous_count = walk->count3;
  return !walk->out_of_memory;
}

// Brings the starts of `palin_length`'s parity up to that length and decides
// whether the parity goes dense. Returns false on allocation failure.
bool advance_parity(length_walk* walk, int32_t palin_length) {
  start_list* list = &walk->lists[palin_length % 2];
  dense_centres* dense = &walk->dense[palin_length % 2];
  if (dense->active) return true;
  if (list->palin_length < palin_length) {
    list->previous_count = list->count;
    extend_starts(list, walk->file_digits, walk->scanned, palin_length);
  }
  const bool persisting =
      list->count >= walk->dense_threshold && int64_t{list->count} * 2 > list->previous_count;
  const bool go_dense = list->count > 0 && (walk->dense_threshold == 0 || persisting);
  return !go_dense || start_dense(dense, list, walk->file_digits, walk->scanned);
}

walk_status walk_next(length_walk* walk, length_row* row) {
  const int32_t palin_length = walk->palin_length++;
  gap_tally* tally = &walk->tally2;  // once length 2 is reported it serves every later length
  row->palin_length = palin_length;
  if (palin_length == 2) {
    row->num_palin = walk->count2;
  } else if (palin_length == 3) {
    row->num_palin = walk->count3;
    tally = &walk->tally3;
  } else {
    if (!advance_parity(walk, palin_length)) return walk_status::out_of_memory;
    dense_centres* dense = &walk->dense[palin_length % 2];
    if (dense->active) {
      return dense_row(dense, palin_length, row) ? walk_status::row : walk_status::out_of_memory;
    }
    start_list* list = &walk->lists[palin_length % 2];
    row->num_palin = list->count;
    tally_starts(list, tally);
  }
  if (walk->out_of_memory || tally->out_of_memory) return walk_status::out_of_memory;
  row->has_median = row->num_palin >= 2;
  row->median = row->has_median ? tally_median(tally) : 0;
  return walk_status::row;
}

void release_walk(length_walk* walk) {
  release_dense(&walk->dense[0]);
  release_dense(&walk->dense[1]);
  release_tally(&walk->tally2);
  release_tally(&walk->tally3);
  std::free(walk->lists[0].starts);
  std::free(walk->lists[1].starts);
  *walk = length_walk{};
}

bool walk_digits(length_walk* walk, const int32_t* file_digits, int32_t scan_length) {
  return walk_start(walk, file_digits) && walk_seal(walk, scan_length);
}

bool load_walking(std::FILE* file, int32_t total_length, digit_sequence* seq, length_walk* walk) {
  *seq = start_loading(file, total_length);
  bool ok = seq->file_digits != nullptr && walk_start(walk, seq->file_digits);
  while (ok && load_block(seq, file)) ok = walk_feed(walk, seq->filled);
  std::fclose(file);
  return ok && !seq->read_failed;
}
