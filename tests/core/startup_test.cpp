#include "app/startup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "config/settings_grammar.h"

namespace vorlux {
namespace {

constexpr std::uintptr_t kSetupWindow = 0x1234;

// ---- Single-instance rule --------------------------------------------------------------------

// Runs the rule against a settings store, counting what the rule looked at.
struct InstanceProbe {
  MemorySettingsStore store;
  std::uintptr_t openWindow = 0;
  int activeSetupReads = 0;
  int windowSearches = 0;

  InstanceDecision Run(int32_t mode, bool otherInstance) {
    return ApplyInstanceRule(
        mode, otherInstance,
        [this] {
          ++activeSetupReads;
          return store.Read(kAppTitle, kSettingSection, kKeyActiveSetup, L"0");
        },
        [this] {
          ++windowSearches;
          return openWindow;
        });
  }
  void Announce(std::wstring_view value) {
    store.Write(kAppTitle, kSettingSection, kKeyActiveSetup, value);
  }
};

const int32_t kAllModes[] = {kRunModeNone, kRunModeSetup, kRunModeShow, kRunModePreview,
                             kRunModePassword};

TEST(InstanceRule, AloneEveryModeBringsAnOpenSetupDialogForward) {
  for (int32_t mode : kAllModes) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    InstanceProbe probe;
    probe.Announce(L"777");  // a stale announcement does not matter to a lone instance
    probe.openWindow = kSetupWindow;
    const InstanceDecision d = probe.Run(mode, false);
    EXPECT_EQ(d.action, InstanceAction::kRestoreAndEnd);
    EXPECT_EQ(d.window, kSetupWindow);
    EXPECT_FALSE(d.previewActive);
    EXPECT_EQ(probe.activeSetupReads, 0);
  }
}

TEST(InstanceRule, AloneWithoutADialogEveryModeGoesOn) {
  for (int32_t mode : kAllModes) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    InstanceProbe probe;
    const InstanceDecision d = probe.Run(mode, false);
    EXPECT_EQ(d.action, InstanceAction::kGoOn);
    EXPECT_FALSE(d.previewActive);
    EXPECT_EQ(probe.windowSearches, 1);
    EXPECT_EQ(probe.activeSetupReads, 0);
  }
}

TEST(InstanceRule, SecondPreviewEndsWithoutLooking) {
  InstanceProbe probe;
  probe.Announce(L"555");
  probe.openWindow = kSetupWindow;
  const InstanceDecision d = probe.Run(kRunModePreview, true);
  EXPECT_EQ(d.action, InstanceAction::kEnd);
  EXPECT_EQ(probe.activeSetupReads, 0);
  EXPECT_EQ(probe.windowSearches, 0);
}

TEST(InstanceRule, SecondSetupBringsTheDialogForwardOrGoesOn) {
  InstanceProbe probe;
  probe.openWindow = kSetupWindow;
  InstanceDecision d = probe.Run(kRunModeSetup, true);
  EXPECT_EQ(d.action, InstanceAction::kRestoreAndEnd);
  EXPECT_EQ(d.window, kSetupWindow);

  probe.openWindow = 0;  // the other instance is a show or a preview: no dialog to find
  d = probe.Run(kRunModeSetup, true);
  EXPECT_EQ(d.action, InstanceAction::kGoOn);
  EXPECT_EQ(probe.activeSetupReads, 0);
}

TEST(InstanceRule, NoSwitchOrPasswordBesideAnotherInstanceGoesOnWithoutLooking) {
  for (int32_t mode : {kRunModeNone, kRunModePassword}) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    InstanceProbe probe;
    probe.openWindow = kSetupWindow;
    const InstanceDecision d = probe.Run(mode, true);
    EXPECT_EQ(d.action, InstanceAction::kGoOn);
    EXPECT_FALSE(d.previewActive);
    EXPECT_EQ(probe.windowSearches, 0);
    EXPECT_EQ(probe.activeSetupReads, 0);
  }
}

TEST(InstanceRule, SecondShowRunsOnlyBesideAnAnnouncedPreview) {
  struct Case {
    const wchar_t* activeSetup;  // nullptr: never written
    bool runs;
  };
  for (const Case& c : std::vector<Case>{
           {nullptr, false},
           {L"0", false},
           {L"", false},
           {L"abc", false},
           {L"0.0", false},
           {L"&H0", false},
           {L"0x10", false},  // the number is the 0 before the x
           {L"-0", false},
           {L"1e999", false},  // too large for a double: no preview announced
           {L"1e-400", false},
           {L"123456", true},
           {L"-5", true},  // handles are signed
           {L" 42 ", true},
           {L"&H1F", true},
           {L"0.4", true},  // compared with 0 as read, not rounded
           {L"2147483647", true},
           {L"99999999999", true},  // not a handle, but not 0 either
       }) {
    SCOPED_TRACE(testing::Message()
                 << "ActiveSetup " << (c.activeSetup ? c.activeSetup : L"absent"));
    InstanceProbe probe;
    if (c.activeSetup) probe.Announce(c.activeSetup);
    probe.openWindow = kSetupWindow;  // never looked for by a show beside another instance
    const InstanceDecision d = probe.Run(kRunModeShow, true);
    EXPECT_EQ(d.action, c.runs ? InstanceAction::kGoOn : InstanceAction::kEnd);
    EXPECT_EQ(d.previewActive, c.runs);
    EXPECT_EQ(probe.activeSetupReads, 1);
    EXPECT_EQ(probe.windowSearches, 0);
  }
}

TEST(InstanceRule, ShowLeavesActiveSetupAsItWas) {
  InstanceProbe probe;
  probe.Announce(L"4242");
  ASSERT_EQ(probe.Run(kRunModeShow, true).action, InstanceAction::kGoOn);
  EXPECT_EQ(probe.store.Read(kAppTitle, kSettingSection, kKeyActiveSetup, L"absent"), L"4242");
}

// ---- Loading the settings --------------------------------------------------------------------

// A store that records every access.
class RecordingStore : public MemorySettingsStore {
 public:
  struct Access {
    std::wstring app, section, key, defaultValue;
    bool operator==(const Access&) const = default;
  };
  std::vector<Access> reads;
  int writes = 0;

  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view defaultValue) override {
    reads.push_back(
        {std::wstring(app), std::wstring(section), std::wstring(key), std::wstring(defaultValue)});
    return MemorySettingsStore::Read(app, section, key, defaultValue);
  }
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view value) override {
    ++writes;
    MemorySettingsStore::Write(app, section, key, value);
  }
  void Set(std::wstring_view key, std::wstring_view value) {
    MemorySettingsStore::Write(kAppTitle, kSettingSection, key, value);
  }
};

void PrintTo(const RecordingStore::Access& a, std::ostream* os) {
  *os << testing::PrintToString(a.app) << "/" << testing::PrintToString(a.section) << "/"
      << testing::PrintToString(a.key) << " default " << testing::PrintToString(a.defaultValue);
}

constexpr float kTimeOfDay = 45296.25f;  // 12:34:56.25

class LoadSettingsTest : public testing::Test {
 protected:
  LoadSettingsTest() { state.AppTitle = kAppTitle; }
  void Load(float timeOfDay = kTimeOfDay) { LoadSettings(state, store, random, timeOfDay); }
  bool Seeded() const { return random.State() != UniformRandom::kDefaultState; }

  RunState state;
  RecordingStore store;
  UniformRandom random;
};

TEST_F(LoadSettingsTest, EmptyStoreMeansRandomColorsBlackScreenAndMouseIgnored) {
  Load();
  EXPECT_TRUE(state.UseRandomColors);
  EXPECT_TRUE(state.ClearToBlack);
  EXPECT_FALSE(state.MouseMoveEnds);
  EXPECT_EQ(state.FixedColor, 0u);
  EXPECT_TRUE(Seeded());
}

TEST_F(LoadSettingsTest, ReadsTheFourKeysInOrderWithTheirDefaultsAndWritesNothing) {
  Load();
  const std::wstring app(kAppTitle);
  const std::vector<RecordingStore::Access> expected = {
      {app, L"Setting", L"ColorFixed", L""},
      {app, L"Setting", L"ColorRandom", L"1"},
      {app, L"Setting", L"BlackScreen", L"1"},
      {app, L"Setting", L"MouseMove", L"0"},
  };
  EXPECT_EQ(store.reads, expected);
  EXPECT_EQ(store.writes, 0);
}

TEST_F(LoadSettingsTest, ColorFixedIsReadEvenWhenRandomColorsWin) {
  store.Set(kKeyColorFixed, L"1e999,1e999,1e999");  // unconvertible, but never converted
  state.FixedColor = 0x00ABCDEF;
  Load();
  ASSERT_FALSE(store.reads.empty());
  EXPECT_EQ(store.reads.front().key, L"ColorFixed");
  EXPECT_TRUE(state.UseRandomColors);
  EXPECT_EQ(state.FixedColor, 0x00ABCDEFu);
}

TEST_F(LoadSettingsTest, FixedColorPath) {
  store.Set(kKeyColorRandom, L"0");
  store.Set(kKeyColorFixed, L"0,128,255");
  state.UseRandomColors = true;
  Load();
  EXPECT_FALSE(state.UseRandomColors);
  EXPECT_EQ(state.FixedColor, MakeColor(0, 128, 255));
  EXPECT_FALSE(Seeded());
}

TEST_F(LoadSettingsTest, FixedColorFollowsTheWordsAndTheTripletGrammar) {
  struct Case {
    const wchar_t* colorRandom;
    const wchar_t* colorFixed;  // nullptr: never written
    uint32_t color;
  };
  for (const Case& c : std::vector<Case>{
           {L"FALSO", L"255, 255, 255", MakeColor(255, 255, 255)},
           {L"Off", L"1,2,3,4", MakeColor(1, 2, 3)},
           {L"no", L"-1,-1,-1", 0},
           {L"abc", L"300,0,0", MakeColor(255, 0, 0)},
           {L" yes", L"10,20,30", MakeColor(10, 20, 30)},  // a blank makes it no word
           {L"0", nullptr, MakeColor(255, 255, 255)},      // the empty text gives white
           {L"0", L"red", MakeColor(255, 255, 255)},
       }) {
    SCOPED_TRACE(testing::Message() << "ColorRandom \"" << c.colorRandom << "\"");
    RunState s;
    s.AppTitle = kAppTitle;
    s.UseRandomColors = true;
    MemorySettingsStore st;
    st.Write(kAppTitle, kSettingSection, kKeyColorRandom, c.colorRandom);
    if (c.colorFixed) st.Write(kAppTitle, kSettingSection, kKeyColorFixed, c.colorFixed);
    UniformRandom r;
    LoadSettings(s, st, r, kTimeOfDay);
    EXPECT_FALSE(s.UseRandomColors);
    EXPECT_EQ(s.FixedColor, c.color);
    EXPECT_EQ(r.State(), UniformRandom::kDefaultState);
  }
}

TEST_F(LoadSettingsTest, UnconvertibleTripletLeavesFixedColorAsItWas) {
  for (const wchar_t* triplet : {L"40000,0,0", L"0,0,-32769", L"1e999,0,0"}) {
    SCOPED_TRACE(testing::Message() << "ColorFixed \"" << triplet << "\"");
    store.Set(kKeyColorRandom, L"0");
    store.Set(kKeyColorFixed, triplet);
    state.FixedColor = 0x00123456;
    state.UseRandomColors = true;
    Load();
    EXPECT_EQ(state.FixedColor, 0x00123456u);
    EXPECT_FALSE(state.UseRandomColors);  // the next statement still runs
  }
}

TEST_F(LoadSettingsTest, UnconvertibleColorRandomSkipsTheColorChoice) {
  store.Set(kKeyColorRandom, L"1e999");
  store.Set(kKeyColorFixed, L"1,2,3");
  for (bool before : {false, true}) {
    state.UseRandomColors = before;
    state.FixedColor = 0x00654321;
    Load();
    EXPECT_EQ(state.UseRandomColors, before);
    EXPECT_EQ(state.FixedColor, 0x00654321u);
    EXPECT_FALSE(Seeded());
  }
}

TEST_F(LoadSettingsTest, FlagsFollowTheWordGrammar) {
  struct Case {
    const wchar_t* text;
    bool value;
  };
  for (const Case& c : std::vector<Case>{{L"0", false},
                                         {L"No", false},
                                         {L"disabled", false},
                                         {L" yes", false},
                                         {L"", false},
                                         {L"Sì", true},
                                         {L"VERO", true},
                                         {L"-1", true},
                                         {L"&H10", true}}) {
    SCOPED_TRACE(testing::Message() << "value \"" << c.text << "\"");
    store.Set(kKeyBlackScreen, c.text);
    store.Set(kKeyMouseMove, c.text);
    state.ClearToBlack = !c.value;
    state.MouseMoveEnds = !c.value;
    Load();
    EXPECT_EQ(state.ClearToBlack, c.value);
    EXPECT_EQ(state.MouseMoveEnds, c.value);
  }
}

TEST_F(LoadSettingsTest, UnconvertibleFlagKeepsItsValueAndTheNextStepsRun) {
  store.Set(kKeyBlackScreen, L"1e999");
  store.Set(kKeyMouseMove, L"yes");
  store.Set(kKeyColorRandom, L"0");
  store.Set(kKeyColorFixed, L"1,2,3");
  for (bool before : {false, true}) {
    state.ClearToBlack = before;
    Load();
    EXPECT_EQ(state.ClearToBlack, before);
    EXPECT_TRUE(state.MouseMoveEnds);
    EXPECT_EQ(state.FixedColor, MakeColor(1, 2, 3));
  }

  store.Set(kKeyBlackScreen, L"0");
  store.Set(kKeyMouseMove, L"-1e400000");
  state.MouseMoveEnds = true;
  Load();
  EXPECT_FALSE(state.ClearToBlack);
  EXPECT_TRUE(state.MouseMoveEnds);
}

TEST_F(LoadSettingsTest, ValuesOfAnyLength) {
  const std::wstring junk(1 << 20, L'x');
  store.Set(kKeyBlackScreen, junk);
  store.Set(kKeyMouseMove, std::wstring(1 << 20, L' ') + L"1");
  store.Set(kKeyColorRandom, L"0");
  store.Set(kKeyColorFixed, L"1," + std::wstring(1 << 20, L'0') + L"2," + junk);
  Load();
  EXPECT_FALSE(state.ClearToBlack);
  EXPECT_TRUE(state.MouseMoveEnds);
  EXPECT_EQ(state.FixedColor, MakeColor(1, 2, 0));
}

TEST_F(LoadSettingsTest, GeneratorIsSeededFromTheTimeOnlyWithRandomColors) {
  Load(kTimeOfDay);
  UniformRandom expected;
  expected.Seed(kTimeOfDay);
  EXPECT_EQ(random.State(), expected.State());

  UniformRandom later;
  LoadSettings(state, store, later, kTimeOfDay + 1.0f);
  EXPECT_NE(later.State(), random.State());

  store.Set(kKeyColorRandom, L"0");
  UniformRandom fixed;
  LoadSettings(state, store, fixed, kTimeOfDay);
  EXPECT_EQ(fixed.State(), UniformRandom::kDefaultState);
}

// ---- Uniform random generator ----------------------------------------------------------------

TEST(UniformRandom, UnseededRunsRepeat) {
  UniformRandom a, b;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.Next(), b.Next()) << "draw " << i;
}

TEST(UniformRandom, DrawsAreUniformIn0To1With24Bits) {
  UniformRandom r;
  r.Seed(kTimeOfDay);
  double sum = 0;
  int low = 0;
  std::set<float> distinct;
  constexpr int kDraws = 200000;
  for (int i = 0; i < kDraws; ++i) {
    const float x = r.Next();
    ASSERT_GE(x, 0.0f);
    ASSERT_LT(x, 1.0f);
    const float scaled = x * 16777216.0f;
    ASSERT_EQ(scaled, std::floor(scaled)) << "not a multiple of 2^-24: " << x;
    sum += x;
    if (x < 0.1f) ++low;
    distinct.insert(x);
  }
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
  EXPECT_NEAR(low, kDraws / 10, kDraws / 100);
  EXPECT_GT(distinct.size(), kDraws * 99 / 100);
}

TEST(UniformRandom, SeedDependsOnTheTimeOnly) {
  UniformRandom a, b;
  for (int i = 0; i < 17; ++i) a.Next();  // earlier draws do not matter
  a.Seed(kTimeOfDay);
  b.Seed(kTimeOfDay);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next()) << "draw " << i;

  // Neighbouring times, down to one step of the float clock, give other sequences.
  std::set<uint64_t> states;
  for (float t : {1.0f, std::nextafter(1.0f, 2.0f), 2.0f, 0.01f, 86399.99f, kTimeOfDay}) {
    UniformRandom s;
    s.Seed(t);
    states.insert(s.State());
    EXPECT_NE(s.State(), UniformRandom::kDefaultState) << "time " << t;
  }
  EXPECT_EQ(states.size(), 6u);
}

}  // namespace
}  // namespace vorlux
