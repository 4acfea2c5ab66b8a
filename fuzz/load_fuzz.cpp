// The loader alone: whatever the bytes, position i holds byte i + 2 minus '0'
// for the first min(capacity, size - 2) positions and 0 after them, exactly
// as reading one character at a time would give.
//
// Setting bytes: capacity = (byte0 | byte1 << 8 | byte2 << 16) % 200000, so
// that inputs can cross the loader's 64 KiB read blocks.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fuzz_check.h"
#include "palindromes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t total_length = (data[0] | data[1] << 8 | data[2] << 16) % 200000;
  std::vector<char> text(data + 3, data + size);
  const std::size_t file_size = text.size();
  text.push_back('\0');
  std::FILE* file = fmemopen(text.data(), file_size, "r");
  FUZZ_CHECK(file != nullptr);

  digit_sequence seq = load_digits(file, total_length);
  FUZZ_CHECK(seq.file_digits != nullptr);
  FUZZ_CHECK(!seq.read_failed);
  const std::size_t after_skip = file_size > 2 ? file_size - 2 : 0;
  const auto expected_filled = static_cast<int32_t>(after_skip < static_cast<std::size_t>(total_length)
                                                        ? after_skip
                                                        : static_cast<std::size_t>(total_length));
  FUZZ_CHECK(seq.filled == expected_filled);
  for (int32_t i = 0; i < total_length; ++i) {
    const int32_t expected =
        i < expected_filled ? static_cast<unsigned char>(text[static_cast<std::size_t>(i) + 2]) - '0' : 0;
    FUZZ_CHECK(seq.file_digits[i] == expected);
  }
  release_digits(&seq);
  return 0;
}
