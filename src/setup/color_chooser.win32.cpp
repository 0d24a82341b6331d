// The colour chooser wrapper.
#include "setup/color_chooser.win32.h"

#include <commdlg.h>

#include <string>

#include "ui/window_utils.win32.h"

namespace vorlux {

UINT_PTR CALLBACK ColorChooserHook(HWND window, UINT msg, WPARAM /*wp*/, LPARAM lp) {
  if (msg != WM_INITDIALOG) return 0;
  const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(lp);
  if (choose && choose->lCustData)
    SetWindowTextW(window, reinterpret_cast<const wchar_t*>(choose->lCustData));
  return TRUE;  // the dialog gives the keyboard focus to its first control
}

int32_t ShowColorChooser(HWND owner, uint32_t start, CustomColors& custom,
                         std::wstring_view title) {
  const std::wstring caption(title == kNoChooserTitle ? L"Set Color" : title);
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = IsWindow(owner) ? owner : nullptr;
  choose.rgbResult = start;
  choose.lpCustColors = custom.data();
  choose.Flags = CC_RGBINIT | CC_ENABLEHOOK;  // opens folded; the user may unfold it
  choose.lCustData = reinterpret_cast<LPARAM>(caption.c_str());
  choose.lpfnHook = &ColorChooserHook;
  using ChooseColorFunction = BOOL(WINAPI*)(CHOOSECOLORW*);
  static const auto chooseColor =
      LoadSystemFunction<ChooseColorFunction>(L"comdlg32.dll", "ChooseColorW");
  if (!chooseColor || !chooseColor(&choose)) return -1;
  return static_cast<int32_t>(choose.rgbResult);
}

}  // namespace vorlux
