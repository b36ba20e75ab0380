#include "cli/file_io.h"

#include <system_error>

#include "platform/file.h"
#include "platform/sjis.h"

namespace cli {

namespace {

// False when the stream fails or gives more than `limit` bytes (`too_large` then set).
bool ReadStream(std::FILE* in, std::string& data, uint64_t limit, bool& too_large) {
  char buffer[1 << 14];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    data.append(buffer, n);
    if (data.size() > limit) {
      too_large = true;
      data.clear();
      return false;
    }
  }
  return !std::ferror(in);
}

void ReportTooLarge(std::string_view path, uint64_t limit, const Io& io) {
  std::fprintf(io.err, "vantari: %s is larger than %llu bytes, the most it may hold\n", std::string(path).c_str(),
               static_cast<unsigned long long>(limit));
}

// Pipes and devices cannot be replaced by a rename: they are written in place. So are the
// names under /dev and /proc (/dev/stdout leads to whatever the standard output is, perhaps a
// file a shell opened: replacing that file would cut the shell's output off).
bool IsStream(const std::filesystem::path& path) {
  const std::string name = path.lexically_normal().generic_string();
  if (name.starts_with("/dev/") || name.starts_with("/proc/")) return true;
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

}  // namespace

bool ReadInput(std::string_view path, std::string& data, const Io& io, uint64_t limit) {
  std::string error;
  data.clear();
  if (path == "-") {
    bool too_large = false;
    if (ReadStream(io.in, data, limit, too_large)) return true;
    if (too_large) ReportTooLarge("the standard input", limit, io);
    else std::fputs("vantari: cannot read the standard input\n", io.err);
    return false;
  }
  if (platform::ReadWholeFile(platform::PathFromSjis(path), data, error, limit)) return true;
  if (error == platform::kTooLargeText) {
    ReportTooLarge(path, limit, io);
    return false;
  }
  std::fprintf(io.err, "vantari: cannot read %s: %s\n", std::string(path).c_str(), error.c_str());
  return false;
}

bool WriteOutput(std::string_view path, const void* data, size_t size, const Io& io) {
  const std::filesystem::path file = platform::PathFromSjis(path);
  std::string error;
  // The standard output is written where it already stands; opened again by name it would
  // start over at the beginning of a file a shell redirected it to.
  if (path == "-" || path == "/dev/stdout") {
    if (std::fwrite(data, 1, size, io.out) == size && std::fflush(io.out) == 0) return true;
    std::fputs("vantari: cannot write the standard output\n", io.err);
    return false;
  }
  if (IsStream(file)) {
    platform::CFile stream;
    if (stream.Open(file, platform::OpenMode::kReadWriteExisting) && stream.Write(data, size)) return true;
    error = stream.ErrorText();
  } else if (platform::ReplaceFileContents(file, data, size, error)) {
    return true;
  }
  std::fprintf(io.err, "vantari: cannot write %s: %s\n", std::string(path).c_str(), error.c_str());
  return false;
}

}  // namespace cli
