#pragma once
// The text editor's rules: game texts located by a ROM offset, loaded into a document and
// written back, and the list of open documents with their numbers and titles.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace text_editor {

// A text is read up to its terminator, but never more than this many bytes.
inline constexpr int kMaxTextBytes = 16384;

// The offset typed into a document: at most 14 characters, hexadecimal, "0x" allowed, spaces
// around it ignored. Anything else (a sign, other characters after the digits such as the
// prompt "16進数…", nothing at all) is no offset: nothing is read or written there.
std::optional<uint64_t> ParseOffset(std::string_view typed);

struct LoadedText {
  std::string text;   // the display form (Shift-JIS)
  int permitted = 0;  // bytes read, terminator included: the room the text occupies
};

// The display form of `bytes`: up to the first terminator (included) or kMaxTextBytes.
LoadedText DecodeText(const uint8_t* bytes, size_t size);

// Reads the text at `offset` of the ROM in one read. False with a message in `error` when the
// file cannot be read or the offset lies outside it.
bool LoadText(const std::filesystem::path& rom, uint64_t offset, LoadedText& out, std::string& error);

// One open document.
struct Document {
  uintptr_t window = 0;
  int number = 0;
  int permitted = 0;           // 0 until a text has been loaded
  uint64_t loaded_offset = 0;  // where the permitted count was measured
};

// The bytes a Save writes for `text`, or false with the message to show. A document's
// permitted count belongs to the offset it was loaded from: a limited Save elsewhere is
// refused. `overwrite` writes the whole text wherever it is asked to.
bool PrepareSave(const Document& doc, uint64_t offset, std::string_view text, bool overwrite,
                 std::vector<uint8_t>& bytes, std::string& error);

// Writes prepared bytes into the existing ROM through the ROM writer: inside the file only (a
// GBA address typed as an offset is refused), undone on failure. False with the text in `error`.
bool WriteText(const std::filesystem::path& rom, uint64_t offset, const std::vector<uint8_t>& bytes,
               std::string& error);

// Window titles (Shift-JIS).
std::string NewTitle(int number);
std::string LoadedTitle(const Document& doc, uint64_t offset);

// The open documents in creation order. Numbers keep increasing when documents close.
class CDocumentList {
 public:
  // Appends a document for `window` with the next number and returns it.
  Document& Add(uintptr_t window);
  void Remove(uintptr_t window);
  Document* Find(uintptr_t window);
  void Clear() { docs_.clear(); }
  const std::vector<Document>& documents() const { return docs_; }
  int counter() const { return counter_; }
  // The number the next document will get, without taking it.
  int NextNumber() const { return counter_ + 1; }
  // Records a load into the document of `window`; false when there is none.
  bool Loaded(uintptr_t window, uint64_t offset, int permitted);

 private:
  int counter_ = 0;
  std::vector<Document> docs_;
};

// Messages (Shift-JIS).
inline constexpr const char* kNoRom = "ROMを読み込んでください。";
inline constexpr const char* kLoaded = "読み込み完了。";
inline constexpr const char* kSaveQuestion = "Romに書き込んでもよろしいですか？";
inline constexpr const char* kInternalError = "CVText::Vantari_String_Data_Save 内部異常。";
inline constexpr const char* kEmptyText = "有効な文字を入力してください";
inline constexpr const char* kOutsideRom = "アドレスがROMの範囲外です。";
inline constexpr const char* kBadOffset = "アドレスを16進数で入力してください。";
inline constexpr const char* kLoadFirst =
    "読み込んだ位置と違うアドレスです。先にこのアドレスの台詞を読み込んでください。";

}  // namespace text_editor
