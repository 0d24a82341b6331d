// The command line from the full text Windows gives the program to the run mode and the
// window handles: never throws, modes stay in 0..4 and follow the switches the text holds,
// letter case never matters, and any 32-bit handle written after a switch comes back whole.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "fuzz_text.h"

using namespace vorlux;
using namespace vorlux::fuzz;

namespace {

bool Has(std::wstring_view text, std::wstring_view a, std::wstring_view b) {
  return text.find(a) != std::wstring_view::npos || text.find(b) != std::wstring_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring line = TextFromBytes(data, size);

  const std::wstring arguments = ArgumentText(line);
  FUZZ_REQUIRE(arguments.size() <= line.size());
  FUZZ_REQUIRE(std::wstring_view(line).substr(line.size() - arguments.size()) == arguments);
  FUZZ_REQUIRE(arguments.empty() || (arguments[0] != L' ' && arguments[0] != L'\t'));

  // The whole text is tried as an argument text too, as if the program name were missing.
  for (const std::wstring& args : {arguments, line}) {
    const std::wstring command = CommandText(args);
    FUZZ_REQUIRE(!command.empty());
    FUZZ_REQUIRE(args.empty() ? command == L"/C" : command.size() == args.size());

    const int32_t mode = RunModeOf(command);
    FUZZ_REQUIRE(mode >= kRunModeNone && mode <= kRunModePassword);
    const bool p = Has(command, L"/P", L"-P"), a = Has(command, L"/A", L"-A"),
               s = Has(command, L"/S", L"-S"), c = Has(command, L"/C", L"-C");
    switch (mode) {
      case kRunModeNone:
        FUZZ_REQUIRE(!p && !a && !s && !c);
        break;
      case kRunModePreview:
        FUZZ_REQUIRE(p);
        break;
      case kRunModePassword:
        FUZZ_REQUIRE(a && !p);
        break;
      case kRunModeShow:
        FUZZ_REQUIRE(s && ((!p && !a) || command == L"/S" || command == L"-S"));
        break;
      case kRunModeSetup:
        FUZZ_REQUIRE((c && !p && !a && !s) || command == L"/C" || command == L"-C");
        break;
    }
    if (IsAscii(args)) {
      FUZZ_REQUIRE(RunModeOf(CommandText(AsciiLower(args))) == mode);
      FUZZ_REQUIRE(RunModeOf(CommandText(AsciiUpper(args))) == mode);
    }

    // Handles are read from any text; no switch is needed for that.
    (void)PreviewHandle(command);
    (void)SetupOwnerHandle(command);
    (void)HandleFromText(args);
  }

  // Any 32-bit value written as Windows writes a handle comes back as that value.
  if (size >= 4) {
    int32_t handle;
    std::memcpy(&handle, data, sizeof handle);
    const std::wstring decimal = std::to_wstring(handle);
    FUZZ_REQUIRE(HandleFromText(decimal) == handle);
    FUZZ_REQUIRE(PreviewHandle(CommandText(ArgumentText(L"SSVorlux.scr /p " + decimal))) == handle);
    FUZZ_REQUIRE(SetupOwnerHandle(CommandText(L"/c:" + decimal)) == handle);
    FUZZ_REQUIRE(RunModeOf(CommandText(L"/p " + decimal)) == kRunModePreview);
  }
  return 0;
}
