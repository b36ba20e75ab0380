#pragma once
// A page's rules on a small hand-made ROM file: write the ROM and Setting.ini, load, save, and
// read back what the file holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/page_adapter.h"
#include "platform/file.h"
#include "text/shared_tables.h"
#include "unit/test_dir.h"

template <class Rules>
class RulesOnRom : public testing::Test {
 protected:
  void SetUp() override {
    text::SharedTables().Reset();
    text::SharedTables().switches = {};
  }
  void TearDown() override {
    rules.FreeData();
    text::SharedTables().Reset();
    text::SharedTables().switches = {};
  }
  // Writes `bytes` as the ROM and reads the settings `ini` (in the section of game `code`).
  void Setup(const std::string& bytes, const std::string& ini, const char* code = "BPRJ") {
    rom = bytes;
    rom_path = dir.Write("rom.gba", rom);
    rules.Init();
    rules.LoadSetting(PageSetup{dir.Write("Setting.ini", "[" + std::string(code) + "]\r\n" + ini), code, rom.size()});
  }
  bool Read(std::string* error_out = nullptr) {
    platform::CFile file;
    EXPECT_TRUE(file.Open(rom_path, platform::OpenMode::kReadExisting));
    std::string error;
    bool ok = rules.RomRead(file, error);
    if (error_out) *error_out = error;
    return ok;
  }
  // Saves through the page's pass and returns the file's bytes.
  std::string Save() {
    platform::CFile file;
    EXPECT_TRUE(file.Open(rom_path, platform::OpenMode::kReadWriteExisting));
    std::string error;
    EXPECT_TRUE(rules.RomSave(file, error)) << error;
    file.Close();
    return File();
  }
  std::string File() const { return dir.Read("rom.gba"); }

  TestDir dir;
  std::string rom;
  std::filesystem::path rom_path;
  Rules rules;
};

// Little-endian bytes of a value, for building expected ROM contents.
inline std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i)));
  return out;
}
