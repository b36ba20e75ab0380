// Script definitions, the decoder, the assembler, and decode-then-assemble on the demo ROMs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "script/script_assembler.h"
#include "script/script_decoder.h"
#include "unit/test_dir.h"

namespace {

using namespace script;
using Bytes = std::vector<uint8_t>;

constexpr const char* kDefinitions =
    "# comment line=ignored,B\r\n"
    "02=end\r\n"
    "03=return\n"
    "04=call,D,TYPE=0\r\n"
    "0F=loadpointer,B,D,TYPE=1\r\n"
    "12=raw4,D\r\n"
    "16=setvar,,W,,W\r\n"
    "19=copyvar,W,\"<-\",W\r\n"
    "16=duplicate,B\r\n"
    "39=warp,W\r\n"
    "5C=trainerbattle,B\r\n"
    "6A=lock\r\n";

CScriptDefinitions Definitions() {
  CScriptDefinitions definitions;
  definitions.Parse(kDefinitions);
  return definitions;
}

TEST(ScriptDefinitions, LinesItemsAndDuplicates) {
  CScriptDefinitions d = Definitions();
  EXPECT_EQ(d.size(), 11u);
  EXPECT_EQ(d.Find(0x04)->pointer_kind, kPointsToScript);
  EXPECT_EQ(d.Find(0x0F)->pointer_kind, kPointsToText);
  EXPECT_EQ(d.Find(0x02)->pointer_kind, kPointsToNothing);
  EXPECT_EQ(d.Find(0x16)->name, "setvar") << "the first definition of an opcode wins";
  EXPECT_EQ(d.Find(0x16)->args, (Bytes{kArgWord, kArgWord})) << "empty items are ignored";
  EXPECT_EQ(d.Find(0x19)->args, (Bytes{kArgWord, kArgLiteral, kArgWord}));
  EXPECT_EQ(d.Find(0x19)->literals, std::vector<std::string>{"<-"});
  EXPECT_EQ(d.Find(0x03)->name, "return") << "LF alone ends a line too";
  EXPECT_EQ(d.FindName("duplicate")->opcode, 0x16);
  EXPECT_EQ(d.Find(0x00), nullptr);
  CScriptDefinitions missing;
  EXPECT_FALSE(missing.Load("no-such-define.source"));
  EXPECT_TRUE(missing.empty());
}

class Decoder : public testing::Test {
 protected:
  std::filesystem::path Rom(const Bytes& bytes) {
    return dir.Write("rom.gba", std::string(bytes.begin(), bytes.end()));
  }
  int Decode(const Bytes& bytes, std::string& out, uint32_t offset = 0) {
    return decoder.DecodeScript(Rom(bytes), offset, false, out);
  }
  TestDir dir;
  CScriptDefinitions definitions = Definitions();
  CScriptDecoder decoder{definitions};
};

TEST_F(Decoder, EndsOnlyAfterTwoKnownCommands) {
  std::string out;
  // #raw 77, then end (known once: goes on), lock, end (known twice: stops).
  EXPECT_EQ(Decode({0x77, 0x02, 0x6A, 0x02, 0x6A}, out), CScriptDecoder::kFinished);
  EXPECT_EQ(out, "#raw 77\r\nend\r\nlock\r\nend");
  out.clear();
  Bytes many(1200, 0x6A);
  EXPECT_EQ(Decode(many, out), CScriptDecoder::kFinished);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1000);
  out.clear();
  EXPECT_EQ(Decode({0x6A, 0x6A}, out), CScriptDecoder::kReadFailed) << "the file ends inside the script";
  EXPECT_EQ(decoder.DecodeScript(dir / "missing.gba", 0, false, out), CScriptDecoder::kCannotOpen);
}

TEST_F(Decoder, PointersAreCollectedOncePerOffsetUpToTwenty) {
  Bytes rom;
  auto call = [&](uint32_t address, uint8_t opcode = 0x04) {
    rom.push_back(opcode);
    for (int i = 0; i < 4; ++i) rom.push_back(uint8_t(address >> (8 * i)));
  };
  call(0x08FFFFFF);
  call(0x09000000);           // beyond the collected range
  call(0x08000100, 0x12);     // a command without pointer kind
  call(0x08000000);           // offset 0 is never followed
  call(0x08FFFFFF);           // the same again
  for (uint32_t i = 1; i <= 20; ++i) call(0x08000000 + i * 16);
  rom.push_back(0x02);
  std::string out;
  EXPECT_EQ(Decode(rom, out), CScriptDecoder::kFinished);
  ASSERT_EQ(decoder.pointers().size(), 20u);
  EXPECT_EQ(decoder.pointers()[0].offset, 0xFFFFFFu);
  EXPECT_EQ(decoder.pointers()[19].offset, 19u * 16) << "the 21st distinct pointer is dropped";
  EXPECT_NE(out.find("call 0x09000000\r\n"), std::string::npos);
}

TEST_F(Decoder, BattleAndWarpLayoutsWhateverTheDefinitionSays) {
  Bytes rom = {0x39, 0x01, 0x02, 0xFF, 0x03, 0x04, 0x05, 0x06,  // warp with four more bytes
               0x39, 0x01, 0x02, 0x03,                          // warp with three
               0x5C, 0x01, 0x34, 0x12, 0x00, 0x00, 0x10, 0x00, 0x00, 0x08, 0x20, 0x00, 0x00, 0x08,
               0x30, 0x00, 0x00, 0x08,  // battle kind 1: two texts and a script
               0x5C, 0x03, 0x99, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x08,  // kind 3: one text
               0x02};
  std::string out;
  ASSERT_EQ(Decode(rom, out), CScriptDecoder::kFinished);
  EXPECT_NE(out.find("warp 0x01 0x02 0xFF 0x03 0x04 0x05 0x06\r\nwarp 0x01 0x02 0x03\r\n"), std::string::npos);
  EXPECT_NE(out.find("trainerbattle 0x01 0x1234 0x0000 0x08000010 0x08000020 0x08000030\r\n"), std::string::npos);
  ASSERT_EQ(decoder.pointers().size(), 4u);
  EXPECT_EQ(decoder.pointers()[0].kind, kPointsToText);
  EXPECT_EQ(decoder.pointers()[2].kind, kPointsToScript);
  EXPECT_EQ(decoder.pointers()[3].kind, kPointsToText);
  EXPECT_EQ(decoder.trainer(), 0x99) << "the last battle of the top-level script";
}

TEST_F(Decoder, TextsAndFollowingPointers) {
  // 0: loadpointer to the text at 16, call to the script at 32; end.
  Bytes rom(40, 0x00);
  Bytes script = {0x0F, 0x00, 0x10, 0x00, 0x00, 0x08, 0x04, 0x20, 0x00, 0x00, 0x08, 0x02};
  std::copy(script.begin(), script.end(), rom.begin());
  Bytes text = {0xBB, 0xFA, 0x01, 0xFE, 0xEF, 0xF1, 0xFF};
  std::copy(text.begin(), text.end(), rom.begin() + 16);
  rom[32] = 0x6A, rom[33] = 0x03;
  rom.push_back(0x51);  // a text at the end of the file without its terminator
  std::filesystem::path path = Rom(rom);
  std::string script_pane, output;
  ASSERT_EQ(decoder.DecodeScript(path, 0, false, script_pane), CScriptDecoder::kFinished);
  decoder.auto_trace = true;
  EXPECT_EQ(decoder.FollowPointers(path, script_pane, output), 0);
  EXPECT_EQ(output, "#org 0x000020\r\nlock\r\nreturn\r\n\r\n#org 0x000010\r\nA@\r\nあ\r\n|>A;\r\n\r\n");
  std::string tail;
  EXPECT_EQ(decoder.DecodeText(path, 40, tail), 0);
  EXPECT_EQ(tail, "#org 0x000028\r\nア") << "what was read stays";
}

TEST(ScriptLink, MessagesForTessaroAndTheCommandLine) {
  std::vector<PointerEntry> pointers = {{0x100, kPointsToText}, {0x200, kPointsToScript}, {0x300, kPointsToText}};
  auto messages = LinkMessages(pointers, 7);
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0].message, 0x8000u);
  EXPECT_EQ(messages[0].wparam, 6u);
  EXPECT_EQ(messages[1].lparam, 0x100);
  EXPECT_EQ(messages[2].lparam, 0x300);
  EXPECT_EQ(messages[3].wparam, 2u);
  EXPECT_EQ(messages[4].message, 0x8001u);
  EXPECT_EQ(messages[4].wparam, 7u);
  EXPECT_EQ(LinkMessages({}, std::nullopt).size(), 1u);

  std::string rom, offset;
  ASSERT_TRUE(SplitRomArgument(std::string("C:\\roms\\game.gba:1A2B3C"), rom, offset));
  EXPECT_EQ(rom, "C:\\roms\\game.gba");
  EXPECT_EQ(offset, "1A2B3C");
  EXPECT_FALSE(SplitRomArgument(std::string("game.gba"), rom, offset));
  ASSERT_TRUE(SplitRomArgument(std::string("\"C:\\my roms\\a.gba:10\" "), rom, offset));
  EXPECT_EQ(rom, "C:\\my roms\\a.gba");
  EXPECT_EQ(offset, "10");
  EXPECT_EQ(HexDump(Bytes(17, 0xAB)).find("\r\n"), 48u);
}

class Assembler : public testing::Test {
 protected:
  AssembleResult Run(std::string_view source, uint32_t base = 0) { return CScriptAssembler(definitions).Assemble(source, base); }
  CScriptDefinitions definitions = Definitions();
};

TEST_F(Assembler, CommandsRawBytesAndArgumentSizes) {
  AssembleResult r = Run("lock\r\n#raw 10\r\nsetvar 0x1FFFF 0X2\r\ncopyvar 0x8000 <- 0x4001\r\n"
                         "raw4 0xFFFFFFFF\r\nwarp 0x1 0x2 0xFF 0x3 0x4 0x5 0x6\r\nend");
  ASSERT_EQ(r.error, AssembleError::kNone) << r.Message();
  EXPECT_EQ(r.bytes, (Bytes{0x6A, 0x10, 0x16, 0xFF, 0xFF, 0x02, 0x00, 0x19, 0x00, 0x80, 0x01, 0x40, 0x12, 0xFF,
                            0xFF, 0xFF, 0xFF, 0x39, 0x01, 0x02, 0xFF, 0x03, 0x04, 0x05, 0x06, 0x02}));
  EXPECT_EQ(Run("warp 0x1FF 0x2 0x3").bytes, (Bytes{0x39, 0xFF, 0x02, 0x03})) << "0x1FF in a byte writes FF";
}

TEST_F(Assembler, EveryErrorWithItsToken) {
  struct Case {
    const char* source;
    AssembleError error;
    const char* token;
  } cases[] = {
      {"frobnicate", AssembleError::kUndefined, "frobnicate"},
      {"copyvar 0x1 -> 0x2", AssembleError::kUndefined, "->"},
      {"setvar 12 0x1", AssembleError::kNotHexadecimal, "12"},
      {"setvar 0x1G 0x1", AssembleError::kBadDigit, "0x1G"},
      {"#raw 0x10", AssembleError::kBadDigit, "0x10"},
      {"#Text no quotes", AssembleError::kNoText, "#Text"},
      {"setvar Text 0x1", AssembleError::kNoPointerHere, "Text"},
      {"   \r\n ", AssembleError::kEmpty, ""},
  };
  for (const Case& c : cases) {
    AssembleResult r = Run(c.source);
    EXPECT_EQ(r.error, c.error) << c.source;
    EXPECT_EQ(r.token, c.token) << c.source;
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_FALSE(r.Title().empty());
  }
  AssembleResult r = Run("raw4 Text\r\nraw4 Text\r\n#Text \"A\"");
  EXPECT_EQ(r.error, AssembleError::kTooFewTexts);
  EXPECT_EQ(r.Message(), "必要な量のテキストが有りません。(テキストポインタ:2/テキスト:1)");
  EXPECT_EQ(Run("setvar 0x1 0x2 frob").token_offset, 15u) << "where the token stands, for the selection";
}

TEST_F(Assembler, TextsArePlacedAfterTheCodeWithTheirPointers) {
  // 11 bytes of code, then two texts; only the first is pointed to.
  AssembleResult r = Run("raw4 Text\r\nloadpointer 0x0 0x08000000\r\n#Text \"あA\r\nＡ@\r\n^\r\n\"\r\n#Text \"B\"", 0x123456);
  ASSERT_EQ(r.error, AssembleError::kNone) << r.Message();
  uint32_t address = 0x08000000 + 0x123456 + 11;
  EXPECT_EQ(Bytes(r.bytes.begin(), r.bytes.begin() + 5), (Bytes{0x12, uint8_t(address), uint8_t(address >> 8),
                                                                 uint8_t(address >> 16), uint8_t(address >> 24)}));
  EXPECT_EQ(Bytes(r.bytes.begin() + 11, r.bytes.end()), (Bytes{0x01, 0xBB, 0xFE, 0xBB, 0xFA, 0xFB, 0xFF, 0xBC, 0xFF}));
  EXPECT_EQ(r.texts, "あA\r\nＡ@\r\n^\r\n\r\nB\r\n");
}

TEST_F(Assembler, OutputBeyondTheBufferIsRefused) {
  std::string source;
  for (int i = 0; i < 2100; ++i) source += "#raw 1\r\n";  // 1000 lines at most are read
  EXPECT_EQ(Run(source).bytes.size(), 1000u);
  std::string text(9000, 'A');
  source = "#Text \"" + text + "\"";
  EXPECT_EQ(Run(source).error, AssembleError::kNoText) << "a text longer than 8192 bytes";
  source.clear();
  for (int i = 0; i < 3; ++i) source += "#Text \"" + std::string(8000, 'A') + "\"\r\n";
  AssembleResult r = Run(source);
  EXPECT_EQ(r.error, AssembleError::kTooLarge);
  EXPECT_TRUE(r.bytes.empty());
}

// Every script of the demo ROMs decodes to text that assembles to the same bytes.
TEST(ScriptRoundTrip, EveryDemoScriptAssemblesToItsOwnBytes) {
  CScriptDefinitions definitions;
  definitions.Parse(demo::DefineSource());
  for (const char* code : {"BPRJ", "BPEJ", "AXVJ"}) {
    demo::DemoRom rom = demo::BuildDemoRom(*demo::FindGame(code), demo::kMinimumRomSize, 3);
    TestDir dir;
    std::filesystem::path path = dir.Write("rom.gba", std::string(rom.bytes.begin(), rom.bytes.end()));
    CScriptDecoder decoder(definitions);
    decoder.auto_trace = true;
    std::vector<uint32_t> scripts = rom.highlights.scripts;
    for (uint32_t offset : rom.highlights.scripts) {
      std::string out;
      ASSERT_EQ(decoder.DecodeScript(path, offset, false, out), CScriptDecoder::kFinished);
      for (const PointerEntry& p : decoder.pointers())
        if (p.kind == kPointsToScript) scripts.push_back(p.offset);
    }
    for (uint32_t offset : scripts) {
      std::string out;
      ASSERT_EQ(decoder.DecodeScript(path, offset, false, out), CScriptDecoder::kFinished);
      AssembleResult r = CScriptAssembler(definitions).Assemble(out, offset);
      ASSERT_EQ(r.error, AssembleError::kNone) << code << " " << offset << ": " << r.Message();
      EXPECT_EQ(r.bytes, Bytes(rom.bytes.begin() + offset, rom.bytes.begin() + offset + r.bytes.size()))
          << code << " script at " << offset;
    }
  }
}

}  // namespace
