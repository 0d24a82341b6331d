// Fonts in points at the screen's resolution, and the measures of text in a font.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/gdi.win32.h"

namespace vorlux {

// A font of the given face and size in points at the screen's dots per inch.
FontObject CreateFontInPoints(std::wstring_view face, double points, bool underline = false,
                              bool bold = false);

// The font a control draws its text with (nullptr: the system's).
HFONT FontOf(HWND control);
TEXTMETRICW TextMetricsOf(HFONT font);
// The width of one blank in the font.
int BlankWidth(HFONT font);

// Resizes a text control to its text in its own font (the longest line by all lines), keeping
// its top-left corner.
void SizeLabelToText(HWND label);
// Widens a label whose text is wider than the label (a font at a higher resolution may be wider
// than its size in points); never narrows it.
void WidenLabelToText(HWND label);

}  // namespace vorlux
