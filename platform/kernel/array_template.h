// CArray: the class library's growable array template, and the typed arrays built on it.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "kernel/cstring.h"
#include "kernel/object.h"

// Indexes out of range throw std::out_of_range instead of touching memory they do not own.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& other) : CObject(), m_data(other.m_data), m_growBy(other.m_growBy) {}
    CArray& operator=(const CArray& other)
    {
        m_data = other.m_data;
        return *this;
    }

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are value-initialised (zero for numbers and pointers).
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (growBy >= 0)
            m_growBy = growBy;
        if (newSize < 0)
            throw std::out_of_range("CArray::SetSize");
        Reserve(static_cast<size_t>(newSize));
        m_data.resize(static_cast<size_t>(newSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return m_data.at(Index(index)); }
    TYPE& GetAt(INT_PTR index) { return m_data.at(Index(index)); }
    void SetAt(INT_PTR index, ARG_TYPE element) { m_data.at(Index(index)) = element; }
    TYPE& ElementAt(INT_PTR index) { return m_data.at(Index(index)); }
    const TYPE& ElementAt(INT_PTR index) const { return m_data.at(Index(index)); }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }

    void SetAtGrow(INT_PTR index, ARG_TYPE element)
    {
        if (index < 0)
            throw std::out_of_range("CArray::SetAtGrow");
        if (index >= GetSize())
            SetSize(index + 1);
        m_data[static_cast<size_t>(index)] = element;
    }
    INT_PTR Add(ARG_TYPE element)
    {
        TYPE copy(element);  // the element may live in this array
        Reserve(m_data.size() + 1);
        m_data.push_back(std::move(copy));
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& other)
    {
        INT_PTR first = GetSize();
        std::vector<TYPE> copy(other.m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return first;
    }
    void Copy(const CArray& other)
    {
        if (this != &other)
            m_data = other.m_data;
    }
    // Inserting past the end first grows the array to the index.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1)
    {
        if (index < 0 || count < 0)
            throw std::out_of_range("CArray::InsertAt");
        TYPE copy(element);
        if (index > GetSize())
            SetSize(index);
        Reserve(m_data.size() + static_cast<size_t>(count));
        m_data.insert(m_data.begin() + index, static_cast<size_t>(count), copy);
    }
    void InsertAt(INT_PTR startIndex, const CArray* other)
    {
        if (startIndex < 0 || !other)
            throw std::out_of_range("CArray::InsertAt");
        std::vector<TYPE> copy(other->m_data);
        if (startIndex > GetSize())
            SetSize(startIndex);
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || index + count > GetSize())
            throw std::out_of_range("CArray::RemoveAt");
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

private:
    size_t Index(INT_PTR index) const { return index < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(index); }
    // Capacity grows by the grow-by step, or by an eighth of the size (4 to 1024) when none is set.
    void Reserve(size_t wanted)
    {
        if (wanted <= m_data.capacity())
            return;
        size_t step = m_growBy > 0 ? static_cast<size_t>(m_growBy)
                                   : std::min<size_t>(1024, std::max<size_t>(4, m_data.size() / 8));
        m_data.reserve(std::max(wanted, m_data.size() + step));
    }

    std::vector<TYPE> m_data;
    INT_PTR m_growBy = -1;
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CStringArray : public CArray<CString, const CString&> {};
