#include <algorithm>
#include <atomic>
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

bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string& error, uint64_t limit) {
  CFile file;
  uint64_t size = 0;
  bool ok = file.Open(path, OpenMode::kReadExisting) && file.Size(size);
  data.clear();
  auto too_large = [&] {
    data.clear();
    error = kTooLargeText;
    return false;
  };
  if (ok && size > limit) return too_large();
  if (ok && size > data.max_size() / 2) ok = false;
  if (ok) data.reserve(static_cast<size_t>(size) + 1);
  // Read to the end rather than to the size: a pipe or a device reports none.
  constexpr size_t kStep = 1 << 16;
  while (ok) {
    const size_t old = data.size();
    // Up to the size the file reported and one byte more, which shows its end, within the
    // room reserved; without a size (a pipe, a device) or past it, in steps.
    const size_t step = size > old ? static_cast<size_t>(size - old) + 1 : size == old && old > 0 ? 1 : kStep;
    size_t got = 0;
    data.resize(old + step);
    ok = file.ReadSome(data.data() + old, step, got);
    data.resize(old + got);
    if (ok && got == 0) return true;
    if (data.size() > limit) return too_large();
  }
  error = file.ErrorText();
  data.clear();
  return false;
}

namespace {
std::atomic<uint64_t> g_operations{0};
std::atomic<uint64_t> g_fail_at{0};
}  // namespace

void FailNthFileOperation(uint64_t n) {
  g_operations = 0;
  g_fail_at = n;
}

uint64_t FileOperationsCounted() { return g_operations; }

bool InjectedFailureNow() {
  const uint64_t n = ++g_operations;
  return g_fail_at != 0 && n == g_fail_at;
}

std::filesystem::path ReplacementPath(const std::filesystem::path& target) {
  std::filesystem::path work = target;
  work += "~new";
  return work;
}

bool ReplaceFileContents(const std::filesystem::path& path, const void* data, size_t size,
                         std::string& error) {
  const std::filesystem::path target = FinalPath(path);
  const std::filesystem::path work = ReplacementPath(target);
  std::error_code ec;
  const bool exists = std::filesystem::exists(target, ec);
  if (exists && !CheckWritable(target, error)) return false;
  // A copy a killed writer left behind is never reused: it is removed, and the new one must be
  // created afresh (a link put in its place is not followed).
  std::filesystem::remove(work, ec);
  CFile file;
  bool ok = file.Open(work, OpenMode::kCreateNew);
  ok = ok && file.Write(data, size) && file.Flush();
  if (!ok) {
    error = file.ErrorText();
    if (file.IsOpen()) {
      file.Close();
      std::filesystem::remove(work, ec);
    }
    return false;
  }
  file.Close();
  ok = !exists || (CopyAttributes(target, work, error) && CheckWritable(target, error));
  if (ok && MoveOver(work, target, error)) return true;
  std::filesystem::remove(work, ec);
  return false;
}

}  // namespace platform
