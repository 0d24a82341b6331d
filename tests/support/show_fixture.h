// Running the real full-screen show from a test and watching it from outside.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "vorlux_test.h"

namespace vorlux::test {

class ShowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts SSVorlux.scr /S with these settings and waits until its window is on the screen.
  void StartShow(std::vector<std::pair<std::wstring, std::wstring>> settings = {});
  // The show's full-screen window (nullptr before it is up).
  HWND ShowHwnd() const;
  // Waits for the process to end; true with exit code 0, cursor visible, saver flag off.
  ::testing::AssertionResult EndsCleanly(Millis timeout = 3000ms);
  // Still running after the given time.
  bool KeepsRunning(Millis time);

  Process saver_;
};

// Fraction of lit (non-background) pixels of the top-left quadrant whose three mirror images
// about (cx, cy) are lit too, allowing two pixels either way: GDI's end-point rule moves line
// ends by one, and arcs are not rasterised as exact mirror images of each other.
double MirrorAgreement(const Screenshot& shot, int cx, int cy, uint32_t background);

}  // namespace vorlux::test
