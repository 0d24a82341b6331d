// Figures of the setup dialog: time from starting "SSVorlux.scr /C" to the dialog on the screen
// (the median of several runs, each closed again with WM_CLOSE), then one more dialog left idle
// between the lines "ready" and "measured" while bench/setup-cpu.sh reads its CPU and
// wineserver's from /proc, then closed with WM_CLOSE.
//   setup_start_win32 [runs] [idle-seconds] [program]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "config/run_state.h"
#include "ui/message_loop.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

using namespace vorlux::test;

namespace {

double Now() { return vorlux::MonotonicSeconds(); }

// The process's visible top-level window with the application's title, or nullptr.
HWND Dialog(const Process& p) {
  for (HWND w : p.Windows())
    if (WindowTextOf(w) == vorlux::kAppTitle) return w;
  return nullptr;
}

// Starts the setup and waits for its dialog: the seconds it took, or a negative number.
double StartSetup(Process& p, const std::wstring& program) {
  const double t0 = Now();
  p = Process::Start(program, L"/C");
  return WaitUntil([&] { return Dialog(p) != nullptr; }, 10s) ? Now() - t0 : -1;
}

// Posts WM_CLOSE to the dialog: whether the process then ended.
bool Close(Process& p) {
  PostMessageW(Dialog(p), WM_CLOSE, 0, 0);
  return p.WaitExit(5s).has_value();
}

int Fail(const char* why) {
  std::printf("%s\n", why);
  return 1;
}

std::wstring Widen(const char* s) {
  std::wstring w(MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0), L'\0');
  w.resize(MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), static_cast<int>(w.size())) - 1);
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 10);
  const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;
  const std::wstring program = argc > 3 ? Widen(argv[3]) : SaverPath();
  ClearSaverSettings();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    Process p;
    times.push_back(StartSetup(p, program));
    if (times.back() < 0) return Fail("no dialog on screen within 10 s");
    if (!Close(p)) return Fail("the dialog did not end on WM_CLOSE");
  }
  std::sort(times.begin(), times.end());
  const double median = (times[(times.size() - 1) / 2] + times[times.size() / 2]) / 2;
  std::printf("start to dialog on screen: median %.0f ms (%.0f to %.0f ms, %d runs)\n",
              median * 1000, times.front() * 1000, times.back() * 1000, runs);

  Process p;
  if (StartSetup(p, program) < 0) return Fail("no dialog on screen within 10 s");
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(idleSeconds) * 1000);
  std::printf("measured\n");
  std::fflush(stdout);
  const bool closed = Close(p);
  std::printf("ended by WM_CLOSE: %s\n", closed ? "yes" : "NO");
  ClearSaverSettings();
  return closed ? 0 : 1;
}
