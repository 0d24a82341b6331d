// Figures of a running show: time from start to the first frame, then (between the lines
// "ready" and "measured", while bench/show-cpu.sh reads the CPU of the show and of wineserver
// from /proc) 30 s of undisturbed show, then the frame rate of each monitor counted from its
// screen changes. With "fixed", the show draws in one stored colour instead of random ones.
//   show_win32 [cpu-seconds] [fps-seconds] [random|fixed]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ui/message_loop.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

using namespace vorlux::test;

namespace {

double Now() { return vorlux::MonotonicSeconds(); }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
  return TRUE;
}

// A small copy of a monitor: enough to see every frame's new lines.
std::vector<uint32_t> Sample(const RECT& monitor) {
  const Screenshot s = Screenshot::CaptureRect(monitor);
  std::vector<uint32_t> v;
  for (int y = 0; y < s.Height(); y += 2)
    for (int x = 0; x < s.Width(); x += 2) v.push_back(s.At(x, y));
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  const int cpuSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
  const int fpsSeconds = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::string_view colours = argc > 3 ? argv[3] : "random";
  if (colours != "random" && colours != "fixed") return 4;
  ClearSaverSettings();
  if (colours == "fixed") {
    WriteSaverSetting(L"ColorRandom", L"0");
    WriteSaverSetting(L"ColorFixed", L"0,192,255");
  }
  const double t0 = Now();
  Process saver = Process::StartSaver(L"/S");
  if (!saver.Running()) return 1;
  bool drawn = WaitUntil([] { return Screenshot::Capture().CountNot(0) > 50; }, 10s);
  const double firstFrame = Now() - t0;
  if (!drawn) return 2;
  std::printf("start to first frame: %.0f ms\nready\n", firstFrame * 1000);
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(cpuSeconds) * 1000);
  std::printf("measured\n");
  std::fflush(stdout);

  // A frame draws its figures within a few milliseconds and then waits 0.1 s: changes closer
  // together than 60 ms are one frame caught while drawing.
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  struct Count {
    std::vector<uint32_t> last;
    int changes = 0;
    double lastChange = -1;
  };
  std::vector<Count> counts;
  for (const RECT& m : monitors) counts.push_back({Sample(m)});
  const double fpsStart = Now();
  while (Now() - fpsStart < fpsSeconds) {
    for (size_t i = 0; i < monitors.size(); ++i) {
      auto now = Sample(monitors[i]);
      if (now != counts[i].last && Now() - counts[i].lastChange > 0.06) {
        ++counts[i].changes;
        counts[i].lastChange = Now();
      }
      counts[i].last = std::move(now);
    }
  }
  for (size_t i = 0; i < monitors.size(); ++i) {
    const RECT& m = monitors[i];
    std::printf("frames per second (screen changes), monitor at %ld,%ld %ldx%ld: %.1f\n", m.left,
                m.top, m.right - m.left, m.bottom - m.top, counts[i].changes / (Now() - fpsStart));
  }
  PressKey(VK_SHIFT);
  const auto code = saver.WaitExit(5s);
  std::printf("ended by a key: %s\n", code && *code == 0 ? "yes, exit code 0" : "NO");
  ClearSaverSettings();
  return 0;
}
