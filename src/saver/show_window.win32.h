// frmSS: the borderless full-screen window of the show, with its hidden picture box that holds
// the copy of the desktop drawn as the form's background.
#pragma once

#include <windows.h>

#include <optional>

#include "config/run_state.h"
#include "engine/surface.h"
#include "saver/saver_state.win32.h"
#include "ui/form.win32.h"
#include "ui/gdi.win32.h"

namespace vorlux {

// A hidden picture box: a persistent image of the form's size. The image is selected into a
// device context only while something draws on it, so that the form can paint it.
class PictureBox {
 public:
  // Sizes the image in pixels; the old image goes.
  void Resize(int width, int height);
  HBITMAP Image() const { return image_.Get(); }
  void Clear() { image_.Reset(); }

 private:
  GdiObject<HBITMAP> image_;
};

class frmSS : public Form {
 public:
  PictureBox pic;
  // What the show's input rules work with; set by the show before the form loads.
  SaverState* saver = nullptr;
  // While set, mouse moves go to the mouse watch and the system's request to start a screen
  // saver is ignored (other system commands take the default handling).
  void WatchInput(bool watch) { watching_ = watch; }
  // Set before the form loads: the window covers this monitor's area (in pixels of the virtual
  // screen) instead of the primary screen.
  void CoverArea(const Rect& area) { area_ = area; }
  // Raised when the system reports that the monitors changed; nullptr: not asked for.
  bool* displayChanged = nullptr;

 protected:
  WindowLayout Layout() const override;
  void Form_Load() override;
  void Form_QueryUnload(int unloadMode) override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode, int shift) override;
  void Form_MouseDown(int button, int shift, int x, int y) override;
  void Form_MouseMove(int button, int shift, int x, int y) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  bool watching_ = false;
  std::optional<Rect> area_;
};

// Copies the part of the screen under the form into its picture box and makes it the form's
// background.
void CaptureDesktop(frmSS& form);

}  // namespace vorlux
