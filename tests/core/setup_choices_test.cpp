// The setup dialog's rules without a window: what stored texts select, the swatch colour and
// what OK writes.
#include "setup/setup_choices.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "base/color.h"
#include "config/run_state.h"

namespace vorlux::test {
namespace {

TEST(SetupChoices, StoredTextsSelectAnOptionListEntriesAndTheSwitches) {
  using C = StoredChoices::Colors;
  using Parts = std::optional<std::array<std::optional<int>, 3>>;
  constexpr std::optional<int> kSkip;  // does not convert: the list keeps its state
  // Stored ColorRandom, ColorFixed, BlackScreen, MouseMove (nullptr: never written).
  // clang-format off
  const struct {
    const wchar_t *random, *fixed, *black, *mouse; C colors; Parts parts; bool black_, mouse_;
  } cases[] = {
      {nullptr, nullptr, nullptr, nullptr,     C::kRandom, {}, true, false},
      {L"0", L"10,20,30", L"0", L"1",           C::kFixed, {{10, 20, 30}}, false, true},
      {L"FALSO", L" 12 , 34 , 56", L"Sì", L"x", C::kFixed, {{12, 34, 56}}, true, false},
      // Rounded to 16 bits, halves to even; what fits but is no entry goes to the list as is.
      {L"0", L"127.5,0.5,1.5", nullptr, nullptr, C::kFixed, {{128, 0, 2}}, true, false},
      {L"0", L"99999999999999999999,x,-5", nullptr, nullptr, C::kFixed, {{kSkip, 0, -5}}, true, false},
      {L"0", L"300,1e999,1,2", nullptr, nullptr, C::kFixed, {{300, kSkip, 1}}, true, false},
      {L"0", L"10,20", nullptr, nullptr,        C::kFixed, {}, true, false},
      // A fixed colour beside random colours reads "yes": no option is chosen.
      {L"1", L"255,0,0", nullptr, nullptr,      C::kNone, {}, true, false},
      {L"yes", L"1e999", nullptr, nullptr,      C::kNone, {}, true, false},
      // A ColorRandom that does not convert counts as its default; a bad switch as unticked.
      {L"1e999", L"", L"1e999", L"-1e400000",   C::kRandom, {}, false, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    MemorySettingsStore store;
    for (auto [key, value] : {std::pair{kKeyColorRandom, c.random},
                              {kKeyColorFixed, c.fixed},
                              {kKeyBlackScreen, c.black},
                              {kKeyMouseMove, c.mouse}})
      if (value) store.Write(kAppTitle, kSettingSection, key, value);
    const StoredChoices got = ReadStoredChoices(store, kAppTitle);
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(got.colors, c.colors);
    EXPECT_EQ(got.components, c.parts);
    EXPECT_EQ(got.black, c.black_);
    EXPECT_EQ(got.mouse, c.mouse_);
  }
}

TEST(SetupChoices, OkWritesItsFourKeysInOrderAnEmptyListAsMinusOneAndColoursSplitAndJoin) {
  using Written = std::vector<std::pair<std::wstring_view, std::wstring>>;
  EXPECT_EQ(ChoicesToStore(true, 0, 128, 255, false, true), (Written{{kKeyColorFixed, L"0,128,255"},
                                                                     {kKeyColorRandom, L"0"},
                                                                     {kKeyBlackScreen, L"0"},
                                                                     {kKeyMouseMove, L"1"}}));
  EXPECT_EQ(ChoicesToStore(true, -1, -1, -1, true, false)[0].second, L"-1,-1,-1");
  EXPECT_EQ(ChoicesToStore(false, 1, 2, 3, true, false), (Written{{kKeyColorFixed, L""},
                                                                  {kKeyColorRandom, L"1"},
                                                                  {kKeyBlackScreen, L"1"},
                                                                  {kKeyMouseMove, L"0"}}));
  EXPECT_EQ(SwatchColor(7, -1, 255), MakeColor(7, 0, 255));
  EXPECT_EQ(SplitColor(MakeColor(1, 2, 3)), (std::array<uint8_t, 3>{1, 2, 3}));
}

}  // namespace
}  // namespace vorlux::test
