// Without Win32 the pages have no windows: the window operations of the page contract and the
// tab system do nothing, so that the load and save passes run (and are tested) on any host.
#include "core/tab_system.h"

int CWindowBase::CreatePage(WindowHandle) { return 0; }
void CWindowBase::DestroyPage(bool) { hWnd = nullptr; }
void CWindowBase::ResizePage(WindowHandle) {}
void CWindowBase::PreparePage(WindowHandle) {}

void CTabSystem::InsertTab(const char*) {}
void CTabSystem::ShowFirst() {
  current_ = 0;
  if (CWindowBase* page = CurrentPage()) page->CreatePage(tab_control_);
}
void CTabSystem::TabChange() {}
bool CTabSystem::PrepareNextPage() { return false; }
void CTabSystem::SelectTab(int index) {
  if (CWindowBase* page = CurrentPage()) page->DestroyPage(false);
  current_ = index;
  if (CWindowBase* page = CurrentPage()) page->CreatePage(tab_control_);
}
void CTabSystem::Resize(int, int, int) {}
