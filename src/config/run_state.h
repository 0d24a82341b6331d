// The run state: what the entry routine sets from the command line, the screen and the stored
// settings, and the stop flag that the handlers raise. The entry routine owns the one instance.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlux {

inline constexpr std::wstring_view kAppTitle = L"Vorlux Screen Saver";
inline constexpr std::wstring_view kCopyrightYears = L"2000, 2014, 2020";

struct RunState {
  std::wstring CopyrightYears;
  std::wstring AppTitle;
  int32_t RunMode = 0;
  int16_t TwipsPerPixelX = 15;
  int16_t TwipsPerPixelY = 15;
  bool ClearToBlack = false;
  bool MouseMoveEnds = false;
  bool UseRandomColors = false;
  uint32_t FixedColor = 0;
  bool StopRequested = false;
};

// Shows the mouse pointer again and raises StopRequested: the show or the setup dialog ends.
// Keys, clicks, the mouse watch, a link and the setup dialog's buttons all stop through it.
void StopSaver(RunState& run);

}  // namespace vorlux
