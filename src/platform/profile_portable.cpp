// Portable profile files: the lookup and update rules of the Windows profile functions.
// Lines are kept byte for byte; only the line a write concerns is touched.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "platform/profile.h"
#include "platform/sjis.h"

namespace platform::portable {

namespace {

struct Line {
  std::string text;  // without its line break
  std::string eol;   // "\r\n", "\n" or "" for a last line without one
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Position of the first (or last) `ch` that is not the second byte of a double-byte character.
size_t Find(std::string_view s, char ch, bool last = false) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == ch) {
      found = i;
      if (!last) break;
    }
  }
  return found;
}

// Case-insensitive for ASCII letters; double-byte characters compare exactly.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto ca = static_cast<unsigned char>(a[i]);
    auto cb = static_cast<unsigned char>(b[i]);
    if (IsSjisLeadByte(ca)) {
      if (ca != cb || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (std::tolower(ca) != std::tolower(cb)) {
      return false;
    }
  }
  return true;
}

struct Parsed {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;
  std::string_view value;
  bool has_value = false;
};

Parsed Parse(std::string_view text) {
  Parsed p;
  std::string_view s = Trim(text);
  if (s.empty() || s.front() == ';') return p;
  if (s.front() == '[') {
    size_t close = Find(s, ']', true);
    if (close != std::string_view::npos) {
      p.kind = Parsed::kSection;
      p.name = s.substr(1, close - 1);
      return p;
    }
  }
  p.kind = Parsed::kKey;
  size_t eq = Find(s, '=');
  if (eq == std::string_view::npos) {
    p.name = s;
    return p;
  }
  p.name = Trim(s.substr(0, eq));
  p.value = Trim(s.substr(eq + 1));
  p.has_value = true;
  return p;
}

std::vector<Line> SplitLines(const std::string& data) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < data.size()) {
    size_t nl = data.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back({data.substr(start), ""});
      break;
    }
    size_t end = (nl > start && data[nl - 1] == '\r') ? nl - 1 : nl;
    lines.push_back({data.substr(start, end - start), data.substr(end, nl + 1 - end)});
    start = nl + 1;
  }
  return lines;
}

// The first section named `name`: [header, end) in `lines`; header == lines.size() if absent.
std::pair<size_t, size_t> FindSection(const std::vector<Line>& lines, std::string_view name) {
  size_t header = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    Parsed p = Parse(lines[i].text);
    if (p.kind != Parsed::kSection) continue;
    if (header != lines.size()) return {header, i};
    if (SameName(p.name, name)) header = i;
  }
  return {header, lines.size()};
}

// Index of the first line in [from, to) holding `key`, or `to`.
size_t FindKey(const std::vector<Line>& lines, size_t from, size_t to, std::string_view key) {
  for (size_t i = from; i < to; ++i) {
    Parsed p = Parse(lines[i].text);
    if (p.kind == Parsed::kKey && SameName(p.name, key)) return i;
  }
  return to;
}

uint32_t CopyOut(std::string_view value, char* buffer, uint32_t size) {
  size_t n = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<uint32_t>(n);
}

std::string_view StripQuotes(std::string_view v) {
  if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

bool Store(const std::filesystem::path& file, const std::vector<Line>& lines) {
  std::string data, error;
  for (const Line& line : lines) data += line.text + line.eol;
  return ReplaceFileContents(file, data.data(), data.size(), error);
}

bool HasLineBreakOrZero(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

}  // namespace

uint32_t ReadProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                          const char* def, char* buffer, uint32_t size) {
  if (size == 0) return 0;
  std::string_view fallback = def ? def : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  if (!section || !key || !key[0]) return CopyOut(section && key ? fallback : "", buffer, size);

  std::string data, error;
  if (!ReadWholeFile(file, data, error)) return CopyOut(fallback, buffer, size);
  std::vector<Line> lines = SplitLines(data);
  auto [header, end] = FindSection(lines, section);
  if (header == lines.size()) return CopyOut(fallback, buffer, size);
  size_t at = FindKey(lines, header + 1, end, key);
  if (at == end) return CopyOut(fallback, buffer, size);
  Parsed p = Parse(lines[at].text);
  if (!p.has_value) return CopyOut(fallback, buffer, size);
  return CopyOut(StripQuotes(p.value), buffer, size);
}

bool WriteProfileValue(const std::filesystem::path& file, const char* section, const char* key,
                        const char* value) {
  if (!section || !ProfileEntryIsValid(section, key ? key : "k", value ? value : "")) return false;
  std::string data, error;
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !ReadWholeFile(file, data, error)) return false;
  std::vector<Line> lines = SplitLines(data);
  auto [header, end] = FindSection(lines, section);
  bool has_section = header != lines.size();

  if (!key) {
    if (!has_section) return true;
    lines.erase(lines.begin() + static_cast<ptrdiff_t>(header), lines.begin() + static_cast<ptrdiff_t>(end));
    return Store(file, lines);
  }
  if (!has_section) {
    if (!value) return true;
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = "\r\n";
    lines.push_back({std::string("[") + section + "]", "\r\n"});
    lines.push_back({std::string(key) + "=" + value, "\r\n"});
    return Store(file, lines);
  }
  size_t at = FindKey(lines, header + 1, end, key);
  if (at != end) {
    if (!value) {
      lines.erase(lines.begin() + static_cast<ptrdiff_t>(at));
    } else {
      lines[at].text = std::string(Parse(lines[at].text).name) + "=" + value;
    }
    return Store(file, lines);
  }
  if (!value) return true;
  // A new key goes after the section's last non-blank line.
  size_t last = end;
  while (last > header + 1 && Trim(lines[last - 1].text).empty()) --last;
  if (lines[last - 1].eol.empty()) lines[last - 1].eol = "\r\n";
  lines.insert(lines.begin() + static_cast<ptrdiff_t>(last), Line{std::string(key) + "=" + value, "\r\n"});
  return Store(file, lines);
}

}  // namespace platform::portable

namespace platform {

bool ProfileEntryIsValid(std::string_view section, std::string_view key, std::string_view value) {
  using portable::Find;
  if (portable::HasLineBreakOrZero(section) || portable::HasLineBreakOrZero(key) ||
      portable::HasLineBreakOrZero(value)) {
    return false;
  }
  std::string_view name = portable::Trim(key);
  return !portable::Trim(section).empty() && !name.empty() && name.front() != '[' &&
         name.front() != ';' && Find(section, ']') == section.npos && Find(key, '=') == key.npos;
}

}  // namespace platform
