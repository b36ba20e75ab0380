// Every way the suite writes into a ROM, run with the first, second, third ... file operation
// failing: after each failure the ROM is byte for byte the original and the message carries the
// failure's text; after the run that meets no failure, only the bytes the operation owns have
// changed. The save pass is swept too.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/edit_history.h"
#include "core/free_space.h"
#include "core/ini.h"
#include "core/rom_address.h"
#include "core/rom_writer.h"
#include "demo/demo_rom.h"
#include "demo/workspace.h"
#include "editors/page_list.h"
#include "editors/text/text_rules.h"
#include "editors/type_chart/type_chart_layout.h"
#include "fontedit/font_sheet.h"
#include "imagetool/tile_image.h"
#include "platform/file.h"
#include "text/shared_tables.h"
#include "unit/io_sweep.h"
#include "unit/test_dir.h"

namespace {

namespace fs = std::filesystem;

struct Span {
  uint64_t offset, bytes;
};

// Where an operation may write: its spans, and whether it may append to the file.
struct Owned {
  std::vector<Span> spans;
  bool appends = false;
  // The pointer that leads to moved data: written last, once the data are in place.
  std::optional<uint64_t> pointer = std::nullopt;
};

// The demo FireRed workspace, loaded through the tab system with every real page.
class WriteSweep : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    workspace_ = new TestDir;
    demo::WorkspaceOptions options;
    options.games = {"BPRJ"};
    options.rom_size = demo::kMinimumRomSize;
    std::string error;
    ASSERT_TRUE(demo::WriteWorkspace(workspace_->path(), options, error)) << error;
    demo_ = new demo::DemoRom(demo::BuildDemoRom(*demo::FindGame("BPRJ"), demo::kMinimumRomSize, 1));
    original_ = std::string(demo_->bytes.begin(), demo_->bytes.end());
  }
  static void TearDownTestSuite() {
    delete workspace_;
    delete demo_;
  }
  void SetUp() override {
    text::SharedTables().Reset();
    TabSystem().ShutDown();
    TabSystem().set_status(&sink_);
    TabSystem().set_startup_dir(workspace_->path());
    TabSystem().set_load_hook([](const std::filesystem::path& setting, const char* code,
                                 const std::filesystem::path& rom) { FreeSpace().FollowLoad(setting, code, rom); });
    AddPages<CPageAdapter>(TabSystem());
    rom_ = dir_ / "rom.gba";
  }
  void TearDown() override {
    SetRomChangeObserver(nullptr);
    TabSystem().Unload();
    TabSystem().ShutDown();
    TabSystem().set_status(nullptr);
    text::SharedTables().Reset();
  }

  // A fresh ROM, loaded by every page.
  void Reload() {
    dir_.Write("rom.gba", original_);
    ASSERT_EQ(TabSystem().DataRead(rom_), 1) << sink_.text;
    TabSystem().set_rom_path(rom_);
  }
  template <class R>
  static R& Rules(int tab) {
    return dynamic_cast<CPageAdapter<R>&>(*TabSystem().page(size_t(tab))).rules();
  }
  static uint64_t Key(const char* key) {
    int value = -1;
    CINI().GetInt(workspace_->path() / "Setting.ini", "BPRJ", key, value);
    return uint64_t(value);
  }
  // A free place of `bytes` bytes in the first free-space region.
  static uint32_t FreePlace(uint32_t bytes) {
    uint32_t start = 0, length = 0;
    EXPECT_TRUE(FreeSpace().GetRegion(0, start, length));
    return FreeSpace().Finddummyspace(start, start + length, bytes);
  }

  // Sweeps one write path: `prepare` sets the pages up (no failure is injected while it runs)
  // and returns the operation; `owned` says where a successful run may write.
  int Sweep(const char* name, const std::function<std::function<SweepRun()>()>& prepare, const Owned& owned,
            bool undoable = true) {
    SCOPED_TRACE(name);
    SetRomChangeObserver([this](const RomChangeRecord& change) { last_change_ = change; });
    const int points = SweepFileFailures(
        [&] {
          Reload();
          return prepare();
        },
        [&](int n, const SweepRun& run) {
          SCOPED_TRACE(n);
          const std::string now = dir_.Read("rom.gba");
          if (run.ok) {
            // The failure hit a step after the change was made (a read-back): the change stands.
            CheckOwned(now, owned);
            return;
          }
          EXPECT_TRUE(now == original_) << "the ROM changed after a failure";
          EXPECT_NE(run.message.find(platform::InjectedFailureText()), std::string::npos) << run.message;
        });
    CheckOwned(dir_.Read("rom.gba"), owned);
    if (owned.pointer && !last_change_.pieces.empty()) {
      const RomPiece& last = last_change_.pieces.back();
      EXPECT_TRUE(*owned.pointer >= last.offset && *owned.pointer < last.offset + last.after.size())
          << "the pointer is not the change's last write";
    }
    std::printf("[ sweep    ] %s: %d failure points\n", name, points);
    if (undoable) CheckUndo(prepare);
    return points;
  }
  // The same operation through the edit history: undone, the file and the copies are as
  // before; redone, as after; a file changed on disk since is left alone.
  void CheckUndo(const std::function<std::function<SweepRun()>()>& prepare) {
    Reload();
    const std::function<SweepRun()> operation = prepare();
    const std::string copies = CopyBytes();
    EditHistory().Track("op", -1, -1, [&] { EXPECT_TRUE(operation().ok); });
    const std::string after = dir_.Read("rom.gba"), changed_copies = CopyBytes();
    HistoryStep step = EditHistory().Undo();
    ASSERT_TRUE(step.done) << step.status;
    EXPECT_TRUE(dir_.Read("rom.gba") == original_) << "undo";
    EXPECT_TRUE(CopyBytes() == copies) << "undo";
    ASSERT_TRUE(EditHistory().Redo().done);
    EXPECT_TRUE(dir_.Read("rom.gba") == after) << "redo";
    EXPECT_TRUE(CopyBytes() == changed_copies) << "redo";
    // One byte the operation wrote, changed by someone else: undo refuses and writes nothing.
    size_t at = 0;
    while (at < original_.size() && after[at] == original_[at]) ++at;
    std::string touched = after;
    touched[at == original_.size() ? after.size() - 1 : at] ^= 0x5A;
    dir_.Write("rom.gba", touched);
    step = EditHistory().Undo();
    EXPECT_FALSE(step.done);
    EXPECT_EQ(step.status, kRomChangedText);
    EXPECT_TRUE(dir_.Read("rom.gba") == touched);
    EXPECT_TRUE(CopyBytes() == changed_copies);
  }
  static std::string CopyBytes() {
    std::vector<std::span<uint8_t>> copies;
    TabSystem().Copies(copies);
    std::string bytes;
    for (std::span<uint8_t> copy : copies) bytes.append(copy.begin(), copy.end());
    return bytes;
  }
  void CheckOwned(const std::string& now, const Owned& owned) const {
    ASSERT_TRUE(owned.appends ? now.size() >= original_.size() : now.size() == original_.size());
    EXPECT_FALSE(now == original_) << "nothing was written";
    for (size_t i = 0; i < original_.size(); ++i) {
      if (now[i] == original_[i]) continue;
      bool inside = false;
      for (const Span& s : owned.spans) inside |= i >= s.offset && i < s.offset + s.bytes;
      ASSERT_TRUE(inside) << "byte 0x" << std::hex << i << " changed outside the operation's own bytes";
    }
  }

  TestDir dir_;
  fs::path rom_;
  RomChangeRecord last_change_;
  struct Sink : IStatusSink {
    std::string text;
    void SetText(const std::string& t) override { text = t; }
    void SetProgress(int) override {}
    void EnableSave(bool) override {}
  } sink_;
  static TestDir* workspace_;
  static demo::DemoRom* demo_;
  static std::string original_;
};
TestDir* WriteSweep::workspace_ = nullptr;
demo::DemoRom* WriteSweep::demo_ = nullptr;
std::string WriteSweep::original_;

SweepRun Outcome(bool ok, std::string message) { return {ok, std::move(message)}; }

TEST_F(WriteSweep, TrainerParties) {
  const uint64_t table = Key("TrainerData"), trainers = Key("TrainerDataNum");
  auto& trainer = Rules<CTrainerRules>(2);
  Reload();
  trainer.set_current(3);
  trainer.ReadParty(rom_);
  const Party party = trainer.party();
  Sweep("party save",
        [&] {
          trainer.set_current(3);
          trainer.ReadParty(rom_);
          MemberInput input;
          input.level = "77";
          trainer.StoreMember(0, input);
          return [&] {
            const std::string status = trainer.SavePartyToRom(rom_);
            return Outcome(status == kPartySavedText, status);
          };
        },
        {{{party.offset, CTrainerRules::PartyBytes(party.size, party.type)}}});
  const uint32_t place = FreePlace(6 * 16);
  Sweep("party count and type change",
        [&] {
          trainer.set_current(3);
          trainer.ReadParty(rom_);
          return [&] {
            const std::vector<uint8_t> before(trainer.record(3), trainer.record(3) + trainer_layout::kSize);
            const RelocationResult r = trainer.Relocate(rom_, place, 6, 3, true);
            // A failed move leaves the trainer in the copy as it was.
            if (!r.ok) {
              EXPECT_TRUE(std::equal(before.begin(), before.end(), trainer.record(3)));
            }
            return Outcome(r.ok, r.error);
          };
        },
        {{{place, 6 * 16}, {table, trainers * trainer_layout::kSize}}, false, table + 3 * trainer_layout::kSize});
}

TEST_F(WriteSweep, MonsterPageWrites) {
  namespace L = monster_layout;
  auto& monster = Rules<CMonsterRules>(0);
  Reload();
  const uint64_t pointers = Key("Level_Skill"), machines = Key("Skill_Machine");
  const uint32_t list = monster.learnset().pointer(4);
  monster.learnset().Read(rom_, 4);
  const int count = monster.learnset().count();
  auto show = [&] {
    monster.set_current(4);
    monster.learnset().Read(rom_, 4);
  };
  Sweep("learnset in place",
        [&] {
          show();
          monster.learnset().Store(0, 33, "9");
          return [&] {
            const std::string status = monster.learnset().WriteInPlace(rom_);
            return Outcome(status.empty(), status);
          };
        },
        {{{list, uint64_t(count) * 2}}});
  const uint32_t place = FreePlace(uint32_t(L::LearnsetBytes(count + 3)));
  Sweep("learnset moved",
        [&] {
          show();
          return [&] {
            const LearnsetRelocation r = monster.learnset().Relocate(rom_, place, count + 3, true, "CSolid_Value");
            if (!r.ok) {
              EXPECT_EQ(monster.learnset().pointer(4), list) << "the pointer in memory stays";
            }
            return Outcome(r.ok, r.status);
          };
        },
        {{{place, L::LearnsetBytes(count + 3)}, {pointers + 4 * 4, 4}}, false, pointers + 4 * 4});
  Sweep("TM/HM save",
        [&] {
          std::string status;
          monster.machine().Load(rom_, 4, status);
          return [&] {
            MachineStates states = monster.machine().states();
            states[0] = !states[0];
            std::string result;
            const bool ok = monster.machine().Save(rom_, 4, states, result);
            return Outcome(ok, result);
          };
        },
        {{{machines + 4 * L::kMachineSize, L::kMachineSize}}});
  monster.set_current(1);
  const DexView dex = monster.ShowDex(1, rom_);
  const uint32_t text = uint32_t(std::stoul(dex.address, nullptr, 16)) - kGbaBase;
  Sweep("description write",
        [&] {
          monster.set_current(1);
          monster.ShowDex(1, rom_);
          return [&] {
            const std::string status = monster.WriteDescription(rom_, "ABC");
            return Outcome(status == kStatusDone, status);
          };
        },
        {{{text, 4}}});
  const uint32_t moved = FreePlace(16);
  Sweep("description move",
        [&] {
          monster.set_current(1);
          return [&] {
            std::string status;
            const DescriptionMove r = monster.MoveDescription(rom_, moved, monster.EncodeDescription("ABCDEFG", status));
            return Outcome(r.moved, r.status);
          };
        },
        {{{moved, 8}}});
}

TEST_F(WriteSweep, TypeChartAndSprites) {
  auto& chart = Rules<CTypeChartRules>(5);
  Reload();
  const uint32_t place = FreePlace(uint32_t(type_chart_layout::ListBytes(chart.count() + 2)));
  Sweep("type-chart repoint",
        [&] {
          return [&] {
            std::string error;
            const bool ok = chart.Relocate(rom_, place, chart.count() + 2, true, error);
            return Outcome(ok, error);
          };
        },
        {{{place, type_chart_layout::ListBytes(chart.count() + 2)}, {Key("Compatibility"), 4}}, false,
         Key("Compatibility")});

  auto& image = Rules<CImageRules>(7);
  auto write_back = [&](bool append) {
    image.SetIndex("5");
    image.LoadEntry(rom_);
    image.Tick(CImageRules::kNormalImage, true);
    image.flags().in_place = !append;
    image.set_output_method(append ? CImageRules::kAppend : 0);
    image.image(false)[0] ^= 1;  // one pixel changed, so the stream differs
    return [&] {
      // The write-back failed when it says so; a failed reload afterwards leaves it made.
      const ImageMessages out = image.SaveToRom(rom_, FreeSpace());
      std::string failure;
      for (const ImageMessage& m : out) {
        if (m.text.find("ReCompress") != std::string::npos || m.text.find("Finddummyspace") != std::string::npos)
          failure = m.text;
      }
      return Outcome(failure.empty(), failure);
    };
  };
  Reload();
  image.SetIndex("5");
  image.LoadEntry(rom_);
  const uint32_t sprite = uint32_t(std::stoul(image.AddressText(CImageRules::kFront), nullptr, 16));
  // The changed sprite may no longer fit its place: it then goes into the first area.
  Sweep("sprite write-back in place or to an area", [&] { return write_back(false); },
        {{{sprite, image.stored_size(CImageRules::kFront)},
          {uint64_t(image.area(0).start), uint64_t(image.area(0).length)}}});
  Sweep("sprite write-back appended", [&] { return write_back(true); },
        {{{Key("MonsterPics") + 5 * 8, 4}}, true});
}

TEST_F(WriteSweep, TextFontAndPictomaWrites) {
  const uint32_t text = demo_->highlights.text, font = demo_->highlights.font;
  Sweep("text Save",
        [&] {
          return [&] {
            std::string error;
            const bool ok = text_editor::WriteText(rom_, text, {0xBB, 0xBC, 0xFF}, error);
            return Outcome(ok, error);
          };
        },
        {{{text, 3}}});
  Sweep("glyfen SAVE",
        [&] {
          return [&] {
            fontedit::CFont sheet;
            sheet.Create();
            sheet.SetPixelIndex(0, 0, 3);
            const bool ok = sheet.Save_fontdata(rom_, font);
            return Outcome(ok, sheet.status());
          };
        },
        {{{font, demo::kFontBlockSize}}});
  for (uint32_t offset : {demo_->highlights.image, 0u}) {
    Sweep(offset ? "pictoma save" : "pictoma append",
          [&] {
            auto picture = std::make_shared<imagetool::CImage>();
            EXPECT_EQ(picture->LoadImageA(rom_, demo_->highlights.image, 16), 0);
            std::vector<uint8_t> pixels = picture->pixels();
            pixels[0] ^= 1;
            picture->SetPixels(std::move(pixels), false);
            return [&, offset, picture] {
              const int failed = picture->WriteImage(rom_, offset);
              return Outcome(!failed, imagetool::StatusText("SaveImage", picture->outcome()));
            };
          },
          {{{offset, 0x800}}, offset == 0});
  }
}

// vantari's commands that write into a ROM, through the same writer.
TEST_F(WriteSweep, VantariCommands) {
  auto vantari = [&](std::vector<std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    cli::Io io{stdin, std::tmpfile(), std::tmpfile()};
    const int code = cli::Main(views, io);
    std::string err(4096, '\0');
    std::rewind(io.err);
    err.resize(std::fread(err.data(), 1, err.size(), io.err));
    std::fclose(io.out);
    std::fclose(io.err);
    return Outcome(code == 0, err);
  };
  const std::string sheet = (dir_ / "sheet.png").string(), sprite = (dir_ / "sprite.png").string();
  Reload();
  ASSERT_TRUE(vantari({"font", "export", rom_.string(), std::to_string(demo_->highlights.font), sheet}).ok);
  ASSERT_TRUE(vantari({"gfx", "decode", rom_.string(), std::to_string(demo_->highlights.image), sprite}).ok);
  // The sheet and the sprite go back with a pixel changed.
  for (const std::string& file : {sheet, sprite}) {
    lumak::CImage picture;
    ASSERT_TRUE(picture.Load(file));
    picture.SetPixelIndex(1, 1, uint8_t(picture.GetPixelIndex(1, 1) ^ 1));
    ASSERT_TRUE(picture.SaveImage(file));
  }
  Sweep("vantari gfx encode append",
        [&] { return [&] { return vantari({"gfx", "encode", sprite, rom_.string(), "append", "--no-backup"}); }; },
        {{}, true});
  Sweep("vantari font import",
        [&] {
          return [&] {
            return vantari({"font", "import", sheet, rom_.string(), std::to_string(demo_->highlights.font), "--no-backup"});
          };
        },
        {{{demo_->highlights.font, demo::kFontBlockSize}}});
}

// The save pass writes into a copy that replaces the ROM only when whole.
TEST_F(WriteSweep, SavePass) {
  auto& trainer = Rules<CTrainerRules>(2);
  Sweep("save pass",
        [&] {
          trainer.set_current(1);
          TrainerView view = *trainer.ShowTrainer();
          TrainerInput input;
          input.name = view.name, input.party_size = view.party_size, input.party_offset = view.party_offset;
          input.music = "9", input.items = view.items, input.checks = view.checks;
          input.trainer_class = view.trainer_class, input.double_battle = view.double_battle;
          trainer.StoreTrainer(input, false, view.picture);
          return [&] {
            const int saved = TabSystem().DataWrite(rom_);
            return Outcome(saved == 1, sink_.text);
          };
        },
        {{{Key("TrainerData") + trainer_layout::kSize, trainer_layout::kSize}}}, false);
}

// Stores and direct writes on several pages, then undo and redo at random: at every point the
// file and every copy are what they were after that many operations.
TEST_F(WriteSweep, AMixedSequenceUndoneAndRedoneAtRandom) {
  Reload();
  auto& trainer = Rules<CTrainerRules>(2);
  auto& monster = Rules<CMonsterRules>(0);
  auto& chart = Rules<CTypeChartRules>(5);
  auto& image = Rules<CImageRules>(7);
  const uint32_t party_place = FreePlace(6 * 16);
  const std::function<void()> operations[] = {
      [&] {  // a store
        trainer.set_current(3);
        TrainerView view = *trainer.ShowTrainer();
        TrainerInput input{view.name, view.party_size, view.party_offset, "201", view.trainer_class, view.data_type,
                           view.items, view.double_battle, view.checks};
        trainer.StoreTrainer(input, false, view.picture);
      },
      [&] {  // a party written into the file
        trainer.ReadParty(rom_);
        MemberInput member;
        member.level = "66";
        trainer.StoreMember(0, member);
        EXPECT_EQ(trainer.SavePartyToRom(rom_), kPartySavedText);
      },
      [&] {  // a learnset moved: list, then the pointer table
        monster.learnset().Read(rom_, 4);
        const int count = monster.learnset().count() + 2;
        const uint32_t place = FreePlace(uint32_t(monster_layout::LearnsetBytes(count)));
        EXPECT_TRUE(monster.learnset().Relocate(rom_, place, count, true, "CSolid_Value").ok);
      },
      [&] {  // a store on another page
        chart.set_current(2);
        TypeChartView chosen = *chart.Show();
        chosen.multiplier = (chosen.multiplier + 1) % int(type_chart_layout::kMultipliers.size());
        chart.Store(chosen);
      },
      [&] {  // the party moved: the trainer record in the copy and the table in the file
        EXPECT_TRUE(trainer.Relocate(rom_, party_place, 4, 2, true).ok);
      },
      [&] {  // a sprite appended: the file grows, the table entry in the copy follows
        image.SetIndex("6");
        image.LoadEntry(rom_);
        image.Tick(CImageRules::kNormalImage, true);
        image.flags().in_place = false;
        image.set_output_method(CImageRules::kAppend);
        image.SaveToRom(rom_, FreeSpace());
      },
      [&] {  // a description written over the old one
        monster.set_current(7);
        monster.ShowDex(7, rom_);
        EXPECT_EQ(monster.WriteDescription(rom_, "ABCD"), kStatusDone);
      },
  };
  std::vector<std::string> files{dir_.Read("rom.gba")}, copies{CopyBytes()};
  for (const auto& operation : operations) {
    EditHistory().Track("op", -1, -1, operation);
    files.push_back(dir_.Read("rom.gba"));
    copies.push_back(CopyBytes());
  }
  ASSERT_EQ(EditHistory().size(), std::size(operations));
  std::mt19937 random(7);
  size_t at = std::size(operations);
  for (int step = 0; step < 100; ++step) {
    const bool undo = EditHistory().CanUndo() && (!EditHistory().CanRedo() || random() % 2 == 0);
    const HistoryStep done = undo ? EditHistory().Undo() : EditHistory().Redo();
    ASSERT_TRUE(done.done) << done.status;
    at = undo ? at - 1 : at + 1;
    ASSERT_TRUE(dir_.Read("rom.gba") == files[at]) << "step " << step << ", after " << at << " operations";
    ASSERT_TRUE(CopyBytes() == copies[at]) << "step " << step << ", after " << at << " operations";
  }
}

}  // namespace
