// The forms layer: top-level windows as C++ objects with load/unload, modal and modeless
// showing, positions in twips, a background picture, controls, and event handlers named after
// the event. Every form uses the program's one window class, and every window of a form (its
// own, its frames, its hooked labels) reaches it through the window route.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "base/input_codes.h"
#include "ui/controls.win32.h"
#include "ui/gdi.win32.h"
#include "ui/window_route.win32.h"

namespace vorlux {

// Why a form is being unloaded.
enum UnloadMode : int {
  kUnloadControlMenu = 0,      // close box or system menu
  kUnloadCode = 1,             // the program's own code
  kUnloadWindowsShutdown = 2,  // Windows is shutting down or the user logs off
};

enum WindowState : int { kWindowNormal = 0, kWindowMinimized = 1, kWindowMaximized = 2 };

// The button (kLeftButton, ...) of a button-down message; 0 for any other message.
int ButtonPressed(UINT msg);
// The buttons (kLeftButton | ...) held during a mouse move.
int ButtonsHeld(WPARAM wp);
// The modifier set (kShiftMask, kCtrlMask, kAltMask) held down right now.
int CurrentModifiers();

class Form : private WindowOwner {
 public:
  Form() = default;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window (hidden) and runs Form_Load, unless already loaded.
  void Load();
  // Runs Form_QueryUnload with kUnloadCode and destroys the window; nothing when not loaded.
  void Unload();
  // Modeless returns at once; modal returns when the form has been unloaded.
  void Show(bool modal = false);
  void Hide();

  bool IsLoaded() const { return hwnd_ != nullptr; }
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  // The window handle; touching it loads the form.
  HWND hWnd();

  void SetCaption(std::wstring_view caption);

  // Outer position and size in twips.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void Move(int left, int top, int width, int height);
  // Left = (screen width - width) \ 2, top likewise, in twips (truncated toward zero).
  void CenterOnScreen();
  // The same rule in an area of the virtual screen given in pixels, e.g. a monitor's.
  void CenterOnArea(const RECT& area);

  void SetWindowState(WindowState state);

  // A picture drawn under everything on every repaint; the form does not own it.
  void SetBackgroundPicture(HBITMAP picture);
  void SetBackColor(COLORREF color);

  // The module whose resources the form shows: the program itself unless set, e.g. by a test
  // that loads the program's file for its resources.
  HMODULE ResourceModule() const { return resources_ ? resources_ : GetModuleHandleW(nullptr); }
  void SetResourceModule(HMODULE module) { resources_ = module; }

  // --- Controls, by id; nothing happens for an id the form does not have. ---
  HWND Control(int id) const;
  void AddListItem(int id, std::wstring_view text);
  int ListCount(int id) const;
  int ListIndex(int id) const;
  // Selects an entry (-1: none) and raises Control_Click as a user's pick does. An index
  // outside -1 to count - 1 is refused: the list keeps its state and nothing is raised.
  bool SetListIndex(int id, int index);
  bool OptionValue(int id) const;
  // Selecting an option clears the others of its group and raises Control_Click, unless it
  // was selected already; clearing one raises nothing.
  void SetOptionValue(int id, bool selected);
  int CheckValue(int id) const;
  void SetCheckValue(int id, int value);
  // The pointer shown over the control; nullptr for the default one. Not owned.
  void SetMousePointer(int id, HCURSOR cursor);
  HCURSOR MousePointer(int id) const;
  // Gives the control a new font that differs from its own only in the underline; the old one
  // is deleted. Nothing happens when its own font is underlined so already.
  void SetFontUnderline(int id, bool underline);
  bool FontUnderline(int id) const;
  // The background of a label, list or button, drawn with the form's text colour. Without one a
  // control takes the form's background.
  void SetControlBackColor(int id, COLORREF color);

 protected:
  struct WindowLayout {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = 0;
    int clientWidth = 4800;  // twips
    int clientHeight = 3600;
    // Tab, Enter, Esc and the access keys of labels work as in a dialog: the window falls back
    // on the dialog procedure, and the loop that runs the form routes its keys (a modal form's
    // own loop; for a modeless one, its caller's).
    bool dialogKeys = false;
    // False: the form is owned by a hidden window of its own, which keeps it out of the
    // taskbar without the small caption of a tool window.
    bool showInTaskbar = true;
    // The push buttons that Enter and Esc press (0 for none); both may be the same button.
    int defaultButton = 0;
    int cancelButton = 0;
  };
  virtual WindowLayout Layout() const { return {}; }
  // Creates the child controls; runs before Form_Load.
  virtual void CreateControls() {}

  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int /*unloadMode*/) {}
  // Last chance to free what the controls hold, after Form_QueryUnload.
  virtual void Form_Unload() {}
  virtual void Form_KeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual void Form_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  // A button, option or check box pressed, a list entry picked, a label clicked.
  virtual void Control_Click(int /*id*/) {}
  // The mouse over a label or a frame, and a button pressed on it; x and y in twips within it.
  virtual void Control_MouseMove(int /*id*/, int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void Control_MouseDown(int /*id*/, int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  // Any message of the form's own window before the form's handling; return true with *result
  // when handled.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

  // Creates the controls. Containers come first whatever their place in the list; the tab
  // order follows tabIndex, a container taking the place of the first control it holds. The
  // notifications of the controls inside a frame reach the form, and a frame asks the form for
  // its background brush with WM_CTLCOLORSTATIC.
  void AddControls(std::initializer_list<ControlDef> defs);
  COLORREF BackColor() const { return backColor_; }

 private:
  struct ControlState {
    int id;
    ControlKind kind;
    HWND hwnd;
    int container;
    int order;  // place in the tab order
    FontObject font;
    HCURSOR pointer = nullptr;
    BrushObject back;  // none: the form's background
    COLORREF backColor = 0;
  };
  LRESULT OnWindowMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp) override;
  // The form's own window.
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // Labels' and frames' mouse events, pointer and click; options' arrow keys; a frame's drawing.
  LRESULT ControlProc(const ControlState& control, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT FrameProc(HWND frame, UINT msg, WPARAM wp, LPARAM lp);
  // The brush of a WM_CTLCOLOR... message; nullptr when the control takes the default.
  HBRUSH ControlBrush(UINT msg, HWND control, HDC dc);
  // The options of a group, as [first, end) in the controls' list.
  std::pair<const ControlState*, const ControlState*> OptionGroup(const ControlState& option) const;
  // Makes one option of the group a tab stop and the others not.
  void MarkGroupStop(const ControlState& option);
  // Selects the next (step 1) or previous (-1) option of the group that can take the focus, and
  // gives it the focus.
  void SelectNextOption(const ControlState& option, int step);
  ControlState* Find(int id);
  const ControlState* Find(int id) const;
  const ControlState* FindWindow(HWND control) const;
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) const;
  void OnControlCommand(int id, int code);
  void UnloadWith(int unloadMode);
  void EnableWindowsDisabledByModal();
  void PaintBackground(HDC dc);

  HWND hwnd_ = nullptr;
  HWND hiddenOwner_ = nullptr;  // for a form kept out of the taskbar
  HMODULE resources_ = nullptr;
  HBITMAP background_ = nullptr;
  COLORREF backColor_ = GetSysColor(COLOR_BTNFACE);
  BrushObject backBrush_;
  WindowState windowState_ = kWindowNormal;
  std::vector<HWND> disabledByModal_;
  std::vector<ControlState> controls_;
  bool dialogKeys_ = false;
  bool focusArriving_ = false;  // an option is taking the focus
  int defaultButton_ = 0;
  int cancelButton_ = 0;
};

}  // namespace vorlux
