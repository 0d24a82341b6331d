// The system menu's About entry.
#include "about/system_menu.win32.h"

#include <string>

#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

constexpr wchar_t kAboutBoxProperty[] = L"Vorlux.AboutBox";

}  // namespace

void AddAboutMenuItem(HWND window, UINT commandId, std::wstring_view caption, bool withSeparator) {
  if (!window) return;
  HMENU menu = GetSystemMenu(window, FALSE);
  if (!menu) return;
  // Inserted before the entry with the command id, which does not exist yet: both go last.
  if (withSeparator) {
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu, commandId, FALSE, &separator);
  }
  std::wstring text(caption);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_STRING;
  item.fType = MFT_STRING;
  item.fState = MFS_ENABLED;
  item.wID = commandId;
  item.dwTypeData = text.data();
  item.cch = static_cast<UINT>(text.size());
  InsertMenuItemW(menu, commandId, FALSE, &item);
}

void HookSystemMenu(HWND window, fabout& box) {
  if (!IsWindow(window) || SavedWndProc(window)) return;
  SetPropW(window, kAboutBoxProperty, &box);
  HookWindow(window, &SystemMenuWndProc);
}

void UnhookSystemMenu(HWND window) {
  if (!SavedWndProc(window)) return;
  UnhookWindow(window);
  RemovePropW(window, kAboutBoxProperty);
}

LRESULT CALLBACK SystemMenuWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) RemovePropW(window, kAboutBoxProperty);
  if (msg != WM_SYSCOMMAND) return CallSavedWndProc(window, msg, wp, lp);
  if (wp == kAboutCommandId) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE ||
        IsIconic(window))
      ShowWindow(window, SW_RESTORE);
    if (auto* box = static_cast<fabout*>(GetPropW(window, kAboutBoxProperty)))
      AboutFromSystemMenu(*box, window);
  }
  return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace vorlux
