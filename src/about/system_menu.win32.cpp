// The system menu's About entry.
#include "about/system_menu.win32.h"

#include <string>

namespace vorlux {

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

bool SystemMenuCommand(fabout& box, HWND window, WPARAM command) {
  if (command != kAboutCommandId) return false;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE || IsIconic(window))
    ShowWindow(window, SW_RESTORE);
  AboutFromSystemMenu(box, window);
  return true;
}

}  // namespace vorlux
