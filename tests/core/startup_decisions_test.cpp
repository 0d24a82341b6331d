// The entry routine's decisions without a window: the single-instance rule and settings loading.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "app/startup.h"
#include "base/color.h"

namespace vorlux::test {
namespace {

TEST(InstanceRule, AloneAnOpenDialogComesForwardBesideAnotherOnlyAShowBesideAPreviewRuns) {
  constexpr auto GoOn = InstanceAction::kGoOn, End = InstanceAction::kEnd,
                 Restore = InstanceAction::kRestoreAndEnd;
  constexpr int32_t None = kRunModeNone, Setup = kRunModeSetup, Show = kRunModeShow,
                    Preview = kRunModePreview, Password = kRunModePassword;
  constexpr std::uintptr_t W = 0x1234;  // an open setup dialog
  // clang-format off
  const struct {
    int32_t mode; bool other; const wchar_t* active; std::uintptr_t dialog; InstanceAction action;
  } cases[] = {
      // Alone, every mode brings an open dialog forward; a stale announcement does not matter.
      {None, 0, L"7", W, Restore}, {Setup, 0, L"7", W, Restore}, {Show, 0, L"7", W, Restore},
      {Preview, 0, L"7", W, Restore}, {Password, 0, L"7", W, Restore}, {None, 0, L"7", 0, GoOn},
      {Setup, 0, L"7", 0, GoOn}, {Show, 0, L"7", 0, GoOn}, {Preview, 0, L"7", 0, GoOn},
      {Password, 0, L"7", 0, GoOn},
      // Beside another instance only a second setup looks for the dialog.
      {Setup, 1, L"0", W, Restore}, {Setup, 1, L"0", 0, GoOn}, {Preview, 1, L"5", W, End},
      {None, 1, L"0", W, GoOn}, {Password, 1, L"0", W, GoOn},
      // A show needs an announced preview: a non-zero number, compared as read, not rounded.
      {Show, 1, L"0", W, End}, {Show, 1, L"", W, End}, {Show, 1, L"abc", W, End},
      {Show, 1, L"&H0", W, End}, {Show, 1, L"1e999", W, End}, {Show, 1, L"-5", W, GoOn},
      {Show, 1, L" 42 ", W, GoOn}, {Show, 1, L"0.4", W, GoOn}, {Show, 1, L"99999999999", W, GoOn},
  };
  // clang-format on
  for (const auto& c : cases) {
    const InstanceDecision d = ApplyInstanceRule(
        c.mode, c.other, [&] { return std::wstring(c.active); }, [&] { return c.dialog; });
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.window, c.action == Restore ? W : 0);
    EXPECT_EQ(d.previewActive, c.other && c.mode == Show && c.action == GoOn);
  }
}

TEST(LoadSettings, EachValueByItsGrammarABadOneKeepsWhatWasThereSeedingOnlyForRandomColors) {
  constexpr float kTimeOfDay = 45296.25f;  // 12:34:56.25
  constexpr uint32_t kOld = 0x00123456, kWhite = MakeColor(255, 255, 255);
  UniformRandom seeded;
  seeded.Seed(kTimeOfDay);
  // Stored ColorRandom, ColorFixed, BlackScreen, MouseMove (nullptr: never written), then the
  // expected colour choice, fixed colour, black screen and mouse flags (empty: as before).
  using Flag = std::optional<bool>;
  constexpr Flag kKept;
  // clang-format off
  const struct {
    const wchar_t *random, *fixed, *black, *mouse;
    Flag useRandom; uint32_t color; Flag clear, mouseEnds;
  } cases[] = {
      {nullptr, nullptr, nullptr, nullptr, true, kOld, true, false},
      {L"0", L"0,128,255", L"0", nullptr, false, MakeColor(0, 128, 255), false, false},
      {L"FALSO", L"1,2,3,4", L"", L"Sì", false, MakeColor(1, 2, 3), false, true},
      {L"Off", L"300,0,-1", L"-1", L"No", false, MakeColor(255, 0, 0), true, false},
      {L" yes", L"10,20,30", nullptr, nullptr, false, MakeColor(10, 20, 30), true, false},
      {L"0", nullptr, nullptr, nullptr, false, kWhite, true, false},
      {L"no", L"red", nullptr, nullptr, false, kWhite, true, false},
      // A bad triplet keeps the old colour; an unconvertible ColorRandom means random colours.
      {L"0", L"40000,0,0", L"0", nullptr, false, kOld, false, false},
      {L"0", L"1e999,0,0", nullptr, L"yes", false, kOld, true, true},
      {L"1e999", L"1,2,3", L"0", nullptr, true, kOld, false, false},
      // A bad flag keeps its value and does not stop the next one from being read.
      {L"1", nullptr, L"1e999", L"yes", true, kOld, kKept, true},
      {L"1", nullptr, L"0", L"-1e400000", true, kOld, false, kKept},
  };
  // clang-format on
  for (const auto& c : cases) {
    for (bool before : {false, true}) {
      MemorySettingsStore store;
      for (auto [key, value] : {std::pair{kKeyColorRandom, c.random},
                                {kKeyColorFixed, c.fixed},
                                {kKeyBlackScreen, c.black},
                                {kKeyMouseMove, c.mouse}}) {
        if (value) store.Write(kAppTitle, kSettingSection, key, value);
      }
      RunState state;
      state.AppTitle = kAppTitle;
      state.UseRandomColors = state.ClearToBlack = state.MouseMoveEnds = before;
      state.FixedColor = kOld;
      UniformRandom random;
      LoadSettings(state, store, random, kTimeOfDay);
      SCOPED_TRACE(testing::Message() << "case " << &c - cases << ", flags before " << before);
      EXPECT_EQ(state.UseRandomColors, c.useRandom.value_or(before));
      EXPECT_EQ(state.FixedColor, c.color);
      EXPECT_EQ(state.ClearToBlack, c.clear.value_or(before));
      EXPECT_EQ(state.MouseMoveEnds, c.mouseEnds.value_or(before));
      EXPECT_EQ(random.State(),
                c.useRandom == true ? seeded.State() : UniformRandom::kDefaultState);
    }
  }
}

}  // namespace
}  // namespace vorlux::test
