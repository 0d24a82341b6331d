// Support for the Windows tests: start the saver as Windows does, watch its windows, settings
// and screen from outside, send input as a user would, and run the full-screen show.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlux::test {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// The directory of the running test program (the build directory), with a trailing backslash.
std::wstring BuildDir();
inline std::wstring SaverPath() { return BuildDir() + L"SSVorlux.scr"; }

// Polls pred every few milliseconds while processing this thread's messages.
bool WaitUntil(const std::function<bool()>& pred, Millis timeout);

// A process started with a command line, as Windows starts a screen saver, or opened by its id.
// One that still runs when its owner lets go of it is ended.
class Process {
 public:
  explicit Process(HANDLE process = nullptr) : handle_(process, End) {}
  // Starts program with the argument text after its quoted path.
  static Process Start(const std::wstring& program, std::wstring_view arguments);
  static Process StartSaver(std::wstring_view arguments) { return Start(SaverPath(), arguments); }

  bool Running() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }
  // The exit code once the process has ended within the timeout; empty otherwise. This
  // thread's windows keep answering meanwhile: the program may send them messages.
  std::optional<DWORD> WaitExit(Millis timeout);
  // The process's visible top-level windows.
  std::vector<HWND> Windows() const;

 private:
  static void End(HANDLE process);
  std::unique_ptr<void, decltype(&End)> handle_;
};

std::wstring WindowTextOf(HWND window);

// Runs f on a thread of its own; Join waits for that thread to end.
inline DWORD CALLBACK RunThread(void* f) { return (*static_cast<std::function<void()>*>(f))(), 0; }
inline HANDLE StartThread(std::function<void()>& f) {
  return CreateThread(nullptr, 0, RunThread, &f, 0, nullptr);
}
inline void Join(HANDLE thread) { WaitForSingleObject(thread, INFINITE), CloseHandle(thread); }

// The saver's settings (section "Setting" of the application title); "(absent)" for none.
std::wstring ReadSaverSetting(std::wstring_view key);
void WriteSaverSetting(std::wstring_view key, std::wstring_view value);
void ClearSaverSettings();

// Screen pixels as 0x00RRGGBB.
class Screenshot {
 public:
  static Screenshot CaptureRect(const RECT& r);
  static Screenshot Capture() {
    return CaptureRect({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  size_t CountOf(uint32_t rgb) const { return std::count(pixels_.begin(), pixels_.end(), rgb); }
  size_t CountNot(uint32_t rgb) const { return pixels_.size() - CountOf(rgb); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Fraction of the pixels of this colour in the top-left quadrant whose three mirror images about
// the middle of the shot have it too, allowing two pixels either way.
double MirrorAgreement(const Screenshot& shot, uint32_t rgb);

// Input as a user sends it. A click takes the button's MOUSEEVENTF_xDOWN flag. (The pointer is
// placed with SetCursorPos: SendInput scales absolute coordinates to 0..65535 and can land a
// pixel off, which matters to a watch that counts pixels.)
// A key pressed (times over) while the held keys are down.
void PressKey(WORD virtualKey, std::initializer_list<WORD> held = {}, int times = 1);
void ClickMouse(DWORD downFlag, std::initializer_list<WORD> modifiers = {});

// A top-level popup window of one colour.
struct ColouredWindow {
  ColouredWindow(COLORREF color, RECT where);
  ~ColouredWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

// Registers the tests' recorder as the shell's handler of links (mailto only when mail is true)
// and empties its log.
void UseLinkRecorder(bool mail = true);
// Presses a mouse button on the link with this text in the About box on the screen, and expects
// the recorder to log what it is started with: recorded, one link a line.
void FollowAboutLink(const wchar_t* text, DWORD downFlag, const char* recorded);

bool CursorVisible();
bool SaverRunningFlag();

// The real program started by the test and watched from outside, with no stored settings
// before and after.
class SaverTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts SSVorlux.scr /S with these settings; succeeds once its window is on the screen
  // and the cursor is hidden.
  ::testing::AssertionResult StartShow(
      std::vector<std::pair<std::wstring_view, std::wstring_view>> settings = {});
  // The show's full-screen window (nullptr before it is up).
  HWND ShowHwnd() const;
  // Waits up to 3 s for the show to end; succeeds with exit code 0, cursor visible and the
  // saver-running flag off.
  ::testing::AssertionResult EndsCleanly();

  Process saver_;
};

}  // namespace vorlux::test
