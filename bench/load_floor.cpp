// The load floor: allocate the 50,000,000 zero-filled positions and fill them
// from pi_50m.txt, nothing else. The analysis programs are measured against it.
// Built twice: with calloc, and (LOAD_FLOOR_HUGE_PAGES) with the anonymous
// huge-page mapping that pidromes itself uses, which shows what the analysis
// adds on top of the same allocation.
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main() {
  constexpr int32_t total_length = 50'000'000;
  std::FILE* file = std::fopen("pi_50m.txt", "r");
  if (file == nullptr) return 1;
#if LOAD_FLOOR_HUGE_PAGES
  const std::size_t bytes = std::size_t{total_length} * sizeof(int32_t);
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return 1;
  madvise(memory, bytes, MADV_HUGEPAGE);
  auto* file_digits = static_cast<int32_t*>(memory);
#else
  auto* file_digits = static_cast<int32_t*>(std::calloc(total_length, sizeof(int32_t)));
  if (file_digits == nullptr) return 1;
#endif
  std::fseek(file, 2, SEEK_SET);
  unsigned char buffer[4096];
  int32_t filled = 0;
  while (filled < total_length) {
    const std::size_t wanted =
        std::min<std::size_t>(sizeof buffer, static_cast<std::size_t>(total_length - filled));
    const std::size_t got = std::fread(buffer, 1, wanted, file);
    if (got == 0) break;
    for (std::size_t i = 0; i < got; ++i) file_digits[filled + static_cast<int32_t>(i)] = buffer[i] - '0';
    filled += static_cast<int32_t>(got);
  }
  std::fclose(file);
  // Print something that depends on every position so that nothing is optimised away.
  int64_t sum = 0;
  for (int32_t i = 0; i < total_length; i += 4096) sum += file_digits[i];
  std::printf("%d %lld\n", filled, static_cast<long long>(sum));
#if LOAD_FLOOR_HUGE_PAGES
  munmap(file_digits, bytes);
#else
  std::free(file_digits);
#endif
  return 0;
}
