// The system colour chooser, opened at a colour with a title of the program's choosing.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace vorlux {

// A title equal to this counts as none given.
inline constexpr std::wstring_view kNoChooserTitle = L"#A#O";

// The sixteen colours the user may define in the chooser, black at the start of a run.
using CustomColors = std::array<COLORREF, 16>;

// Opens the modal chooser owned by the window, at the start colour (0x00BBGGRR), titled "Set
// Color" unless a title is given. Returns the colour picked, or -1 when the user cancelled or
// the chooser could not open. The custom colours the user defines are kept in custom, to be
// offered again at the next opening.
int32_t ShowColorChooser(HWND owner, uint32_t start, CustomColors& custom,
                         std::wstring_view title = kNoChooserTitle);

// The chooser's hook: gives the window its title when it opens, and lets the chooser place the
// keyboard focus; the chooser's own handling of every message goes on.
UINT_PTR CALLBACK ColorChooserHook(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace vorlux
