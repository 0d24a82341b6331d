// The setup dialog fsetup: random colours or one fixed colour (three lists and a swatch that
// opens the colour chooser), "Delete Screen" and "Mouse sensitivity"; OK stores the choices.
#pragma once

#include <windows.h>

#include "setup/setup.win32.h"
#include "ui/form.win32.h"

namespace vorlux {

// The dialog's control ids. OK and Cancel are the dialog's IDOK and IDCANCEL; the lists, their
// labels and the swatch lie inside the frame.
enum SetupControl : int {
  kIdChkBlack = 101,
  kIdChkMouse,
  kIdOptRandom,
  kIdOptFisso,
  kIdFrame1,
  kIdLabel1,
  kIdCboRed,
  kIdLabel2,
  kIdCboGreen,
  kIdLabel3,
  kIdCboBlue,
  kIdLblColor,
};

class fsetup : public Form {
 public:
  explicit fsetup(SetupState& setup) : setup_(setup) { SetBackColor(GetSysColor(COLOR_WINDOW)); }

  // Set when the last loading found a fixed colour in the store: choosing "Only one color"
  // then brings it back.
  bool FixedColorStored = false;
  // While set, a change of a list does not repaint the swatch.
  bool SuppressSwatchUpdate = false;

 protected:
  WindowLayout Layout() const override;
  void CreateControls() override;
  void Form_Load() override;
  void Form_QueryUnload(int unloadMode) override;
  void Control_Click(int id) override;
  void Control_MouseMove(int id, int button, int shift, int x, int y) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void LoadFromSettings();
  void optRandom_Click();
  void optFisso_Click();
  void cboColor_Click();
  void lblColor_Click();
  void cmdOK_Click();
  void PaintSwatch(COLORREF color) { SetControlBackColor(kIdLblColor, color); }

  SetupState& setup_;
};

}  // namespace vorlux
