// A stand-in for the Windows screen-saver settings dialog: a "Display Properties" window with a
// "Screen Saver" page, the list of savers and a monitor picture holding the preview window, three
// levels below the dialog. It starts the saver with "/p <preview window>" as Windows does, or
// runs the preview in its own process. Command line and test hooks: see vorlux_settings_host.h.
#include "vorlux_settings_host.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "app/command_line.h"
#include "app/startup.h"
#include "config/settings_store.win32.h"
#include "saver/list_name.win32.h"
#include "saver/preview.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace {

constexpr wchar_t kPreviewClass[] = L"VorluxPreviewWindow";

using namespace vorlux;
using namespace vorlux::host;

struct Host {
  std::wstring saverPath, saverName;
  bool startSaver = true, inProcess = false, closed = false;
  HWND dialog = nullptr, monitor = nullptr, list = nullptr, preview = nullptr;
  HANDLE saverProcess = nullptr;
  UINT selectMessage, destroyPreviewMessage, hangMessage, queryMessage;
};
Host host;

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r) {
  HWND w =
      CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

// The saver's preview, run here instead of in a process of its own, so that its drawing can be
// seen (Wine does not show one process's drawing in another's window). It starts with what a
// new saver process would have, processes the dialog's messages while it runs, and ends as the
// saver's would.
void RunPreviewHere() {
  RunState run{.AppTitle = std::wstring(kAppTitle),
               .RunMode = kRunModePreview,
               .TwipsPerPixelX = ScreenTwipsPerPixelX(),
               .TwipsPerPixelY = ScreenTwipsPerPixelY()};
  RegistrySettingsStore settings;
  UniformRandom random;
  AnimationState animation;
  GraphicsState graphics;
  InputWatchState watch;
  fabout about;
  SaverState saver{run, settings, random, animation, graphics, watch, about};
  LoadSettings(run, settings, random, TimeOfDaySeconds());
  PreviewState p{.TargetWindow = host.preview, .listName = host.saverName};
  StartPreview(p, saver);
  AnimatePreview(p, saver, [&] { return PreviewGoesOn(p); });
  EndPreview(p, saver);
}

// As Windows does when the page opens: the preview window (Windows' 152 by 112 pixels) and the
// chosen saver started in it.
void MakePreview() {
  host.preview = Child(host.monitor, kPreviewClass, L"", 0, {16, 14, 168, 126});
  if (!host.startSaver || host.inProcess) return;
  std::wstring line = L"\"" + host.saverPath + L"\" /p " +
                      std::to_wstring(reinterpret_cast<UINT_PTR>(host.preview));
  STARTUPINFOW si{.cb = sizeof si};
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(host.saverPath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    host.saverProcess = pi.hProcess;
  }
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == host.selectMessage) {
    // The preview is left alone: the running saver must notice the new choice by itself.
    SendMessageW(host.list, CB_SETCURSEL, wParam, 0);
    return SendMessageW(host.list, CB_GETCURSEL, 0, 0);
  }
  if (message == host.destroyPreviewMessage) {
    const bool had = DestroyWindow(host.preview);
    host.preview = nullptr;
    return had;
  }
  if (message == host.hangMessage) {
    Sleep(static_cast<DWORD>(std::min<WPARAM>(wParam, 60000)));
    return 0;
  }
  if (message == host.queryMessage && wParam == kQueryPreview)
    return reinterpret_cast<LRESULT>(host.preview);
  if (message == host.queryMessage && wParam == kQuerySaverProcessId)
    return static_cast<LRESULT>(GetProcessId(host.saverProcess));
  switch (message) {
    case WM_TIMER:  // --close-after
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      // The preview window goes with the dialog; the saver sees it gone and ends.
      host.preview = nullptr;
      host.closed = true;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool CreateDialogWindows() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const WNDCLASSW dialogClass{.lpfnWndProc = DialogProc,
                              .hInstance = instance,
                              .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                              .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1),
                              .lpszClassName = kHostClass};
  // The preview window is black, as Windows paints it before a saver draws.
  const WNDCLASSW previewClass{.lpfnWndProc = DefWindowProcW,
                               .hInstance = instance,
                               .hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                               .lpszClassName = kPreviewClass};
  if (!RegisterClassW(&dialogClass) || !RegisterClassW(&previewClass)) return false;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, 360, 300};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  host.dialog = CreateWindowExW(0, kHostClass, L"Display Properties", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
  // The page is a dialog-class window, as on Windows.
  HWND page = Child(host.dialog, L"#32770", L"Screen Saver", DS_CONTROL, {10, 10, 350, 290});
  host.monitor = Child(page, L"Static", L"", SS_ETCHEDFRAME | WS_CLIPCHILDREN, {78, 10, 262, 150});
  host.list = Child(page, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, {24, 200, 314, 320});
  if (!host.dialog || !page || !host.monitor || !host.list) return false;
  for (const wchar_t* item : {L"(None)", L"Blank", host.saverName.c_str(), L"Marquee"})
    SendMessageW(host.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(host.list, CB_SETCURSEL, kItemSaver, 0);
  return true;
}

int Run() {
  const std::wstring line = GetCommandLineW();
  const auto option = [&](const wchar_t* name) { return line.find(name); };
  host.startSaver = option(L" --no-saver") == std::wstring::npos;
  host.inProcess = option(L" --in-process") != std::wstring::npos;
  host.saverPath.resize(32768);
  host.saverPath.resize(GetModuleFileNameW(nullptr, host.saverPath.data(), 32768));
  host.saverPath = host.saverPath.substr(0, host.saverPath.rfind(L'\\') + 1) + L"SSVorlux.scr";
  host.saverName = ListNameOfPath(host.saverPath);
  host.selectMessage = RegisterWindowMessageW(kSelectMessage);
  host.destroyPreviewMessage = RegisterWindowMessageW(kDestroyPreviewMessage);
  host.hangMessage = RegisterWindowMessageW(kHangMessage);
  host.queryMessage = RegisterWindowMessageW(kQueryMessage);
  if (!CreateDialogWindows()) return 1;
  if (const size_t at = option(L" --close-after "); at != std::wstring::npos)
    SetTimer(host.dialog, 1, static_cast<UINT>(_wtof(line.c_str() + at + 15) * 1000), nullptr);
  if (option(L" --hidden") == std::wstring::npos) ShowWindow(host.dialog, SW_SHOWNORMAL);
  MakePreview();
  // The preview's message processing may take the quit message: the flag tells.
  if (host.startSaver && host.inProcess) RunPreviewHere();
  MSG msg;
  while (!host.closed && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Run(); }
