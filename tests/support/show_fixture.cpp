#include "show_fixture.h"

#include "config/settings_store.h"

namespace vorlux::test {

void ShowTest::SetUp() {
  ClearSaverSettings();
  // The pointer rests in the middle, as a user's would, away from anything the test opens.
  MoveMouseTo(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
}

void ShowTest::TearDown() {
  if (saver_.Running()) {
    saver_.Kill();
    // A killed show cannot put the system's state back itself.
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
  }
  while (ShowCursor(TRUE) < 0) {
  }
  ClearSaverSettings();
}

void ShowTest::StartShow(std::vector<std::pair<std::wstring, std::wstring>> settings) {
  for (const auto& [key, value] : settings) WriteSaverSetting(key, value);
  saver_ = Process::StartSaver(L"/S");
  ASSERT_TRUE(saver_.Valid());
  ASSERT_TRUE(WaitUntil([&] { return ShowHwnd() != nullptr; }, 10s)) << "no show window";
  // Input sent before the window has settled is partly lost under Wine.
  Sleep(200);
}

HWND ShowTest::ShowHwnd() const {
  for (HWND w : saver_.Windows()) {
    RECT r;
    GetWindowRect(w, &r);
    if (r.right - r.left >= GetSystemMetrics(SM_CXSCREEN) &&
        r.bottom - r.top >= GetSystemMetrics(SM_CYSCREEN))
      return w;
  }
  return nullptr;
}

::testing::AssertionResult ShowTest::EndsCleanly(Millis timeout) {
  const auto code = saver_.WaitExit(timeout);
  if (!code) return ::testing::AssertionFailure() << "still running after " << timeout.count() << " ms";
  if (*code != 0) return ::testing::AssertionFailure() << "exit code " << *code;
  if (!CursorVisible()) return ::testing::AssertionFailure() << "the cursor stayed hidden";
  if (SaverRunningFlag()) return ::testing::AssertionFailure() << "the saver-running flag stayed on";
  return ::testing::AssertionSuccess();
}

bool ShowTest::KeepsRunning(Millis time) {
  return !saver_.WaitExit(time).has_value();
}

double MirrorAgreement(const Screenshot& shot, int cx, int cy, uint32_t background) {
  auto lit = [&](int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) {
        const int px = x + dx, py = y + dy;
        if (px >= 0 && py >= 0 && px < shot.Width() && py < shot.Height() &&
            shot.At(px, py) != background)
          return true;
      }
    return false;
  };
  size_t litCount = 0, agreeing = 0;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      if (shot.At(x, y) == background) continue;
      const int mx = 2 * cx - x, my = 2 * cy - y;
      if (mx >= shot.Width() || my >= shot.Height()) continue;
      ++litCount;
      if (lit(mx, y) && lit(x, my) && lit(mx, my)) ++agreeing;
    }
  return litCount == 0 ? 0.0 : static_cast<double>(agreeing) / litCount;
}

}  // namespace vorlux::test
