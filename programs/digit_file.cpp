// Opening and loading the digit file.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "program_support.h"

std::FILE* open_digit_file(const char* name, const char* mode) {
  std::FILE* file = std::fopen(name, mode);
  if (file == nullptr) return nullptr;
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool load_digit_file(const char* program, const char* name, std::FILE* file, int32_t total_length,
                     digit_sequence* seq, length_walk* walk) {
  errno = 0;
  if (load_walking(file, total_length, seq, walk)) return true;
  if (seq->read_failed) {
    std::fprintf(stderr, "%s: reading %s failed after %d characters: %s\n", program, name,
                 static_cast<int>(seq->filled), std::strerror(errno != 0 ? errno : EIO));
  } else if (seq->file_digits == nullptr) {
    std::fprintf(stderr, "%s: not enough memory for %d digit positions\n", program,
                 static_cast<int>(total_length));
  } else {
    report_out_of_memory(program);
  }
  return false;
}
