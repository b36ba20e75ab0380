#include "unit/test_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace {
std::atomic<int> counter{0};
}

TestDir::TestDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "vantari-test";
  if (info) {
    name.append("-").append(info->test_suite_name()).append("-").append(info->name());
  }
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '_';
  }
  // Test programs run in parallel: a directory made outside a test (a suite's shared one) must
  // not meet another process's.
  static const unsigned process_tag = std::random_device{}();
  name.append("-").append(std::to_string(process_tag)).append("-").append(std::to_string(counter++));
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TestDir::~TestDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TestDir::Write(std::string_view name, std::string_view bytes) const {
  std::filesystem::path p = path_ / name;
  std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::string TestDir::Read(std::string_view name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
