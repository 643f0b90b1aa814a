// CObject, run-time class records and the registry of creatable classes.
#include "kernel/object.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct ClassList {
    std::mutex lock;
    std::vector<const CRuntimeClass*> classes;
};

ClassList& Classes()
{
    static ClassList list;
    return list;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr};

CDumpContext& CDumpContext::operator<<(const char* text)
{
    fputs(text ? text : "(null)", stderr);
    return *this;
}

CDumpContext& CDumpContext::operator<<(int value)
{
    fprintf(stderr, "%d", value);
    return *this;
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base)
            return TRUE;
    return FALSE;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    std::lock_guard<std::mutex> guard(Classes().lock);
    for (const CRuntimeClass* c : Classes().classes)
        if (className && strcmp(c->m_lpszClassName, className) == 0)
            return c;
    return nullptr;
}

CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass* runtimeClass)
{
    std::lock_guard<std::mutex> guard(Classes().lock);
    Classes().classes.push_back(runtimeClass);
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const { dc << "a " << GetRuntimeClass()->m_lpszClassName << "\n"; }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
