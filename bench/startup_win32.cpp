// Start-up against its floor: "SSVorlux.scr /S" (white lines on black) and minimal_window_win32
// started in turn, each timed from its start to the first drawing on the screen and ended with
// a key; prints both medians, their difference and the median of the rounds' differences.
//   startup_win32 [rounds, default 30]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/message_loop.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

using namespace vorlux::test;

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 30;
  ClearSaverSettings();
  WriteSaverSetting(L"ColorRandom", L"0");  // every figure white: the first frame shows
  WriteSaverSetting(L"ColorFixed", L"255,255,255");
  const auto drawn = [] { return Screenshot::Capture().CountNot(0) > 50; };
  std::vector<double> saver, floor;
  for (int i = 0; i < rounds; ++i) {
    for (bool isSaver : {true, false}) {
      if (!WaitUntil([&] { return !drawn(); }, 5s)) return 3;  // black again
      const double t0 = vorlux::MonotonicSeconds();
      Process p = isSaver ? Process::StartSaver(L"/S")
                          : Process::Start(BuildDir() + L"minimal_window_win32.exe", L"");
      if (!WaitUntil(drawn, 10s)) return 2;
      (isSaver ? saver : floor).push_back(vorlux::MonotonicSeconds() - t0);
      Sleep(300);  // input sent at once is partly lost
      PressKey(VK_SHIFT);
      p.WaitExit(5s);
    }
  }
  ClearSaverSettings();
  // Each round's two starts are close in time: the median of their differences is steadier than
  // the difference of the medians when Wine's own start-up drifts over the run.
  std::vector<double> paired;
  for (size_t i = 0; i < saver.size(); ++i) paired.push_back(saver[i] - floor[i]);
  std::printf(
      "start to first frame, median of %d: saver %.0f ms, minimal window %.0f ms, "
      "difference %.0f ms; median of the rounds' differences %.0f ms\n",
      rounds, Median(saver) * 1000, Median(floor) * 1000, (Median(saver) - Median(floor)) * 1000,
      Median(paired) * 1000);
  return 0;
}
