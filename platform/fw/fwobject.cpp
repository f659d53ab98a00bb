// Run-time class information and the registry of creatable classes.
#include "fwobject.h"
#include <cstring>

namespace {
// Zero-initialised before any static initialiser runs, so registrations
// from other files may come in any order.
CRuntimeClass* firstClass = nullptr;
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr, nullptr};

FwClassRegistration::FwClassRegistration(CRuntimeClass* cls) {
  cls->m_pNextClass = firstClass;
  firstClass = cls;
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return true;
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name) {
  return name ? FromName(name, std::strlen(name)) : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name, size_t length) {
  for (const CRuntimeClass* c = firstClass; c; c = c->m_pNextClass)
    if (std::strlen(c->m_lpszClassName) == length && std::memcmp(c->m_lpszClassName, name, length) == 0)
      return c;
  return nullptr;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
  return GetRuntimeClass()->IsDerivedFrom(cls);
}

void CObject::Serialize(CArchive&) {}
