#pragma once
// The item page: moves values between dialog 136 and the item rules.
#include "core/tab_system.h"
#include "editors/item/item_data.h"

class CItem_Edit : public CWindowBase {
 public:
  void Init(WindowHandle tab) override;
  int InitDialog(WindowHandle dialog) override;
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;
  int LoadSetting(const char* game_code) override;
  bool RomRead(platform::CFile& rom) override;
  bool RomSave(platform::CFile& rom) override;
  void FreeData() override;
  int GetDialogId() override;

  const CItemPageData& data() const { return data_; }

 private:
  void ShowItem(WindowHandle page);
  void ApplyItem();
  void RenameItem();

  CItemPageData data_;
};
