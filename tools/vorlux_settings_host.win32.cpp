// A stand-in for the Windows screen-saver settings dialog: a "Display Properties" window with a
// "Screen Saver" page, the list of savers and a monitor picture holding the preview window, three
// levels below the dialog. It starts the saver with "/p <preview window>" as Windows does, or
// runs the preview in its own process. Command line and layout: see vorlux_settings_host.h.
#include "vorlux_settings_host.h"

#include <windows.h>

#include <string>

#include "app/startup.h"
#include "config/settings_store.win32.h"
#include "saver/list_name.win32.h"
#include "saver/preview.win32.h"
#include "ui/message_loop.win32.h"

namespace {

using namespace vorlux;
using namespace vorlux::host;

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r) {
  HWND w =
      CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

// The saver's preview, run here instead of in a process of its own, so that its drawing can be
// seen (Wine does not show one process's drawing in another's window). It starts with the
// settings a new saver process would read, processes the dialog's messages while it runs, and
// ends as the saver's would.
void RunPreviewHere(HWND window, const std::wstring& listName) {
  RegistrySettingsStore settings;
  SaverProcess process(settings);
  process.run.AppTitle = kAppTitle;
  LoadSettings(process.run, ReadStoredSettings(settings, kAppTitle), process.random,
               TimeOfDaySeconds());
  PreviewState p{.TargetWindow = window, .listName = listName};
  StartPreview(p, process.state);
  AnimatePreview(p, process.state, [&] { return PreviewGoesOn(p); });
  EndPreview(p, process.state);
}

std::wstring g_saver;  // SSVorlux.scr beside this program

// Starts the saver with the command line and keeps its process id (0 when it did not start) in
// the window's GWLP_USERDATA. The handles stay open while the host lives, so the id stays the
// saver's.
void StartSaver(HWND keeper, const std::wstring& arguments) {
  std::wstring command = L"\"" + g_saver + L"\" " + arguments;
  STARTUPINFOW si{.cb = sizeof si};
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessW(g_saver.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &si, &pi);
  SetWindowLongPtrW(keeper, GWLP_USERDATA, started ? pi.dwProcessId : 0);
}

// The saver's preview in this window, as Windows starts it; its id goes to the dialog.
void StartPreviewSaver(HWND dialog, HWND preview) {
  StartSaver(dialog, L"/p " + std::to_wstring(reinterpret_cast<UINT_PTR>(preview)));
}

// The dialog's way of showing the preview anew: a new saver started in a new preview window
// in front of the old one, which goes 0.3 s later; the old saver sees its window gone.
constexpr UINT_PTR kOldPreviewTimer = 2;
HWND g_oldPreview = nullptr;

LRESULT RestartPreview(HWND dialog) {
  HWND monitor = FindWindowExW(FindWindowExW(dialog, nullptr, L"#32770", nullptr), nullptr,
                               L"Static", nullptr);
  g_oldPreview = GetWindow(monitor, GW_CHILD);
  SetTimer(dialog, kOldPreviewTimer, 300, nullptr);
  StartPreviewSaver(dialog, Child(monitor, L"VorluxPreviewWindow", L"", 0, {16, 14, 168, 126}));
  return 0;
}

// The page's dialog procedure: its "Settings..." button starts the saver's setup, naming the page.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND || LOWORD(wParam) != kSettingsButton) return FALSE;
  const auto handle = static_cast<int32_t>(reinterpret_cast<INT_PTR>(page));
  StartSaver(GetDlgItem(page, kSettingsButton), L"/c:" + std::to_wstring(handle));
  return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::wstring line = GetCommandLineW();
  wchar_t path[MAX_PATH];
  g_saver.assign(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  g_saver = g_saver.substr(0, g_saver.rfind(L'\\') + 1) + L"SSVorlux.scr";
  const std::wstring name = ListNameOfPath(g_saver);

  const WNDCLASSW dialogClass{
      .lpfnWndProc =
          [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) WINAPI {
            if (message == WM_TIMER && wParam == kOldPreviewTimer)
              return KillTimer(window, wParam), LRESULT(DestroyWindow(g_oldPreview));
            if (message == WM_TIMER) return LRESULT(DestroyWindow(window));  // --close-after
            if (message == kRestartPreview) return RestartPreview(window);
            // The preview window goes with the dialog; the saver sees it gone and ends.
            if (message == WM_DESTROY) PostQuitMessage(0);
            return DefWindowProcW(window, message, wParam, lParam);
          },
      .hInstance = instance,
      .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1),
      .lpszClassName = kHostClass};
  // The preview window is black, as Windows paints it before a saver draws.
  const WNDCLASSW previewClass{.lpfnWndProc = DefWindowProcW,
                               .hInstance = instance,
                               .hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                               .lpszClassName = L"VorluxPreviewWindow"};
  RegisterClassW(&dialogClass);
  RegisterClassW(&previewClass);
  // Some 360 by 300 pixels inside its frame.
  HWND dialog = CreateWindowExW(0, kHostClass, L"Display Properties",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 100, 100, 366,
                                326, nullptr, nullptr, instance, nullptr);
  // The page is a dialog-class window, as on Windows; the preview window is Windows' 152 by 112.
  HWND page = Child(dialog, L"#32770", L"Screen Saver", DS_CONTROL, {10, 10, 350, 290});
  HWND monitor = Child(page, L"Static", L"", SS_ETCHEDFRAME | WS_CLIPCHILDREN, {78, 10, 262, 150});
  HWND preview = Child(monitor, previewClass.lpszClassName, L"", 0, {16, 14, 168, 126});
  HWND list = Child(page, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, {24, 200, 314, 320});
  for (const wchar_t* item : {L"(None)", L"Blank", name.c_str(), L"Marquee"})
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(list, CB_SETCURSEL, kItemSaver, 0);
  // The button gets its id last: a test that finds it by id finds it working.
  SetWindowLongPtrW(page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&PageProc));
  HWND settings = Child(page, L"Button", L"Settings...", BS_PUSHBUTTON, {24, 240, 124, 264});
  SetWindowLongPtrW(settings, GWLP_ID, kSettingsButton);

  if (const size_t at = line.find(L" --close-after "); at != std::wstring::npos)
    SetTimer(dialog, 1, static_cast<UINT>(_wtof(line.c_str() + at + 15) * 1000), nullptr);
  if (line.find(L" --hidden") == std::wstring::npos) ShowWindow(dialog, SW_SHOWNORMAL);
  if (line.find(L" --in-process") != std::wstring::npos) return RunPreviewHere(preview, name), 0;
  if (line.find(L" --no-preview") == std::wstring::npos) StartPreviewSaver(dialog, preview);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
