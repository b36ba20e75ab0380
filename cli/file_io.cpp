#include "cli/file_io.h"

#include <system_error>

#include "platform/file.h"
#include "platform/sjis.h"

namespace cli {

namespace {

bool ReadStream(std::FILE* in, std::string& data) {
  char buffer[1 << 14];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) data.append(buffer, n);
  return !std::ferror(in);
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

bool ReadInput(std::string_view path, std::string& data, const Io& io) {
  std::string error;
  data.clear();
  if (path == "-") {
    if (ReadStream(io.in, data)) return true;
    std::fputs("vantari: cannot read the standard input\n", io.err);
    return false;
  }
  if (platform::ReadWholeFile(platform::PathFromSjis(path), data, error)) return true;
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
