// The tab control side of the tab system.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "core/tab_system.h"
#include "platform/win/wide.h"

void CTabSystem::InsertTab(const char* caption) {
  if (!tab_control_) return;
  std::wstring text = platform::win::Wide(caption ? caption : "");
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  TabCtrl_InsertItem(tab_control_, TabCtrl_GetItemCount(tab_control_), &item);
}

void CTabSystem::ShowFirst() {
  if (tab_control_) TabCtrl_SetCurSel(tab_control_, 0);
  current_ = 0;
  if (CWindowBase* page = CurrentPage()) page->CreatePage(tab_control_);
}

void CTabSystem::TabChange() {
  if (CWindowBase* page = CurrentPage()) page->DestroyPage(false);
  current_ = tab_control_ ? TabCtrl_GetCurSel(tab_control_) : 0;
  if (CWindowBase* page = CurrentPage()) page->CreatePage(tab_control_);
}

bool CTabSystem::PrepareNextPage() {
  if (!tab_control_) return false;
  while (prepared_ < pages_.size()) {
    CWindowBase& page = *pages_[prepared_++];
    if (page.hWnd) continue;
    page.PreparePage(tab_control_);
    break;
  }
  return prepared_ < pages_.size();
}

void CTabSystem::SelectTab(int index) {
  // A tab that does not exist is no reason to leave the current page.
  if (index < 0 || size_t(index) >= pages_.size()) return;
  if (tab_control_) TabCtrl_SetCurSel(tab_control_, index);
  TabChange();
}

void CTabSystem::Resize(int width, int height, int status_height) {
  if (!tab_control_) return;
  RECT rect;
  GetWindowRect(tab_control_, &rect);
  int cx = width == -1 ? rect.right - rect.left : width;
  int cy = height == -1 ? rect.bottom - rect.top : height - status_height - 50;
  SetWindowPos(tab_control_, nullptr, 0, 0, cx, std::max(cy, 0), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (CWindowBase* page = CurrentPage()) page->ResizePage(tab_control_);
}
