// CMap: the class library's hashed map template with POSITION walking, and the typed maps.
#pragma once

#include <cstring>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>

#include "kernel/cstring.h"
#include "kernel/list_template.h"
#include "kernel/object.h"

struct KestrinMapKeyHash {
    size_t operator()(const CString& key) const { return std::hash<std::string>()(key.str()); }
    template <class K>
    size_t operator()(const K& key) const
    {
        return std::hash<K>()(key);
    }
};

// Walking with GetStartPosition/GetNextAssoc visits the pairs in the order they were added;
// removing the pair just visited is allowed.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    struct Pair {
        KEY key;
        VALUE value;
    };
    using Order = std::list<Pair>;

public:
    explicit CMap(INT_PTR blockSize = 10) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_pairs.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return m_pairs.empty(); }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        value = it->second->value;
        return TRUE;
    }
    // The value of the key, added value-initialised when missing.
    VALUE& operator[](ARG_KEY key)
    {
        auto it = m_index.find(KEY(key));
        if (it != m_index.end())
            return it->second->value;
        m_pairs.push_back(Pair{KEY(key), VALUE()});
        auto last = std::prev(m_pairs.end());
        m_index.emplace(last->key, last);
        return last->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        m_pairs.erase(it->second);
        m_index.erase(it);
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        m_pairs.clear();
    }
    void InitHashTable(UINT size, BOOL = TRUE) { m_index.reserve(size); }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_index.bucket_count()); }

    POSITION GetStartPosition() const { return m_pairs.empty() ? nullptr : Position(m_pairs.begin()); }
    void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const
    {
        typename Order::const_iterator it;
        // The iterator is one pointer (see Position); its bytes come back whole.
        memcpy(static_cast<void*>(&it), &position, sizeof position);
        key = it->key;
        value = it->value;
        ++it;
        position = it == m_pairs.end() ? nullptr : Position(it);
    }

private:
    static POSITION Position(typename Order::const_iterator it)
    {
        static_assert(sizeof(it) == sizeof(POSITION), "a list iterator fits a position");
        POSITION p;
        memcpy(&p, &it, sizeof p);
        return p;
    }

    Order m_pairs;
    std::unordered_map<KEY, typename Order::iterator, KestrinMapKeyHash> m_index;
};

class CMapStringToString : public CMap<CString, const char*, CString, const char*> {};
class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {};
class CMapStringToOb : public CMap<CString, const char*, CObject*, CObject*> {};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {};
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*> {};
