// The entry routine's decisions and the setup dialog's rules that need no window: the
// single-instance rule, the stored settings as the show loads them and the dialog shows them,
// and what the dialog's OK writes.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

#include "app/command_line.h"
#include "base/color.h"
#include "setup/setup_choices.h"

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
      // Alone, every mode brings an open dialog forward, and without one goes on; a stale
      // announcement does not matter.
      {None, 0, L"7", W, Restore}, {Setup, 0, L"7", W, Restore}, {Show, 0, L"7", W, Restore},
      {Preview, 0, L"7", W, Restore}, {Password, 0, L"7", W, Restore}, {Show, 0, L"7", 0, GoOn},
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

TEST(StoredSettings, EachSideByItsRulesABadValueKeepsTheShowsTargetAndLeavesTheDialogsUnticked) {
  constexpr float kTimeOfDay = 45296.25f;  // 12:34:56.25
  constexpr uint32_t kOld = 0x00123456, kWhite = MakeColor(255, 255, 255);
  constexpr auto Rgb = MakeColor;
  UniformRandom seeded;
  seeded.Seed(kTimeOfDay);
  using C = StoredChoices::Colors;
  using Parts = std::optional<std::array<std::optional<int>, 3>>;
  constexpr std::optional<bool> kKept;  // the show keeps its flag; the dialog leaves it unticked
  constexpr std::optional<int> kSkip;   // the list keeps its state
  // Stored ColorRandom, ColorFixed, BlackScreen, MouseMove ({}: never written); the option
  // and list entries the dialog selects (the show draws random colours unless kFixed); the show's
  // fixed colour; the black screen and mouse flags of both.
  // clang-format off
  const struct {
    const wchar_t *random, *fixed, *black, *mouse; C colors; Parts parts; uint32_t color;
    std::optional<bool> clear, mouseEnds;
  } cases[] = {
      {{}, {}, {}, {}, C::kRandom, {}, kOld, true, false},
      {L"0", L"0,128,255", L"0", {}, C::kFixed, {{0, 128, 255}}, Rgb(0, 128, 255), false, false},
      {L"0", L"10,20,30", L"0", L"1", C::kFixed, {{10, 20, 30}}, Rgb(10, 20, 30), false, true},
      {L"FALSO", L"1,2,3,4", L"", L"Sì", C::kFixed, {{1, 2, 3}}, Rgb(1, 2, 3), false, true},
      {L"FALSO", L" 4 , 5 , 6", L"Sì", L"x", C::kFixed, {{4, 5, 6}}, Rgb(4, 5, 6), true, false},
      {L"Off", L"300,0,-1", L"-1", L"No", C::kFixed, {{300, 0, -1}}, Rgb(255, 0, 0), true, false},
      {L" yes", L"10,20,30", {}, {}, C::kFixed, {{10, 20, 30}}, Rgb(10, 20, 30), true, false},
      // Rounded to 16 bits, halves to even; what fits but is no entry goes to the list as is.
      {L"0", L"127.5,0.5,1.5", {}, {}, C::kFixed, {{128, 0, 2}}, Rgb(128, 0, 2), true, false},
      // Without two commas the show draws white and the lists keep their state.
      {L"0", {}, {}, {}, C::kFixed, {}, kWhite, true, false},
      {L"no", L"red", {}, {}, C::kFixed, {}, kWhite, true, false},
      {L"0", L"10,20", {}, {}, C::kFixed, {}, kWhite, true, false},
      // A bad triplet keeps the show's old colour; the lists take the parts that convert.
      {L"0", L"40000,0,0", L"0", {}, C::kFixed, {{kSkip, 0, 0}}, kOld, false, false},
      {L"0", L"1e999,0,0", {}, L"yes", C::kFixed, {{kSkip, 0, 0}}, kOld, true, true},
      {L"0", L"99999999999999999999,x,-5", {}, {}, C::kFixed, {{kSkip, 0, -5}}, kOld, true, false},
      {L"0", L"300,1e999,1,2", {}, {}, C::kFixed, {{300, kSkip, 1}}, kOld, true, false},
      // Random colours; a fixed colour beside them that reads "yes" (or does not convert)
      // selects no option. An unconvertible ColorRandom means random colours.
      {L"1", L"255,0,0", {}, {}, C::kNone, {}, kOld, true, false},
      {L"yes", L"1e999", {}, {}, C::kNone, {}, kOld, true, false},
      {L"1e999", L"1,2,3", L"0", {}, C::kNone, {}, kOld, false, false},
      {L"1e999", L"", L"1e999", L"-1e400000", C::kRandom, {}, kOld, kKept, kKept},
      // A bad flag does not stop the next one from being read.
      {L"1", {}, L"1e999", L"yes", C::kRandom, {}, kOld, kKept, true},
      {L"1", {}, L"0", L"-1e400000", C::kRandom, {}, kOld, false, kKept},
  };
  // clang-format on
  const std::array keys{kKeyColorRandom, kKeyColorFixed, kKeyBlackScreen, kKeyMouseMove};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    for (int k = 0; const wchar_t* text : {c.random, c.fixed, c.black, c.mouse})
      if (const std::wstring_view key = keys[k++]; text)
        store.Write(kAppTitle, kSettingSection, key, text);
    const StoredSettings stored = ReadStoredSettings(store, kAppTitle);
    const bool useRandom = c.colors != C::kFixed;
    for (bool before : {false, true}) {
      RunState s;
      s.UseRandomColors = s.ClearToBlack = s.MouseMoveEnds = before, s.FixedColor = kOld;
      UniformRandom random;
      LoadSettings(s, stored, random, kTimeOfDay);
      EXPECT_EQ(
          std::tuple(s.UseRandomColors, s.FixedColor, s.ClearToBlack, s.MouseMoveEnds),
          std::tuple(useRandom, c.color, c.clear.value_or(before), c.mouseEnds.value_or(before)))
          << "case " << &c - cases << ", flags before " << before;
      EXPECT_EQ(random.State(), useRandom ? seeded.State() : UniformRandom::kDefaultState);
    }
    const StoredChoices got = ChoicesFromStored(stored);
    EXPECT_EQ(std::tuple(got.colors, got.components, got.black, got.mouse),
              std::tuple(c.colors, c.parts, c.clear.value_or(false), c.mouseEnds.value_or(false)))
        << "case " << &c - cases << ", dialog";
  }
}

TEST(SetupChoices, OkWritesItsFourKeysInOrderAndTheSwatchCountsAnEmptyListAsZero) {
  using Written = std::vector<std::pair<std::wstring_view, std::wstring>>;
  // clang-format off
  EXPECT_EQ(ChoicesToStore(true, 0, 128, 255, false, true), (Written{{kKeyColorFixed, L"0,128,255"},
      {kKeyColorRandom, L"0"}, {kKeyBlackScreen, L"0"}, {kKeyMouseMove, L"1"}}));
  EXPECT_EQ(ChoicesToStore(false, 1, 2, 3, true, false), (Written{{kKeyColorFixed, L""},
      {kKeyColorRandom, L"1"}, {kKeyBlackScreen, L"1"}, {kKeyMouseMove, L"0"}}));
  // clang-format on
  EXPECT_EQ(SwatchColor(7, -1, 255), MakeColor(7, 0, 255));
}

}  // namespace
}  // namespace vorlux::test
