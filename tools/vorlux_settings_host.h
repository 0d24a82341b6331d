// What tests need to drive the stand-in settings dialog (vorlux_settings_host.exe).
//
//   vorlux_settings_host.exe [--no-saver] [--hidden] [--in-process] [--close-after SECONDS]
//     --no-saver       lay out the dialog and the preview window but start no saver
//     --hidden         keep the dialog off the screen (for tests that share the display)
//     --in-process     run the preview inside the host instead of starting the saver, so that
//                      its drawing can be seen under Wine
//     --close-after S  close the dialog after S seconds, as the user would
//
// The dialog is the process's top-level window of class kHostClass, titled "Display
// Properties", with the saver's item chosen. Tests send it the registered messages below;
// WM_CLOSE closes it, as a user would.
#pragma once

namespace vorlux::host {

inline constexpr wchar_t kHostClass[] = L"VorluxSettingsHost";

// wParam: index of the list item to choose, as the user would. Returns the chosen index.
inline constexpr wchar_t kSelectMessage[] = L"VorluxSettingsHost.Select";
// Destroys the preview window, as the dialog does when it closes. Returns 1 if there was one.
inline constexpr wchar_t kDestroyPreviewMessage[] = L"VorluxSettingsHost.DestroyPreview";
// Post it with wParam milliseconds (at most 60000): the dialog stops answering for that long,
// as a hung dialog does.
inline constexpr wchar_t kHangMessage[] = L"VorluxSettingsHost.Hang";
// wParam: one of the Query values. Returns the answer.
inline constexpr wchar_t kQueryMessage[] = L"VorluxSettingsHost.Query";

enum Query : unsigned {
  kQueryPreview = 0,         // the preview window, or 0
  kQuerySaverProcessId = 1,  // the last saver started, or 0
};

// The list's items are "(None)", "Blank", the saver's list name and "Marquee".
enum Item : int { kItemSaver = 2, kItemMarquee = 3 };

}  // namespace vorlux::host
