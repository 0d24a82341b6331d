// Support for the Windows tests: processes, windows, settings, screenshots, input, the show.
#include "vorlux_test.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/run_state.h"
#include "config/settings_store.win32.h"
#include "ui/message_loop.win32.h"

namespace vorlux::test {

std::wstring BuildDir() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool WaitUntil(const std::function<bool()>& pred, Millis timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (; !pred(); Sleep(10)) {
    if (std::chrono::steady_clock::now() >= end) return false;
    ProcessPendingMessages();
  }
  return true;
}

Process Process::Start(const std::wstring& program, std::wstring_view arguments) {
  std::wstring line = L"\"" + program + L"\" " + std::wstring(arguments);
  STARTUPINFOW si{.cb = sizeof si};
  PROCESS_INFORMATION pi{};
  // Both handles stay empty when it fails.
  CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                 &pi);
  CloseHandle(pi.hThread);
  return Process(pi.hProcess);
}

void Process::End(HANDLE process) {
  TerminateProcess(process, 9);  // fails harmlessly once the process has ended
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

std::optional<DWORD> Process::WaitExit(Millis timeout) {
  DWORD code = 0;
  if (!handle_ || !WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
  GetExitCodeProcess(handle_.get(), &code);
  return code;
}

std::vector<HWND> Process::Windows() const {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, nullptr));)
    if (DWORD id = 0;
        GetWindowThreadProcessId(w, &id) && id == GetProcessId(handle_.get()) && IsWindowVisible(w))
      found.push_back(w);
  return found;
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::wstring ReadSaverSetting(std::wstring_view key) {
  return RegistrySettingsStore().Read(kAppTitle, kSettingSection, key, L"(absent)");
}

void WriteSaverSetting(std::wstring_view key, std::wstring_view value) {
  RegistrySettingsStore().Write(kAppTitle, kSettingSection, key, value);
}

void ClearSaverSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + std::wstring(kAppTitle)).c_str());
}

Screenshot Screenshot::CaptureRect(const RECT& r) {
  Screenshot s;
  s.width_ = std::max<int>(0, r.right - r.left), s.height_ = std::max<int>(0, r.bottom - r.top);
  s.pixels_.resize(static_cast<size_t>(s.width_) * s.height_);
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, s.width_, s.height_);
  SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, s.width_, s.height_, screen, r.left, r.top, SRCCOPY);
  DeleteDC(memory);  // which lets go of the bitmap: GetDIBits reads only one that is free
  // Top-down rows of 32-bit BGRx, which read as 0x00RRGGBB once the unused byte is cleared.
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), s.width_, -s.height_, 1, 32, BI_RGB}};
  GetDIBits(screen, bitmap, 0, s.height_, s.pixels_.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& p : s.pixels_) p &= 0xFFFFFF;
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return s;
}

namespace {

INPUT Key(WORD vk, DWORD flags) {
  const auto scan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  return {.type = INPUT_KEYBOARD, .ki = {.wVk = vk, .wScan = scan, .dwFlags = flags}};
}

// Sends the input while the held keys are down.
void SendHeld(std::initializer_list<WORD> held, const std::vector<INPUT>& input) {
  std::vector<INPUT> in;
  for (WORD h : held) in.push_back(Key(h, 0));
  in.insert(in.end(), input.begin(), input.end());
  for (WORD h : held) in.push_back(Key(h, KEYEVENTF_KEYUP));
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

}  // namespace

void PressKey(WORD vk, std::initializer_list<WORD> held, int times) {
  std::vector<INPUT> in;
  for (int i = 0; i < times; ++i) in.push_back(Key(vk, 0)), in.push_back(Key(vk, KEYEVENTF_KEYUP));
  SendHeld(held, in);
}

void ClickMouse(DWORD downFlag, std::initializer_list<WORD> modifiers) {
  // Each button's "up" flag is the bit after its "down" flag.
  SendHeld(modifiers, {{.type = INPUT_MOUSE, .mi = {.dwFlags = downFlag}},
                       {.type = INPUT_MOUSE, .mi = {.dwFlags = downFlag << 1}}});
}

ColouredWindow::ColouredWindow(COLORREF color, RECT r) {
  // A class for each colour, whose brush paints the window.
  const std::wstring name = L"VorluxTestColour" + std::to_wstring(color);
  const WNDCLASSW wc{.lpfnWndProc = DefWindowProcW,
                     .hInstance = GetModuleHandleW(nullptr),
                     .hbrBackground = CreateSolidBrush(color),
                     .lpszClassName = name.c_str()};
  if (!RegisterClassW(&wc)) DeleteObject(wc.hbrBackground);  // registered before
  hwnd =
      CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
  UpdateWindow(hwnd);
}

void UseLinkRecorder(bool mail) {
  DeleteFileW((BuildDir() + L"links.log").c_str());
  const std::wstring command = L"\"" + BuildDir() + L"vorlux_link_recorder.exe\" %1";
  for (const wchar_t* scheme : {L"mailto", L"http", L"https"}) {
    const std::wstring key = std::wstring(scheme) + L"\\shell\\open\\command";
    RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
    if (mail || scheme != std::wstring_view(L"mailto"))
      RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }
}

void FollowAboutLink(const wchar_t* text, DWORD downFlag, const char* recorded) {
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box = FindWindowW(nullptr, L"About")); }, 5s));
  RECT r;
  const HWND frame = FindWindowExW(box, nullptr, L"VorluxFrame", nullptr);
  ASSERT_TRUE(GetWindowRect(FindWindowExW(frame, nullptr, L"Static", text), &r));
  SetCursorPos(r.left + 3, (r.top + r.bottom) / 2);
  Sleep(200);
  ClickMouse(downFlag);
  const auto links = [] {
    std::ifstream log(std::filesystem::path(BuildDir() + L"links.log"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(log), {});
  };
  EXPECT_TRUE(WaitUntil([&] { return links() == recorded; }, 5s)) << links();
}

bool CursorVisible() {
  CURSORINFO ci{.cbSize = sizeof ci};
  return GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

bool SaverRunningFlag() {
  // Wine keeps the flag as a process first read it; a new process reads the current state.
  return Process::Start(BuildDir() + L"vorlux_spi_flag.exe", L"").WaitExit(10s) == 1u;
}

// Fraction of the pixels of this colour in the top-left quadrant whose three mirror images about
// the middle of the screen have it too, allowing two pixels either way: GDI's end-point rule
// moves line ends by one, and arcs are not rasterised as exact mirror images of each other.
double MirrorAgreement(const Screenshot& shot, uint32_t rgb) {
  const int w = shot.Width(), h = shot.Height();
  const auto litNear = [&](int x, int y) {
    for (int py = std::max(0, y - 2); py <= std::min(h - 1, y + 2); ++py)
      for (int px = std::max(0, x - 2); px <= std::min(w - 1, x + 2); ++px)
        if (shot.At(px, py) == rgb) return true;
    return false;
  };
  size_t lit = 0, agreeing = 0;
  for (int y = 0; y < h / 2; ++y)
    for (int x = 0; x < w / 2; ++x)
      if (shot.At(x, y) == rgb)
        ++lit, agreeing += litNear(w - x, y) && litNear(x, h - y) && litNear(w - x, h - y);
  return lit == 0 ? 0.0 : static_cast<double>(agreeing) / lit;
}

void SaverTest::SetUp() {
  ClearSaverSettings();
  // The pointer rests in the middle, as a user's would, away from anything the test opens.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}

void SaverTest::TearDown() {
  if (saver_.Running()) {
    saver_ = Process();  // ended: it cannot put the system's state back itself
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
  }
  ClearSaverSettings();
}

::testing::AssertionResult SaverTest::StartShow(
    std::vector<std::pair<std::wstring_view, std::wstring_view>> settings) {
  for (const auto& [key, value] : settings) WriteSaverSetting(key, value);
  saver_ = Process::StartSaver(L"/S");
  if (!WaitUntil([&] { return ShowHwnd() && !CursorVisible(); }, 10s))
    return ::testing::AssertionFailure()
           << (ShowHwnd() ? "the cursor shows" : "no show window") << "; the saver's exit code "
           << testing::PrintToString(saver_.WaitExit(0ms)) << ", its windows "
           << saver_.Windows().size();
  // Input sent before the window has settled is partly lost under Wine.
  Sleep(200);
  return ::testing::AssertionSuccess();
}

HWND SaverTest::ShowHwnd() const {
  for (HWND w : saver_.Windows())
    if (RECT r; GetWindowRect(w, &r) && r.right - r.left >= GetSystemMetrics(SM_CXSCREEN) &&
                r.bottom - r.top >= GetSystemMetrics(SM_CYSCREEN))
      return w;
  return nullptr;
}

::testing::AssertionResult SaverTest::EndsCleanly() {
  const auto code = saver_.WaitExit(3s);
  const bool cursor = CursorVisible(), flag = SaverRunningFlag();
  if (code == 0u && cursor && !flag) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "exit code " << (code ? long(*code) : -1L)
                                       << ", cursor visible " << cursor << ", saver flag " << flag;
}

}  // namespace vorlux::test
