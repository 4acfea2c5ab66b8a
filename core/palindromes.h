// The palindrome analysis core: the digit sequence read from a digit file, the
// per-length scan with the median of its gaps, and the walk over all lengths
// that the programs use to produce the same figures in one pass.
//
// Nothing here throws, prints or exits: failures come back as flags in the
// returned structs and the programs decide what to say.
#pragma once

#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------------------
// Digit sequence
// ---------------------------------------------------------------------------

// The digits of one run. Position i holds the code of the (i + 3)-th character
// of the digit file minus the code of '0'; positions never filled hold 0.
struct digit_sequence {
  int32_t* file_digits = nullptr;  // total_length positions; nullptr if they couldn't be had
  int32_t total_length = 0;
  int32_t filled = 0;        // positions stored from the file, 0..total_length
  bool read_failed = false;  // the stream reported an error, not just end of file
};

// Reads the digit file open in `file` into a new sequence of `total_length`
// zero-filled positions: skips bytes 0 and 1, then stores one character per
// position until end of file or until every position is filled. Closes `file`
// in every case. Requires total_length >= 0. On allocation failure the result
// has file_digits == nullptr and nothing is read. Costs one zero-filled
// allocation of 4 * total_length bytes and one pass over the characters read.
digit_sequence load_digits(std::FILE* file, int32_t total_length);

// The same load in steps, so that a caller can work on each block while it is
// still in cache. start_loading allocates and seeks (file_digits == nullptr on
// allocation failure; then nothing else may be called but release_digits).
// The caller closes `file` when it is done with it.
digit_sequence start_loading(std::FILE* file, int32_t total_length);

// Stores the next block of at most 64 KiB characters after seq->filled.
// Returns false, having stored nothing, once the file is exhausted, an error
// occurred (read_failed is then set) or every position is filled.
bool load_block(digit_sequence* seq, std::FILE* file);

// Frees the positions of `seq` (allowed on a failed or empty sequence).
void release_digits(digit_sequence* seq);

// ---------------------------------------------------------------------------
// Per-length statistics: one full pass per length
// ---------------------------------------------------------------------------

// The gaps of one length in the order found. Storage is kept between lengths.
struct gap_list {
  int32_t* dig_dist_array = nullptr;
  int32_t dig_dist_counter = 0;
  int32_t capacity = 0;
};

// What the scan of one length yields; the gaps are left in the caller's list.
struct length_result {
  int32_t palin_length = 0;
  int32_t num_palin = 0;
  bool out_of_memory = false;  // the gap list couldn't grow; the list is incomplete
};

// Counts the windows of `palin_length` consecutive positions among the first
// `total_length` of `file_digits` that read the same both ways, and refills
// `gaps` with the number of positions strictly between each palindrome's
// start and the previous one's, in increasing order of start. Requires
// palin_length >= 2 and file_digits holding total_length positions (it may be
// nullptr when total_length is 0). Costs one pass over the
// total_length - palin_length + 1 windows, each at most palin_length / 2
// comparisons, plus amortised growth of the list.
length_result scan_length(const int32_t* file_digits, int32_t total_length, int32_t palin_length,
                          gap_list* gaps);

// Returns the median gap: the entry at (n + 1) / 2 - 1 of the list sorted in
// ascending order, where n is the number of entries, so the lower middle for
// even n. Requires at least one entry. Sorts the list in place with qsort and
// `comparator` (O(n log n)); it stays sorted.
int32_t median_gap(gap_list* gaps);

// qsort comparison of two int32_t gaps: returns a - b. Gaps lie between 0 and
// the sequence length, so the difference never overflows.
int comparator(const void* a, const void* b);

// Frees the storage of `gaps` and leaves it empty.
void release_gaps(gap_list* gaps);

// ---------------------------------------------------------------------------
// Gap tally: the median of a stream of gaps without keeping or sorting them
// ---------------------------------------------------------------------------

// Most gaps are short, so they are counted by value; the few long ones are
// kept as they are for selection.
inline constexpr int32_t gap_tally_buckets = 4096;

struct gap_tally {
  uint32_t* short_counts = nullptr;  // gap_tally_buckets counters
  int32_t short_total = 0;
  int32_t* long_gaps = nullptr;  // gaps >= gap_tally_buckets
  int32_t long_count = 0;
  int32_t long_capacity = 0;
  bool out_of_memory = false;
};

// Allocates the counters. Returns false if they couldn't be had.
bool start_tally(gap_tally* tally);

// Forgets every gap, keeping the storage. O(gap_tally_buckets).
void clear_tally(gap_tally* tally);

// Keeps one gap of gap_tally_buckets or more; sets out_of_memory if it can't.
void add_long_gap(gap_tally* tally, int32_t gap);

// Adds one gap (>= 0). Amortised O(1); sets out_of_memory if a long gap can't
// be kept. Inline because the first pass calls it for every palindrome found.
inline void add_gap(gap_tally* tally, int32_t gap) {
  if (gap < gap_tally_buckets) {
    ++tally->short_counts[gap];
    ++tally->short_total;
  } else {
    add_long_gap(tally, gap);
  }
}

// Returns the same value as median_gap on a list of the gaps added. Requires
// at least one gap. O(gap_tally_buckets + number of long gaps); reorders the
// long gaps.
int32_t tally_median(gap_tally* tally);

void release_tally(gap_tally* tally);

// ---------------------------------------------------------------------------
// Length walk: every length from one pass over the centres
// ---------------------------------------------------------------------------

// One row of the report: the figures scan_length and median_gap give for one length.
struct length_row {
  int32_t palin_length = 0;
  int32_t num_palin = 0;
  int32_t median = 0;       // meaningful only when has_median
  bool has_median = false;  // false when num_palin < 2: no gap, no median
};

// Starts of the palindromes of one length, in increasing order.
struct start_list {
  uint32_t* starts = nullptr;
  int32_t count = 0;
  int32_t capacity = 0;
  int32_t palin_length = 0;    // the length these starts belong to
  int32_t previous_count = 0;  // palindromes of the length two below
};

// Gaps kept for order statistics while they come and go: short ones in a
// Fenwick tree over their values, the few long ones in a sorted array.
inline constexpr int32_t gap_index_short = 1 << 16;

struct gap_index {
  uint32_t* tree = nullptr;  // Fenwick tree over gap values 0..gap_index_short-1, 1-based
  int32_t short_total = 0;
  int32_t* long_gaps = nullptr;  // ascending; gaps >= gap_index_short
  int32_t long_count = 0;
  int32_t long_capacity = 0;
};

// Allocates an empty index. Returns false if it couldn't be had.
bool start_gap_index(gap_index* index);

// Adds (count +1) or removes (count -1, the gap must be present) one gap.
// O(log gap_index_short), or O(long gaps) for a long one. Returns false if a
// long gap couldn't be kept.
bool change_gap(gap_index* index, int32_t gap, int count);

// Returns the k-th smallest gap (0-based). Requires k < number of gaps.
// O(log gap_index_short).
int32_t select_gap(const gap_index* index, int32_t k);

void release_gap_index(gap_index* index);

// The palindromes of one parity once they persist over many lengths, as in a
// long run of one digit: every length would filter almost the same starts
// again, costing the run length squared. Instead each centre's longest
// palindrome is found once, and each length only removes the centres that
// have run out, merging the gaps on either side.
struct dense_centres {
  bool active = false;
  int32_t count = 0;           // centres, in increasing order of position
  int32_t* keys = nullptr;     // first + last position of any window around the centre
  int32_t* longest = nullptr;  // length of the longest palindrome around it
  int32_t* prev = nullptr;     // neighbours among the centres alive, -1 for none
  int32_t* next = nullptr;
  int32_t* order = nullptr;  // centres by ascending longest: the order they run out
  int32_t removed = 0;       // centres of `order` run out so far
  int32_t alive = 0;
  gap_index gaps;  // gaps between neighbours alive
};

// Turns the starts in `list` into dense centres over positions [0, n) of
// `file_digits`, taking over the list's storage and leaving it empty.
// Requires a list with at least one start. Returns false on allocation
// failure. O(n + count log count) with Manacher's mirror rule, whatever the
// lengths of the palindromes; 16 more bytes per start.
bool start_dense(dense_centres* dense, start_list* list, const int32_t* file_digits, int32_t n);

// The count and median for `palin_length`, which must have the parity of the
// list the centres came from and exceed the length given before (or equal the
// list's). Returns false if a long gap couldn't be kept. Amortised O(log n)
// per centre run out, plus O(log n).
bool dense_row(dense_centres* dense, int32_t palin_length, length_row* row);

void release_dense(dense_centres* dense);

// A palindrome of length L >= 4 is one of length L - 2 with one more equal
// pair around it. So a first pass tallies lengths 2 and 3 and keeps the starts
// of lengths 4 and 5; each later length only filters the starts of the length
// two below it.
struct length_walk {
  const int32_t* file_digits = nullptr;
  // A parity goes dense once its starts number at least this many and the
  // last filter kept more than half of them; 0 makes it go dense at once.
  int32_t dense_threshold = 1 << 16;
  int32_t scanned = 0;     // windows lie within positions [0, scanned)
  int32_t next_start = 0;  // first start the first pass has not examined
  bool out_of_memory = false;
  // First pass: lengths 2 and 3 are tallied as found, 4 and 5 kept as lists.
  int32_t count2 = 0, count3 = 0;
  int32_t prev2 = 0, prev3 = 0;
  gap_tally tally2, tally3;
  start_list lists[2];       // [L % 2]: the starts of the next even / odd length
  dense_centres dense[2];    // [L % 2]: used instead of lists[L % 2] once active
  int32_t palin_length = 2;  // next length walk_next reports
};

// Prepares a walk over `file_digits` (which may still be loading). Returns
// false if its working storage couldn't be had. O(1) plus two small allocations.
bool walk_start(length_walk* walk, const int32_t* file_digits);

// Runs the first pass over every start whose windows up to length 5 lie in
// positions [0, available). Requires those positions loaded and available not
// below the previous call's. Returns false on allocation failure. Linear in the
// new positions; meant to be called right after each loaded block.
bool walk_feed(length_walk* walk, int32_t available);

// Ends the first pass: the analysis covers exactly positions [0, scan_length).
// Requires scan_length >= every value fed and those positions loaded. Returns
// false on allocation failure.
bool walk_seal(length_walk* walk, int32_t scan_length);

enum class walk_status { row, out_of_memory };

// Fills `row` with the figures of the next length (2, 3, 4, ... in turn), equal
// to scan_length then median_gap over the sealed positions. The caller stops
// after the first row with num_palin == 0. Requires a sealed walk. Costs
// O(count of the length two below) for lengths of 4 and more: on decimals that
// shrinks tenfold every two lengths, but inside a run of R equal digits every
// length up to R has about R palindromes, so such a run costs O(R * R) in all.
walk_status walk_next(length_walk* walk, length_row* row);

// Frees the walk's storage (allowed after any failure).
void release_walk(length_walk* walk);

// The whole first pass over a sequence already in memory: start, feed, seal.
bool walk_digits(length_walk* walk, const int32_t* file_digits, int32_t scan_length);

// Loads the digit file in `file` into `seq` like load_digits (closing `file`)
// and runs walk_feed after every block, while the block is still in cache, so
// that the first pass costs no second trip through memory. Afterwards the
// caller seals the walk over the positions it wants analysed. Returns false
// on allocation failure (seq->file_digits == nullptr, or walk->out_of_memory)
// or a read error (seq->read_failed); `seq` and `walk` can be released either way.
bool load_walking(std::FILE* file, int32_t total_length, digit_sequence* seq, length_walk* walk);
