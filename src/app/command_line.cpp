// The screen-saver command line.
#include "app/command_line.h"

#include "base/numeric.h"
#include "base/text_case.h"
#include "config/settings_grammar.h"

namespace vorlux {

std::wstring ArgumentText(std::wstring_view line) {
  // The program's name ends at the first blank or tab outside double quotes, wherever the
  // quotes are (C:\"Program Files"\x.scr is one name), as Windows hands the rest to WinMain.
  size_t i = 0;
  bool quoted = false;
  for (; i < line.size(); ++i) {
    if (line[i] == L'"')
      quoted = !quoted;
    else if (!quoted && (line[i] == L' ' || line[i] == L'\t'))
      break;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return std::wstring(line.substr(i));
}

std::wstring CommandText(std::wstring_view arguments) {
  std::wstring command = UpperCaseText(arguments);
  if (command.empty()) command = L"/C";
  return command;
}

int32_t RunModeOf(std::wstring_view c) {
  auto has = [c](std::wstring_view a, std::wstring_view b) {
    return c.find(a) != std::wstring_view::npos || c.find(b) != std::wstring_view::npos;
  };
  if (c == L"/C" || c == L"-C") return kRunModeSetup;
  if (c == L"/S" || c == L"-S") return kRunModeShow;
  if (has(L"/P", L"-P")) return kRunModePreview;
  if (has(L"/A", L"-A")) return kRunModePassword;
  if (has(L"/S", L"-S")) return kRunModeShow;
  if (has(L"/C", L"-C")) return kRunModeSetup;
  return kRunModeNone;
}

int32_t HandleFromText(std::wstring_view text) {
  const auto number = LeadingNumber(text);
  if (!number) return 0;
  return ToInt32(*number).value_or(0);
}

int32_t SetupOwnerHandle(std::wstring_view command) {
  const size_t colon = command.find(L':');
  return colon == std::wstring_view::npos ? 0 : HandleFromText(command.substr(colon + 1));
}

int32_t PreviewHandle(std::wstring_view command) {
  const size_t blank = command.find(L' ');
  return blank == std::wstring_view::npos ? 0 : HandleFromText(command.substr(blank + 1));
}

}  // namespace vorlux
