// The root of the class framework: CObject and run-time class information.
//
// Every framework class can tell its class name and its base class at run time. A class opts in
// with DECLARE_DYNAMIC in its body and IMPLEMENT_DYNAMIC in one source file; DECLARE_DYNCREATE /
// IMPLEMENT_DYNCREATE also let the class be created from its CRuntimeClass.
#pragma once

#include <cstring>
#include <memory>

#include "windef.h"

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName = nullptr;
  int m_nObjectSize = 0;
  // Null when the class cannot be created from its run-time class.
  std::unique_ptr<CObject> (*m_pfnCreateObject)() = nullptr;
  const CRuntimeClass* (*m_pfnGetBaseClass)() = nullptr;

  const CRuntimeClass* GetBaseClass() const {
    return m_pfnGetBaseClass != nullptr ? m_pfnGetBaseClass() : nullptr;
  }
  // Null when the class has no dynamic creation.
  std::unique_ptr<CObject> CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static std::unique_ptr<CObject> CreateObject();

#define HALCYRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)     \
  const CRuntimeClass class_name::class##class_name = {                         \
      #class_name, static_cast<int>(sizeof(class_name)), pfnNew,                \
      []() -> const CRuntimeClass* { return RUNTIME_CLASS(base_class_name); }}; \
  const CRuntimeClass* class_name::GetRuntimeClass() const {                    \
    return RUNTIME_CLASS(class_name);                                           \
  }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  HALCYRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  std::unique_ptr<CObject> class_name::CreateObject() {  \
    return std::make_unique<class_name>();               \
  }                                                      \
  HALCYRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

class CObject {
 public:
  static const CRuntimeClass classCObject;

  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* cls) const;

 protected:
  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
};
