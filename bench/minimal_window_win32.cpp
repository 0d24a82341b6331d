// The floor of start-up figures: a program that does the least a show does before its first
// frame, a full-screen top-most window with one line drawn on it; it ends on a key.
#include <windows.h>

int main() {
  const WNDCLASSW wc{.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) WINAPI -> LRESULT {
                       if (m == WM_KEYDOWN || m == WM_DESTROY) PostQuitMessage(0);
                       return DefWindowProcW(w, m, wp, lp);
                     },
                     .hInstance = GetModuleHandleW(nullptr),
                     .hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                     .lpszClassName = L"VorluxMinimalWindow"};
  RegisterClassW(&wc);
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  HWND w = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, cx,
                           cy, nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(w);
  UpdateWindow(w);
  HDC dc = GetDC(w);
  SelectObject(dc, GetStockObject(WHITE_PEN));
  MoveToEx(dc, cx / 4, cy / 4, nullptr);
  LineTo(dc, cx * 3 / 4, cy * 3 / 4);
  ReleaseDC(w, dc);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
