// The route from a window to its owner, through two window properties.
#include "ui/window_route.win32.h"

namespace vorlux {

namespace {

constexpr wchar_t kOwnerProperty[] = L"Vorlux.Owner";
constexpr wchar_t kDisplacedProperty[] = L"Vorlux.DisplacedProc";

void SetOwner(HWND window, WindowOwner* owner) {
  SetPropW(window, kOwnerProperty, static_cast<HANDLE>(owner));
}

}  // namespace

WindowOwner* OwnerOf(HWND window) {
  return window ? static_cast<WindowOwner*>(GetPropW(window, kOwnerProperty)) : nullptr;
}

void ReleaseWindow(HWND window) {
  if (window) RemovePropW(window, kOwnerProperty);
}

WNDPROC DisplacedProc(HWND window) {
  return window ? reinterpret_cast<WNDPROC>(GetPropW(window, kDisplacedProperty)) : nullptr;
}

LRESULT CallDisplacedProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  const WNDPROC displaced = DisplacedProc(window);
  return displaced ? CallWindowProcW(displaced, window, msg, wp, lp)
                   : DefWindowProcW(window, msg, wp, lp);
}

LRESULT CALLBACK RoutedWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  WindowOwner* owner = OwnerOf(window);
  if (!owner && msg == WM_NCCREATE) {
    owner = static_cast<WindowOwner*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (owner) SetOwner(window, owner);
  }
  if (!owner) return CallDisplacedProc(window, msg, wp, lp);
  if (msg != WM_NCDESTROY) return owner->OnWindowMessage(window, msg, wp, lp);
  // The window's last message: the owner has its word, then the route goes with the window.
  const LRESULT result = owner->OnWindowMessage(window, msg, wp, lp);
  UnhookWindow(window);
  ReleaseWindow(window);
  return result;
}

void HookWindow(HWND window, WindowOwner* owner) {
  if (!IsWindow(window) || !owner || OwnerOf(window)) return;  // one owner per window
  SetOwner(window, owner);
  const auto displaced = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RoutedWindowProc)));
  if (displaced) SetPropW(window, kDisplacedProperty, reinterpret_cast<HANDLE>(displaced));
}

void UnhookWindow(HWND window) {
  if (const WNDPROC displaced = DisplacedProc(window)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(displaced));
    RemovePropW(window, kDisplacedProperty);
    ReleaseWindow(window);
  }
}

}  // namespace vorlux
