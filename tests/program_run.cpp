#include "program_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

program_output run_program(const std::vector<std::string>& argv, const std::string& folder,
                           stdout_target target, std::size_t address_space_limit) {
  const std::string out_path = folder + "/.stdout";
  const std::string err_path = folder + "/.stderr";
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(err, 2);
    if (target == stdout_target::closed) {
      close(1);
    } else {
      const int out = target == stdout_target::dev_full
                          ? open("/dev/full", O_WRONLY)
                          : open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
    }
    if (address_space_limit != 0) {
      const rlimit limit{address_space_limit, address_space_limit};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(125);
    }
    if (chdir(folder.c_str()) != 0) _exit(126);
    execv(args[0], args.data());
    _exit(127);
  }
  program_output result;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return result;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (target == stdout_target::captured) result.out = read_all(out_path);
  result.err = read_all(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return result;
}

std::string make_folder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pidromes-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  chmod(pattern.c_str(), 0755);
  return pattern;
}

void remove_folder(const std::string& folder) { std::filesystem::remove_all(folder); }

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
