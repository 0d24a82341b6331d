// The show's input rules (keys, clicks with and without modifiers, the mouse watch's square) and
// the areas it covers.
#include "saver/show_input.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <span>
#include <vector>

#include "saver/monitor_layout.h"

namespace vorlux::test {
namespace {

TEST(ShowInput, KeysAndClicksStopButAPlainRightClickAndAMoveStopsOnlyOutOfTheSquare) {
  constexpr auto Nothing = ShowAnswer::kNothing, Stop = ShowAnswer::kStop,
                 About = ShowAnswer::kAbout;
  constexpr int L = kLeftButton, R = kRightButton, M = kMiddleButton, S = kShiftMask, C = kCtrlMask,
                A = kAltMask;
  constexpr Point kMax{INT32_MAX, INT32_MAX}, kMin{INT32_MIN, INT32_MIN};
  using In = ShowInput;
  const In key;
  const auto click = [](int button, int shift) { return In{In::kButton, button, shift}; };
  const auto at = [](int32_t x, int32_t y) { return In{.kind = In::kPointer, .at = {x, y}}; };
  // The input, the answer, whether a reference is recorded after (where the pointer is, for a
  // new one), whether a mouse move ends the show, whether a reference was recorded before, and
  // the reference; the flags are set where left out.
  // clang-format off
  const struct {
    ShowInput input; ShowAnswer answer; bool has = 1, moveEnds = 1, had = 1; Point ref = {100, -50};
  } cases[] = {
      {key, Stop, 0, 0, 0}, {key, Stop}, {click(R, 0), About}, {click(R, S), Stop},
      {click(R, C), Stop}, {click(R, A), Stop}, {click(R, S | C | A), Stop}, {click(L, 0), Stop},
      {click(L, S), Stop}, {click(L, C), Stop}, {click(L, A), Stop}, {click(M, 0), Stop},
      {click(M, S), Stop}, {click(M, C), Stop}, {click(M, A), Stop},
      // Without mouseMoveEnds a move is nothing, and records nothing.
      {at(5000, 5000), Nothing, 1, 0}, {at(5, 5), Nothing, 0, 0, 0},
      // The first position becomes the reference: the one after a stop too.
      {at(5000, 5000), Nothing, 1, 1, 0}, {at(INT32_MIN, INT32_MIN), Nothing, 1, 1, 0},
      // The 5x5 square around the reference answers nothing; beyond it the show stops and the
      // reference is forgotten.
      {at(100, -50), Nothing}, {at(102, -50), Nothing}, {at(98, -50), Nothing},
      {at(100, -48), Nothing}, {at(100, -52), Nothing}, {at(102, -52), Nothing},
      {at(98, -48), Nothing}, {at(103, -50), Stop, 0}, {at(97, -50), Stop, 0},
      {at(100, -47), Stop, 0}, {at(100, -53), Stop, 0}, {at(103, -53), Stop, 0},
      {at(97, -47), Stop, 0},
      // At the ends of the 32-bit range the bounds do not wrap.
      {at(INT32_MAX - 2, INT32_MAX), Nothing, 1, 1, 1, kMax},
      {at(INT32_MIN + 2, INT32_MIN), Nothing, 1, 1, 1, kMin},
      {at(INT32_MIN, INT32_MAX), Stop, 0, 1, 1, kMax},
      {at(INT32_MAX, INT32_MAX), Stop, 0, 1, 1, kMin},
  };
  // clang-format on
  for (const auto& c : cases) {
    InputWatchState watch{c.had, c.ref};
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(DecideShowInput(c.input, watch, c.moveEnds), c.answer);
    const Point &at = watch.FirstCursorPos, &expected = c.had || !c.has ? c.ref : c.input.at;
    EXPECT_TRUE(watch.CursorPosRecorded == c.has && at.x == expected.x && at.y == expected.y);
  }
}

std::vector<std::array<int32_t, 4>> Corners(std::span<const Rect> rects) {
  std::vector<std::array<int32_t, 4>> corners;
  for (const Rect& r : rects) corners.push_back({r.left, r.top, r.right, r.bottom});
  return corners;
}

TEST(MonitorLayout, ThePrimaryFirstThenEachOtherMonitorOnceUnlessInsideAnother) {
  const Rect P{0, 0, 1024, 768}, L{-800, 0, 0, 600}, R{1024, 0, 1824, 600}, U{0, -600, 800, 0},
      Big{1024, -200, 3584, 1240}, Portrait{1024, 0, 1792, 1024}, Small{1024, 0, 1424, 300};
  // clang-format off
  const struct { const char* name; std::vector<Rect> reported, areas; } cases[] = {
      {"one", {P}, {P}}, {"none reported", {}, {P}},
      {"side by side", {P, R}, {P, R}}, {"left, negative x", {L, P}, {P, L}},
      {"above", {P, U}, {P, U}}, {"different sizes, portrait", {P, Big, L}, {P, Big, L}},
      {"mirrored", {P, L, U, P, L}, {P, L, U}}, {"inside the primary", {P, {0, 0, 800, 600}}, {P}},
      {"inside another, either order", {Small, P, Portrait, Small}, {P, Portrait}},
      {"three", {L, P, Portrait}, {P, L, Portrait}}, {"100 times one", std::vector(100, R), {P, R}},
      {"empty, inverted, beyond reach", {{5000, 0, 5000, 10}, {900, 0, -900, 10},
          {INT32_MIN, 0, INT32_MAX, 10}, {kMaxMonitorCoordinate, 0, kMaxMonitorCoordinate + 1, 1}},
       {P}},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(Corners(AreasToCover(P, c.reported).All()), Corners(c.areas)) << c.name;
  std::vector<Rect> many;
  for (int32_t i = 1; i <= 40; ++i) many.push_back({1024 * i, 0, 1024 * (i + 1), 768});
  EXPECT_EQ(AreasToCover(P, many).count, kMaxMonitorAreas);
}

}  // namespace
}  // namespace vorlux::test
