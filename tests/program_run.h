// Runs a program as a child process in a chosen folder and captures what it
// writes and how it ends.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

struct program_output {
  int exit_status = -1;  // 0..255, or 128 + signal number when killed
  std::string out;
  std::string err;
};

enum class stdout_target { captured, closed, dev_full };

// Runs argv[0] with arguments argv[1..] in `folder`; standard input is
// /dev/null. A non-zero `address_space_limit` (bytes) is set as the child's
// RLIMIT_AS, like `ulimit -v`.
program_output run_program(const std::vector<std::string>& argv, const std::string& folder,
                           stdout_target target = stdout_target::captured,
                           std::size_t address_space_limit = 0);

// A fresh folder under the temporary directory, readable by everybody; removed by remove_folder.
std::string make_folder();
void remove_folder(const std::string& folder);
void write_file(const std::string& path, const std::string& bytes);

// A fresh folder for each test, where digit files are written and programs run.
class program_folder_test : public ::testing::Test {
 protected:
  void SetUp() override { folder = make_folder(); }
  void TearDown() override { remove_folder(folder); }
  void digit_file(const std::string& name, const std::string& bytes) {
    write_file(folder + "/" + name, bytes);
  }
  program_output run(const std::string& program, stdout_target target = stdout_target::captured) {
    return run_program({program}, folder, target);
  }
  std::string folder;
};
