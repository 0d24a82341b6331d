// The system colour chooser, opened at a colour with a title of the program's choosing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace vorlux {

// A title equal to this counts as none given.
inline constexpr std::wstring_view kNoChooserTitle = L"#A#O";

// Opens the modal chooser owned by the window, at the start colour (0x00BBGGRR), titled "Set
// Color" unless a title is given. Returns the colour picked, or -1 when the user cancelled or
// the chooser could not open. The custom colours the user defines are offered again at the next
// opening in the same run.
int32_t ShowColorChooser(HWND owner, uint32_t start, std::wstring_view title = kNoChooserTitle);

// The chooser's hook: gives the window its title when it opens, and lets the chooser place the
// keyboard focus; the chooser's own handling of every message goes on.
UINT_PTR CALLBACK ColorChooserHook(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace vorlux
