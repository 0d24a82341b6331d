// The show's input rules (keys, clicks with and without modifiers, the mouse watch's square) and
// the areas it covers.
#include "saver/show_input.h"

#include <gtest/gtest.h>

#include <climits>
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
  const ShowInput key;
  const auto click = [](int button, int shift) {
    return ShowInput{.kind = ShowInput::kButton, .button = button, .shift = shift};
  };
  const auto at = [](int32_t x, int32_t y) {
    return ShowInput{.kind = ShowInput::kPointer, .at = {x, y}};
  };
  // The input, whether a mouse move ends the show, whether a reference was recorded, the answer,
  // whether one is recorded after (where the pointer is, for a new one), and the reference.
  // clang-format off
  const struct {
    ShowInput input; bool moveEnds, had; ShowAnswer answer; bool has; Point ref = {100, -50};
  } cases[] = {
      {key, 0, 0, Stop, 0}, {key, 1, 1, Stop, 1}, {click(R, 0), 1, 1, About, 1},
      {click(R, S), 1, 1, Stop, 1}, {click(R, C), 1, 1, Stop, 1}, {click(R, A), 1, 1, Stop, 1},
      {click(R, S | C | A), 1, 1, Stop, 1}, {click(L, 0), 1, 1, Stop, 1},
      {click(L, S), 1, 1, Stop, 1}, {click(L, C), 1, 1, Stop, 1}, {click(L, A), 1, 1, Stop, 1},
      {click(M, 0), 1, 1, Stop, 1}, {click(M, S), 1, 1, Stop, 1}, {click(M, C), 1, 1, Stop, 1},
      {click(M, A), 1, 1, Stop, 1},
      // Without mouseMoveEnds a move is nothing, and records nothing.
      {at(5000, 5000), 0, 1, Nothing, 1}, {at(5, 5), 0, 0, Nothing, 0},
      // The first position becomes the reference: the one after a stop too.
      {at(5000, 5000), 1, 0, Nothing, 1}, {at(INT32_MIN, INT32_MIN), 1, 0, Nothing, 1},
      // The 5x5 square around the reference answers nothing; beyond it the show stops and the
      // reference is forgotten.
      {at(100, -50), 1, 1, Nothing, 1}, {at(102, -50), 1, 1, Nothing, 1},
      {at(98, -50), 1, 1, Nothing, 1}, {at(100, -48), 1, 1, Nothing, 1},
      {at(100, -52), 1, 1, Nothing, 1}, {at(102, -52), 1, 1, Nothing, 1},
      {at(98, -48), 1, 1, Nothing, 1}, {at(103, -50), 1, 1, Stop, 0}, {at(97, -50), 1, 1, Stop, 0},
      {at(100, -47), 1, 1, Stop, 0}, {at(100, -53), 1, 1, Stop, 0}, {at(103, -53), 1, 1, Stop, 0},
      {at(97, -47), 1, 1, Stop, 0},
      // At the ends of the 32-bit range the bounds do not wrap.
      {at(INT32_MAX - 2, INT32_MAX), 1, 1, Nothing, 1, kMax},
      {at(INT32_MIN + 2, INT32_MIN), 1, 1, Nothing, 1, kMin},
      {at(INT32_MIN, INT32_MAX), 1, 1, Stop, 0, kMax},
      {at(INT32_MAX, INT32_MAX), 1, 1, Stop, 0, kMin},
  };
  // clang-format on
  for (const auto& c : cases) {
    InputWatchState watch{c.had, c.ref};
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(DecideShowInput(c.input, watch, c.moveEnds), c.answer);
    EXPECT_EQ(watch.CursorPosRecorded, c.has);
    const Point expected = c.had || !c.has ? c.ref : c.input.at;
    EXPECT_TRUE(watch.FirstCursorPos.x == expected.x && watch.FirstCursorPos.y == expected.y);
  }
}

TEST(MonitorLayout, ThePrimaryFirstThenEachOtherMonitorOnceUnlessInsideAnother) {
  const Rect P{0, 0, 1024, 768}, L{-800, 0, 0, 600}, R{1024, 0, 1824, 600}, U{0, -600, 800, 0},
      Big{1024, -200, 3584, 1240}, Portrait{1024, 0, 1792, 1024}, Small{1024, 0, 1424, 300};
  // clang-format off
  const struct { const char* name; std::vector<Rect> reported, areas; } cases[] = {
      {"one", {P}, {P}}, {"none reported", {}, {P}},
      {"side by side", {P, R}, {P, R}}, {"left, negative x", {L, P}, {P, L}},
      {"above", {P, U}, {P, U}}, {"different sizes, portrait", {P, Big, L}, {P, Big, L}},
      {"mirrored", {P, L, P, L}, {P, L}}, {"inside the primary", {P, {0, 0, 800, 600}}, {P}},
      {"inside another, either order", {Small, P, Portrait, Small}, {P, Portrait}},
      {"three", {L, P, Portrait}, {P, L, Portrait}},
      {"empty, inverted, beyond reach", {{5000, 0, 5000, 10}, {900, 0, -900, 10},
          {INT32_MIN, 0, INT32_MAX, 10}, {kMaxMonitorCoordinate, 0, kMaxMonitorCoordinate + 1, 1}},
       {P}},
  };
  // clang-format on
  for (const auto& c : cases) {
    const MonitorAreas areas = AreasToCover(P, c.reported);
    const std::span<const Rect> got = areas.All();
    ASSERT_EQ(got.size(), c.areas.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i)
      EXPECT_TRUE(got[i].left == c.areas[i].left && got[i].top == c.areas[i].top &&
                  got[i].right == c.areas[i].right && got[i].bottom == c.areas[i].bottom)
          << c.name << ", area " << i;
  }
  EXPECT_EQ(AreasToCover(P, std::vector<Rect>(100, R)).count, 2u);  // duplicates: none counted
  std::vector<Rect> many;
  for (int32_t i = 1; i <= 40; ++i) many.push_back({1024 * i, 0, 1024 * (i + 1), 768});
  EXPECT_EQ(AreasToCover(P, many).count, kMaxMonitorAreas);
}

}  // namespace
}  // namespace vorlux::test
