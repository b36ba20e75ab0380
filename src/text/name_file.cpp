#include "text/name_file.h"

#include "platform/file.h"

namespace text {

bool ReadNameLines(const std::filesystem::path& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string data, error;
  if (!platform::ReadWholeFile(path, data, error)) return false;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    size_t next = end == std::string::npos ? data.size() : end + 1;
    if (end == std::string::npos) end = data.size();
    // Only the line feed and a carriage return before it end the line.
    size_t length = end - start;
    if (length > 0 && data[end - 1] == '\r') --length;
    lines.emplace_back(data, start, length);
    start = next;
  }
  return true;
}

}  // namespace text
