#include <windows.h>

#include <algorithm>

#include "platform/error_text.h"
#include "platform/file.h"

namespace platform {

namespace {
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

bool CFile::Open(const std::filesystem::path& path, OpenMode mode) {
  Close();
  error_.clear();
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  DWORD share = 0;  // nobody else opens the file while this operation runs
  switch (mode) {
    case OpenMode::kReadExisting: break;
    case OpenMode::kReadShared: share = FILE_SHARE_READ; break;
    case OpenMode::kReadWriteExisting: access |= GENERIC_WRITE; break;
    case OpenMode::kReadWriteOrCreate: access |= GENERIC_WRITE; disposition = OPEN_ALWAYS; break;
    case OpenMode::kCreate: access |= GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
  }
  HANDLE h = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail();
  handle_ = reinterpret_cast<intptr_t>(h);
  return true;
}

void CFile::Close() {
  if (handle_ != kInvalid) {
    CloseHandle(AsHandle(handle_));
    handle_ = kInvalid;
  }
}

bool CFile::Seek(uint64_t offset) {
  if (!IsOpen()) return Fail(kNotOpenText);
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (offset > static_cast<uint64_t>(INT64_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return Fail();
  }
  if (!SetFilePointerEx(AsHandle(handle_), to, nullptr, FILE_BEGIN)) return Fail();
  return true;
}

bool CFile::Read(void* buffer, size_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), p, chunk, &got, nullptr)) return Fail();
    if (got == 0) return Fail(kShortReadText);
    p += got;
    size -= got;
  }
  return true;
}

bool CFile::Write(const void* buffer, size_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  auto* p = static_cast<const char*>(buffer);
  while (size > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle_), p, chunk, &put, nullptr)) return Fail();
    if (put == 0) return Fail(kShortWriteText);
    p += put;
    size -= put;
  }
  return true;
}

bool CFile::Size(uint64_t& size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  LARGE_INTEGER s;
  if (!GetFileSizeEx(AsHandle(handle_), &s)) return Fail();
  size = static_cast<uint64_t>(s.QuadPart);
  return true;
}

bool CFile::Truncate(uint64_t size) {
  if (!Seek(size)) return false;
  if (!SetEndOfFile(AsHandle(handle_))) return Fail();
  return true;
}

bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  error = LastSystemErrorText();
  return false;
}

}  // namespace platform
