// The platform layer's small pieces: the wait and window hooks; GDI drawing with one module pen
// at a time and the device context put back; the registry store. (What the show draws, and the
// cursor hidden and shown again, are seen on the screen of the real show.)
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "config/settings_store.win32.h"
#include "engine/gdi_surface.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/window_route.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// A window's own procedure: answers WM_APP with N, and counts WM_APP and timer ticks.
int g_messages;
template <int N>
LRESULT CALLBACK Original(HWND h, UINT m, WPARAM w, LPARAM l) {
  return m == WM_APP || m == WM_TIMER ? (++g_messages, N) : DefWindowProcW(h, m, w, l);
}

// An owner of hooked windows adds its number to the answer of the procedure it displaced.
struct Adder : WindowOwner {
  explicit Adder(int n) : n(n) {}
  LRESULT OnWindowMessage(HWND h, UINT m, WPARAM w, LPARAM l) override {
    return (m == WM_APP ? n : 0) + CallDisplacedProc(h, m, w, l);
  }
  int n;
};

// A window of this thread with the given procedure.
HWND PlainWindow(WNDPROC proc) {
  HWND w = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(proc));
  return w;
}

// The time this thread has run, in the kernel and in user mode.
double CpuSeconds() {
  FILETIME t[4];
  GetThreadTimes(GetCurrentThread(), &t[0], &t[1], &t[2], &t[3]);
  const auto s = [](FILETIME f) { return (ULONGLONG(f.dwHighDateTime) << 32 | f.dwLowDateTime); };
  return (s(t[2]) + s(t[3])) / 1e7;
}

TEST(Pause, WaitsItsTimeAsleepWhileDispatchingAndAnsweringMessages) {
  HWND w = PlainWindow(Original<0>);
  g_messages = 0;
  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    PostMessageW(w, WM_APP, 0, 0);
    const double start = MonotonicSeconds();
    Pause(seconds);
    EXPECT_LT(MonotonicSeconds() - start, 0.5) << seconds;
  }
  EXPECT_EQ(g_messages, 3) << "messages are processed at least once";
  // No timer runs yet: only the sent message can wake the wait.
  const double start = MonotonicSeconds(), cpu = CpuSeconds();
  double answered = -1;  // read after the join
  std::function<void()> run = [&] {
    Sleep(50);
    SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    answered = MonotonicSeconds() - start;
  };
  const HANDLE sender = StartThread(run);
  Pause(0.5f);
  const double took = MonotonicSeconds() - start, busy = CpuSeconds() - cpu;
  Join(sender);
  // Generous bounds: the figures are the benchmark's. A sent message does not wait for the end.
  EXPECT_TRUE(took >= 0.495 && took < 2.0 && answered < 0.4 && busy < 0.1)
      << took << " s, answered after " << answered << " s, " << busy << " s of CPU";
  SetTimer(w, 1, 20, nullptr);
  Pause(0.3f);
  EXPECT_GE(g_messages, 3 + 5) << "timer messages are dispatched during the wait";
  DestroyWindow(w);
}

TEST(WindowRoute, EachHookedWindowKeepsItsOwnOwnerAndDisplacedProcedureUntilUnhookedOrGone) {
  HWND a = PlainWindow(Original<1>), b = PlainWindow(Original<2>);
  Adder ten(10), twenty(20);
  const auto app = [](HWND w) { return SendMessageW(w, WM_APP, 0, 0); };
  // A second hook would call itself for ever; a second owner would take the window over.
  for (auto [w, owner] : {std::pair{a, &ten}, {b, &twenty}, {a, &twenty}}) HookWindow(w, owner);
  EXPECT_TRUE(app(a) == 11 && app(b) == 22 && OwnerOf(a) == &ten);
  UnhookWindow(a);
  EXPECT_TRUE(GetWindowLongPtrW(a, GWLP_WNDPROC) == LONG_PTR(Original<1>) && !DisplacedProc(a) &&
              !OwnerOf(a) && app(a) == 1);
  EXPECT_EQ(app(b), 22) << "the other window is still hooked";
  for (HWND w : {a, b}) DestroyWindow(w);
}

TEST(Graphical, ManyPensLeaveOneAliveAndReleasePutsTheDcsOwnObjectsBack) {
  // A device context of its own: its selections outlive ReleaseDC.
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const WNDCLASSW wc{CS_OWNDC, DefWindowProcW, 0, 0, module, 0, 0, 0, 0, L"VorluxOwnDc"};
  RegisterClassW(&wc);
  HWND w = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 64, 64, 0, 0, module, 0);
  HDC dc = GetDC(w), drawDC = nullptr;
  const HGDIOBJ ownPen = GetCurrentObject(dc, OBJ_PEN), ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
  for (int twice = 0; twice < 2; ++twice) {  // a second set-up starts clean
    GraphicsState g;
    GraphicsSetup(g, w, 0, RGB(1, 2, 3), 1, drawDC);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    LOGBRUSH b{};  // a black one of the module's
    EXPECT_TRUE(brush != ownBrush && GetObjectW(brush, sizeof b, &b) && b.lbColor == 0);
    // A thousand pens in turn: only the last one is alive, solid, of its colour and width.
    std::vector<HPEN> pens{g.CurrentPen.Get()};
    GdiSurface surface(g, dc);
    for (int i = 0; i < 1000; ++i) surface.SetPen(i, 3 - i % 3), pens.push_back(g.CurrentPen.Get());
    const HPEN pen = pens.back();
    for (HPEN earlier : pens)  // a deleted pen's handle may come back for a later pen
      EXPECT_TRUE(earlier == pen || GetObjectType(earlier) == 0) << earlier;
    LOGPEN p{};
    EXPECT_TRUE(GetObjectW(pen, sizeof p, &p) && p.lopnStyle == PS_SOLID && p.lopnWidth.x == 3 &&
                p.lopnColor == 999);
    GraphicsRelease(g, w, dc);
    EXPECT_TRUE(GetCurrentObject(dc, OBJ_PEN) == ownPen &&
                GetCurrentObject(dc, OBJ_BRUSH) == ownBrush);
    EXPECT_TRUE(!GetObjectType(pen) && !GetObjectType(brush)) << "deleted";
  }
  DestroyWindow(w);
}

TEST(RegistryStore, KeepsAnyTextAsOneStringValueAndReadsTheDefaultWhenItIsAbsent) {
  const std::wstring app = L"Vorlux Store Test " + std::to_wstring(GetCurrentProcessId());
  RegistrySettingsStore store;
  const auto read = [&](const wchar_t* key) { return store.Read(app, L"Setting", key, L"-"); };
  EXPECT_EQ(read(L"Value"), L"-") << "no key at all";
  store.Write(app, L"Setting", L"Other", L"x");
  EXPECT_EQ(read(L"Value"), L"-") << "a key without the value";
  for (const std::wstring& text : {std::wstring(), std::wstring(100000, L'7') + L"end",
                                   std::wstring(L"s\u00ec \u4e2d\u6587 \U0001F600 \r\n ")}) {
    store.Write(app, L"Setting", L"Value", text);
    EXPECT_EQ(read(L"Value"), text) << "length " << text.size();
  }
  DWORD type = 0;
  RegGetValueW(HKEY_CURRENT_USER, (L"Software\\" + app + L"\\Setting").c_str(), L"Other",
               RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr);
  EXPECT_EQ(type, DWORD(REG_SZ)) << "a text value, not one to expand";
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + app).c_str());
}

}  // namespace
}  // namespace vorlux::test
