#include "editors/image/image_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "core/failure_text.h"
#include "core/free_space.h"
#include "core/ini.h"
#include "core/rom_address.h"
#include "core/rom_writer.h"
#include "graphics/lz77.h"
#include "imagetool/gba_colour.h"
#include "imagetool/tile_layout.h"
#include "platform/error_text.h"
#include "platform/file.h"
#include "toolkit/image/bitmap_image.h"
#include "toolkit/image/image.h"

namespace {

// A GBA pointer reaches the first 32 MiB of the cartridge.
constexpr uint64_t kPointerReach = uint64_t(1) << 25;

namespace L = image_layout;

// The page's class as the suite's failure texts name it (its encoded run-time name).
constexpr const char* kClassName = "6CImage";

std::string Failure(const char* operation, const std::string& system_text) {
  return FailureText(kClassName, operation, system_text);
}

ImageMessage Status(std::string text) { return {false, std::move(text)}; }
ImageMessage BoxText(std::string text) { return {true, std::move(text)}; }

// A Setting.ini key as the page reads it: decimal, -1 when missing or empty.
int64_t Key(const PageSetup& setup, const char* key) {
  int value = -1;
  return CINI().GetInt(setup.setting_ini, setup.game_code, key, value) ? value : -1;
}

uint32_t OffsetOf(const uint8_t* entry) { return rom::Get32(entry + L::kAddress) & L::kOffsetMask; }

// Reads what the file holds at `offset`, up to `cap` bytes; false with the system's text (or
// the short-read text for an offset past the end).
bool ReadCapped(const std::filesystem::path& rom, uint32_t offset, size_t cap, std::vector<uint8_t>& out,
                std::string& error) {
  platform::CFile in;
  uint64_t size = 0;
  if (!in.Open(rom, platform::OpenMode::kReadExisting) || !in.Size(size)) {
    error = in.ErrorText();
    return false;
  }
  if (offset >= size) {
    error = platform::kShortReadText;
    return false;
  }
  out.resize(size_t(std::min<uint64_t>(cap, size - offset)));
  if (!in.ReadAt(offset, out.data(), out.size())) {
    error = in.ErrorText();
    return false;
  }
  return true;
}

// Decodes into a cleared work buffer of the page's size.
graphics::Lz77Decoded Decode(const std::vector<uint8_t>& stream, std::vector<uint8_t>& work) {
  work.assign(L::kWorkBytes, 0);
  return graphics::Lz77Decode(stream, work.data(), work.size());
}

// `frames` frames of 4-bit tiles into an index image, frame f in rows 64f to 64f + 63.
void Untile(const uint8_t* data, int frames, CImageRules::Image& image) {
  std::vector<uint8_t> tiles = imagetool::Unpack4({data, size_t(frames) * L::kFrameBytes});
  std::vector<uint8_t> rows = imagetool::TilesToRows(tiles, 8, 8 * frames);
  std::copy(rows.begin(), rows.end(), image.begin());
}

std::vector<uint8_t> Tile(const CImageRules::Image& image, int frames) {
  const size_t pixels = size_t(frames) * L::kSide * L::kSide;
  return imagetool::Pack4(imagetool::RowsToTiles({image.data(), pixels}, L::kSide, L::kSide * frames));
}

void ToPalette(const uint8_t* bgr555, CImageRules::Palette& palette) {
  for (int i = 0; i < L::kColours; ++i) palette[size_t(i)] = imagetool::Bgr555ToColorref(rom::Get16(bgr555 + 2 * i));
}

std::vector<uint8_t> FromPalette(const CImageRules::Palette& palette) {
  std::vector<uint8_t> bytes(L::kPaletteBytes);
  for (int i = 0; i < L::kColours; ++i) rom::Put16(bytes.data() + 2 * i, imagetool::ColorrefToBgr555(palette[size_t(i)]));
  return bytes;
}

// A palette entry of a loaded picture as a COLORREF with the low three bits of each channel
// cleared, as a GBA colour keeps it.
uint32_t EntryColour(const lumak::CBitmapImage& picture, int index) {
  const uint8_t* e = picture.GetPalette() + 4 * index;
  const bool rgb = picture.palette_order() == lumak::PaletteOrder::kRgb;
  const uint32_t red = rgb ? e[0] : e[2], green = e[1], blue = rgb ? e[2] : e[0];
  return (red & 0xF8) | (green & 0xF8) << 8 | (blue & 0xF8) << 16;
}

}  // namespace

int CImageRules::FramesOf(uint32_t size) { return std::clamp(int(size / L::kFrameBytes), 1, L::kMaxFrames); }

void CImageRules::Init() {
  for (int i = 0; i < L::kColours; ++i) {
    normal_palette_[size_t(i)] = 0x111111u * uint32_t(i);
    shiny_palette_[size_t(i)] = 0x111111u * uint32_t(L::kColours - 1 - i);
  }
  front_.fill(0);
  back_.fill(0);
  flags_ = {};
  frames_[0] = frames_[1] = 1;
  for (TableData& table : tables_) table = {TableSpan{-1, 0, L::kEntrySize}, {}, false};
  for (Area& area : areas_) area = {};
  std::memset(stored_, 0, sizeof stored_);
  trainer_count_ = 0;
  current_ = 0;
  mode_ = kMonster;
  output_method_ = 0;
}

void CImageRules::LoadSetting(const PageSetup& setup) {
  FreeData();
  game_code_ = setup.game_code ? setup.game_code : "";
  for (TableData& table : tables_) table.span = {-1, 0, L::kEntrySize};
  auto set = [&](Table table, int64_t offset, int64_t count) { tables_[table].span = {offset, count, L::kEntrySize}; };

  const int64_t pics = Key(setup, "PicsNum");
  const int64_t front = Key(setup, "MonsterPics"), palette = Key(setup, "MonsterPal");
  const int64_t back = Key(setup, "MonsterBackPics"), shiny = Key(setup, "MonsterShinyPal");
  if (pics > 0 && front != -1 && palette != -1 && back != -1 && shiny != -1) {
    set(kFrontTable, front, pics);
    set(kPaletteTable, palette, pics);
    set(kBackTable, back, pics);
    set(kShinyTable, shiny, pics);
  }
  trainer_count_ = int32_t(std::clamp<int64_t>(Key(setup, "Trainer_Pic_Num") + 1, 0, INT32_MAX));
  const int64_t trainer_pics = Key(setup, "TrainerPics"), trainer_pals = Key(setup, "TrainerPals");
  if (trainer_count_ >= 1 && trainer_pics != -1 && trainer_pals != -1) {
    set(kTrainerTable, trainer_pics, trainer_count_);
    set(kTrainerPaletteTable, trainer_pals, trainer_count_);
  }
  const int64_t frames = Key(setup, "TrainerBack_Pic_Num"), frame_table = Key(setup, "TrainerBackPics");
  const int64_t back_pals = Key(setup, "TrainerBackPals");
  if (frames > 0 && back_pals > 0 && frame_table != -1) {
    set(kBackViewTable, frame_table, frames);
    set(kBackViewPaletteTable, back_pals, Key(setup, "TrainerBack_Pal_Num"));
  }

  // The free-space areas, read again with every ROM: start and length, or disabled.
  for (int n = 0; n < kAreas; ++n) {
    std::string key = "domain" + std::to_string(n + 1);
    const int64_t start = Key(setup, key.c_str());
    const int64_t end = Key(setup, (key + "end").c_str());
    areas_[n] = {};
    // A start of 0 (also what a hexadecimal value reads as) is no area, as for the finder.
    if (start > 0 && end != -1 && end - start >= 1) areas_[n] = {start, end - start};
  }
  current_ = 0;
  mode_ = kMonster;
}

bool CImageRules::RomRead(platform::CFile& rom, std::string& error) {
  FreeData();
  for (TableData& table : tables_) {
    if (!table.span.configured()) continue;
    if (!ReadTable(rom, table.span, table.bytes, error)) return false;
    table.loaded = true;
  }
  return true;
}

bool CImageRules::RomSave(platform::CFile& rom, std::string& error) {
  // Only what was read goes back: a table never read is not written over the ROM.
  for (const TableData& table : tables_) {
    if (table.loaded && !WriteTable(rom, table.span, table.bytes, error)) return false;
  }
  return true;
}

void CImageRules::FreeData() {
  for (TableData& table : tables_) {
    table.bytes.clear();
    table.bytes.shrink_to_fit();
    table.loaded = false;
  }
}

bool CImageRules::Ready() const {
  for (Table t : {kFrontTable, kPaletteTable, kBackTable, kShinyTable, kTrainerTable, kTrainerPaletteTable})
    if (!tables_[t].loaded) return false;
  return true;
}

bool CImageRules::BackViewReady() const {
  return tables_[kBackViewTable].loaded && tables_[kBackViewPaletteTable].loaded;
}

void CImageRules::SetMode(int mode) {
  if (mode < kMonster || mode > kBackView || (mode == kBackView && !BackViewReady())) return;
  mode_ = mode;
  frames_[0] = frames_[1] = 1;
  current_ = std::clamp(current_, 0, std::max(Count() - 1, 0));
}

int32_t CImageRules::Count() const {
  switch (mode_) {
    case kMonster: return int32_t(tables_[kFrontTable].span.count);
    case kTrainer: return int32_t(tables_[kTrainerTable].span.count);
    default: return int32_t(tables_[kBackViewTable].span.count);
  }
}

void CImageRules::SetIndex(const std::string& typed) {
  const long index = std::atol(typed.c_str());
  current_ = int32_t(std::clamp<long>(index, 0, std::max<long>(Count() - 1, 0)));
}

void CImageRules::Step(int delta) {
  const int32_t next = current_ + delta;
  if (next >= 0 && next < Count()) current_ = next;
}

void CImageRules::Tick(Box box, bool on) {
  switch (box) {
    case kNormalImage: flags_.normal_image = on; if (on) flags_.back_image = false; break;
    case kBackImage: flags_.back_image = on; if (on) flags_.normal_image = false; break;
    case kNormalPalette: flags_.normal_palette = on; if (on) flags_.shiny_palette = false; break;
    case kShinyPaletteBox: flags_.shiny_palette = on; if (on) flags_.normal_palette = false; break;
  }
}

const uint8_t* CImageRules::EntryOf(Table table, int32_t index) const {
  const TableData& data = tables_[table];
  if (!data.loaded || index < 0 || index >= data.span.count) return nullptr;
  return data.bytes.data() + size_t(index) * L::kEntrySize;
}

const uint8_t* CImageRules::Entry(Graphic graphic) const {
  switch (mode_) {
    case kMonster: {
      static constexpr Table kOf[] = {kFrontTable, kBackTable, kPaletteTable, kShinyTable};
      return EntryOf(kOf[graphic], current_);
    }
    case kTrainer:
      if (graphic == kFront) return EntryOf(kTrainerTable, current_);
      if (graphic == kPalette) return EntryOf(kTrainerPaletteTable, current_);
      return nullptr;
    default:
      if (graphic == kFront) return EntryOf(kBackViewTable, current_);
      if (graphic == kPalette) return EntryOf(kBackViewPaletteTable, L::BackViewPalette(game_code_.c_str(), current_));
      return nullptr;
  }
}

uint8_t* CImageRules::Entry(Graphic graphic) {
  return const_cast<uint8_t*>(static_cast<const CImageRules*>(this)->Entry(graphic));
}

bool CImageRules::HasGraphic(Graphic graphic) const { return Entry(graphic) != nullptr; }

std::string CImageRules::AddressText(Graphic graphic) const {
  const uint8_t* entry = Entry(graphic);
  if (!entry) return "";
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", unsigned(OffsetOf(entry)));
  return text;
}

void CImageRules::Repoint(Graphic graphic, const std::string& typed) {
  if (mode_ == kBackView && graphic == kFront) return;
  uint8_t* entry = Entry(graphic);
  if (!entry) return;
  const uint32_t value = uint32_t(std::strtoul(typed.substr(0, 15).c_str(), nullptr, 16));
  rom::Put32(entry + L::kAddress, value | L::kAddressBit);
  // The new address holds data of unknown size: nothing is written over it in place.
  stored_[mode_][graphic] = 0;
}

bool CImageRules::LoadSprite(const std::filesystem::path& rom, uint32_t offset, bool back, ImageMessages& out) {
  std::vector<uint8_t> read;
  std::string error;
  Image& image = back ? back_ : front_;
  if (mode_ == kBackView) {
    // A raw frame: exactly one frame is needed, and the next frame is none of this page's.
    if (!ReadCapped(rom, offset, L::kBackViewReadCap, read, error) || read.size() < L::kFrameBytes) {
      out.push_back(Status(Failure("LoadImage", error.empty() ? platform::kShortReadText : error)));
      return false;
    }
    Untile(read.data(), 1, image);
    shown_[back ? kBack : kFront] = true;
    return true;
  }
  if (!ReadCapped(rom, offset, L::kSpriteReadCap, read, error)) {
    out.push_back(Status(Failure("LoadImage", error)));
    return false;
  }
  std::vector<uint8_t> work;
  const graphics::Lz77Decoded d = Decode(read, work);
  if (d.status == graphics::Lz77Decoded::kNotCompressed) {
    out.push_back(BoxText(back ? "後ろ画像の圧縮データが見つかりませんでした。" : "通常画像の圧縮データが見つかりませんでした。"));
    return false;
  }
  if (d.status != graphics::Lz77Decoded::kOk) {
    out.push_back(Status("CImage::LoadImage よくわかんないけどエラー。"));
    return false;
  }
  stored_[mode_][back ? kBack : kFront] = d.consumed;
  int frames = 1;
  if (mode_ == kMonster) frames = frames_[back ? 1 : 0] = FramesOf(d.size);
  Untile(work.data(), frames, image);
  shown_[back ? kBack : kFront] = true;
  return true;
}

bool CImageRules::LoadPalette(const std::filesystem::path& rom, uint32_t offset, bool shiny, ImageMessages& out) {
  std::vector<uint8_t> read;
  std::string error;
  if (!ReadCapped(rom, offset, L::kPaletteReadCap, read, error)) {
    out.push_back(Status(Failure("LoadPal", error)));
    return false;
  }
  std::vector<uint8_t> work;
  const graphics::Lz77Decoded d = Decode(read, work);
  if (d.status == graphics::Lz77Decoded::kNotCompressed) {
    out.push_back(BoxText(shiny ? "色違いパレットの圧縮データが見つかりませんでした。" : "パレットの圧縮データが見つかりませんでした。"));
    return false;
  }
  if (d.status != graphics::Lz77Decoded::kOk) {
    out.push_back(Status("CImage::LoadPal よくわかんないけどエラー。"));
    return false;
  }
  stored_[mode_][shiny ? kShinyPalette : kPalette] = d.consumed;
  ToPalette(work.data(), shiny ? shiny_palette_ : normal_palette_);
  shown_[shiny ? kShinyPalette : kPalette] = true;
  return true;
}

ImageMessages CImageRules::LoadEntry(const std::filesystem::path& rom) {
  ImageMessages out;
  if (Count() < 1) return out;
  current_ = std::clamp(current_, 0, Count() - 1);
  for (int g = 0; g < 4; ++g) {
    stored_[mode_][g] = 0;
    shown_[g] = false;
  }
  if (const uint8_t* e = Entry(kFront)) LoadSprite(rom, OffsetOf(e), false, out);
  if (mode_ == kMonster)
    if (const uint8_t* e = Entry(kBack)) LoadSprite(rom, OffsetOf(e), true, out);
  if (const uint8_t* e = Entry(kPalette)) LoadPalette(rom, OffsetOf(e), false, out);
  if (mode_ == kMonster)
    if (const uint8_t* e = Entry(kShinyPalette)) LoadPalette(rom, OffsetOf(e), true, out);
  return out;
}

std::string CImageRules::Import(const std::filesystem::path& file) {
  lumak::CImage picture;
  if (!picture.Load(file)) return "CImage::ReadBitMap 読み込みに失敗。";
  if (picture.GetColorDepth() != 4 && picture.GetColorDepth() != 8) return "CImage::ReadBitMap 16色ビットマップではありません。";
  const bool image_box = flags_.normal_image || flags_.back_image;
  const bool back = !flags_.normal_image;
  if (image_box) {
    // The size is checked before anything is taken, so a refused file changes nothing.
    int width = 0, height = 0;
    picture.GetImageSize(width, height);
    const int expected = L::kSide * frames(back);
    if (width != L::kSide || height != expected) {
      char text[96];
      std::snprintf(text, sizeof text, "CImage::ReadBipMap() サイズが64x%dピクセルではありません。\n", expected);
      return text;
    }
  }
  if (flags_.normal_palette || flags_.shiny_palette) {
    Palette& palette = flags_.normal_palette ? normal_palette_ : shiny_palette_;
    for (int i = 0; i < L::kColours; ++i) palette[size_t(i)] = EntryColour(picture, i);
    shown_[flags_.normal_palette ? kPalette : kShinyPalette] = true;
  }
  if (image_box) {
    shown_[back ? kBack : kFront] = true;
    Image& image = back ? back_ : front_;
    for (int y = 0; y < L::kSide * frames(back); ++y)
      for (int x = 0; x < L::kSide; ++x) image[size_t(y * L::kSide + x)] = uint8_t(picture.GetPixelIndex(x, y) % 16);
  }
  return "";
}

std::optional<std::string> CImageRules::ExportRefusal() const {
  if (!flags_.normal_image && !flags_.back_image) return "CImage::SaveBitMap 保存する画像を選んでください。";
  if (!flags_.normal_palette && !flags_.shiny_palette) return "CImage::SaveBitMap 保存するパレットを選んでください。";
  return std::nullopt;
}

std::string CImageRules::Export(const std::filesystem::path& file) const {
  if (auto refusal = ExportRefusal()) return *refusal;
  const bool back = !flags_.normal_image;
  const int height = L::kSide * frames(back);
  lumak::CBitmapImage picture(lumak::PaletteOrder::kBgr);
  if (!picture.CreateImage(L::kSide, height, 4)) return "CImage::SaveBitMap 保存に失敗しました。";
  const Palette& palette = this->palette(!flags_.normal_palette);
  for (int i = 0; i < L::kColours; ++i) {
    uint8_t* e = picture.GetPalette() + 4 * i;
    const uint32_t c = palette[size_t(i)];
    e[0] = uint8_t(c >> 16);
    e[1] = uint8_t(c >> 8);
    e[2] = uint8_t(c);
  }
  const Image& image = this->image(back);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < L::kSide; ++x) picture.SetPixelIndex(x, y, image[size_t(y * L::kSide + x)]);
  if (!picture.SaveImage(file)) return "CImage::SaveBitMap 保存に失敗しました。";
  return "";
}

bool CImageRules::ReCompress(const std::filesystem::path& rom, Graphic graphic, CFinddummyspace& finder,
                             ImageMessages& out) {
  uint8_t* entry = Entry(graphic);
  if (!entry) return false;
  if (!shown_[graphic]) {
    out.push_back(Status("CImage::ReCompress 読み込めなかったデータは保存しません。"));
    return false;
  }
  const bool image = graphic == kFront || graphic == kBack;
  const bool raw_frame = image && mode_ == kBackView;

  // 1. The bytes to write.
  std::vector<uint8_t> data;
  if (image) {
    const bool back = graphic == kBack;
    data = Tile(back ? back_ : front_, mode_ == kMonster ? frames(back) : 1);
  } else {
    data = FromPalette(graphic == kPalette ? normal_palette_ : shiny_palette_);
  }
  if (!raw_frame) {
    graphics::CLZ77 codec(graphics::Lz77Search::kShort);
    codec.set_nocompress(flags_.no_compress);
    data = codec.Compress(data);
    if (data.empty()) {
      out.push_back(Status("CImage::ReCompress 圧縮に失敗しました。"));
      return false;
    }
  }
  out.push_back(Status(""));
  const uint32_t length = uint32_t(data.size());

  // 2. The place: the frame's own, the current one when the data fits, an area or the end.
  const uint32_t current = OffsetOf(entry);
  std::optional<uint32_t> place;
  if (raw_frame || (flags_.in_place && current != 0 && length <= stored_[mode_][graphic])) {
    place = current;
  } else if (output_method_ != kAppend) {
    const Area& area = areas_[output_method_];
    uint32_t found = 0;
    if (area.configured()) {
      finder.set_rom(rom);
      found = finder.Finddummyspace(uint32_t(area.start), uint32_t(area.start + area.length), length);
    }
    if (found == 0) {
      // A search that could not read the file found nothing, but says why.
      out.push_back(Status(finder.last_failure().empty() ? "CImage::ReCompress 使用可能なスペースが見つかりません。"
                                                          : finder.last_failure()));
      return false;
    }
    place = found;
  }

  // 3. Into the existing file, exactly the bytes of the data, through the ROM writer; an append
  // pads the file with 0xFF to a multiple of 4 first, in the same change.
  CRomChange change(rom);
  if (!change.Open()) {
    out.push_back(Status(Failure("ReCompress", change.error())));
    return false;
  }
  const uint64_t size = change.size();
  if (!place) {
    const uint64_t pad = (4 - size % 4) % 4;
    if (size + pad + length > kPointerReach) {
      change.Abandon();
      out.push_back(Status("CImage::ReCompress 使用可能なスペースが見つかりません。"));
      return false;
    }
    if (!change.PadTo(4)) {
      out.push_back(Status("CImage::ReCompress " + change.error()));
      return false;
    }
    place = uint32_t(change.size());
  } else if ((*place + uint64_t(length) > size && raw_frame) || *place > size) {
    change.Abandon();
    out.push_back(Status("CImage::ReCompress " + std::string(platform::kShortWriteText)));
    return false;
  }
  if (!change.Write(*place, data) || !change.Commit()) {
    out.push_back(Status("CImage::ReCompress " + change.error()));
    return false;
  }

  // 4. The table entry follows the data (a raw frame stays where it is).
  if (!raw_frame) rom::Put32(entry + L::kAddress, *place | L::kAddressBit);
  stored_[mode_][graphic] = length;
  return true;
}

ImageMessages CImageRules::SaveToRom(const std::filesystem::path& rom, CFinddummyspace& finder) {
  ImageMessages out;
  if (Count() < 1) return out;
  // Each write-back starts by clearing the status; the first failure is shown again last, so
  // a later write-back that succeeds does not hide it.
  std::optional<ImageMessage> failure;
  auto write_back = [&](Graphic graphic) {
    const size_t before = out.size();
    if (ReCompress(rom, graphic, finder, out) || failure) return;
    for (size_t i = out.size(); i > before; --i)
      if (!out[i - 1].box && !out[i - 1].text.empty()) {
        failure = out[i - 1];
        return;
      }
  };
  if (flags_.normal_image) write_back(kFront);
  if (flags_.back_image && mode_ == kMonster) write_back(kBack);
  if (flags_.normal_palette) write_back(kPalette);
  if (flags_.shiny_palette && mode_ == kMonster) write_back(kShinyPalette);
  ImageMessages loaded = LoadEntry(rom);
  out.insert(out.end(), loaded.begin(), loaded.end());
  if (failure && !(out.back() == *failure)) out.push_back(*failure);
  return out;
}

bool CImageRules::GetImage(const std::filesystem::path& rom, bool trainer, int32_t index,
                           std::vector<uint32_t>& pixels, ImageMessages& messages) const {
  const uint8_t* sprite_entry = EntryOf(trainer ? kTrainerTable : kFrontTable, index);
  const uint8_t* palette_entry = EntryOf(trainer ? kTrainerPaletteTable : kPaletteTable, index);
  if (!sprite_entry || !palette_entry) return false;
  std::vector<uint8_t> read, work;
  std::string error;
  if (!ReadCapped(rom, OffsetOf(sprite_entry), L::kSpriteReadCap, read, error)) {
    messages.push_back(Status(Failure("GetImage", error)));
    return false;
  }
  graphics::Lz77Decoded d = Decode(read, work);
  if (d.status == graphics::Lz77Decoded::kNotCompressed) {
    messages.push_back(BoxText("通常画像の圧縮データが見つかりませんでした。"));
    return false;
  }
  if (d.status != graphics::Lz77Decoded::kOk) {
    messages.push_back(Status("CImage::GetImage よくわかんないけどエラー。"));
    return false;
  }
  Image image{};
  Untile(work.data(), 1, image);
  if (!ReadCapped(rom, OffsetOf(palette_entry), L::kPaletteReadCap, read, error)) {
    messages.push_back(Status(Failure("GetImage", error)));
    return false;
  }
  d = Decode(read, work);
  if (d.status == graphics::Lz77Decoded::kNotCompressed) {
    messages.push_back(BoxText("パレットの圧縮データが見つかりませんでした。"));
    return false;
  }
  if (d.status != graphics::Lz77Decoded::kOk) {
    messages.push_back(Status("CImage::GetImage よくわかんないけどエラー。"));
    return false;
  }
  Palette palette;
  ToPalette(work.data(), palette);
  pixels.resize(size_t(L::kSide) * L::kSide);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = palette[image[i]];
  return true;
}

std::string CImageRules::Subject() const { return RecordSubject("画像", current_); }
