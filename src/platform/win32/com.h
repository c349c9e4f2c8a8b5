// COM as the Windows Imaging Component needs it: interface pointers released when they go, and
// COM started for the thread while a codec runs.
#pragma once

#include <windows.h>

namespace calvern::platform {

template <typename T>
struct ComPtr {
  T* p = nullptr;
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

struct ComScope {
  HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ComScope() = default;
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
  // S_FALSE and a different threading model mean COM was already there: usable too.
  bool Usable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }
};

}  // namespace calvern::platform
