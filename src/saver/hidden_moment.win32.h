// The moment at the end of a cycle over the desktop when the show is hidden: the other
// windows are asked to answer (which they do once they have repainted what the show uncovered),
// and the keys and clicks that go to them meanwhile are kept for the show's own rules.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "saver/show_input.h"

namespace vorlux {

class HiddenMoment {
 public:
  // Starts watching the keyboard and the mouse of the whole session. rounds numbers the waits
  // of the whole show, so that a late answer to an earlier one is not counted.
  explicit HiddenMoment(uintptr_t& rounds);
  ~HiddenMoment();
  HiddenMoment(const HiddenMoment&) = delete;
  HiddenMoment& operator=(const HiddenMoment&) = delete;

  // Asks every visible top-level window of other threads to answer once, and waits until they
  // all have, for at most the given seconds (a hung one never answers).
  void WaitForOtherWindowsToAnswer(double seconds);
  // Stops watching; what came in so far is kept.
  void EndWatch();
  // A key if any was pressed, else the first button pressed; none when nothing came.
  std::optional<ShowInput> InputMeanwhile() const;

 private:
  static LRESULT CALLBACK KeyWhileHidden(int code, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK MouseWhileHidden(int code, WPARAM wp, LPARAM lp);
  static void CALLBACK Answered(HWND, UINT, ULONG_PTR round, LRESULT);
  static BOOL CALLBACK AskToAnswer(HWND window, LPARAM moment);

  uintptr_t& rounds_;
  int answersPending_ = 0;
  HHOOK keyHook_ = nullptr;
  HHOOK mouseHook_ = nullptr;
  int keys_ = 0;
  int button_ = 0;  // the first button pressed (kLeftButton, ...), 0 for none
  int shift_ = 0;
  Point at_;  // where that button was pressed
};

}  // namespace vorlux
