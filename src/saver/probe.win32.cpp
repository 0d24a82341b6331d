// The probe of the screen-saver settings dialog, read from outside with time-limited messages.
#include "saver/probe.win32.h"

#include <optional>

#include "base/text_case.h"

namespace vorlux {

namespace {

constexpr wchar_t kPageClass[] = L"#32770";
constexpr wchar_t kPageTitle[] = L"Screen saver";
constexpr wchar_t kListClass[] = L"ComboBox";

// The dialog may live in another process: a reply that does not come in time is no reply.
std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                           kProbeReplyTimeoutMs, &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

HWND FindPage(HWND window) {
  for (HWND page = FindWindowExW(window, nullptr, kPageClass, nullptr); page;
       page = FindWindowExW(window, page, kPageClass, nullptr)) {
    wchar_t title[kProbeMaxItemLength + 1] = {};
    const int length = GetWindowTextW(page, title, kProbeMaxItemLength + 1);
    if (length > 0 && ContainsIgnoreCase(std::wstring_view(title, length), kPageTitle)) return page;
  }
  return window;
}

enum class ItemCheck { kNoMatch, kMatch, kNoAnswer };

ItemCheck CheckCurrentItem(HWND list, std::wstring_view name) {
  const std::optional<LRESULT> index = Ask(list, CB_GETCURSEL, 0, 0);
  if (!index) return ItemCheck::kNoAnswer;
  if (*index < 0) return ItemCheck::kNoMatch;
  // The length first, so that the text is read only into a buffer that holds it.
  const std::optional<LRESULT> length = Ask(list, CB_GETLBTEXTLEN, *index, 0);
  if (!length) return ItemCheck::kNoAnswer;
  if (*length <= 0 || *length > kProbeMaxItemLength) return ItemCheck::kNoMatch;
  wchar_t text[kProbeMaxItemLength + 1] = {};
  const std::optional<LRESULT> copied =
      Ask(list, CB_GETLBTEXT, *index, reinterpret_cast<LPARAM>(text));
  if (!copied) return ItemCheck::kNoAnswer;
  // An item that changed between the two questions is not compared.
  if (*copied <= 0 || *copied > *length) return ItemCheck::kNoMatch;
  return EqualsIgnoreCase(std::wstring_view(text, static_cast<size_t>(*copied)), name)
             ? ItemCheck::kMatch
             : ItemCheck::kNoMatch;
}

}  // namespace

bool IsSaverSelected(HWND window, std::wstring_view name) {
  const HWND page = FindPage(window);
  for (HWND list = FindWindowExW(page, nullptr, kListClass, nullptr); list;
       list = FindWindowExW(page, list, kListClass, nullptr)) {
    switch (CheckCurrentItem(list, name)) {
      case ItemCheck::kMatch:
        return true;
      case ItemCheck::kNoAnswer:
        // The lists share the dialog's thread: when one does not answer, none will.
        return false;
      case ItemCheck::kNoMatch:
        break;
    }
  }
  return false;
}

}  // namespace vorlux
