#pragma once
// A fresh, empty directory for one test, removed again afterwards.
#include <filesystem>
#include <string>
#include <string_view>

class TestDir {
 public:
  TestDir();
  ~TestDir();
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes `bytes` to `name` in the directory and returns the file's path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  // The bytes of `name` in the directory ("" when it cannot be read).
  std::string Read(std::string_view name) const;

 private:
  std::filesystem::path path_;
};
