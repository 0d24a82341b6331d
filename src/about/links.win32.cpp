// Links through the shell, and the hand pointer.
#include "about/links.win32.h"

#include <shellapi.h>

#include "about/links.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

std::wstring OpenLink(HWND owner, std::wstring_view target) {
  using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const auto shellExecute =
      LoadSystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
  const std::wstring text(target);
  // No verb: the default action of the target's kind.
  const auto result = shellExecute
                          ? reinterpret_cast<std::intptr_t>(shellExecute(
                                owner, nullptr, text.c_str(), nullptr, L"C:\\", SW_SHOWNORMAL))
                          : 0;
  return std::wstring(LinkErrorText(result));
}

void SetHandCursor(Form& form, int control) {
  form.SetMousePointer(control,
                       LoadCursorW(form.ResourceModule(), MAKEINTRESOURCEW(kHandCursorResource)));
}

void SetDefaultCursor(Form& form, int control) { form.SetMousePointer(control, nullptr); }

}  // namespace vorlux
