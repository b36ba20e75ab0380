#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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
    case OpenMode::kCreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
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

std::string InjectedFailureText() { return SystemErrorText(EIO); }

namespace {
// An injected failure looks like the device's own: errno EIO.
bool Injected() {
  if (!InjectedFailureNow()) return false;
  errno = EIO;
  return true;
}
}  // namespace

bool CFile::Read(void* buffer, size_t size) {
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
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
  if (Injected()) return Fail();
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

bool CFile::ReadSome(void* buffer, size_t size, size_t& got) {
  got = 0;
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
  for (;;) {
    ssize_t n = ::read(static_cast<int>(handle_), buffer, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail();
    got = static_cast<size_t>(n);
    return true;
  }
}

bool CFile::Flush() {
  if (!IsOpen()) return Fail(kNotOpenText);
  if (Injected()) return Fail();
  if (fsync(static_cast<int>(handle_)) != 0) return Fail();
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
  if (Injected()) return Fail();
  if (ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) != 0) return Fail();
  return true;
}

bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    error = LastSystemErrorText();
    return false;
  }
  // The rename is an entry of the folder: syncing the folder puts it on the disk. The file has
  // been replaced already, so a folder that cannot be synced (some file systems refuse) is not
  // reported as a failure of the move.
  std::filesystem::path folder = to.parent_path();
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    ::close(dir);
  }
  return true;
}

std::filesystem::path FinalPath(const std::filesystem::path& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::filesystem::path result(real);
  std::free(real);
  return result;
}

bool CheckWritable(const std::filesystem::path& path, std::string& error) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    error = LastSystemErrorText();
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    error = SystemErrorText(EISDIR);
    return false;
  }
  // Write bits cleared for everyone mark the file read-only even for a user (root) whom the
  // system would let write it.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    error = SystemErrorText(EACCES);
    return false;
  }
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    error = LastSystemErrorText();
    return false;
  }
  return true;
}

bool CopyAttributes(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::string& error) {
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) {
    error = LastSystemErrorText();
    return false;
  }
  // Only root may give a file away; everyone else keeps the owner the copy was made with.
  if (::chown(to.c_str(), st.st_uid, st.st_gid) != 0 && errno != EPERM) {
    error = LastSystemErrorText();
    return false;
  }
  if (::chmod(to.c_str(), st.st_mode & 07777) != 0) {
    error = LastSystemErrorText();
    return false;
  }
  return true;
}

}  // namespace platform
