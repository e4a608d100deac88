#include "cstring.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

#include "app.h"
#include "winuser.h"

void CString::Format(LPCWSTR format, ...) {
  if (format == nullptr) {
    str_.clear();
    return;
  }
  // vswprintf reports -1 both for errors and for a buffer that is too small: grow until it fits,
  // up to a limit that no text of the program comes near.
  std::vector<wchar_t> buffer(128);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int n = std::vswprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (n >= 0) {
      str_.assign(buffer.data(), static_cast<std::size_t>(n));
      return;
    }
    if (buffer.size() >= (1u << 20)) {
      str_.clear();
      return;
    }
    buffer.resize(buffer.size() * 4);
  }
}

BOOL CString::LoadString(UINT id) {
  LPWSTR text = nullptr;
  // A count of 0 hands out a read-only pointer to the resource and its length.
  const int n = LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (n <= 0 || text == nullptr) {
    str_.clear();
    return FALSE;
  }
  str_.assign(text, static_cast<std::size_t>(n));
  return TRUE;
}

int CString::CompareNoCase(LPCWSTR s) const {
  return ::lstrcmpiW(str_.c_str(), s);
}
