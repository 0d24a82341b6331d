// The About box, a form of the toolkit, modeless: its place and size, its links on their lines
// and under the mouse, and the GDI objects it leaves. (Loading and unloading by code and by the
// close box, key and mouse events, the background picture, the box's text, closing after an
// interval and the modal box from the setup dialog's system menu are seen end to end.)
#include <map>
#include <tuple>
#include <utility>

#include "about/about_text.h"
#include "about/about_window.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// A box with its pictures from the program's own file.
struct Box : fabout {
  Box() {
    SetResourceModule(LoadLibraryExW(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  }
  HGDIOBJ Image() { return HGDIOBJ(SendMessageW(imgIcon(), STM_GETIMAGE, IMAGE_BITMAP, 0)); }
};

TEST(AboutBox, ModelessBoxIsTopMostCentredItsLinksOnTheirLinesHoveredOneAtATimeLeavingNoGdiObject) {
  Box box;
  box.SetModeless(true);
  box.About(L"");
  ASSERT_TRUE(box.Loaded()) << "a modeless box stays open after About returns";
  const HWND h = box.hWnd();
  RECT r, text;
  GetClientRect(h, &r);  // 6555 by 3180 twips
  EXPECT_TRUE(std::abs(r.right * ScreenTwipsPerPixelX() - 6555) < ScreenTwipsPerPixelX() &&
              std::abs(r.bottom * ScreenTwipsPerPixelY() - 3180) < ScreenTwipsPerPixelY());
  GetWindowRect(h, &r);
  EXPECT_TRUE(IsWindowVisible(h) && GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST &&
              abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) <= 2 &&
              abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 2)
      << "shown top-most and centred";
  // Each link shows in blue on its line of the text.
  ProcessPendingMessages();
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, HGDIOBJ(SendMessageW(box.lblAbout(), WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  DeleteDC(dc);
  GetWindowRect(box.lblAbout(), &text);
  for (const auto& [link, caption, line] :
       {std::tuple{box.lblmailto(), L"vorlux@example.org", kEmailPlaceholderLine},
        std::tuple{box.lblweb(), L"https://www.example.org/vorlux/", kWebPlaceholderLine}}) {
    GetWindowRect(link, &r);
    const int lineTop = text.top + line * tm.tmHeight;
    EXPECT_TRUE(WindowTextOf(link) == caption && r.top >= lineTop - 2 &&
                r.bottom <= lineTop + tm.tmHeight + 2 &&
                Screenshot::CaptureRect(r).CountOf(0x0000FF) > 0)
        << caption << " from " << r.top - lineTop << " to " << r.bottom - lineTop;
  }
  const HGDIOBJ first = box.Image();
  box.About(L"");  // filling the shown box again replaces its picture; the old one goes
  const HGDIOBJ second = box.Image();

  // The link under the mouse alone has the hand and the underline.
  const HWND mail = box.lblmailto(), web = box.lblweb(), words = box.lblAbout();
  const auto font = [](HWND label) { return HGDIOBJ(SendMessageW(label, WM_GETFONT, 0, 0)); };
  EXPECT_TRUE(font(box.Frame1())) << "a frame keeps its font";
  const auto move = [](HWND w) { SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); };
  // m or w: that link underlined; M or W: it has the hand.
  const auto state = [&] {
    std::string s;
    for (const auto& [link, c] : {std::pair{mail, 'm'}, {web, 'w'}}) {
      LOGFONTW lf{};
      if (GetObjectW(font(link), sizeof lf, &lf) && lf.lfUnderline) s += c;
      if (box.MousePointer(GetDlgCtrlID(link))) s += char(c - 'a' + 'A');
    }
    return s;
  };
  // Over the mail link, the web link, the frame, ... (leaving the window sends nothing).
  const std::map<char, HWND> over = {{'m', mail}, {'w', web}, {'f', box.Frame1()}, {'t', words}};
  std::string seen;
  for (char c : std::string("mwfmtwm")) move(over.at(c)), seen += state() + " ";
  EXPECT_EQ(seen, "mM wW W mM M wW mM ");
  // Real moves: one onto a link without its hand yet shows the hand at once (the system asks
  // for the cursor before the move comes), one back onto the text the arrow.
  const auto pointAt = [&](HWND w) {
    GetWindowRect(w, &r);
    SetCursorPos(r.left + 4, r.top + 3);
    Sleep(150), ProcessPendingMessages();
  };
  pointAt(words);
  move(web);
  pointAt(mail);
  EXPECT_EQ(GetCursor(), box.MousePointer(GetDlgCtrlID(mail)));
  pointAt(words);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  std::vector<HGDIOBJ> fonts;
  for (int i = 0; i < 10000; ++i)
    move(i % 3 ? (i % 2 ? web : mail) : words), fonts.push_back(font(i % 2 ? web : mail));
  const HGDIOBJ last[] = {font(mail), font(web)};
  for (HGDIOBJ f : fonts)  // a deleted font's handle may come back for a later one
    ASSERT_TRUE(f == last[0] || f == last[1] || !GetObjectType(f)) << f;
  box.Unload();
  EXPECT_TRUE(first != second && !GetObjectType(first) && !GetObjectType(second));
  EXPECT_TRUE(!GetObjectType(last[0]) && !GetObjectType(last[1])) << "the fonts go with the box";
}

}  // namespace
}  // namespace vorlux::test
