#include "cli/file_io.h"

#include "platform/file.h"
#include "platform/sjis.h"

namespace cli {

bool ReadInput(std::string_view path, std::string& data, const Io& io) {
  std::string error;
  if (platform::ReadWholeFile(platform::PathFromSjis(path), data, error)) return true;
  std::fprintf(io.err, "vantari: cannot read %s: %s\n", std::string(path).c_str(), error.c_str());
  return false;
}

bool WriteOutput(std::string_view path, const void* data, size_t size, const Io& io) {
  platform::CFile file;
  if (file.Open(platform::PathFromSjis(path), platform::OpenMode::kCreate) && file.Write(data, size)) {
    return true;
  }
  std::fprintf(io.err, "vantari: cannot write %s: %s\n", std::string(path).c_str(),
               file.ErrorText().c_str());
  return false;
}

}  // namespace cli
