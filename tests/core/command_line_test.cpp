#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vorlux {
namespace {

TEST(CommandLine, WholeValuesThenContainment) {
  EXPECT_EQ(RunModeOf(L"/C"), kRunModeSetup);
  EXPECT_EQ(RunModeOf(L"-S"), kRunModeShow);
  EXPECT_EQ(RunModeOf(L"/P 123"), kRunModePreview);
  EXPECT_EQ(RunModeOf(L"/A 99"), kRunModePassword);
  EXPECT_EQ(RunModeOf(L"WORD"), kRunModeNone);
}

}  // namespace
}  // namespace vorlux
