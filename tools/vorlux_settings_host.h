// What tests need to drive the stand-in settings dialog (vorlux_settings_host.exe).
//
//   vorlux_settings_host.exe [--hidden] [--no-preview] [--in-process] [--close-after SECONDS]
//     --hidden         keep the dialog off the screen (for tests that share the display)
//     --no-preview     start no preview
//     --in-process     run the preview inside the host instead of starting the saver, so that
//                      its drawing can be seen under Wine; the host ends with the preview
//     --close-after S  close the dialog after S seconds, as the user would
//
// The dialog is the process's top-level window of class kHostClass, titled "Display
// Properties". Its one child is the "Screen Saver" page (class #32770), which holds a "Static"
// monitor picture with the preview window inside (its one child, black until a saver draws)
// and a "ComboBox" of savers with the saver's item chosen, and a "Settings..." button (id
// kSettingsButton) that starts the saver with "/c:<page>", as Windows does. Once the host has
// started the saver, the dialog's GWLP_USERDATA (the preview) or the button's (the settings)
// holds the saver's process id. Tests choose another item with
// CB_SETCURSEL, destroy the preview window with WM_CLOSE and close the dialog with WM_CLOSE, as
// the user or the dialog would.
#pragma once

namespace vorlux::host {

inline constexpr wchar_t kHostClass[] = L"VorluxSettingsHost";

// The list's items are "(None)", "Blank", the saver's list name and "Marquee".
enum Item : int { kItemSaver = 2, kItemMarquee = 3 };

inline constexpr int kSettingsButton = 1001;

// Posted to the dialog: a new preview window with a new saver in it, in front of the old one,
// which goes 0.3 s later (as the dialog does when the user chooses the saver again or changes a
// setting).
inline constexpr unsigned kRestartPreview = 0x8001;  // WM_APP + 1

}  // namespace vorlux::host
