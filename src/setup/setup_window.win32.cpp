// The setup dialog fsetup and its handlers.
#include "setup/setup_window.win32.h"

#include <exception>
#include <string>

#include "about/links.win32.h"
#include "about/system_menu.win32.h"
#include "base/color.h"
#include "config/stored_settings.h"
#include "setup/color_chooser.win32.h"
#include "setup/setup_choices.h"
#include "ui/fonts.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kColorLists[] = {kIdCboRed, kIdCboGreen, kIdCboBlue};

}  // namespace

Form::WindowLayout fsetup::Layout() const {
  WindowLayout s;
  s.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed border, no minimise or maximise box
  s.clientWidth = 4125;
  s.clientHeight = 3030;
  s.dialogKeys = true;
  s.defaultButton = IDOK;
  s.cancelButton = IDCANCEL;
  return s;
}

void fsetup::CreateControls() {
  constexpr FontSpec kRegular{L"MS Sans Serif", 8.25};
  constexpr FontSpec kBold{L"MS Sans Serif", 8.25, true};
  constexpr auto Check = ControlKind::kCheckBox, Option = ControlKind::kOptionButton,
                 Label = ControlKind::kLabel, List = ControlKind::kComboList,
                 Button = ControlKind::kPushButton;
  // clang-format off
  AddControls({
      {.kind = Check, .id = kIdChkBlack, .caption = L"&Delete Screen",
       .twips = {180, 210, 2055, 195}, .tabIndex = 0, .font = kRegular},
      {.kind = Check, .id = kIdChkMouse, .caption = L"&Mouse sensitivity",
       .twips = {180, 540, 2085, 195}, .tabIndex = 1, .font = kRegular},
      {.kind = Option, .id = kIdOptRandom, .caption = L"Random &Colors",
       .twips = {300, 960, 1605, 195}, .tabIndex = 2, .font = kRegular},
      {.kind = Option, .id = kIdOptFisso, .caption = L"&Only one color",
       .twips = {300, 1260, 1545, 195}, .tabIndex = 3, .font = kRegular, .selected = true},
      {.kind = Label, .id = kIdLabel1, .caption = L"&Red:", .twips = {1695, 270, 345, 195},
       .tabIndex = 4, .container = kIdFrame1, .font = kRegular},
      {.kind = List, .id = kIdCboRed, .twips = {2475, 210, 1125, 315}, .tabIndex = 5,
       .container = kIdFrame1, .font = kBold},
      {.kind = Label, .id = kIdLabel2, .caption = L"&Green:", .twips = {1695, 630, 480, 195},
       .tabIndex = 6, .container = kIdFrame1, .font = kRegular},
      {.kind = List, .id = kIdCboGreen, .twips = {2475, 570, 1125, 315}, .tabIndex = 7,
       .container = kIdFrame1, .font = kBold},
      {.kind = Label, .id = kIdLabel3, .caption = L"&Blue:", .twips = {1695, 990, 360, 195},
       .tabIndex = 8, .container = kIdFrame1, .font = kRegular},
      {.kind = List, .id = kIdCboBlue, .twips = {2475, 930, 1125, 315}, .tabIndex = 9,
       .container = kIdFrame1, .font = kBold},
      {.kind = Button, .id = IDOK, .caption = L"OK", .twips = {2820, 150, 1125, 345},
       .tabIndex = 10, .font = kRegular, .style = BS_DEFPUSHBUTTON},
      {.kind = Button, .id = IDCANCEL, .caption = L"Cancel", .twips = {2820, 600, 1125, 345},
       .tabIndex = 11, .font = kRegular},
      {.kind = ControlKind::kFrame, .id = kIdFrame1, .twips = {150, 1470, 3795, 1365},
       .tabIndex = 12},
      {.kind = Label, .id = kIdLblColor, .twips = {165, 420, 975, 615}, .tabIndex = 13,
       .container = kIdFrame1, .style = WS_BORDER},
  });
  // clang-format on
  for (int label : {kIdLabel1, kIdLabel2, kIdLabel3}) WidenLabelToText(Control(label));
  SetCheckValue(kIdChkBlack, 1);
  for (int list : kColorLists) SetControlBackColor(list, kWhite);
  // The white and the light grey show on a themed Windows too.
  for (int list : kColorLists) DrawUnthemed(Control(list));
  PaintSwatch(kWhite);
}

void fsetup::Form_Load() {
  SetCaption(setup_.run.AppTitle);
  CenterOnScreen();
  for (int i = 0; i < kColorListEntries; ++i)
    for (int list : kColorLists) AddListItem(list, ColorListEntry(i));
  LoadFromSettings();
  AddAboutMenuItem(hWnd(), kAboutCommandId, L"About...", true);
}

void fsetup::LoadFromSettings() {
  const StoredChoices stored =
      ChoicesFromStored(ReadStoredSettings(setup_.settings, setup_.run.AppTitle));
  if (stored.colors == StoredChoices::Colors::kFixed) {
    SetOptionValue(kIdOptFisso, true);
    FixedColorStored = true;
    SuppressSwatchUpdate = true;
    if (stored.components) {
      const auto& [red, green, blue] = *stored.components;
      // A list refuses an entry it does not have and keeps its state.
      if (red) SetListIndex(kIdCboRed, *red);
      if (green) SetListIndex(kIdCboGreen, *green);
      SuppressSwatchUpdate = false;  // the last change paints the swatch
      if (blue) SetListIndex(kIdCboBlue, *blue);
    }
    SuppressSwatchUpdate = false;
  } else {
    if (stored.colors == StoredChoices::Colors::kRandom) SetOptionValue(kIdOptRandom, true);
    FixedColorStored = false;
  }
  SetCheckValue(kIdChkBlack, stored.black ? 1 : 0);
  SetCheckValue(kIdChkMouse, stored.mouse ? 1 : 0);
}

void fsetup::optRandom_Click() {
  SuppressSwatchUpdate = true;
  for (int list : kColorLists) {
    SetListIndex(list, -1);
    SetControlBackColor(list, kLightGrey);
    EnableWindow(Control(list), FALSE);
  }
  SuppressSwatchUpdate = false;
  PaintSwatch(kWhite);
}

void fsetup::optFisso_Click() {
  if (FixedColorStored) {
    LoadFromSettings();
  } else {
    SuppressSwatchUpdate = true;
    for (int list : kColorLists) SetListIndex(list, 0);
    SuppressSwatchUpdate = false;
    PaintSwatch(kBlack);
  }
  for (int list : kColorLists) {
    EnableWindow(Control(list), TRUE);
    SetControlBackColor(list, kWhite);
  }
}

void fsetup::cboColor_Click() {
  if (SuppressSwatchUpdate) return;
  // Filling in a list nests this handler, which does the same work.
  for (int list : kColorLists)
    if (ListIndex(list) == -1) SetListIndex(list, 0);
  PaintSwatch(SwatchColor(ListIndex(kIdCboRed), ListIndex(kIdCboGreen), ListIndex(kIdCboBlue)));
}

void fsetup::lblColor_Click() {
  if (!OptionValue(kIdOptFisso)) return;
  const uint32_t start =
      SwatchColor(ListIndex(kIdCboRed), ListIndex(kIdCboGreen), ListIndex(kIdCboBlue));
  const int32_t picked = ShowColorChooser(hWnd(), start, setup_.customColors);
  if (picked == -1) return;
  const auto rgb = SplitColor(static_cast<uint32_t>(picked));
  for (int k = 0; k < 3; ++k) SetListIndex(kColorLists[k], rgb[k]);
}

void fsetup::cmdOK_Click() {
  const auto values = ChoicesToStore(OptionValue(kIdOptFisso), ListIndex(kIdCboRed),
                                     ListIndex(kIdCboGreen), ListIndex(kIdCboBlue),
                                     CheckValue(kIdChkBlack) == 1, CheckValue(kIdChkMouse) == 1);
  try {
    for (const auto& [key, text] : values)
      setup_.settings.Write(setup_.run.AppTitle, kSettingSection, key, text);
  } catch (const std::exception&) {
    // The rest is not written; the user learns why the choices were not kept.
    MessageBoxW(hWnd(), L"The settings could not be stored.", setup_.run.AppTitle.c_str(),
                MB_OK | MB_ICONERROR);
  }
  StopSaver(setup_.run);
}

void fsetup::Form_QueryUnload(int unloadMode) {
  // The close box, the system menu, the task list and Windows' ending all end the dialog like
  // Cancel.
  if (unloadMode != kUnloadCode) StopSaver(setup_.run);
}

void fsetup::Control_Click(int id) {
  switch (id) {
    case kIdOptRandom:
      optRandom_Click();
      break;
    case kIdOptFisso:
      optFisso_Click();
      break;
    case kIdCboRed:
    case kIdCboGreen:
    case kIdCboBlue:
      cboColor_Click();
      break;
    case kIdLblColor:
      lblColor_Click();
      break;
    case IDOK:
      cmdOK_Click();
      break;
    case IDCANCEL:
      StopSaver(setup_.run);
      break;
    default:
      break;
  }
}

bool fsetup::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  if (msg != WM_SYSCOMMAND || !SystemMenuCommand(setup_.about, hWnd(), wp)) return false;
  *result = 0;
  return true;
}

void fsetup::Control_MouseMove(int id, int, int, int, int) {
  // The swatch keeps the hand once it has it, in both colour modes.
  if (id == kIdLblColor && OptionValue(kIdOptFisso)) SetHandCursor(*this, id);
}

}  // namespace vorlux
