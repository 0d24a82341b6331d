// What tests need to drive the stand-in settings dialog (vorlux_settings_host.exe).
//
// Command line:
//   vorlux_settings_host.exe [--saver PATH] [--select NAME] [--add-item TEXT]... [--no-saver]
//                            [--hidden] [--info FILE] [--in-process] [--close-after SECONDS]
//     --saver PATH     the saver to run (default: SSVorlux.scr next to the host)
//     --select NAME    the list item chosen at start, whole text (default: the saver's own
//                      list name; no such item: none chosen)
//     --add-item TEXT  one more list item after the standard ones (may be repeated)
//     --no-saver       lay out the dialog and the preview window but start no saver
//     --hidden         keep the dialog off the screen (for tests that share the display)
//     --info FILE      after every preview start, write "dialog=", "preview=" and "pid=" lines
//                      (decimal) to FILE
//     --in-process     run the preview inside the host instead of starting the saver, with the
//                      saver's settings, so that its drawing can be seen under Wine
//     --close-after S  close the dialog after S seconds, as the user would
//
// The dialog is the process's top-level window, titled kHostTitle. Tests send it the
// registered messages below; WM_CLOSE closes it, as a user would.
#pragma once

namespace vorlux::host {

inline constexpr wchar_t kHostTitle[] = L"Display Properties";
inline constexpr wchar_t kHostClass[] = L"VorluxSettingsHost";

// wParam: index of the list item to choose (out of range: none). Acts as the user's choice:
// choosing the saver's own item starts a new preview. Returns the chosen index or -1.
inline constexpr wchar_t kSelectMessage[] = L"VorluxSettingsHost.Select";
// Destroys the preview window, as the dialog does when it closes. Returns 1 if there was one.
inline constexpr wchar_t kDestroyPreviewMessage[] = L"VorluxSettingsHost.DestroyPreview";
// Makes a new preview window and starts the saver in it. Returns the new preview window.
inline constexpr wchar_t kRestartPreviewMessage[] = L"VorluxSettingsHost.RestartPreview";
// Post it with wParam milliseconds (at most 60000): the dialog stops answering for that long,
// as a hung dialog does.
inline constexpr wchar_t kHangMessage[] = L"VorluxSettingsHost.Hang";
// wParam: one of the Query values. Returns the answer.
inline constexpr wchar_t kQueryMessage[] = L"VorluxSettingsHost.Query";

enum Query : unsigned {
  kQueryPreview = 0,         // the preview window, or 0
  kQuerySaverProcessId = 1,  // the last saver started, or 0
  kQuerySaverExitCode = 2,   // its exit code, 259 (STILL_ACTIVE) while it runs, -1 if none
  kQuerySaverStarts = 3,     // how many savers have been started
  kQueryPage = 4,            // the "Screen Saver" page
  kQueryList = 5,            // the list of savers
  kQueryMonitor = 6,         // the monitor picture that holds the preview window
};

// The list's items, in order; the saver's own item shows its list name. Items of --add-item
// follow from kItemExtra on.
enum Item : int { kItemNone = 0, kItemBlank = 1, kItemSaver = 2, kItemMarquee = 3, kItemExtra = 4 };

}  // namespace vorlux::host
