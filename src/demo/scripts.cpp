// Event scripts and their texts, in the command set that the workspace's define.source gives.
#include <string>

#include "demo/demo_rom.h"
#include "demo/workspace.h"

namespace demo {

namespace {

// Command bytes of one script; four-byte arguments are GBA addresses of ROM offsets.
class CScript {
 public:
  CScript& Op(uint8_t op) { return B(op); }
  CScript& B(int v) {
    bytes_.push_back(uint8_t(v));
    return *this;
  }
  CScript& W(int v) { return B(v & 0xFF).B((v >> 8) & 0xFF); }
  CScript& D(uint32_t v) { return W(int(v & 0xFFFF)).W(int(v >> 16)); }
  CScript& Ptr(uint32_t offset) { return D(offset + kGbaBase); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

const char* DefineSource() {
  return "# demo workspace: event script commands as opcode=name,arguments\r\n"
         "# B one byte, W two bytes, D four bytes, \"..\" a literal word, TYPE=0 script pointers,\r\n"
         "# TYPE=1 text pointers\r\n"
         "00=nop\r\n"
         "01=nop1\r\n"
         "02=end\r\n"
         "03=return\r\n"
         "04=call,D,TYPE=0\r\n"
         "05=goto,D,TYPE=0\r\n"
         "06=if1,B,D,TYPE=0\r\n"
         "07=if2,B,D,TYPE=0\r\n"
         "09=callstd,B\r\n"
         "0F=loadpointer,B,D,TYPE=1\r\n"
         "16=setvar,W,W\r\n"
         "19=copyvar,W,\"<-\",W\r\n"
         "21=compare,W,W\r\n"
         "29=setflag,W\r\n"
         "2A=clearflag,W\r\n"
         "2B=checkflag,W\r\n"
         "39=warp,B,B,B\r\n"
         "5A=faceplayer\r\n"
         "5C=trainerbattle,B,W,W,D,D,TYPE=1\r\n"
         "66=waitmsg\r\n"
         "67=preparemsg,D,TYPE=1\r\n"
         "68=closeonkeypress\r\n"
         "6A=lock\r\n"
         "6C=release\r\n"
         "6D=waitkeypress\r\n"
         "7D=bufferpokemon,B,W\r\n"
         "B6=setwildbattle,W,B,W\r\n"
         "C7=message2,D,B,TYPE=1\r\n";
}

void CDemoRomWriter::WriteScripts() {
  auto text = [&](const char* name, const char* sjis) { return PlaceText(name, sjis); };
  uint32_t intro = text("text: battle intro", "ぼくと しょうぶだ！\r\nいくぞ！");
  uint32_t defeat = text("text: battle defeat", "まけちゃった…@\r\nつぎは まけないぞ。");
  uint32_t after = text("text: after battle", "もっと つよく なるぞ！\r\nまた あおう。");
  uint32_t intro2 = text("text: second intro", "ふたりで いくよ！");
  uint32_t defeat2 = text("text: second defeat", "うそ…^\r\nまけた…");
  uint32_t sub_text = text("text: after second battle", "バッジを あげる。\r\nだいじにしてね。");
  uint32_t yes_text = text("text: flag set", "フラグが たった！");
  uint32_t flow_text = text("text: flow", "でんわばんごうは 0123。\r\nまたね！");
  uint32_t warp_text = text("text: warp", "ワープ します。");
  uint32_t specials = text("text: special codes",
                           "ABC abc 0123 !?\r\nA;O;U; a;o;u; |>@\r\nつぎの ページ。^\r\n"
                           "♂♀ ★▼ ↑↓← 120円 ×／");
  highlights_.text = specials;

  uint32_t after_battle = rom_.PlaceBytes(
      "script: after second battle",
      CScript().Op(0x0F).B(0).Ptr(sub_text).Op(0x09).B(4).Op(0x66).Op(0x68).Op(0x02).bytes(), 1);
  uint32_t on_flag = rom_.PlaceBytes(
      "script: flag set",
      CScript().Op(0x29).W(0x0821).Op(0x0F).B(0).Ptr(yes_text).Op(0x09).B(6).Op(0x02).bytes(), 1);
  uint32_t subroutine = rom_.PlaceBytes(
      "script: subroutine",
      CScript().Op(0x19).W(0x8000).W(0x4001).Op(0x7D).B(0).W(RandomSpecies()).Op(0x03).bytes(), 1);

  int trainer = script_trainer_;
  int trainer2 = (script_trainer_ + 7) % game_.trainer_count;
  std::vector<std::pair<std::string, CScript>> scripts;
  scripts.emplace_back("script: trainer battle", CScript()
                                                     .Op(0x6A).Op(0x5A)
                                                     .Op(0x5C).B(0).W(trainer).W(0).Ptr(intro).Ptr(defeat)
                                                     .Op(0x0F).B(0).Ptr(after).Op(0x09).B(6)
                                                     .Op(0x6C).Op(0x02));
  scripts.emplace_back("script: battle with a follow-up", CScript()
                                                              .Op(0x6A)
                                                              .Op(0x5C).B(1).W(trainer2).W(0).Ptr(intro2)
                                                              .Ptr(defeat2).Ptr(after_battle)
                                                              .Op(0x02));
  scripts.emplace_back("script: flags and calls", CScript()
                                                      .Op(0x16).W(0x4001).W(3)
                                                      .Op(0x21).W(0x4001).W(3)
                                                      .Op(0x06).B(1).Ptr(on_flag)
                                                      .Op(0x04).Ptr(subroutine)
                                                      .Op(0x2B).W(0x0820)
                                                      .Op(0x0F).B(0).Ptr(flow_text).Op(0x09).B(6)
                                                      .Op(0x02));
  scripts.emplace_back("script: warps and messages", CScript()
                                                         .Op(0x39).B(3).B(1).B(0xFF).B(5).B(0x0A).B(7).B(0)
                                                         .Op(0x39).B(3).B(2).B(4)
                                                         .Op(0x67).Ptr(warp_text).Op(0x66)
                                                         .Op(0xC7).Ptr(specials).B(0)
                                                         .Op(0x6D)
                                                         .Op(0xB6).W(RandomSpecies()).B(30).W(0)
                                                         .Op(0x02));
  scripts.emplace_back("script: texts", CScript()
                                            .Op(0x0F).B(0).Ptr(specials).Op(0x09).B(6)
                                            .Op(0x0F).B(0).Ptr(flow_text).Op(0x09).B(6)
                                            .Op(0x02));
  for (auto& [name, script] : scripts)
    highlights_.scripts.push_back(rom_.PlaceBytes(name, script.bytes(), 1));
  highlights_.battle_script = highlights_.scripts[0];
  highlights_.battle_trainer = trainer;
  highlights_.battle_texts = {intro, defeat, after};
}

}  // namespace demo
