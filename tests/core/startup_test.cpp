#include "app/startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "app/command_line.h"
#include "config/settings_grammar.h"

namespace vorlux {
namespace {

constexpr std::uintptr_t kSetupWindow = 0x1234;
constexpr float kTimeOfDay = 45296.25f;  // 12:34:56.25

// ---- Single-instance rule --------------------------------------------------------------------

// activeSetup nullptr: the key was never written.
InstanceDecision Decide(int32_t mode, bool otherInstance, const wchar_t* activeSetup,
                        std::uintptr_t openWindow) {
  MemorySettingsStore store;
  if (activeSetup) store.Write(kAppTitle, kSettingSection, kKeyActiveSetup, activeSetup);
  return ApplyInstanceRule(
      mode, otherInstance,
      [&] { return store.Read(kAppTitle, kSettingSection, kKeyActiveSetup, L"0"); },
      [&] { return openWindow; });
}

TEST(InstanceRule, AloneEveryModeBringsAnOpenSetupDialogForwardElseGoesOn) {
  for (int32_t mode :
       {kRunModeNone, kRunModeSetup, kRunModeShow, kRunModePreview, kRunModePassword}) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    // A stale announcement does not matter to a lone instance.
    const InstanceDecision found = Decide(mode, false, L"777", kSetupWindow);
    EXPECT_EQ(found.action, InstanceAction::kRestoreAndEnd);
    EXPECT_TRUE(found.window == kSetupWindow && !found.previewActive);
    const InstanceDecision none = Decide(mode, false, L"777", 0);
    EXPECT_TRUE(none.action == InstanceAction::kGoOn && !none.previewActive);
  }
}

TEST(InstanceRule, BesideAnotherInstance) {
  constexpr auto kGoOn = InstanceAction::kGoOn, kEnd = InstanceAction::kEnd;
  constexpr int32_t kShow = kRunModeShow;
  const struct { int32_t mode; const wchar_t* activeSetup; InstanceAction action; } cases[] = {
      {kRunModePreview, L"555", kEnd}, {kRunModeSetup, L"0", InstanceAction::kRestoreAndEnd},
      {kRunModeNone, L"0", kGoOn}, {kRunModePassword, L"0", kGoOn},
      // A show runs only beside a preview that announced a non-zero handle.
      {kShow, nullptr, kEnd}, {kShow, L"0", kEnd}, {kShow, L"", kEnd}, {kShow, L"abc", kEnd},
      {kShow, L"0.0", kEnd}, {kShow, L"&H0", kEnd}, {kShow, L"0x10", kEnd},
      {kShow, L"1e999", kEnd}, {kShow, L"1e-400", kEnd}, {kShow, L"123456", kGoOn},
      {kShow, L"-5", kGoOn}, {kShow, L" 42 ", kGoOn}, {kShow, L"&H1F", kGoOn},
      {kShow, L"0.4", kGoOn},  // compared as read, not rounded
      {kShow, L"99999999999", kGoOn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", ActiveSetup "
                                    << (c.activeSetup ? c.activeSetup : L"absent"));
    // An open dialog is there to be found, but only a second setup may look for it.
    const InstanceDecision d = Decide(c.mode, true, c.activeSetup, kSetupWindow);
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.previewActive, c.mode == kRunModeShow && c.action == InstanceAction::kGoOn);
  }
  EXPECT_EQ(Decide(kRunModeSetup, true, L"0", kSetupWindow).window, kSetupWindow);
  // A second setup beside a show or a preview finds no dialog and goes on.
  EXPECT_EQ(Decide(kRunModeSetup, true, L"0", 0).action, InstanceAction::kGoOn);
}

// ---- Loading the settings --------------------------------------------------------------------

class LoadSettingsTest : public testing::Test {
 protected:
  LoadSettingsTest() { state.AppTitle = kAppTitle; }
  void Set(std::wstring_view key, std::wstring_view value) {
    store.Write(kAppTitle, kSettingSection, key, value);
  }
  void Load(float timeOfDay = kTimeOfDay) { LoadSettings(state, store, random, timeOfDay); }
  bool Seeded() const { return random.State() != UniformRandom::kDefaultState; }

  RunState state;
  MemorySettingsStore store;
  UniformRandom random;
};

TEST_F(LoadSettingsTest, EmptyStoreMeansRandomColorsSeededFromTheTimeBlackScreenMouseIgnored) {
  state.FixedColor = 0x00ABCDEF;
  Load();
  EXPECT_TRUE(state.UseRandomColors);
  EXPECT_TRUE(state.ClearToBlack);
  EXPECT_FALSE(state.MouseMoveEnds);
  EXPECT_EQ(state.FixedColor, 0x00ABCDEFu);
  UniformRandom expected;
  expected.Seed(kTimeOfDay);
  EXPECT_EQ(random.State(), expected.State());
}

TEST_F(LoadSettingsTest, FixedColorPathFollowsTheWordsAndTheTripletGrammarWithoutSeeding) {
  constexpr uint32_t kOld = 0x00123456;
  // colorFixed nullptr: never written.
  const struct { const wchar_t *colorRandom, *colorFixed; uint32_t color; } cases[] = {
      {L"0", L"0,128,255", MakeColor(0, 128, 255)}, {L"FALSO", L"1,2,3,4", MakeColor(1, 2, 3)},
      {L"Off", L"300,0,-1", MakeColor(255, 0, 0)}, {L" yes", L"10,20,30", MakeColor(10, 20, 30)},
      {L"0", nullptr, MakeColor(255, 255, 255)}, {L"no", L"red", MakeColor(255, 255, 255)},
      // A bad triplet keeps the old colour, and the steps after it still run.
      {L"0", L"40000,0,0", kOld}, {L"0", L"0,0,-32769", kOld}, {L"0", L"1e999,0,0", kOld},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorRandom \"" << c.colorRandom << "\"");
    store = MemorySettingsStore();
    random = UniformRandom();
    Set(kKeyColorRandom, c.colorRandom);
    if (c.colorFixed) Set(kKeyColorFixed, c.colorFixed);
    Set(kKeyBlackScreen, L"0");
    state.UseRandomColors = state.ClearToBlack = true;
    state.FixedColor = kOld;
    Load();
    EXPECT_FALSE(state.UseRandomColors);
    EXPECT_EQ(state.FixedColor, c.color);
    EXPECT_FALSE(state.ClearToBlack);
    EXPECT_FALSE(Seeded());
  }
}

TEST_F(LoadSettingsTest, UnconvertibleColorRandomSkipsTheColorChoice) {
  Set(kKeyColorRandom, L"1e999");
  Set(kKeyColorFixed, L"1,2,3");
  Set(kKeyBlackScreen, L"0");  // still read afterwards
  for (bool before : {false, true}) {
    state.UseRandomColors = state.ClearToBlack = before;
    state.FixedColor = 0x00654321;
    Load();
    EXPECT_EQ(state.UseRandomColors, before);
    EXPECT_TRUE(state.FixedColor == 0x00654321u && !state.ClearToBlack && !Seeded());
  }
}

TEST_F(LoadSettingsTest, FlagsFollowTheWordGrammarAndABadValueKeepsTheOldOne) {
  // value empty: unconvertible.
  const struct { const wchar_t* text; std::optional<bool> value; } cases[] = {
      {L"0", false}, {L"No", false}, {L"disabled", false}, {L" yes", false}, {L"", false},
      {L"Sì", true}, {L"VERO", true}, {L"-1", true}, {L"&H10", true}, {L"1e999", std::nullopt},
      {L"-1e400000", std::nullopt}};
  for (const auto& c : cases) {
    for (bool before : {false, true}) {
      SCOPED_TRACE(testing::Message() << "value \"" << c.text << "\", before " << before);
      Set(kKeyBlackScreen, c.text);
      Set(kKeyMouseMove, c.text);
      state.ClearToBlack = state.MouseMoveEnds = before;
      Load();
      EXPECT_EQ(state.ClearToBlack, c.value.value_or(before));
      EXPECT_EQ(state.MouseMoveEnds, c.value.value_or(before));
    }
  }
  // A bad BlackScreen does not stop MouseMove from being read.
  Set(kKeyBlackScreen, L"1e999");
  Set(kKeyMouseMove, L"yes");
  state.MouseMoveEnds = false;
  Load();
  EXPECT_TRUE(state.MouseMoveEnds);
}

// ---- Uniform random generator ----------------------------------------------------------------

TEST(UniformRandom, DrawsAreUniformIn0To1With24Bits) {
  UniformRandom r;
  r.Seed(kTimeOfDay);
  constexpr int kDraws = 200000;
  double sum = 0, low = 0;
  std::set<float> distinct;
  for (int i = 0; i < kDraws; ++i) {
    const float x = r.Next(), scaled = x * 16777216.0f;
    ASSERT_TRUE(x >= 0.0f && x < 1.0f && scaled == std::floor(scaled)) << x;
    sum += x;
    low += x < 0.1f;
    distinct.insert(x);
  }
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
  EXPECT_NEAR(low / kDraws, 0.1, 0.01);
  EXPECT_GT(distinct.size(), kDraws * 99 / 100);
}

TEST(UniformRandom, UnseededRunsRepeatAndTheSeedDependsOnTheTimeOnly) {
  UniformRandom a, b;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next()) << "draw " << i;
  a.Next();  // earlier draws do not matter
  a.Seed(kTimeOfDay);
  b.Seed(kTimeOfDay);
  EXPECT_EQ(a.State(), b.State());
  // Neighbouring times, down to one step of the float clock, give other sequences.
  std::set<uint64_t> states{UniformRandom::kDefaultState};
  for (float t : {1.0f, std::nextafter(1.0f, 2.0f), 2.0f, 0.01f, 86399.99f, kTimeOfDay}) {
    UniformRandom s;
    s.Seed(t);
    states.insert(s.State());
  }
  EXPECT_EQ(states.size(), 7u);
}

}  // namespace
}  // namespace vorlux
