// Test support for Windows tests: start the saver as Windows does, watch its windows and
// settings, capture the screen, and send input as a user would.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlux::test {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// True when running under Wine (some assertions differ, each with its reason).
bool RunningOnWine();

// The directory of the running test program (the build directory), with a trailing backslash.
std::wstring BuildDir();
std::wstring SaverPath();

// Polls pred every few milliseconds while processing this thread's messages.
bool WaitUntil(const std::function<bool()>& pred, Millis timeout);

// A process started with a command line, as Windows starts a screen saver.
class Process {
 public:
  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  ~Process();  // kills a process still running

  // Starts program with the argument text appended after its quoted path.
  static Process Start(const std::wstring& program, std::wstring_view arguments);
  static Process StartSaver(std::wstring_view arguments) { return Start(SaverPath(), arguments); }

  bool Valid() const { return handle_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return handle_; }
  bool Running() const;
  // The exit code once the process has ended within the timeout; empty otherwise. The
  // calling thread's messages are processed while waiting.
  std::optional<DWORD> WaitExit(Millis timeout);
  void Kill();
  // Top-level windows of the process, optionally only visible ones.
  std::vector<HWND> Windows(bool visibleOnly = true) const;

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
};

// A top-level window by class and title (either may be empty for "any").
HWND FindTopWindow(std::wstring_view className, std::wstring_view title);
std::wstring WindowTextOf(HWND window);
std::wstring ClassNameOf(HWND window);
// Whether any window below this one (at any depth) has a text containing the given one.
bool ChildWithText(HWND window, std::wstring_view text);

// The saver's settings (section "Setting" of the application title).
std::optional<std::wstring> ReadSaverSetting(std::wstring_view key);
void WriteSaverSetting(std::wstring_view key, std::wstring_view value);
void ClearSaverSettings();

// Screen pixels as 0x00RRGGBB.
class Screenshot {
 public:
  static Screenshot Capture();
  // A rectangle of the screen.
  static Screenshot CaptureRect(const RECT& r);
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // Pixels whose colour differs from the given one.
  size_t CountNot(uint32_t rgb) const;
  size_t CountOf(uint32_t rgb) const;
  // Saves a BMP file, for looking at a failing case.
  void Save(const std::wstring& path) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Input as a user sends it.
void PressKey(WORD virtualKey);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released in reverse
void MoveMouseTo(int x, int y);
void ClickMouse(int button /* 1 left, 2 right, 4 middle */, std::initializer_list<WORD> modifiers = {});

// A top-level popup window of one colour, painted by its class background.
class ColouredWindow {
 public:
  ColouredWindow(COLORREF color, RECT where);
  ~ColouredWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
  HBRUSH brush_ = nullptr;
  std::wstring className_;
};

bool CursorVisible();
bool SaverRunningFlag();

}  // namespace vorlux::test
