#include "activex.h"

HRESULT AfxCreateControlInstance(REFCLSID /*clsid*/, LPDISPATCH* result) {
  if (result != nullptr) *result = nullptr;
  return REGDB_E_CLASSNOTREG;
}

void AfxEnableControlContainer() {}

void COleDispatchDriver::AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease) {
  ReleaseDispatch();
  m_lpDispatch = dispatch;
  m_bAutoRelease = autoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
  LPDISPATCH d = m_lpDispatch;
  m_lpDispatch = nullptr;
  return d;
}

void COleDispatchDriver::ReleaseDispatch() {
  if (m_lpDispatch != nullptr && m_bAutoRelease) m_lpDispatch->Release();
  m_lpDispatch = nullptr;
}

void COleDispatchDriver::GetProperty(DISPID dispid, VARTYPE vtRet, void* result) const {
  if (m_lpDispatch == nullptr || result == nullptr) return;
  m_lpDispatch->GetProperty(dispid, vtRet, result);
}
