#include "editors/text/text_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/rom_writer.h"
#include "platform/file.h"
#include "text/vantari_text.h"

namespace text_editor {

std::optional<uint64_t> ParseOffset(std::string_view typed) {
  std::string_view text = typed.substr(0, 14);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + uint64_t(digit);  // at most 14 digits: no overflow
  }
  return value;
}

LoadedText DecodeText(const uint8_t* bytes, size_t size) {
  LoadedText out;
  const text::CVantariText& codec = text::VantariText();
  size_t n = std::min(size, size_t(kMaxTextBytes));
  for (size_t i = 0; i < n; ++i) {
    out.text += codec.CodeToText(bytes[i]);
    ++out.permitted;
    if (bytes[i] == text::kCodeTerminator) break;
  }
  return out;
}

bool LoadText(const std::filesystem::path& rom, uint64_t offset, LoadedText& out, std::string& error) {
  platform::CFile file;
  uint64_t size = 0;
  if (!file.Open(rom, platform::OpenMode::kReadExisting) || !file.Size(size)) {
    error = file.ErrorText();
    return false;
  }
  // Reading at or past the end would give an empty text with no room at all.
  if (offset >= size) {
    error = kOutsideRom;
    return false;
  }
  std::vector<uint8_t> bytes(size_t(std::min<uint64_t>(size - offset, kMaxTextBytes)));
  if (!file.ReadAt(offset, bytes.data(), bytes.size())) {
    error = file.ErrorText();
    return false;
  }
  out = DecodeText(bytes.data(), bytes.size());
  return true;
}

bool PrepareSave(const Document& doc, uint64_t offset, std::string_view text, bool overwrite,
                 std::vector<uint8_t>& bytes, std::string& error) {
  text::VantariText().string2binary(text, bytes);
  if (bytes.empty()) {
    error = kEmptyText;
    return false;
  }
  if (overwrite || doc.permitted == 0) return true;
  // The permitted count measures the room at the offset the text came from, nowhere else.
  if (offset != doc.loaded_offset) {
    error = kLoadFirst;
    bytes.clear();
    return false;
  }
  if (bytes.size() >= size_t(doc.permitted)) {
    bytes.resize(size_t(doc.permitted));
    bytes.back() = text::kCodeTerminator;
  }
  return true;
}

bool WriteText(const std::filesystem::path& rom, uint64_t offset, const std::vector<uint8_t>& bytes,
               std::string& error) {
  CRomChange change(rom);
  if (change.Open() && change.Write(int64_t(std::min<uint64_t>(offset, INT64_MAX)), bytes) && change.Commit())
    return true;
  error = change.error();
  return false;
}

std::string NewTitle(int number) {
  char title[64];
  std::snprintf(title, sizeof title, "Vantari Text Editor DocNo:%d [新規]", number);
  return title;
}

std::string LoadedTitle(const Document& doc, uint64_t offset) {
  char title[128];
  std::snprintf(title, sizeof title, "Vantari Text Editor DocNo:%d [0x%llX] 書き込み許可バイト数:%d", doc.number,
                static_cast<unsigned long long>(offset), doc.permitted);
  return title;
}

Document& CDocumentList::Add(uintptr_t window) {
  docs_.push_back(Document{window, ++counter_, 0, 0});
  return docs_.back();
}

void CDocumentList::Remove(uintptr_t window) {
  std::erase_if(docs_, [window](const Document& d) { return d.window == window; });
}

Document* CDocumentList::Find(uintptr_t window) {
  for (Document& d : docs_)
    if (d.window == window) return &d;
  return nullptr;
}

bool CDocumentList::Loaded(uintptr_t window, uint64_t offset, int permitted) {
  Document* doc = Find(window);
  if (!doc) return false;
  doc->permitted = permitted;
  doc->loaded_offset = offset;
  return true;
}

}  // namespace text_editor
