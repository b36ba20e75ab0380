#pragma once
// The text editor's page: an MDI client in the tab's display area holding document windows
// ("VTextDoc"), each with one game text. The client is created the first time the tab is shown
// and only hidden on a tab switch, so open documents survive it.
#include <windows.h>

#include "core/page_adapter.h"
#include "core/win/page_view.h"
#include "editors/page_ids.h"
#include "editors/text/text_rules.h"

class CVText final : public CPageAdapter<CNoTables<IDD_TEXT_EDITOR>> {
 public:
  CVText();
  ~CVText() override;

  int CreatePage(WindowHandle tab) override;
  void DestroyPage(bool final) override;
  void ResizePage(WindowHandle tab) override;
  // The client costs nothing to make when the tab is first shown.
  void PreparePage(WindowHandle) override {}
  // The frame's window commands, received by broadcast whichever tab is shown.
  intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

  // A document window's messages (its window procedure forwards here).
  LRESULT DocumentProc(HWND doc, UINT message, WPARAM wparam, LPARAM lparam);
  const text_editor::CDocumentList& documents() const { return docs_; }

 private:
  void Place(HWND tab);
  HWND NewDocument();
  void CloseAll();
  void Load(HWND doc);
  bool Save(HWND doc, bool overwrite);

  text_editor::CDocumentList docs_;
};

template <>
struct PageViewOf<CNoTables<IDD_TEXT_EDITOR>> {
  using type = CVText;
};

// The text editor's MDI client: null until its tab was first shown, and after shut-down.
HWND TextEditorClient();
