// Reads the screen-saver settings dialog from outside: is this saver still the chosen one?
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vorlux {

// How long the probe waits for each reply of the dialog. A dialog that does not answer in
// time counts as not showing the saver, so a hung dialog cannot hold the preview forever.
inline constexpr UINT kProbeReplyTimeoutMs = 2000;

// Longest list item that the probe reads; a longer item never matches.
inline constexpr int kProbeMaxItemLength = 255;

// True when a "ComboBox" child of the window's "Screen saver" page (or of the window itself,
// when it has no such page) shows `name` as its current item, ignoring case. A null window
// searches the top-level windows. Any handle is safe: what is not found does not match.
bool IsSaverSelected(HWND window, std::wstring_view name);

}  // namespace vorlux
