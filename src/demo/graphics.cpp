// Monster and trainer sprites with their palettes, back-view frames, the font block and the
// free-space regions.
#include <string>

#include "demo/demo_rom.h"
#include "demo/pictures.h"
#include "editors/image/image_layout.h"

namespace demo {

namespace {

namespace IL = image_layout;

// A sprite or palette table entry: the address, then two half-words the editors keep.
void PutEntry(CRomImage& rom, uint32_t table, int index, uint32_t target, uint16_t size,
              uint16_t tag) {
  uint32_t at = table + uint32_t(index) * uint32_t(IL::kEntrySize);
  rom.PutPointer(at + uint32_t(IL::kAddress), target);
  rom.Put16(at + uint32_t(IL::kExtra), size);
  rom.Put16(at + uint32_t(IL::kExtra) + 2, tag);
}

}  // namespace

void CDemoRomWriter::WriteGraphics() {
  uint32_t fronts = rom_.Place("monster front sprite table", uint32_t(kSpecies * IL::kEntrySize));
  uint32_t backs = rom_.Place("monster back sprite table", uint32_t(kSpecies * IL::kEntrySize));
  uint32_t palettes = rom_.Place("monster palette table", uint32_t(kSpecies * IL::kEntrySize));
  uint32_t shiny = rom_.Place("monster shiny palette table", uint32_t(kSpecies * IL::kEntrySize));
  for (int s = 0; s < kSpecies; ++s) {
    // Every third species has two frames.
    int frames = s % 3 == 1 ? 2 : 1;
    std::string n = std::to_string(s);
    uint32_t front = PlaceCompressed("front sprite " + n, TileFrames4bpp(MonsterPicture(s, frames, false)));
    uint32_t back = PlaceCompressed("back sprite " + n, TileFrames4bpp(MonsterPicture(s, 1, true)));
    uint32_t rgb[16];
    HuePalette(s * 47, false, rgb);
    uint32_t normal = PlaceCompressed("palette " + n, Palette555(rgb));
    HuePalette(s * 47, true, rgb);
    uint32_t shiny_palette = PlaceCompressed("shiny palette " + n, Palette555(rgb));
    PutEntry(rom_, fronts, s, front, uint16_t(frames * 2048), uint16_t(s));
    PutEntry(rom_, backs, s, back, 2048, uint16_t(s));
    PutEntry(rom_, palettes, s, normal, uint16_t(s), 0);
    PutEntry(rom_, shiny, s, shiny_palette, uint16_t(s + 500), 0);
    if (s == 25) {
      highlights_.image = front;
      highlights_.palette = normal;
    }
  }
  Key("MonsterPics", fronts);
  Key("MonsterPal", palettes);
  Key("MonsterBackPics", backs);
  Key("MonsterShinyPal", shiny);
  Key("PicsNum", kSpecies);

  int trainer_pics = game_.trainer_pic_max + 1;
  uint32_t trainer_table = rom_.Place("trainer sprite table", uint32_t(trainer_pics) * uint32_t(IL::kEntrySize));
  uint32_t trainer_palettes = rom_.Place("trainer palette table", uint32_t(trainer_pics) * uint32_t(IL::kEntrySize));
  for (int t = 0; t < trainer_pics; ++t) {
    std::string n = std::to_string(t);
    uint32_t sprite = PlaceCompressed("trainer sprite " + n, TileFrames4bpp(TrainerPicture(t)));
    uint32_t rgb[16];
    HuePalette(t * 29 + 200, false, rgb);
    uint32_t palette = PlaceCompressed("trainer palette " + n, Palette555(rgb));
    PutEntry(rom_, trainer_table, t, sprite, 2048, uint16_t(t));
    PutEntry(rom_, trainer_palettes, t, palette, uint16_t(t), 0);
  }
  Key("TrainerPics", trainer_table);
  Key("TrainerPals", trainer_palettes);

  // Back-view frames are stored raw, one after another; three spare frames follow the last one.
  std::vector<uint8_t> frames;
  for (int f = 0; f < game_.back_frames + 3; ++f) {
    std::vector<uint8_t> frame = TileFrames4bpp(BackViewFrame(f));
    frames.insert(frames.end(), frame.begin(), frame.end());
  }
  uint32_t frame_data = rom_.PlaceBytes("back-view frames", frames, 4);
  uint32_t frame_table = rom_.Place("back-view frame table", uint32_t(game_.back_frames) * uint32_t(IL::kEntrySize));
  for (int f = 0; f < game_.back_frames; ++f)
    PutEntry(rom_, frame_table, f, frame_data + uint32_t(f) * 2048, 2048, uint16_t(f));
  uint32_t back_palettes = rom_.Place("back-view palette table", uint32_t(game_.back_palettes) * uint32_t(IL::kEntrySize));
  for (int p = 0; p < game_.back_palettes; ++p) {
    uint32_t rgb[16];
    HuePalette(p * 60 + 30, false, rgb);
    uint32_t palette = PlaceCompressed("back-view palette " + std::to_string(p), Palette555(rgb));
    PutEntry(rom_, back_palettes, p, palette, uint16_t(p), 0);
  }
  Key("TrainerBack_Pic_Num", game_.back_frames);
  Key("TrainerBackPics", frame_table);
  Key("TrainerBack_Pal_Num", game_.back_palettes);
  Key("TrainerBackPals", back_palettes);
}

void CDemoRomWriter::WriteFont() {
  highlights_.font = rom_.PlaceBytes("font block", FontBlock(FontSheet()), 4);
}

void CDemoRomWriter::WriteFreeSpace() {
  constexpr uint32_t kRegionSizes[] = {0x10000, 0x20000, 0x40000};
  for (int n = 1; n <= 3; ++n) {
    rom_.Skip(0x1000);
    std::string key = "domain" + std::to_string(n);
    uint32_t start = rom_.Place("free space " + std::to_string(n), kRegionSizes[n - 1], 0x100);
    rom_.Fill(start, kRegionSizes[n - 1], 0xFF);
    Key(key, start);
    Key(key + "end", start + kRegionSizes[n - 1]);
  }
}

}  // namespace demo
