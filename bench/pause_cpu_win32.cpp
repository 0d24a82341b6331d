// CPU used while waiting 5 seconds with messages processed, the saver's way (Pause: sleeping
// on the message queue) against a spinning wait that polls messages and the clock.
//   pause_cpu_win32 pause|spin|none [seconds]
// Prints the process's own CPU seconds over the wait between the lines "waiting" and "done";
// bench/pause-cpu.sh reads wineserver's CPU at those two lines.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/message_loop.win32.h"
#include "ui/window_utils.win32.h"

namespace {

double ProcessCpuSeconds() {
  FILETIME c, e, k, u;
  GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
  auto v = [](FILETIME f) {
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return static_cast<double>(v(k) + v(u)) / 1e7;
}

void SpinningWait(double seconds) {
  const double end = vorlux::MonotonicSeconds() + seconds;
  while (vorlux::MonotonicSeconds() < end) vorlux::ProcessPendingMessages();
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "pause";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 5.0;
  // A window, as the saver has one, so that the queue is a real GUI queue.
  HWND w =
      CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  vorlux::ProcessPendingMessages();
  std::printf("waiting\n");
  std::fflush(stdout);
  const double cpu0 = ProcessCpuSeconds();
  const double t0 = vorlux::MonotonicSeconds();
  if (std::strcmp(mode, "pause") == 0) {
    vorlux::Pause(static_cast<float>(seconds));
  } else if (std::strcmp(mode, "spin") == 0) {
    SpinningWait(seconds);
  }
  const double wall = vorlux::MonotonicSeconds() - t0;
  const double cpu = std::max(0.0, ProcessCpuSeconds() - cpu0);
  std::printf("done\n%s: %.2f s waited, %.3f s CPU of the program (%.1f%% of one core)\n", mode,
              wall, cpu, wall > 0 ? 100.0 * cpu / wall : 0.0);
  DestroyWindow(w);
  return 0;
}
