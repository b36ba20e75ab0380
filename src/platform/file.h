#pragma once
// A file opened for one operation, exclusively: no other open of ours (or, on Windows, of any
// program) succeeds while it is open (kReadShared admits other readers). Every transfer is exact: moving fewer bytes than asked
// for is a failure. A failure leaves the system's text in ErrorText().
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

enum class OpenMode {
  kReadExisting,       // read only; the file must exist
  kReadShared,         // read only, others may read too (not write); the file must exist
  kReadWriteExisting,  // read and write; the file must exist (never created)
  kReadWriteOrCreate,  // read and write; created when missing, kept as it is otherwise
  kCreate,             // read and write; created, or emptied when it exists
  kCreateNew,          // read and write; created, failing when the name is taken (even by a link)
};

class CFile {
 public:
  CFile() = default;
  ~CFile();
  CFile(CFile&& other) noexcept;
  CFile& operator=(CFile&& other) noexcept;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  bool Open(const std::filesystem::path& path, OpenMode mode);
  void Close();
  bool IsOpen() const { return handle_ != kInvalid; }

  bool Seek(uint64_t offset);
  bool Read(void* buffer, size_t size);
  bool Write(const void* buffer, size_t size);
  bool ReadAt(uint64_t offset, void* buffer, size_t size) { return Seek(offset) && Read(buffer, size); }
  bool WriteAt(uint64_t offset, const void* buffer, size_t size) {
    return Seek(offset) && Write(buffer, size);
  }
  // Up to `size` bytes; `got` is 0 at the end of the file (or of a pipe). For input whose
  // size is not known beforehand.
  bool ReadSome(void* buffer, size_t size, size_t& got);
  bool Size(uint64_t& size);
  // Puts the file's data on the disk before returning (fsync, FlushFileBuffers).
  bool Flush();
  // Cuts or extends the file to `size` bytes.
  bool Truncate(uint64_t size);

  // Shift-JIS text of the last failure (the system's message or a short-transfer text).
  const std::string& ErrorText() const { return error_; }

 private:
  static constexpr intptr_t kInvalid = -1;
  bool Fail();                       // records the system's text for the last error
  bool Fail(const char* text);       // records `text`
  intptr_t handle_ = kInvalid;
  std::string error_;
};

// Puts `from` in the place of `to` in one step (the old `to` is gone only when `from` took
// its place), written through: on return the new name is on the disk. False with the system's
// text in `error`.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error);

// The file `path` leads to, symbolic links followed; `path` itself when it names no link or
// the link leads nowhere.
std::filesystem::path FinalPath(const std::filesystem::path& path);

// True when the user may write the existing file `path` in place. A read-only file (the
// attribute, or no write permission for anyone) or one the user may not write gives false with
// the system's access-denied text in `error`; a missing file gives the system's text for that.
bool CheckWritable(const std::filesystem::path& path, std::string& error);

// Gives `to` the attributes of `from`: the permission bits (and owner, where that is allowed)
// on POSIX, the file attributes on Windows.
bool CopyAttributes(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::string& error);

// Makes `data` the whole content of `path` without ever leaving it cut short: the bytes go into
// a new file beside the real one (links are followed and stay links), reach the disk, take the
// old file's attributes and then replace it in one step. A file the user may not write is
// refused, as CheckWritable says. False with the system's text in `error`; the file is as it
// was and no copy is left behind.
bool ReplaceFileContents(const std::filesystem::path& path, const void* data, size_t size,
                         std::string& error);

// The name of the copy ReplaceFileContents writes for `target`.
std::filesystem::path ReplacementPath(const std::filesystem::path& target);

// Reads a whole file into `data`; false with the system's text in `error` on failure. A file
// (or a pipe's input) of more than `limit` bytes is refused with kTooLargeText before it is
// read whole: a regular file by its size, a pipe once it has given limit + 1 bytes.
bool ReadWholeFile(const std::filesystem::path& path, std::string& data, std::string& error,
                   uint64_t limit = UINT64_MAX);
inline constexpr const char* kTooLargeText = "ファイルが大きすぎます。";

// Test seam for I/O-error sweeps: from this call on, the n-th read, write, flush or truncate of
// any file of this process fails with the system's input/output error (n = 0: none fails).
void FailNthFileOperation(uint64_t n);
// The reads, writes, flushes and truncates counted since the last FailNthFileOperation.
uint64_t FileOperationsCounted();
// The system's text of the error an injected failure reports.
std::string InjectedFailureText();
// True when the operation about to run is the one chosen to fail (it counts the operation).
bool InjectedFailureNow();

}  // namespace platform
