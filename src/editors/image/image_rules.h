#pragma once
// The sprite page's rules: the eight sprite and palette tables, the entry shown in one of three
// modes (monsters, trainers, trainer back views), its decoded images and palettes, import and
// export of image files, and the write-back of edited graphics into the ROM file, in place or
// into free space. Each operation returns what the view reports: status texts and boxes.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/page_adapter.h"
#include "core/table_io.h"
#include "editors/image/image_layout.h"

class CFinddummyspace;

// One thing to tell the user: a status-bar text, or a message box titled "Error!".
struct ImageMessage {
  bool box = false;
  std::string text;
  bool operator==(const ImageMessage&) const = default;
};
using ImageMessages = std::vector<ImageMessage>;

class CImageRules {
 public:
  static constexpr int kDialogId = 139;
  static constexpr int kAreas = 3;

  enum Mode { kMonster, kTrainer, kBackView };
  // The four graphics of an entry, in the order a save writes them.
  enum Graphic { kFront, kBack, kPalette, kShinyPalette };
  // Output methods: areas 1-3, or the end of the file.
  static constexpr int kAppend = 3;

  struct Flags {
    bool normal_image = false;
    bool normal_palette = false;
    bool back_image = false;
    bool shiny_palette = false;
    bool no_compress = false;
    bool in_place = false;
  };
  enum Box { kNormalImage, kNormalPalette, kBackImage, kShinyPaletteBox };

  struct Area {
    int64_t start = -1;
    int64_t length = 0;
    bool configured() const { return start > 0 && length > 0; }
  };

  using Image = std::array<uint8_t, size_t(image_layout::kSide) * image_layout::kSide * image_layout::kMaxFrames>;
  using Palette = std::array<uint32_t, image_layout::kColours>;  // COLORREF, red in the low byte

  void Init();
  void LoadSetting(const PageSetup& setup);
  bool RomRead(platform::CFile& rom, std::string& error);
  bool RomSave(platform::CFile& rom, std::string& error);
  void FreeData();
  void Copies(std::vector<std::span<uint8_t>>& out) {
    for (TableData& table : tables_) out.emplace_back(table.bytes);
  }
  std::string Subject() const;

  // The monster and trainer tables are loaded: the page can work.
  bool Ready() const;
  bool BackViewReady() const;
  const Area& area(int index) const { return areas_[size_t(index)]; }

  int mode() const { return mode_; }
  // Sets the mode (a back-view mode without its tables is refused); frame counts become 1.
  void SetMode(int mode);
  int32_t current() const { return current_; }
  // Entries of the current mode's table.
  int32_t Count() const;
  // The typed index, kept inside the table; a step of -1 or +1 stays inside too.
  void SetIndex(const std::string& typed);
  void Step(int delta);

  Flags& flags() { return flags_; }
  const Flags& flags() const { return flags_; }
  // Ticks or clears a box; an image box clears the other image box, a palette box the other.
  void Tick(Box box, bool on);
  int output_method() const { return output_method_; }
  void set_output_method(int method) { output_method_ = method >= 0 && method <= kAppend ? method : kAppend; }

  // Whether the graphic has an entry in this mode, and its ROM offset as "0x%X".
  bool HasGraphic(Graphic graphic) const;
  std::string AddressText(Graphic graphic) const;
  // The entry's address := typed hexadecimal | 0x08000000. Nothing for a graphic without an
  // entry (the back-view frame's own address included).
  void Repoint(Graphic graphic, const std::string& typed);

  // Reads the current entry's sprites and palettes from the ROM file. A failed read leaves what
  // was shown before.
  ImageMessages LoadEntry(const std::filesystem::path& rom);

  // Replaces the ticked image and palette from a BMP or PNG file; the status text.
  std::string Import(const std::filesystem::path& file);
  // Why an export cannot go on (no image or no palette ticked), or nothing.
  std::optional<std::string> ExportRefusal() const;
  // Writes the ticked image with the ticked palette as a 16-colour BMP, or PNG by the name.
  std::string Export(const std::filesystem::path& file) const;
  // Writes each ticked graphic back into the ROM file, then reloads the entry.
  ImageMessages SaveToRom(const std::filesystem::path& rom, CFinddummyspace& finder);

  // Frame 0 of a monster's (trainer false) or trainer's front sprite in its palette, 64 × 64
  // COLORREFs row by row; false (with what to report) when it cannot be read.
  bool GetImage(const std::filesystem::path& rom, bool trainer, int32_t index,
                std::vector<uint32_t>& pixels, ImageMessages& messages) const;

  const Image& image(bool back) const { return back ? back_ : front_; }
  const Palette& palette(bool shiny) const { return shiny ? shiny_palette_ : normal_palette_; }
  int frames(bool back) const { return frames_[back ? 1 : 0]; }
  uint32_t stored_size(Graphic graphic) const { return stored_[size_t(mode_)][graphic]; }
  // For tests: an image or palette as if imported.
  Image& image(bool back) { return back ? back_ : front_; }
  Palette& palette(bool shiny) { return shiny ? shiny_palette_ : normal_palette_; }

  // Frames of a decoded sprite of `size` bytes: at least one, at most what the images hold.
  static int FramesOf(uint32_t size);

 private:
  enum Table {
    kFrontTable, kPaletteTable, kBackTable, kShinyTable,
    kTrainerTable, kTrainerPaletteTable, kBackViewTable, kBackViewPaletteTable, kTables
  };
  struct TableData {
    TableSpan span;
    std::vector<uint8_t> bytes;
    bool loaded = false;
  };

  uint8_t* Entry(Graphic graphic);
  const uint8_t* Entry(Graphic graphic) const;
  const uint8_t* EntryOf(Table table, int32_t index) const;
  bool LoadSprite(const std::filesystem::path& rom, uint32_t offset, bool back, ImageMessages& out);
  bool LoadPalette(const std::filesystem::path& rom, uint32_t offset, bool shiny, ImageMessages& out);
  bool ReCompress(const std::filesystem::path& rom, Graphic graphic, CFinddummyspace& finder,
                  ImageMessages& out);

  std::array<TableData, kTables> tables_;
  Area areas_[kAreas];
  std::string game_code_;
  int32_t trainer_count_ = 0;

  Palette normal_palette_{};
  Palette shiny_palette_{};
  Image front_{};
  Image back_{};
  int frames_[2] = {1, 1};
  uint32_t stored_[3][4] = {};
  // Per graphic: what the page shows was read from the current entry or imported. Only such a
  // graphic is written back: after a failed read the page still shows the entry before.
  bool shown_[4] = {};
  int32_t current_ = 0;
  int mode_ = kMonster;
  int output_method_ = 0;
  Flags flags_;
};
