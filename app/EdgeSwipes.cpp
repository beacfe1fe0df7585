#include "app/EdgeSwipes.h"

#include <propsys.h>

namespace {

// The window property that switches edge swipes off while the window is full screen; the
// toolchain's headers lack it.
constexpr PROPERTYKEY DisableTouchWhenFullscreen = {
    {0x32CE38B2, 0x2C9A, 0x41B1, {0x9B, 0xC5, 0xB3, 0x78, 0x43, 0x94, 0xAA, 0x44}}, 2};

using GetStoreForWindow = HRESULT(WINAPI*)(HWND, REFIID, void**);

}  // namespace

void SwitchOffEdgeSwipes(HWND frame) {
  // Looked up rather than imported: shell32 has it from Windows 7 on, and the toy starts without it.
  const HMODULE shell = ::GetModuleHandleW(L"shell32.dll");
  const auto storeForWindow =
      shell != nullptr ? reinterpret_cast<GetStoreForWindow>(
                             reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetPropertyStoreForWindow")))
                       : nullptr;
  if (storeForWindow == nullptr) return;
  IPropertyStore* store = nullptr;
  if (FAILED(storeForWindow(frame, __uuidof(IPropertyStore), reinterpret_cast<void**>(&store))) || store == nullptr) {
    return;
  }
  PROPVARIANT on{};
  on.vt = VT_BOOL;
  on.boolVal = VARIANT_TRUE;
  store->SetValue(DisableTouchWhenFullscreen, on);
  store->Release();
}
