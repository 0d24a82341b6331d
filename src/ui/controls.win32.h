// The controls of the forms toolkit, created from named-field descriptions in twips: labels
// with mouse events, a pointer of their own and a font whose underline can change; images and
// frames that hold other controls; check boxes, option buttons, drop-down lists and push buttons.
#pragma once

#include <windows.h>

#include <string_view>

namespace vorlux {

enum class ControlKind {
  kLabel,         // text; Click, MouseMove, MouseDown; pointer and underline
  kImage,         // a picture (SS_BITMAP or SS_ICON in .style); container
  kFrame,         // an etched rectangle without caption; container; MouseMove, MouseDown
  kCheckBox,      // value 0 or 1
  kOptionButton,  // one of a group: the options that follow each other in one container
  kComboList,     // drop-down list; its index is -1 for none
  kPushButton,    // Click; the form's default and cancel buttons answer Enter and Esc
};

// Left, top, width and height in twips, relative to the container's client area.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A font by face and size in points at the screen's dots per inch; no face: the system's.
struct FontSpec {
  std::wstring_view face;
  double points = 8.25;
  bool bold = false;
  bool underline = false;
};

struct ControlDef {
  ControlKind kind = ControlKind::kLabel;
  int id = 0;  // unique in the form, above 0
  std::wstring_view caption;
  Twips twips;
  int tabIndex = -1;  // the place in the tab order; -1 for none (labels, images, frames)
  int container = 0;  // id of the frame or image that holds the control; 0 for the form
  FontSpec font;      // owned by the control: replaced and deleted with it
  DWORD style = 0;    // styles beyond those of the kind (SS_NOPREFIX, BS_DEFPUSHBUTTON, ...)
  bool visible = true;
  bool selected = false;  // an option drawn selected, before any handler has run
};

}  // namespace vorlux
