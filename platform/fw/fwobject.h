// CObject and its run-time class information: class name, schema, base
// class, and creation by name so that an archive can create an object from
// the class tag it reads.
#pragma once
#include "fwtypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;                       // low 16 bits stored with the class tag
  CObject* (*m_pfnCreateObject)();      // null: not creatable by name
  const CRuntimeClass* m_pBaseClass;
  CRuntimeClass* m_pNextClass;          // registry of creatable classes

  // A new object of this class; null when the class cannot be created.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  // The creatable class registered under exactly this name (this module's
  // classes only), or null.
  static const CRuntimeClass* FromName(const char* name);
  static const CRuntimeClass* FromName(const char* name, size_t length);
};

// Adds a class to the registry that FromName searches (run by the class's
// static initialiser).
struct FwClassRegistration {
  explicit FwClassRegistration(CRuntimeClass* cls);
};

class CObject {
public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* cls) const;
  virtual void Serialize(CArchive& ar);
  static CRuntimeClass classCObject;

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(name) (&name::class##name)

// Every schema is accepted on loading here (the object is told the stored
// one); the flag is kept so that a class can say so, and only the low 16
// bits of a schema are stored.
#define VERSIONABLE_SCHEMA 0x80000000u

// DECLARE_DYNAMIC: run-time class only (IsKindOf). DECLARE_SERIAL: also
// creatable by name, for classes an archive loads from a class tag.
#define DECLARE_DYNAMIC(name)                                      \
public:                                                            \
  static CRuntimeClass class##name;                                \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_SERIAL(name)                                       \
  DECLARE_DYNAMIC(name)                                            \
  static CObject* CreateObject();

#define FW_IMPLEMENT_CLASS(name, base, schema, create)             \
  CRuntimeClass name::class##name = {#name, int(sizeof(name)), schema, create, RUNTIME_CLASS(base), nullptr}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); }

#define IMPLEMENT_DYNAMIC(name, base) FW_IMPLEMENT_CLASS(name, base, 0xFFFF, nullptr)

// The class name stored in archives is the C++ class name unless given
// (IMPLEMENT_SERIAL_NAMED lets a class keep a stored name such as "OBITEM").
#define IMPLEMENT_SERIAL_NAMED(name, base, schema, storedName)     \
  CObject* name::CreateObject() { return new name; }               \
  CRuntimeClass name::class##name = {storedName, int(sizeof(name)), schema, name::CreateObject, RUNTIME_CLASS(base), nullptr}; \
  const CRuntimeClass* name::GetRuntimeClass() const { return RUNTIME_CLASS(name); } \
  static FwClassRegistration fwRegister##name(RUNTIME_CLASS(name));

#define IMPLEMENT_SERIAL(name, base, schema) IMPLEMENT_SERIAL_NAMED(name, base, schema, #name)
