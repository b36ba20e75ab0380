#include "editors/trainer/win/trainer_page.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "core/free_space.h"
#include "core/rom_writer.h"
#include "core/tab_system.h"
#include "core/win/frame_ids.h"
#include "editors/image/win/image_page.h"
#include "editors/trainer/win/party_dialog.h"
#include "editors/trainer/win/trainer_ids.h"
#include "platform/win/wide.h"
#include "text/shared_tables.h"
#include "text/win/name_lists.h"

using toolkit::win::CDialogItems;

namespace {

constexpr int kControls[] = {
    IDC_TRAINER_LIST,   IDC_TRAINER_SEARCH_TEXT, IDC_TRAINER_SEARCH,       IDC_TRAINER_SEARCH_BACK,
    IDC_TRAINER_PARTY_CHANGE, IDC_TRAINER_NAME,  IDC_TRAINER_PARTY_SIZE,   IDC_TRAINER_PARTY_OFFSET,
    IDC_TRAINER_MUSIC,  IDC_TRAINER_CLASS,       IDC_TRAINER_PIC_PREV,     IDC_TRAINER_PIC_NEXT,
    IDC_TRAINER_PIC_NUMBER, IDC_TRAINER_DOUBLE,  IDC_TRAINER_CHECK1,       IDC_TRAINER_CHECK2,
    IDC_TRAINER_CHECK3, IDC_TRAINER_CHECK4,      IDC_TRAINER_TYPE,         IDC_TRAINER_ITEM1,
    IDC_TRAINER_ITEM2,  IDC_TRAINER_ITEM3,       IDC_TRAINER_ITEM4,        IDC_TRAINER_STORE,
    IDC_TRAINER_PARTY,  IDC_MEMBER_LEVEL,        IDC_MEMBER_PIC_PREV,      IDC_MEMBER_PIC_NEXT,
    IDC_MEMBER_SPECIES, IDC_MEMBER_ITEM,         IDC_MEMBER_UNKNOWN,       IDC_MEMBER_MOVE1,
    IDC_MEMBER_MOVE2,   IDC_MEMBER_MOVE3,        IDC_MEMBER_MOVE4,         IDC_MEMBER_STORE,
    IDC_PARTY_SAVE};
constexpr int kItems[] = {IDC_TRAINER_ITEM1, IDC_TRAINER_ITEM2, IDC_TRAINER_ITEM3, IDC_TRAINER_ITEM4};
constexpr int kMoves[] = {IDC_MEMBER_MOVE1, IDC_MEMBER_MOVE2, IDC_MEMBER_MOVE3, IDC_MEMBER_MOVE4};
constexpr int kChecks[] = {IDC_TRAINER_CHECK1, IDC_TRAINER_CHECK2, IDC_TRAINER_CHECK3, IDC_TRAINER_CHECK4};
constexpr int kMemberLists[] = {IDC_MEMBER_ITEM, IDC_MEMBER_MOVE1, IDC_MEMBER_MOVE2, IDC_MEMBER_MOVE3,
                                IDC_MEMBER_MOVE4};

// Fills every combo box of `ids` with the table's entries, converted once, and selects entry 0.
void FillLists(CDialogItems page, std::initializer_list<int> ids, const text::CRecordTable& table) {
  text::win::CWideEntries entries;
  table.FillList(entries);
  for (int id : ids) {
    text::win::FillCombo(page.Item(id), entries.entries);
    page.ComboSelect(id, 0);
  }
}

HMENU MainMenu() { return GetMenu(static_cast<HWND>(TabSystem().main_window())); }

}  // namespace

CTrainer_Edit::CTrainer_Edit() {
  commands.On(IDC_TRAINER_LIST, LBN_SELCHANGE, [this] {
    const int selection = page().ListSelection(IDC_TRAINER_LIST);
    if (selection < 0) return;
    rules().set_current(selection);
    ShowStatus("");
    ShowTrainer(page());
  });
  commands.On(IDC_TRAINER_STORE, BN_CLICKED, [this] { StoreTrainer(); });
  commands.On(IDC_TRAINER_SEARCH, BN_CLICKED, [this] { Search(true); });
  commands.On(IDC_TRAINER_SEARCH_BACK, BN_CLICKED, [this] { Search(false); });
  commands.On(IDC_TRAINER_PARTY_CHANGE, BN_CLICKED, [this] { ChangeParty(); });
  commands.On(IDC_TRAINER_PARTY, LBN_SELCHANGE, [this] { ShowMember(page(), page().ListSelection(IDC_TRAINER_PARTY)); });
  commands.On(IDC_MEMBER_STORE, BN_CLICKED, [this] { StoreMember(); });
  commands.On(IDC_PARTY_SAVE, BN_CLICKED, [this] { ShowStatus(rules().SavePartyToRom(TabSystem().rom_path())); });
  commands.On(IDC_TRAINER_PIC_PREV, BN_CLICKED, [this] {
    if (picture_ > 0) DrawTrainerPicture(picture_ - 1);
  });
  commands.On(IDC_TRAINER_PIC_NEXT, BN_CLICKED, [this] {
    if (picture_ < rules().picture_max()) DrawTrainerPicture(picture_ + 1);
  });
  commands.On(IDC_TRAINER_PIC_NUMBER, EN_CHANGE, [this] {
    if (!drawing_) DrawTrainerPicture(rules().ClampPicture(std::atoi(page().Text(IDC_TRAINER_PIC_NUMBER).c_str())));
  });
  commands.On(IDC_MEMBER_PIC_PREV, BN_CLICKED, [this] {
    if (monster_picture_ > 0) DrawMonsterPicture(monster_picture_ - 1);
  });
  commands.On(IDC_MEMBER_PIC_NEXT, BN_CLICKED, [this] {
    if (monster_picture_ < text::kSpeciesCount - 1) DrawMonsterPicture(monster_picture_ + 1);
  });
  commands.On(IDC_MEMBER_SPECIES, CBN_SELCHANGE, [this] {
    const int species = page().ComboSelection(IDC_MEMBER_SPECIES);
    if (species >= 1 && species < text::kSpeciesCount) DrawMonsterPicture(species);
  });
}

int CTrainer_Edit::CreatePage(WindowHandle tab) {
  if (HMENU menu = MainMenu()) {
    EnableMenuItem(menu, IDM_TRAINER_PARTY, MF_BYCOMMAND | (rules().loaded() ? MF_ENABLED : MF_GRAYED));
    SetMenuCheck(IDM_TRAINER_PICTURE, show_trainer_picture);
    SetMenuCheck(IDM_TRAINER_MONSTER_PICTURE, show_monster_picture);
  }
  return CWindowBase::CreatePage(tab);
}

void CTrainer_Edit::DestroyPage(bool final) {
  if (HMENU menu = MainMenu()) EnableMenuItem(menu, IDM_TRAINER_PARTY, MF_BYCOMMAND | MF_GRAYED);
  drawn_picture_ = drawn_monster_ = -1;
  CWindowBase::DestroyPage(final);
  trainer_bitmap_.reset();
  monster_bitmap_.reset();
}

intptr_t CTrainer_Edit::DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) {
  if (message == WM_COMMAND && lparam == 0) {
    switch (LOWORD(wparam)) {
      case IDM_TRAINER_PICTURE:
        show_trainer_picture = !show_trainer_picture;
        SetMenuCheck(IDM_TRAINER_PICTURE, show_trainer_picture);
        if (hWnd) DrawTrainerPicture(picture_);
        return 1;
      case IDM_TRAINER_MONSTER_PICTURE:
        show_monster_picture = !show_monster_picture;
        SetMenuCheck(IDM_TRAINER_MONSTER_PICTURE, show_monster_picture);
        if (hWnd) DrawMonsterPicture(monster_picture_);
        return 1;
      case IDM_BEGINNER:
        TabSystem().promode = !TabSystem().promode;
        SetMenuCheck(IDM_BEGINNER, !TabSystem().promode);
        return 1;
      case IDM_TRAINER_PARTY:
        if (!hWnd) return 0;
        ChangeParty();
        return 1;
      default:
        break;
    }
  }
  return CPageView<CTrainerRules>::DialogProc(message, wparam, lparam);
}

void CTrainer_Edit::SetMenuCheck(unsigned id, bool checked) const {
  if (HMENU menu = MainMenu()) CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CTrainer_Edit::Fill(CDialogItems page) {
  const bool loaded = rules().loaded();
  if (HMENU menu = MainMenu()) EnableMenuItem(menu, IDM_TRAINER_PARTY, MF_BYCOMMAND | (loaded ? MF_ENABLED : MF_GRAYED));
  page.Enable(kControls, loaded);
  if (!loaded) return;
  page.Enable({IDC_TRAINER_PARTY_SIZE, IDC_TRAINER_TYPE}, TabSystem().promode);
  const text::CSharedTables& tables = text::SharedTables();
  FillLists(page, {IDC_TRAINER_ITEM1, IDC_TRAINER_ITEM2, IDC_TRAINER_ITEM3, IDC_TRAINER_ITEM4, IDC_MEMBER_ITEM},
            tables.items);
  FillLists(page, {IDC_MEMBER_MOVE1, IDC_MEMBER_MOVE2, IDC_MEMBER_MOVE3, IDC_MEMBER_MOVE4}, tables.moves);
  FillLists(page, {IDC_TRAINER_CLASS}, tables.classes);
  FillLists(page, {IDC_MEMBER_SPECIES}, tables.species);
  page.ComboFill(IDC_TRAINER_TYPE, kTrainerDataTypes);
  page.ComboSelect(IDC_TRAINER_TYPE, 0);

  HWND list = page.Item(IDC_TRAINER_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_INITSTORAGE, WPARAM(rules().count()), LPARAM(rules().count() * 16 * sizeof(wchar_t)));
  for (int32_t t = 0; t < rules().count(); ++t)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::win::Wide(rules().ListLine(t)).c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  page.ListSelect(IDC_TRAINER_LIST, rules().current());
  drawn_picture_ = drawn_monster_ = -1;
  ShowTrainer(page);
}

void CTrainer_Edit::ShowTrainer(CDialogItems page) {
  auto view = rules().ShowTrainer();
  if (!view) return;
  page.SetText(IDC_TRAINER_NAME, view->name);
  page.SetText(IDC_TRAINER_PARTY_SIZE, view->party_size);
  page.SetText(IDC_TRAINER_PARTY_OFFSET, view->party_offset);
  page.SetText(IDC_TRAINER_MUSIC, view->music);
  page.ComboSelect(IDC_TRAINER_CLASS, view->trainer_class);
  for (size_t i = 0; i < std::size(kItems); ++i) page.ComboSelect(kItems[i], view->items[i]);
  page.ComboSelect(IDC_TRAINER_TYPE, view->data_type);
  page.Check(IDC_TRAINER_DOUBLE, view->double_battle);
  for (size_t i = 0; i < std::size(kChecks); ++i) page.Check(kChecks[i], view->checks[i]);
  if (view->picture != drawn_picture_) DrawTrainerPicture(view->picture);
  const std::string status = rules().ReadParty(TabSystem().rom_path());
  if (!status.empty()) ShowStatus(status);
  ShowParty(page, 0);
}

void CTrainer_Edit::ShowParty(CDialogItems page, int member) {
  const std::vector<std::string> lines = rules().PartyLines();
  std::vector<const char*> entries;
  for (const std::string& line : lines) entries.push_back(line.c_str());
  page.ListFill(IDC_TRAINER_PARTY, entries);
  if (lines.empty()) {
    // Nothing read: the member fields show nothing that could be stored.
    page.Enable(kMemberLists, false);
    for (int id : kMemberLists) page.ComboSelect(id, 0);
    page.SetText(IDC_MEMBER_LEVEL, "0");
    page.SetText(IDC_MEMBER_UNKNOWN, "0");
    page.Enable({IDC_MEMBER_STORE, IDC_PARTY_SAVE}, false);
    return;
  }
  page.Enable({IDC_MEMBER_STORE, IDC_PARTY_SAVE}, true);
  page.ListSelect(IDC_TRAINER_PARTY, member);
  ShowMember(page, member);
}

void CTrainer_Edit::ShowMember(CDialogItems page, int member) {
  auto view = rules().ShowMember(member);
  if (!view) return;
  page.SetText(IDC_MEMBER_LEVEL, view->level);
  page.SetText(IDC_MEMBER_UNKNOWN, view->unknown);
  page.Enable({IDC_MEMBER_ITEM}, view->has_item);
  page.Enable(kMoves, view->has_moves);
  page.ComboSelect(IDC_MEMBER_ITEM, view->has_item ? view->item : 0);
  for (size_t i = 0; i < std::size(kMoves); ++i) page.ComboSelect(kMoves[i], view->has_moves ? view->moves[i] : 0);
  page.ComboSelect(IDC_MEMBER_SPECIES, view->species);
  if (view->species >= 0 && view->species != drawn_monster_) DrawMonsterPicture(view->species);
}

void CTrainer_Edit::StoreTrainer() {
  CDialogItems p = page();
  TrainerInput input;
  input.name = p.Text(IDC_TRAINER_NAME);
  input.party_size = p.Text(IDC_TRAINER_PARTY_SIZE);
  input.party_offset = p.Text(IDC_TRAINER_PARTY_OFFSET);
  input.music = p.Text(IDC_TRAINER_MUSIC);
  input.trainer_class = p.ComboSelection(IDC_TRAINER_CLASS);
  input.data_type = p.ComboSelection(IDC_TRAINER_TYPE);
  for (size_t i = 0; i < std::size(kItems); ++i) input.items[i] = p.ComboSelection(kItems[i]);
  input.double_battle = p.Checked(IDC_TRAINER_DOUBLE);
  for (size_t i = 0; i < std::size(kChecks); ++i) input.checks[i] = p.Checked(kChecks[i]);
  const std::string status =
      rules().StoreTrainer(input, TabSystem().promode, picture_, CurrentRomSize(TabSystem().rom_path()));
  ShowTrainer(p);
  p.ListReplace(IDC_TRAINER_LIST, rules().current(), rules().ListLine(rules().current()));
  ShowStatus(status);
}

void CTrainer_Edit::StoreMember() {
  CDialogItems p = page();
  const int member = std::max(p.ListSelection(IDC_TRAINER_PARTY), 0);
  MemberInput input;
  input.level = p.Text(IDC_MEMBER_LEVEL);
  input.unknown = p.Text(IDC_MEMBER_UNKNOWN);
  input.species = p.ComboSelection(IDC_MEMBER_SPECIES);
  input.item = p.ComboSelection(IDC_MEMBER_ITEM);
  for (size_t i = 0; i < std::size(kMoves); ++i) input.moves[i] = p.ComboSelection(kMoves[i]);
  const std::string status = rules().StoreMember(member, input);
  ShowParty(p, member);
  ShowStatus(status);
}

void CTrainer_Edit::Search(bool forward) {
  std::string status;
  const int found = rules().Search(page().Text(IDC_TRAINER_SEARCH_TEXT), forward, status);
  if (found < 0) {
    ShowStatus(status);
    return;
  }
  rules().set_current(found);
  page().ListSelect(IDC_TRAINER_LIST, found);
  ShowTrainer(page());
}

void CTrainer_Edit::ChangeParty() {
  HWND owner = static_cast<HWND>(TabSystem().main_window());
  auto box = [owner](const char* text) {
    MessageBoxW(owner, platform::win::Wide(text).c_str(), L"Error", MB_OK | MB_ICONERROR);
  };
  if (TabSystem().rom_path().empty()) {
    box("ROMを読み込んでください。");
    return;
  }
  if (!rules().loaded()) {
    box("設定を読み込めていないか、メモリ確保に失敗しています。");
    return;
  }
  CPartyDialog dialog(FreeSpace(), rules(), TabSystem().rom_path(), RunTimeName(*this));
  if (dialog.Run(hWnd ? static_cast<HWND>(hWnd) : owner)) {
    ShowStatus(dialog.status());
    if (hWnd) ShowTrainer(page());
  } else if (!dialog.status().empty()) {
    ShowStatus(dialog.status());
  }
}

void CTrainer_Edit::DrawTrainerPicture(int index) {
  picture_ = index;
  drawing_ = true;
  page().SetText(IDC_TRAINER_PIC_NUMBER, std::to_string(index));
  drawing_ = false;
  drawn_picture_ = index;
  if (show_trainer_picture && !ShowPicture(IDC_TRAINER_PICTURE, true, index, trainer_bitmap_)) {
    show_trainer_picture = false;
    SetMenuCheck(IDM_TRAINER_PICTURE, false);
  } else if (!show_trainer_picture) {
    ShowPicture(IDC_TRAINER_PICTURE, true, -1, trainer_bitmap_);
  }
}

void CTrainer_Edit::DrawMonsterPicture(int species) {
  monster_picture_ = species;
  drawn_monster_ = species;
  if (show_monster_picture && !ShowPicture(IDC_MEMBER_PICTURE, false, species, monster_bitmap_)) {
    show_monster_picture = false;
    SetMenuCheck(IDM_TRAINER_MONSTER_PICTURE, false);
  } else if (!show_monster_picture) {
    ShowPicture(IDC_MEMBER_PICTURE, false, -1, monster_bitmap_);
  }
}

bool CTrainer_Edit::ShowPicture(int control, bool trainer, int index, toolkit::win::UniqueBitmap& held) {
  HWND window = static_cast<HWND>(hWnd);
  if (!window) return true;
  HBITMAP bitmap = nullptr;
  if (index >= 0) {
    for (size_t i = 0; i < TabSystem().page_count() && !bitmap; ++i)
      if (auto* sprites = dynamic_cast<CImage*>(TabSystem().page(i))) bitmap = sprites->GetImage(window, trainer, index);
  }
  // The static shows the new picture (or none); the one it showed before is ours to delete.
  SendDlgItemMessageW(window, control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  held.reset(bitmap);
  return bitmap != nullptr || index < 0;
}
