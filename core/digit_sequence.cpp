// Loading the digit file into the digit sequence.
#include "palindromes.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>

namespace {

constexpr std::size_t block_chars = std::size_t{64} * 1024;

std::size_t positions_bytes(int32_t total_length) {
  // An empty sequence still gets one position so that nullptr keeps meaning
  // "couldn't be had".
  return (total_length > 0 ? static_cast<std::size_t>(total_length) : 1U) * sizeof(int32_t);
}

#if defined(__SANITIZE_ADDRESS__)
#define PIDROMES_HEAP_POSITIONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PIDROMES_HEAP_POSITIONS 1
#endif
#endif

// Anonymous pages arrive zero-filled, which is exactly the initial state the
// sequence needs. For the 200 MB sequence of the analysis programs, faulting
// 4 KiB pages in one at a time costs more than reading the file, so huge
// pages are asked for where the kernel offers them. Under AddressSanitizer the
// positions come from the heap instead, so that a read past the last one is
// caught: the sanitizer doesn't guard the edges of a mapping.
int32_t* allocate_positions(int32_t total_length) {
  const std::size_t bytes = positions_bytes(total_length);
#if PIDROMES_HEAP_POSITIONS
  return static_cast<int32_t*>(std::calloc(bytes, 1));
#else
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
  madvise(memory, bytes, MADV_HUGEPAGE);  // only a hint: plain pages work too
#endif
  return static_cast<int32_t*>(memory);
#endif
}

void free_positions(int32_t* file_digits, int32_t total_length) {
#if PIDROMES_HEAP_POSITIONS
  (void)total_length;
  std::free(file_digits);
#else
  munmap(file_digits, positions_bytes(total_length));
#endif
}

}  // namespace

digit_sequence start_loading(std::FILE* file, int32_t total_length) {
  digit_sequence seq;
  seq.total_length = total_length;
  seq.file_digits = allocate_positions(total_length);
  if (seq.file_digits != nullptr) std::fseek(file, 2, SEEK_SET);
  return seq;
}

bool load_block(digit_sequence* seq, std::FILE* file) {
  if (seq->file_digits == nullptr || seq->read_failed || seq->filled >= seq->total_length) {
    return false;
  }
  unsigned char chars[block_chars];
  const std::size_t room = static_cast<std::size_t>(seq->total_length - seq->filled);
  const std::size_t wanted = room < block_chars ? room : block_chars;
  const std::size_t got = std::fread(chars, 1, wanted, file);
  int32_t* out = seq->file_digits + seq->filled;
  for (std::size_t i = 0; i < got; ++i) out[i] = static_cast<int32_t>(chars[i]) - '0';
  seq->filled += static_cast<int32_t>(got);
  if (got < wanted && std::ferror(file) != 0) seq->read_failed = true;
  return got > 0;
}

digit_sequence load_digits(std::FILE* file, int32_t total_length) {
  digit_sequence seq = start_loading(file, total_length);
  while (load_block(&seq, file)) {
  }
  std::fclose(file);
  return seq;
}

void release_digits(digit_sequence* seq) {
  if (seq->file_digits != nullptr) free_positions(seq->file_digits, seq->total_length);
  seq->file_digits = nullptr;
  seq->filled = 0;
}
