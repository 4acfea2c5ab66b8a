// Making sure a failed report never ends in success.
#include <cerrno>
#include <cstring>

#include "program_support.h"

int finish_report(const char* program) {
  errno = 0;
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return 0;
  std::fprintf(stderr, "%s: writing the report to standard output failed: %s\n", program,
               std::strerror(errno != 0 ? errno : EIO));
  return -1;
}

int report_out_of_memory(const char* program) {
  std::fprintf(stderr, "%s: not enough memory for the palindrome starts\n", program);
  return -1;
}
