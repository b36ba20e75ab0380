#include "demo/demo_rom.h"

#include <cstring>

#include "graphics/lz77.h"
#include "text/vantari_text.h"

namespace demo {

const GameSpec* FindGame(std::string_view code) {
  for (const GameSpec& game : kGames)
    if (code == game.code) return &game;
  return nullptr;
}

CDemoRomWriter::CDemoRomWriter(const GameSpec& game, uint32_t size, uint64_t seed)
    : game_(game), rng_(seed ^ (uint64_t(game.first_table) << 20)), rom_(size, game.first_table) {}

DemoRom BuildDemoRom(const GameSpec& game, uint32_t size, uint64_t seed) {
  CDemoRomWriter writer(game, size, seed);
  writer.WriteHeader();
  writer.WriteNames();
  writer.WriteMonsters();
  writer.WriteEggMoves();
  writer.WriteTrainers();
  writer.WriteMovesAndItems();
  writer.WriteTypeChartAndTrades();
  writer.WriteExtras();
  writer.WriteGraphics();
  writer.WriteScripts();
  writer.WriteFont();
  writer.WriteFreeSpace();
  return writer.Finish();
}

DemoRom CDemoRomWriter::Finish() {
  DemoRom rom;
  rom.bytes = std::move(rom_.bytes());
  rom.keys = std::move(keys_);
  rom.blocks = rom_.blocks();
  rom.highlights = std::move(highlights_);
  return rom;
}

void CDemoRomWriter::WriteHeader() {
  rom_.Mark("cartridge header", 0, 0xC0);
  rom_.Put32(0, 0xEA00002E);  // ARM branch over the header
  // The logo area (0x04-0x9F) stays zero: the demo is no bootable cartridge.
  for (int i = 0; i < 12; ++i) rom_.Put8(0xA0 + i, uint8_t(game_.title[i]));
  for (int i = 0; i < 4; ++i) rom_.Put8(0xAC + i, uint8_t(game_.code[i]));
  rom_.Put8(0xB0, '0');
  rom_.Put8(0xB1, '1');
  rom_.Put8(0xB2, 0x96);
  uint8_t check = 0;
  for (uint32_t i = 0xA0; i < 0xBD; ++i) check = uint8_t(check - rom_.bytes()[i]);
  rom_.Put8(0xBD, uint8_t(check - 0x19));
}

uint32_t CDemoRomWriter::PlaceText(const std::string& name, const std::string& sjis) {
  std::vector<uint8_t> bytes;
  text::CVantariText().string2binary(sjis, bytes);
  if (bytes.empty()) bytes.push_back(text::kCodeTerminator);
  return rom_.PlaceBytes(name, bytes, 1);
}

std::vector<uint8_t> CDemoRomWriter::RandomName(int length, int field, uint8_t pad) {
  std::vector<uint8_t> name(size_t(field), pad);
  for (int i = 0; i < length && i < field; ++i) name[size_t(i)] = uint8_t(rng_.Range(0x51, 0xA0));
  if (length < field) name[size_t(length)] = text::kCodeTerminator;
  return name;
}

std::vector<uint8_t> CDemoRomWriter::Compressed(const std::vector<uint8_t>& raw) const {
  return graphics::CLZ77().Compress(raw);
}

uint32_t CDemoRomWriter::PlaceCompressed(const std::string& name, const std::vector<uint8_t>& raw) {
  return rom_.PlaceBytes(name, Compressed(raw), 4);
}

int CDemoRomWriter::RandomSpecies() {
  int species = rng_.Range(1, 251 + (kSpecies - 277));
  return species <= 251 ? species : species + 25;
}

}  // namespace demo
