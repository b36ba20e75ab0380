#include <algorithm>
#include <cstring>

#include "platform/error_text.h"
#include "platform/file.h"

namespace platform {

char* CopyLastSystemErrorText(char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return buffer;
  std::string text = LastSystemErrorText();
  size_t length = std::min(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return buffer;
}

CFile::~CFile() { Close(); }

CFile::CFile(CFile&& other) noexcept : handle_(other.handle_), error_(std::move(other.error_)) {
  other.handle_ = kInvalid;
}

CFile& CFile::operator=(CFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    error_ = std::move(other.error_);
    other.handle_ = kInvalid;
  }
  return *this;
}

bool CFile::Fail() {
  error_ = LastSystemErrorText();
  return false;
}

bool CFile::Fail(const char* text) {
  error_ = text;
  return false;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string& error) {
  CFile file;
  uint64_t size = 0;
  bool ok = file.Open(path, OpenMode::kReadExisting) && file.Size(size);
  if (ok && size > data.max_size()) ok = false;
  if (ok) {
    data.assign(static_cast<size_t>(size), '\0');
    ok = file.Read(data.data(), data.size());
  }
  if (!ok) {
    error = file.ErrorText();
    data.clear();
  }
  return ok;
}

}  // namespace platform
