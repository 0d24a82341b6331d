// A stand-in for the Windows screen-saver settings dialog: a "Display Properties" window with
// a "Screen Saver" page, the list of savers and a monitor picture holding the preview window.
// It starts the saver with "/p <preview window>" as Windows does, so the preview and its
// probe of the dialog can be watched from outside. Command line and test hooks: see
// vorlux_settings_host.h.
#include "vorlux_settings_host.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"
#include "config/settings_store.win32.h"
#include "saver/list_name.win32.h"
#include "saver/preview.win32.h"
#include "saver/probe.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace {

using namespace vorlux::host;

constexpr wchar_t kPageClass[] = L"#32770";
constexpr wchar_t kPreviewClass[] = L"VorluxPreviewWindow";

enum ControlId : int { kIdList = 100, kIdSettings = 101, kIdMonitor = 102, kIdGroup = 103 };
constexpr UINT_PTR kCloseTimer = 1;

struct Options {
  std::wstring saver;
  std::wstring select;
  std::wstring info;
  std::vector<std::wstring> extraItems;
  bool startSaver = true;
  bool hidden = false;
  bool inProcess = false;
  UINT closeAfterMs = 0;
};

struct Host {
  Options options;
  std::wstring saverName;
  HWND dialog = nullptr, page = nullptr, monitor = nullptr, preview = nullptr, list = nullptr;
  HFONT font = nullptr;
  HANDLE saverProcess = nullptr;
  DWORD saverId = 0;
  bool saverEndSeen = true;
  int saverStarts = 0;
  bool previewPending = false;  // in-process: a preview is to run in the main loop
  bool closed = false;
  int dpi = 96;
  UINT selectMessage = 0, destroyPreviewMessage = 0, restartPreviewMessage = 0, queryMessage = 0,
       hangMessage = 0;
};

Host host;

int Scale(int pixels) { return MulDiv(pixels, host.dpi, 96); }

// --- layout, in 96-dpi pixels ---
constexpr int kClientWidth = 360, kClientHeight = 348;
constexpr RECT kTab{8, 8, 104, 31};      // the page's tab, drawn by the dialog
constexpr RECT kSheet{8, 29, 352, 306};  // the frame around the page
constexpr RECT kPage{10, 31, 350, 304};  // the page itself, inside the frame
constexpr int kMonitorWidth = 184, kMonitorHeight = 170;
constexpr RECT kPreview{16, 14, 168, 126};  // in the monitor: Windows' 152 by 112 pixels

std::wstring ModuleDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.resize(n);
    n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (n == 0 || n >= full.size()) return path;
  full.resize(n);
  return full;
}

Options ParseOptions() {
  Options o;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == L"--saver" && hasValue) {
      o.saver = argv[++i];
    } else if (arg == L"--select" && hasValue) {
      o.select = argv[++i];
    } else if (arg == L"--info" && hasValue) {
      o.info = argv[++i];
    } else if (arg == L"--add-item" && hasValue) {
      o.extraItems.push_back(argv[++i]);
    } else if (arg == L"--no-saver") {
      o.startSaver = false;
    } else if (arg == L"--hidden") {
      o.hidden = true;
    } else if (arg == L"--in-process") {
      o.inProcess = true;
    } else if (arg == L"--close-after" && hasValue) {
      o.closeAfterMs = static_cast<UINT>(_wtof(argv[++i]) * 1000);
    }
  }
  if (argv) LocalFree(argv);
  o.saver = FullPath(o.saver.empty() ? ModuleDirectory() + L"SSVorlux.scr" : o.saver);
  return o;
}

std::wstring Decimal(UINT_PTR value) { return std::to_wstring(value); }

void WriteInfo() {
  if (host.options.info.empty()) return;
  std::string text = "dialog=" + std::to_string(reinterpret_cast<UINT_PTR>(host.dialog)) +
                     "\r\npreview=" + std::to_string(reinterpret_cast<UINT_PTR>(host.preview)) +
                     "\r\npid=" + std::to_string(host.saverId) + "\r\n";
  // Written under a temporary name and moved, so a reader never sees half a file.
  const std::wstring temp = host.options.info + L".tmp";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(temp.c_str(), host.options.info.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Starts the saver with the given switch text, keeping the last preview's process.
HANDLE StartSaver(const std::wstring& switches, DWORD* id) {
  std::wstring line = L"\"" + host.options.saver + L"\" " + switches;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(host.options.saver.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  if (id) *id = pi.dwProcessId;
  return pi.hProcess;
}

void DestroyPreview() {
  if (host.preview) DestroyWindow(host.preview);
  host.preview = nullptr;
}

// As Windows does on choosing a saver: a new preview window, and (unless told otherwise) the
// saver started in it. The previous saver is not ended here; it sees its window gone.
void RestartPreview(bool startSaver) {
  DestroyPreview();
  host.preview = CreateWindowExW(0, kPreviewClass, L"", WS_CHILD | WS_VISIBLE, Scale(kPreview.left),
                                 Scale(kPreview.top), Scale(kPreview.right - kPreview.left),
                                 Scale(kPreview.bottom - kPreview.top), host.monitor, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (startSaver && host.options.startSaver && host.preview && host.options.inProcess) {
    host.previewPending = true;
  } else if (startSaver && host.options.startSaver && host.preview) {
    if (host.saverProcess) CloseHandle(host.saverProcess);
    host.saverId = 0;
    host.saverProcess =
        StartSaver(L"/p " + Decimal(reinterpret_cast<UINT_PTR>(host.preview)), &host.saverId);
    host.saverEndSeen = host.saverProcess == nullptr;
    ++host.saverStarts;
  }
  WriteInfo();
}

int ChosenItem() { return static_cast<int>(SendMessageW(host.list, CB_GETCURSEL, 0, 0)); }

void OnSaverChosen() {
  if (ChosenItem() == kItemSaver) RestartPreview(true);
  // Another choice leaves the preview alone: the running saver must notice it by itself.
}

LRESULT Query(WPARAM what) {
  switch (what) {
    case kQueryPreview:
      return reinterpret_cast<LRESULT>(host.preview);
    case kQuerySaverProcessId:
      return static_cast<LRESULT>(host.saverId);
    case kQuerySaverExitCode: {
      DWORD code = 0;
      if (!host.saverProcess || !GetExitCodeProcess(host.saverProcess, &code)) return -1;
      return static_cast<LRESULT>(code);
    }
    case kQuerySaverStarts:
      return host.saverStarts;
    case kQueryPage:
      return reinterpret_cast<LRESULT>(host.page);
    case kQueryList:
      return reinterpret_cast<LRESULT>(host.list);
    case kQueryMonitor:
      return reinterpret_cast<LRESULT>(host.monitor);
    default:
      return 0;
  }
}

RECT Scaled(const RECT& r) {
  return {Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)};
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// A small monitor: bezel, sunken screen around the preview window, power light, stand.
void DrawMonitor(HDC dc) {
  const COLORREF body = RGB(196, 198, 202);
  RECT bezel = Scaled({0, 0, kMonitorWidth, 144});
  Fill(dc, {0, 0, Scale(kMonitorWidth), Scale(kMonitorHeight)}, GetSysColor(COLOR_3DFACE));
  RECT neck = Scaled({78, 143, 106, 156});
  Fill(dc, neck, RGB(160, 162, 166));
  DrawEdge(dc, &neck, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
  RECT base = Scaled({50, 155, 134, 168});
  Fill(dc, base, body);
  DrawEdge(dc, &base, EDGE_RAISED, BF_RECT);
  Fill(dc, bezel, body);
  DrawEdge(dc, &bezel, EDGE_RAISED, BF_RECT);
  RECT screen =
      Scaled({kPreview.left - 2, kPreview.top - 2, kPreview.right + 2, kPreview.bottom + 2});
  DrawEdge(dc, &screen, EDGE_SUNKEN, BF_RECT);
  Fill(dc, Scaled({156, 132, 164, 136}), RGB(40, 200, 70));
}

// The property-sheet look around the page: one tab and a raised frame.
void PaintDialog(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT sheet = Scaled(kSheet);
  DrawEdge(dc, &sheet, EDGE_RAISED, BF_RECT);
  RECT tab = Scaled(kTab);
  Fill(dc, tab, GetSysColor(COLOR_3DFACE));
  DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
  HGDIOBJ oldFont = SelectObject(dc, host.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, L"Screen Saver", -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kIdList && HIWORD(wParam) == CBN_SELCHANGE) {
        OnSaverChosen();
        return TRUE;
      }
      if (LOWORD(wParam) == kIdSettings && HIWORD(wParam) == BN_CLICKED) {
        if (host.options.startSaver) {
          HANDLE setup =
              StartSaver(L"/c:" + Decimal(reinterpret_cast<UINT_PTR>(host.dialog)), nullptr);
          if (setup) CloseHandle(setup);
        }
        return TRUE;
      }
      return FALSE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != kIdMonitor) return FALSE;
      DrawMonitor(item->hDC);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0) {
    if (message == host.selectMessage) {
      SendMessageW(host.list, CB_SETCURSEL, wParam, 0);  // out of range clears the choice
      OnSaverChosen();
      return ChosenItem();
    }
    if (message == host.destroyPreviewMessage) {
      const bool had = host.preview != nullptr;
      DestroyPreview();
      return had;
    }
    if (message == host.restartPreviewMessage) {
      RestartPreview(true);
      return reinterpret_cast<LRESULT>(host.preview);
    }
    if (message == host.queryMessage) return Query(wParam);
    if (message == host.hangMessage) {
      Sleep(static_cast<DWORD>(wParam < 60000 ? wParam : 60000));
      return 0;
    }
  }
  switch (message) {
    case WM_PAINT:
      PaintDialog(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(window);
        return 0;
      }
      break;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      // The preview window goes with the dialog; the saver sees it gone and ends.
      host.preview = nullptr;
      host.closed = true;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Control(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r, int id) {
  HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, Scale(r.left), Scale(r.top),
                           Scale(r.right - r.left), Scale(r.bottom - r.top), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(host.font), FALSE);
  return w;
}

bool CreateDialogWindows() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW dialogClass{};
  dialogClass.lpfnWndProc = DialogProc;
  dialogClass.hInstance = instance;
  dialogClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  dialogClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  dialogClass.lpszClassName = kHostClass;
  WNDCLASSW previewClass{};
  previewClass.lpfnWndProc = DefWindowProcW;
  previewClass.hInstance = instance;
  previewClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  previewClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  previewClass.lpszClassName = kPreviewClass;
  if (!RegisterClassW(&dialogClass) || !RegisterClassW(&previewClass)) return false;

  HDC screen = GetDC(nullptr);
  host.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  host.font = CreateFontIndirectW(&metrics.lfMessageFont);

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  host.dialog = CreateWindowExW(exStyle, kHostClass, kHostTitle, style, x, y, width, height,
                                nullptr, nullptr, instance, nullptr);
  if (!host.dialog) return false;

  // The page is a real dialog-class window, as on Windows; its dialog procedure gets the
  // notifications of the controls on it.
  host.page = CreateWindowExW(
      WS_EX_CONTROLPARENT, kPageClass, L"Screen Saver", WS_CHILD | WS_VISIBLE | DS_CONTROL,
      Scale(kPage.left), Scale(kPage.top), Scale(kPage.right - kPage.left),
      Scale(kPage.bottom - kPage.top), host.dialog, nullptr, instance, nullptr);
  if (!host.page) return false;
  SetWindowLongPtrW(host.page, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(PageProc));

  const int pageWidth = kPage.right - kPage.left;
  const int monitorLeft = (pageWidth - kMonitorWidth) / 2;
  host.monitor =
      Control(host.page, L"Static", L"", SS_OWNERDRAW | WS_CLIPCHILDREN,
              {monitorLeft, 10, monitorLeft + kMonitorWidth, 10 + kMonitorHeight}, kIdMonitor);
  host.list =
      Control(host.page, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
              {24, 216, 214, 340}, kIdList);
  Control(host.page, L"Button", L"Setti&ngs", BS_PUSHBUTTON | WS_TABSTOP, {224, 215, 314, 238},
          kIdSettings);
  Control(host.page, L"Button", L"Screen saver", BS_GROUPBOX, {12, 194, 328, 254}, kIdGroup);
  Control(host.dialog, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
          {196, 315, 271, 338}, IDOK);
  Control(host.dialog, L"Button", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {277, 315, 352, 338},
          IDCANCEL);

  const wchar_t* items[] = {L"(None)", L"Blank", host.saverName.c_str(), L"Marquee"};
  for (const wchar_t* item : items)
    SendMessageW(host.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  for (const std::wstring& item : host.options.extraItems)
    SendMessageW(host.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  const std::wstring& chosen = host.options.select.empty() ? host.saverName : host.options.select;
  const LRESULT index = SendMessageW(host.list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(chosen.c_str()));
  SendMessageW(host.list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

// What a saver process owns, for the preview run here.
struct SaverProcess {
  vorlux::RunState run;
  vorlux::RegistrySettingsStore settings;
  vorlux::UniformRandom random;
  vorlux::AnimationState animation;
  vorlux::GraphicsState graphics;
  vorlux::InputWatchState watch;
  vorlux::fabout about;
  vorlux::SaverState saver{run, settings, random, animation, graphics, watch, about};
};
SaverProcess& InProcessSaver() {
  static SaverProcess process;
  return process;
}

// The saver's start-up as far as the preview needs it: title, run mode, screen, settings.
void PrepareInProcessPreview() {
  SaverProcess& process = InProcessSaver();
  vorlux::RunState& s = process.run;
  s.AppTitle = vorlux::kAppTitle;
  s.RunMode = vorlux::kRunModePreview;
  s.TwipsPerPixelX = vorlux::ScreenTwipsPerPixelX();
  s.TwipsPerPixelY = vorlux::ScreenTwipsPerPixelY();
  vorlux::LoadSettings(s, process.settings, process.random, vorlux::TimeOfDaySeconds());
  vorlux::RegisterDialogWindow(host.dialog);
}

// The saver's preview, run here instead of in a process of its own, so that its drawing can be
// seen (Wine does not show one process's drawing in another's window). It processes the
// dialog's messages while it runs and ends as the saver's would.
void RunPreviewHere() {
  vorlux::SaverState& saver = InProcessSaver().saver;
  saver.animation = vorlux::AnimationState{};  // as a new saver process starts
  vorlux::PreviewState p;
  p.TargetWindow = host.preview;
  p.listName = host.saverName;
  vorlux::StartPreview(p, saver);
  vorlux::AnimatePreview(p, saver, [&] { return vorlux::PreviewGoesOn(p); });
  vorlux::EndPreview(p, saver);
}

int Run() {
  host.options = ParseOptions();
  host.saverName = vorlux::ListNameOfPath(host.options.saver);
  host.selectMessage = RegisterWindowMessageW(kSelectMessage);
  host.destroyPreviewMessage = RegisterWindowMessageW(kDestroyPreviewMessage);
  host.restartPreviewMessage = RegisterWindowMessageW(kRestartPreviewMessage);
  host.queryMessage = RegisterWindowMessageW(kQueryMessage);
  host.hangMessage = RegisterWindowMessageW(kHangMessage);
  if (!CreateDialogWindows()) return 1;
  if (host.options.inProcess) PrepareInProcessPreview();
  if (host.options.closeAfterMs)
    SetTimer(host.dialog, kCloseTimer, host.options.closeAfterMs, nullptr);

  if (!host.options.hidden) {
    ShowWindow(host.dialog, SW_SHOWNORMAL);
    UpdateWindow(host.dialog);
  }
  // Windows starts the preview of the chosen saver when the page opens.
  RestartPreview(ChosenItem() == kItemSaver);

  for (;;) {
    if (host.previewPending) {
      host.previewPending = false;
      RunPreviewHere();
      // Its message processing took the quit message; the flag tells instead.
      if (host.closed) break;
      continue;
    }
    HANDLE waits[1];
    DWORD count = 0;
    if (host.saverProcess && !host.saverEndSeen) waits[count++] = host.saverProcess;
    const DWORD r = MsgWaitForMultipleObjects(count, waits, FALSE, INFINITE, QS_ALLINPUT);
    if (count > 0 && r == WAIT_OBJECT_0) {
      // The saver has ended: show the empty screen again instead of its last frame.
      host.saverEndSeen = true;
      if (host.preview) InvalidateRect(host.preview, nullptr, TRUE);
      continue;
    }
    MSG msg;
    while (!host.closed && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        host.closed = true;
        break;
      }
      if (!IsDialogMessageW(host.dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (host.closed) break;
  }
  if (host.saverProcess) CloseHandle(host.saverProcess);
  DeleteObject(host.font);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Run(); }
