// Fonts in points and text measures.
#include "ui/fonts.win32.h"

#include <cmath>
#include <string>

#include "ui/screen_units.win32.h"

namespace vorlux {

namespace {

// The size of a text control's caption in its own font (the longest line by all lines).
SIZE TextSizeOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  const WindowDc dc(control);
  const Selection font(dc.Get(), FontOf(control));
  RECT r{0, 0, 0, 0};
  UINT format = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS;
  if (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) format |= DT_NOPREFIX;
  DrawTextW(dc.Get(), text.empty() ? L" " : text.c_str(), -1, &r, format);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

FontObject CreateFontInPoints(std::wstring_view face, double points, bool underline, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(points * ScreenDpiY() / 72.0));  // character height
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return FontObject(CreateFontIndirectW(&lf));
}

HFONT FontOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

TEXTMETRICW TextMetricsOf(HFONT font) {
  TEXTMETRICW tm{};
  const WindowDc screen;
  const Selection selected(screen.Get(), font);
  GetTextMetricsW(screen.Get(), &tm);
  return tm;
}

int BlankWidth(HFONT font) {
  SIZE blank{};
  const WindowDc screen;
  const Selection selected(screen.Get(), font);
  GetTextExtentPoint32W(screen.Get(), L" ", 1, &blank);
  return blank.cx;
}

void SizeLabelToText(HWND label) {
  const SIZE size = TextSizeOf(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WidenLabelToText(HWND label) {
  RECT r;
  GetWindowRect(label, &r);
  const SIZE size = TextSizeOf(label);
  if (size.cx > r.right - r.left)
    SetWindowPos(label, nullptr, 0, 0, size.cx, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vorlux
