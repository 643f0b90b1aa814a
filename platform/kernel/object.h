// CObject, the class library's common base, with run-time class records and dynamic creation.
#pragma once

#include <string>

#include "kernel/windef.h"

class CObject;
class CArchive;

// Diagnostic output of Dump: text goes to the standard error stream.
class CDumpContext {
public:
    CDumpContext& operator<<(const char* text);
    CDumpContext& operator<<(int value);
};

// Run-time class record: name, object size, schema, creation function and base class.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or null when it is not dynamically creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    // The creatable class of that name among those declared with DECLARE_DYNCREATE or DECLARE_SERIAL.
    static const CRuntimeClass* FromName(const char* className);
};

// Makes a class findable by name (used by the IMPLEMENT_ macros).
struct CRuntimeClassRegistration {
    explicit CRuntimeClassRegistration(const CRuntimeClass* runtimeClass);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& archive);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
    BOOL IsSerializable() const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define KESTRIN_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create)                            \
    const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class_name), schema, create, \
                                                         RUNTIME_CLASS(base_class_name)};                      \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }             \
    static const CRuntimeClassRegistration kestrinRegistration##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    KESTRIN_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)           \
    CObject* class_name::CreateObject() { return new class_name; } \
    KESTRIN_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)      \
    CObject* class_name::CreateObject() { return new class_name; } \
    KESTRIN_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)

// Checked downcast: null when the object is not of the class.
inline CObject* AfxDynamicDownCast(const CRuntimeClass* runtimeClass, CObject* object)
{
    return object && object->IsKindOf(runtimeClass) ? object : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Debug checks of the class library: no effect in this build.
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ((void)0)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
