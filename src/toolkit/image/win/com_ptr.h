#pragma once
// What the WIC codecs share: an owner of one COM interface pointer, and COM started once for
// the thread that first uses a codec (the programs are single-threaded).
#include <objbase.h>

namespace lumak::win {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** out() { return &p_; }

 private:
  T* p_ = nullptr;
};

inline bool EnsureCom() {
  static const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

}  // namespace lumak::win
