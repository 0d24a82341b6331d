// The About box: title and version, years and maker, city, the maker's e-mail and web links,
// and a picture of an information sign.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "config/run_state.h"
#include "ui/form.win32.h"
#include "ui/form_timer.win32.h"

namespace vorlux {

// The information sign, the box's default picture.
inline constexpr int kAboutBitmapResource = 364;

// A bitmap or an icon for the box. Shared like a picture object: the GDI object goes when its
// last holder lets go.
class Picture {
 public:
  // Empty when the module has no such resource.
  static std::shared_ptr<const Picture> FromBitmapResource(HMODULE module, int id);
  static std::shared_ptr<const Picture> FromIconResource(HMODULE module, int id);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  HANDLE Handle() const { return handle_; }
  UINT Type() const { return type_; }  // IMAGE_BITMAP or IMAGE_ICON

 private:
  Picture(HANDLE handle, UINT type) : handle_(handle), type_(type) {}
  HANDLE handle_;
  UINT type_;
};
using PicturePtr = std::shared_ptr<const Picture>;

class fabout : public Form {
 public:
  // A link pressed ends the run of this state (none: the box only closes).
  explicit fabout(RunState* run = nullptr);

  // The application's title and copyright years for the text; the owner of the box sets them.
  std::wstring AppTitle;
  std::wstring CopyrightYears;

  // Fills and shows the box: modeless and top-most, or modal (returns once the box is closed).
  // Without an icon the box shows its information sign.
  void About(std::wstring_view comment, PicturePtr icon = nullptr);
  // Milliseconds after which a shown box closes itself; 0 keeps it open. Both load the form.
  int32_t Interval();
  void SetInterval(int32_t milliseconds);
  bool Modeless() const { return modeless_; }
  void SetModeless(bool modeless) { modeless_ = modeless; }
  bool Loaded() const { return loaded_; }

  // The controls, while the form is loaded.
  HWND Frame1() const { return Frame1_; }
  HWND lblweb() const { return lblweb_; }
  HWND lblmailto() const { return lblmailto_; }
  HWND imgIcon() const { return imgIcon_; }
  HWND lblAbout() const { return lblAbout_; }
  const FormTimer& TimerHide() const { return TimerHide_; }

 protected:
  WindowLayout Layout() const override;
  void CreateControls() override;
  void Form_Load() override;
  void Form_QueryUnload(int unloadMode) override;
  void Form_Unload() override;
  void Control_Click(int id) override;
  void Control_MouseMove(int id, int button, int shift, int x, int y) override;
  void Control_MouseDown(int id, int button, int shift, int x, int y) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void btnOK_Click();
  // The link under the mouse gets the hand and the underline, the other link loses both.
  void ShowLinkUnderMouse(int link, int other);
  // Opens the target, closes the box and ends the run.
  void FollowLink(const std::wstring& target);
  void TimerHide_Timer();
  void SetPicture(PicturePtr picture);
  void PlaceLinksOnTheirBlanks();

  HWND btnOK_ = nullptr;
  HWND Frame1_ = nullptr;
  HWND lblweb_ = nullptr;
  HWND lblmailto_ = nullptr;
  HWND imgIcon_ = nullptr;
  HWND lblAbout_ = nullptr;
  FormTimer TimerHide_;

  // What the picture control shows; released when the form unloads.
  PicturePtr picture_;

  RunState* run_;
  int32_t storedInterval_ = 0;
  bool modeless_ = false;
  bool loaded_ = false;
};

// Opens the box with a comment and a picture, given as a picture or as a bitmap resource
// number (0: the box's own). Keys still waiting for the owner are routed as a dialog's; the
// reserved number is not used.
void ShowAboutBox(fabout& box, HWND owner, std::wstring_view comment, int bitmapResource,
                  int reserved, PicturePtr icon);

// The system menu's "About...": the box with its own picture, modal.
void AboutFromSystemMenu(fabout& box, HWND window);

// With topMostWithTimeout the box is top-most and closes itself after 10 seconds. A resource
// number other than 364 names an icon resource to show instead of the information sign.
// Modal unless the box was made modeless.
void ShowAboutTimed(fabout& box, bool topMostWithTimeout, int16_t iconResource,
                    std::wstring_view comment);

}  // namespace vorlux
