// The show's windows on the monitors besides the primary.
#include "saver/other_monitors.win32.h"

#include "base/steps.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// Far more than any desk has: enough that the layout rule sees every real monitor, and a
// broken report cannot grow the list without end.
constexpr size_t kMaxMonitorsAsked = 64;

struct Reported {
  std::array<Rect, kMaxMonitorsAsked> monitor{};
  size_t count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  auto& reported = *reinterpret_cast<Reported*>(list);
  if (r) reported.monitor[reported.count++] = {r->left, r->top, r->right, r->bottom};
  return reported.count < kMaxMonitorsAsked;
}

}  // namespace

MonitorAreas AskMonitorAreas() {
  Reported reported;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&reported));
  return AreasToCover({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                      std::span(reported.monitor.data(), reported.count));
}

void DrawOnClientArea(AnimationState& a, HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  a.DrawRect = {r.left, r.top, r.right, r.bottom};
  a.OneFramePerCall = true;
}

void StartAnimation(AnimationState& a, HWND window) {
  ResetFigures(a.Figures, 6);
  DrawOnClientArea(a, window);
  a.Figures.CenterX = (a.DrawRect.right - a.DrawRect.left) / 2;
  a.Figures.CenterY = (a.DrawRect.bottom - a.DrawRect.top) / 2;
}

void OtherMonitors::Open(std::span<const Rect> areas) {
  for (const Rect& area : areas.subspan(areas.empty() ? 0 : 1)) {
    if (count_ == monitors_.size()) break;
    Monitor& m = monitors_[count_++].emplace();
    m.form.saver = &saver_;
    m.form.displayChanged = &displayChanged_;
    m.form.CoverArea(area);
    RunStep([&] { m.form.Load(); });
    if (!m.form.IsLoaded()) continue;
    m.window = m.form.hWnd();
    RunStep([&] {
      if (!saver_.run.ClearToBlack) CaptureDesktop(m.form);
    });
  }
}

void OtherMonitors::Show() {
  for (auto& m : Opened()) {
    if (!m->form.IsLoaded()) continue;
    m->form.Show();
    MakeTopMost(m->window);
  }
}

void OtherMonitors::StartDrawing(const ColorChoice& colors, RandomSource& random) {
  for (auto& m : Opened()) {
    if (!m->form.IsLoaded()) continue;
    m->form.WatchInput(true);
    RunStep(
        [&] { GraphicsSetup(m->graphics, m->window, 0, FirstColor(colors, random), 1, m->dc); });
    StartAnimation(m->animation, m->window);
  }
}

void OtherMonitors::Frame(EngineHost& host, RandomSource& random, const ColorChoice& colors) {
  for (auto& m : Opened()) {
    if (!m->dc || host.StopRequested()) continue;
    GdiSurface surface(m->graphics, m->dc);
    RunStep([&] { AnimateFigures(surface, m->animation, host, random, colors); });
  }
}

void OtherMonitors::Close() {
  for (auto& m : Opened()) {
    m->form.saver = nullptr;  // unloaded on purpose: no stop of the show
    if (m->dc) GraphicsRelease(m->graphics, m->window, m->dc);
    m->form.Unload();
  }
  for (auto& m : Opened()) m.reset();
  count_ = 0;
}

ShowForms OtherMonitors::WithPrimary(frmSS& primary) {
  ShowForms forms;
  forms.form[forms.count++] = &primary;
  for (auto& m : Opened())
    if (m->form.IsLoaded()) forms.form[forms.count++] = &m->form;
  return forms;
}

}  // namespace vorlux
