// The one route from a window to the C++ object that owns it. A window of one of the program's
// classes gets its owner from its creation parameter; a window of another class is hooked: its
// procedure is displaced by the route's, and the displaced one is kept with the window. Both
// are window properties, removed when the window goes.
#pragma once

#include <windows.h>

namespace vorlux {

class WindowOwner {
 public:
  // Every message of every window the owner has; what it does not handle goes to
  // CallDisplacedProc.
  virtual LRESULT OnWindowMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp) = 0;

 protected:
  ~WindowOwner() = default;
};

// The owner of a window (nullptr when it has none).
WindowOwner* OwnerOf(HWND window);
// Lets the window go from its owner: its messages take the default route from now on.
void ReleaseWindow(HWND window);

// The window procedure of the program's own classes. The window's owner comes as the
// CREATESTRUCT's creation parameter, a WindowOwner*.
LRESULT CALLBACK RoutedWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

// Routes a window of another class to its owner, keeping the displaced procedure. A window that
// already has an owner, or no window, is left alone.
void HookWindow(HWND window, WindowOwner* owner);
// Gives a hooked window its own procedure back and lets it go from its owner.
void UnhookWindow(HWND window);
// The procedure the route displaced (nullptr when it displaced none).
WNDPROC DisplacedProc(HWND window);
// What a message gets without its owner: the displaced procedure, or the default one.
LRESULT CallDisplacedProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace vorlux
