#include "vorlux_test.h"

#include <algorithm>
#include <fstream>

#include "config/run_state.h"
#include "config/settings_store.win32.h"
#include "config/settings_store.h"

namespace vorlux::test {

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring BuildDir() {
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

std::wstring SaverPath() { return BuildDir() + L"SSVorlux.scr"; }

bool WaitUntil(const std::function<bool()>& pred, Millis timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (pred()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

Process::Process(Process&& o) noexcept : handle_(o.handle_), id_(o.id_) {
  o.handle_ = nullptr;
  o.id_ = 0;
}

Process& Process::operator=(Process&& o) noexcept {
  if (this != &o) {
    Kill();
    if (handle_) CloseHandle(handle_);
    handle_ = o.handle_;
    id_ = o.id_;
    o.handle_ = nullptr;
    o.id_ = 0;
  }
  return *this;
}

Process::~Process() {
  Kill();
  if (handle_) CloseHandle(handle_);
}

Process Process::Start(const std::wstring& program, std::wstring_view arguments) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) {
    line += L' ';
    line += arguments;
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Process p;
  if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &si, &pi)) {
    CloseHandle(pi.hThread);
    p.handle_ = pi.hProcess;
    p.id_ = pi.dwProcessId;
  }
  return p;
}

bool Process::Running() const {
  return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(Millis timeout) {
  if (!handle_) return std::nullopt;
  // The test's own windows keep answering meanwhile: the program may send them messages.
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
    const DWORD r = MsgWaitForMultipleObjects(1, &handle_, FALSE, left, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) break;
    if (r != WAIT_OBJECT_0 + 1) return std::nullopt;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(handle_, 9);
    WaitForSingleObject(handle_, 5000);
  }
}

namespace {

struct WindowsOfProcess {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> out;
};

BOOL CALLBACK CollectWindowOfProcess(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<WindowsOfProcess*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == c->pid && (!c->visibleOnly || IsWindowVisible(w))) c->out.push_back(w);
  return TRUE;
}

}  // namespace

std::vector<HWND> Process::Windows(bool visibleOnly) const {
  WindowsOfProcess ctx{id_, visibleOnly, {}};
  EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&ctx));
  return ctx.out;
}

HWND FindTopWindow(std::wstring_view className, std::wstring_view title) {
  const std::wstring cls(className), text(title);
  return FindWindowW(cls.empty() ? nullptr : cls.c_str(), text.empty() ? nullptr : text.c_str());
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

namespace {

struct TextSearch {
  std::wstring_view needle;
  bool found;
};

BOOL CALLBACK SearchChildText(HWND w, LPARAM lp) {
  auto* search = reinterpret_cast<TextSearch*>(lp);
  if (WindowTextOf(w).find(search->needle) != std::wstring::npos) search->found = true;
  return !search->found;
}

}  // namespace

bool ChildWithText(HWND window, std::wstring_view text) {
  TextSearch search{text, false};
  EnumChildWindows(window, SearchChildText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::optional<std::wstring> ReadSaverSetting(std::wstring_view key) {
  // A default that no stored value can equal tells an absent key from a stored one.
  static const std::wstring kAbsent(1, L'\x1');
  const std::wstring v = RegistrySettingsStore().Read(kAppTitle, kSettingSection, key, kAbsent);
  if (v == kAbsent) return std::nullopt;
  return v;
}

void WriteSaverSetting(std::wstring_view key, std::wstring_view value) {
  RegistrySettingsStore().Write(kAppTitle, kSettingSection, key, value);
}

void ClearSaverSettings() {
  const std::wstring path = L"Software\\" + std::wstring(kAppTitle);
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

Screenshot Screenshot::Capture() {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return CaptureRect(r);
}

Screenshot Screenshot::CaptureRect(const RECT& r) {
  Screenshot s;
  s.width_ = r.right - r.left;
  s.height_ = r.bottom - r.top;
  if (s.width_ <= 0 || s.height_ <= 0) return s;
  s.pixels_.resize(static_cast<size_t>(s.width_) * s.height_);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = s.width_;
  bi.bmiHeader.biHeight = -s.height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, s.width_, s.height_, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < s.pixels_.size(); ++i) s.pixels_[i] = p[i] & 0xFFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return s;
}

size_t Screenshot::CountNot(uint32_t rgb) const {
  return static_cast<size_t>(std::count_if(pixels_.begin(), pixels_.end(),
                                           [rgb](uint32_t p) { return p != rgb; }));
}

size_t Screenshot::CountOf(uint32_t rgb) const {
  return static_cast<size_t>(std::count(pixels_.begin(), pixels_.end(), rgb));
}

void Screenshot::Save(const std::wstring& path) const {
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = -height_;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(pixels_.size() * 4);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  out.write(reinterpret_cast<const char*>(pixels_.data()), bytes);
}

namespace {

INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

}  // namespace

void PressKey(WORD vk) { PressKeys({vk}); }

void PressKeys(std::initializer_list<WORD> chord) {
  std::vector<INPUT> in;
  for (WORD vk : chord) in.push_back(KeyInput(vk, false));
  for (auto it = std::rbegin(chord); it != std::rend(chord); ++it) in.push_back(KeyInput(*it, true));
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void MoveMouseTo(int x, int y) {
  // An exact position: absolute input coordinates are scaled to 0..65535 and can land a pixel
  // off, which matters to a watch that counts pixels. Windows sends the window under the
  // pointer the same mouse-move message as for a hand move.
  SetCursorPos(x, y);
}

void ClickMouse(int button, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> in;
  for (WORD vk : modifiers) in.push_back(KeyInput(vk, false));
  INPUT down{}, up{};
  down.type = up.type = INPUT_MOUSE;
  switch (button) {
    case 2:
      down.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
      up.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
      break;
    case 4:
      down.mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
      up.mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
      break;
    default:
      down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
      break;
  }
  in.push_back(down);
  in.push_back(up);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
    in.push_back(KeyInput(*it, true));
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

ColouredWindow::ColouredWindow(COLORREF color, RECT r) {
  brush_ = CreateSolidBrush(color);
  className_ = L"VorluxTestColour" + std::to_wstring(color);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = brush_;
  wc.lpszClassName = className_.c_str();
  RegisterClassW(&wc);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, className_.c_str(), L"", WS_POPUP | WS_VISIBLE, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                          wc.hInstance, nullptr);
  UpdateWindow(hwnd_);
}

ColouredWindow::~ColouredWindow() {
  DestroyWindow(hwnd_);
  UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
  DeleteObject(brush_);
}

bool CursorVisible() {
  CURSORINFO ci{};
  ci.cbSize = sizeof ci;
  return GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

bool SaverRunningFlag() {
  // Wine keeps the flag a process has read once; a new process reads the current state.
  Process reader = Process::Start(BuildDir() + L"vorlux_spi_flag.exe", L"");
  const auto code = reader.WaitExit(10s);
  return code && *code == 1;
}

}  // namespace vorlux::test
