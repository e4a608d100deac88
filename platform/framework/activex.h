// ActiveX hosting, reduced to what a program sees on a system with no ActiveX controls: class
// identifiers, a dispatch interface type, and a dispatch driver. CWnd::CreateControl fails for
// every class identifier; a property read through a driver that holds no interface does nothing.
#pragma once

#include "windef.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);

using CLSID = GUID;
using REFCLSID = const CLSID&;

using BSTR = wchar_t*;
using DISPID = LONG;
using VARTYPE = WORD;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_BOOL = 11;

constexpr WORD DISPATCH_METHOD = 1;
constexpr WORD DISPATCH_PROPERTYGET = 2;
constexpr WORD DISPATCH_PROPERTYPUT = 4;

// A dispatch interface: reference counted, with properties read by dispatch identifier.
class IDispatch {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  // Reads property `dispid` into *result, which has the type vtRet.
  virtual HRESULT GetProperty(DISPID dispid, VARTYPE vtRet, void* result) = 0;

 protected:
  ~IDispatch() = default;
};
using LPDISPATCH = IDispatch*;

// Creates the control of class `clsid`. No control is registered on this system: always
// REGDB_E_CLASSNOTREG with a null result.
HRESULT AfxCreateControlInstance(REFCLSID clsid, LPDISPATCH* result);
// Enables the hosting of ActiveX controls (nothing to prepare here).
void AfxEnableControlContainer();

// Holds one dispatch interface and calls it; releases it at destruction when asked to.
class COleDispatchDriver {
 public:
  COleDispatchDriver() = default;
  explicit COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease = TRUE)
      : m_lpDispatch(dispatch), m_bAutoRelease(autoRelease) {}
  virtual ~COleDispatchDriver() { ReleaseDispatch(); }
  COleDispatchDriver(const COleDispatchDriver&) = delete;
  COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

  void AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
  LPDISPATCH DetachDispatch();
  void ReleaseDispatch();
  // A property read; with no interface held it does nothing (the result stays as it was).
  void GetProperty(DISPID dispid, VARTYPE vtRet, void* result) const;

  LPDISPATCH m_lpDispatch = nullptr;
  BOOL m_bAutoRelease = TRUE;
};
