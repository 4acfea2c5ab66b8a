// Differential target: the input is a digit file after a two-byte setting; the
// programs' path (fused load and walk) must give the same rows as the
// per-length path (scan_length + median_gap) for every length.
//
// Setting bytes: capacity = 1 + (byte0 | byte1 << 8) % 300; the low bit of
// byte0 picks the scan range: all positions, zeros included, as palprobe does,
// or only the filled ones, as the analysis programs do. Bits 1 and 2 pick when
// the walk goes dense: at once, for 3 persisting starts, or as the programs do.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fuzz_check.h"
#include "palindromes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t total_length = 1 + (data[0] | data[1] << 8) % 300;
  const bool whole_sequence = (data[0] & 1) != 0;
  // fmemopen refuses an empty buffer, so the file always has room for one byte.
  std::vector<char> text(data + 2, data + size);
  const std::size_t file_size = text.size();
  text.push_back('\0');
  std::FILE* file = fmemopen(text.data(), file_size, "r");
  FUZZ_CHECK(file != nullptr);

  digit_sequence seq;
  length_walk walk;
  FUZZ_CHECK(load_walking(file, total_length, &seq, &walk));
  const int32_t scanned = whole_sequence ? total_length : seq.filled;
  FUZZ_CHECK(walk_seal(&walk, scanned));
  if ((data[0] & 2) != 0)
    walk.dense_threshold = 0;
  else if ((data[0] & 4) != 0)
    walk.dense_threshold = 3;

  gap_list gaps;
  for (int32_t palin_length = 2;; ++palin_length) {
    const length_result expected = scan_length(seq.file_digits, scanned, palin_length, &gaps);
    length_row row;
    FUZZ_CHECK(walk_next(&walk, &row) == walk_status::row);
    FUZZ_CHECK(row.palin_length == palin_length);
    FUZZ_CHECK(row.num_palin == expected.num_palin);
    FUZZ_CHECK(row.has_median == (gaps.dig_dist_counter > 0));
    if (row.has_median) FUZZ_CHECK(row.median == median_gap(&gaps));
    if (expected.num_palin == 0) break;
    FUZZ_CHECK(palin_length <= scanned);
  }
  release_gaps(&gaps);
  release_walk(&walk);
  release_digits(&seq);
  return 0;
}
