// A small wide string: what the program formats numbers into, loads from the string table and
// hands to window-text calls.
#pragma once

#include <string>

#include "windef.h"

class CString {
 public:
  CString() = default;
  CString(LPCWSTR s) : str_(s != nullptr ? s : L"") {}  // NOLINT(google-explicit-constructor)
  CString(const std::wstring& s) : str_(s) {}           // NOLINT(google-explicit-constructor)

  // printf-style formatting ("%d", "%3d", "%s" with a wide string argument, ...).
  void Format(LPCWSTR format, ...);
  // Loads string `id` of the program's string table; FALSE (and empty) when it is missing.
  BOOL LoadString(UINT id);

  operator LPCWSTR() const { return str_.c_str(); }  // NOLINT(google-explicit-constructor)
  LPCWSTR GetString() const { return str_.c_str(); }
  int GetLength() const { return static_cast<int>(str_.size()); }
  BOOL IsEmpty() const { return str_.empty(); }
  void Empty() { str_.clear(); }

  CString& operator=(LPCWSTR s) {
    str_ = s != nullptr ? s : L"";
    return *this;
  }
  CString& operator+=(const CString& s) {
    str_ += s.str_;
    return *this;
  }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.str_ + b.str_); }
  // 0 when equal without regard to case; otherwise negative or positive as lstrcmpiW answers.
  int CompareNoCase(LPCWSTR s) const;

  bool operator==(const CString& o) const { return str_ == o.str_; }
  bool operator==(LPCWSTR s) const { return s != nullptr && str_ == s; }

 private:
  std::wstring str_;
};
