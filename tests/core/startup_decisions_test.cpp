// The entry routine's single-instance rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "app/startup.h"

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

}  // namespace
}  // namespace vorlux::test
