#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/error_text.h"
#include "platform/file.h"

namespace platform {

bool CFile::Open(const std::filesystem::path& path, OpenMode mode) {
  Close();
  error_.clear();
  int flags = O_CLOEXEC;
  switch (mode) {
    case OpenMode::kReadExisting:
    case OpenMode::kReadShared: flags |= O_RDONLY; break;
    case OpenMode::kReadWriteExisting: flags |= O_RDWR; break;
    case OpenMode::kReadWriteOrCreate:
    case OpenMode::kCreate: flags |= O_RDWR | O_CREAT; break;  // emptied once locked
  }
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) return Fail();
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) errno = EISDIR;
    int saved = errno;
    ::close(fd);
    errno = saved;
    return Fail();
  }
  // The lock stands for Windows' share mode 0: a second open of ours fails while we hold it.
  int lock = mode == OpenMode::kReadShared ? LOCK_SH : LOCK_EX;
  if (flock(fd, lock | LOCK_NB) != 0 || (mode == OpenMode::kCreate && ftruncate(fd, 0) != 0)) {
    int saved = errno;
    ::close(fd);
    errno = saved;
    return Fail();
  }
  handle_ = fd;
  return true;
}

void CFile::Close() {
  if (handle_ != kInvalid) {
    ::close(static_cast<int>(handle_));
    handle_ = kInvalid;
  }
}

bool CFile::Seek(uint64_t offset) {
  if (!IsOpen()) return Fail(kNotOpenText);
  if (offset > static_cast<uint64_t>(INT64_MAX)) {
    errno = EINVAL;
    return Fail();
  }
  if (lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) < 0) return Fail();
  return true;
}

bool CFile::Read(void* buffer, size_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    ssize_t n = ::read(static_cast<int>(handle_), p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    if (n == 0) return Fail(kShortReadText);
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool CFile::Write(const void* buffer, size_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  auto* p = static_cast<const char*>(buffer);
  while (size > 0) {
    ssize_t n = ::write(static_cast<int>(handle_), p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    if (n == 0) return Fail(kShortWriteText);
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool CFile::Size(uint64_t& size) {
  struct stat st {};
  if (!IsOpen()) return Fail(kNotOpenText);
  if (fstat(static_cast<int>(handle_), &st) != 0) return Fail();
  size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool CFile::Truncate(uint64_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  if (ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) != 0) return Fail();
  return true;
}

bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  error = LastSystemErrorText();
  return false;
}

}  // namespace platform
