// frmSS: the borderless full-screen window of the show, with its hidden picture box that holds
// the copy of the desktop drawn as the form's background.
#pragma once

#include <windows.h>

#include "config/run_state.h"
#include "saver/saver_state.win32.h"
#include "ui/form.win32.h"
#include "ui/gdi.win32.h"

namespace vorlux {

// A hidden picture box: a persistent image of the form's size. The image is selected into a
// device context only while something draws on it, so that the form can paint it.
class PictureBox {
 public:
  // Sizes the image in twips; the old image goes.
  void Resize(int widthTwips, int heightTwips);
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
};

// Copies the screen into the form's picture box and makes it the form's background.
void CaptureDesktop(frmSS& form, const RunState& run);

}  // namespace vorlux
