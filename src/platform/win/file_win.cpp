#include <windows.h>

#include <algorithm>

#include "platform/error_text.h"
#include "platform/file.h"

namespace platform {

namespace {
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// An injected failure looks like the device's own: ERROR_IO_DEVICE.
bool Injected() {
  if (!InjectedFailureNow()) return false;
  SetLastError(ERROR_IO_DEVICE);
  return true;
}
}  // namespace

std::string InjectedFailureText() { return SystemErrorText(int(ERROR_IO_DEVICE)); }

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
    case OpenMode::kCreateNew: access |= GENERIC_WRITE; disposition = CREATE_NEW; break;
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
  if (Injected()) return Fail();
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
  if (Injected()) return Fail();
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

bool CFile::ReadSome(void* buffer, size_t size, size_t& got) {
  got = 0;
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
  DWORD n = 0;
  if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), &n,
                nullptr)) {
    if (GetLastError() == ERROR_BROKEN_PIPE) return true;  // the writing end closed: the end
    return Fail();
  }
  got = n;
  return true;
}

bool CFile::Flush() {
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
  if (!FlushFileBuffers(AsHandle(handle_))) return Fail();
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
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
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

std::filesystem::path FinalPath(const std::filesystem::path& path) {
  // The system's answer covers every kind of link, including those Wine finds in the host's
  // file system.
  HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    std::wstring final_path(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h, final_path.data(), DWORD(final_path.size()), VOLUME_NAME_DOS);
    if (n >= final_path.size()) {
      final_path.resize(n + 1);
      n = GetFinalPathNameByHandleW(h, final_path.data(), DWORD(final_path.size()), VOLUME_NAME_DOS);
    }
    CloseHandle(h);
    if (n > 0 && n < final_path.size()) {
      final_path.resize(n);
      // "\\?\C:\..." names a drive path, "\\?\UNC\server\..." a share; the prefix stays
      // on a path too long to be read without it.
      if (final_path.size() >= MAX_PATH) return final_path;
      if (final_path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + final_path.substr(8);
      if (final_path.starts_with(L"\\\\?\\")) return final_path.substr(4);
      return final_path;
    }
  }
  // A link that leads nowhere: follow its names as far as they go.
  std::error_code ec;
  std::filesystem::path at = path;
  for (int hops = 0; hops < 32 && std::filesystem::is_symlink(at, ec); ++hops) {
    std::filesystem::path target = std::filesystem::read_symlink(at, ec);
    if (ec) return path;
    at = target.is_absolute() ? target : at.parent_path() / target;
  }
  return std::filesystem::exists(at, ec) ? at : path;
}

bool CheckWritable(const std::filesystem::path& path, std::string& error) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = LastSystemErrorText();
    return false;
  }
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    error = SystemErrorText(int(ERROR_ACCESS_DENIED));
    return false;
  }
  // The file's security may still refuse this user; asking for write access is the test.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = LastSystemErrorText();
    return false;
  }
  CloseHandle(h);
  return true;
}

bool CopyAttributes(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::string& error) {
  DWORD attributes = GetFileAttributesW(from.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = LastSystemErrorText();
    return false;
  }
  attributes &= FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (!SetFileAttributesW(to.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) {
    error = LastSystemErrorText();
    return false;
  }
  return true;
}

}  // namespace platform
