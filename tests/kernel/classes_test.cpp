// The class library's file, archive, time, run-time class and collection classes.
#include <gtest/gtest.h>

#include "kernel/archive.h"
#include "kernel/cfile.h"
#include "kernel/collections.h"
#include "kernel/stdio_file.h"
#include "kernel/time_classes.h"
#include "tests/support/temp_folder.h"

namespace {

class CShape : public CObject {
    DECLARE_SERIAL(CShape)
public:
    int sides = 3;
};
IMPLEMENT_SERIAL(CShape, CObject, 1)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

}  // namespace

TEST(Classes, FileReadWriteSeekAndStatus)
{
    TempFolder t;
    CFile out;
    ASSERT_TRUE(out.Open(t.Win("song.mid").c_str(), CFile::modeCreate | CFile::modeWrite));
    out.Write("MThd\0\0\0\6", 8);
    EXPECT_EQ(out.GetLength(), 8u);
    out.Close();

    CFile in(t.Win("SONG.MID").c_str(), CFile::modeRead | CFile::shareDenyWrite);
    char buf[16] = {};
    EXPECT_EQ(in.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(in.Read(buf, 16), 6u);
    EXPECT_EQ(in.Read(buf, 16), 0u);
    EXPECT_EQ(in.GetFileName(), "SONG.MID");
    EXPECT_EQ(in.GetFileTitle(), "SONG");
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus(t.Win("song.mid").c_str(), status));
    EXPECT_EQ(status.m_size, 8u);
    EXPECT_GT(status.m_mtime.GetTime(), 0);

    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open(t.Win("none.mid").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(CFile::GetStatus(t.Win("none.mid").c_str(), status));
    bool thrown = false;
    try {
        CFile f(t.Win("none.mid").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        thrown = e->m_cause == CFileException::fileNotFound;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Classes, StdioFileLinesInTextMode)
{
    TempFolder t;
    {
        CStdioFile f(t.Win("lines.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("1 Open\n2 Save\n");
    }
    EXPECT_EQ(t.Read("lines.txt"), "1 Open\r\n2 Save\r\n");
    CStdioFile f(t.Win("lines.txt").c_str(), CFile::modeRead);
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "1 Open");
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "2 Save");
    EXPECT_FALSE(f.ReadString(line));
}

TEST(Classes, ArchiveRoundTrip)
{
    TempFolder t;
    CString longText(std::string(300, 'x'));
    {
        CFile f(t.Win("a.bin").c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar << (BYTE)1 << (WORD)0x0203 << (DWORD)0x04050607 << 2.5 << CString("abc") << longText;
        ar.Close();
    }
    std::string bytes = t.Read("a.bin");
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x01\x03\x02\x07\x06\x05\x04", 7));
    EXPECT_EQ(bytes.substr(15, 4),
              "\x03"
              "abc");
    EXPECT_EQ(bytes.substr(19, 3), std::string("\xFF\x2C\x01", 3));  // 300 after the 0xFF marker
    CFile f(t.Win("a.bin").c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    BYTE b;
    WORD w;
    DWORD d;
    double x;
    CString s1, s2;
    ar >> b >> w >> d >> x >> s1 >> s2;
    EXPECT_EQ(b, 1);
    EXPECT_EQ(w, 0x0203);
    EXPECT_EQ(d, 0x04050607u);
    EXPECT_EQ(x, 2.5);
    EXPECT_EQ(s1, "abc");
    EXPECT_EQ(s2, longText);
    EXPECT_TRUE(ar.IsLoading());
    bool thrown = false;
    try {
        ar >> b;
    } catch (CFileException* e) {
        thrown = e->m_cause == CFileException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(Classes, TimeAndSpan)
{
    CTime t(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(t.GetYear(), 2024);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2024-02-29 13:05:09");
    CTimeSpan span = CTime(2024, 3, 1, 14, 6, 10) - t;
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 1);
    EXPECT_EQ(span.GetTotalSeconds(), 86400 + 3600 + 61);
    EXPECT_EQ(span.Format("%D:%H:%M:%S"), "1:01:01:01");
    SYSTEMTIME st;
    EXPECT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(st.wHour, 13);
    EXPECT_LT(t, CTime::GetCurrentTime());
}

TEST(Classes, RuntimeClasses)
{
    CSquare square;
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(CShape().IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_STREQ(square.GetRuntimeClass()->m_lpszClassName, "CSquare");
    EXPECT_TRUE(CShape().IsSerializable());
    EXPECT_FALSE(square.IsSerializable());
    const CRuntimeClass* found = CRuntimeClass::FromName("CShape");
    ASSERT_EQ(found, RUNTIME_CLASS(CShape));
    CObject* made = found->CreateObject();
    ASSERT_NE(DYNAMIC_DOWNCAST(CShape, made), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, made), nullptr);
    delete made;
}

TEST(Classes, Arrays)
{
    CStringArray names;
    names.Add("b");
    names.Add(CString("c"));
    names.InsertAt(0, "a");
    EXPECT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0] + names[1] + names[2], "abc");
    names.RemoveAt(1);
    EXPECT_EQ(names.GetAt(1), "c");
    names.Add(names[0]);  // adding an element of the array itself
    EXPECT_EQ(names[2], "a");

    CDWordArray numbers;
    numbers.SetSize(3);
    EXPECT_EQ(numbers[2], 0u);
    numbers.SetAtGrow(5, 7);
    EXPECT_EQ(numbers.GetSize(), 6);
    EXPECT_EQ(numbers.GetUpperBound(), 5);
    EXPECT_EQ(numbers[5], 7u);
    EXPECT_THROW(numbers.GetAt(6), std::out_of_range);
    EXPECT_THROW(numbers.RemoveAt(5, 2), std::out_of_range);
    CPtrArray pointers;
    pointers.InsertAt(2, &numbers);  // grows to the index first
    EXPECT_EQ(pointers.GetSize(), 3);
    EXPECT_EQ(pointers[0], nullptr);
}

TEST(Classes, ListsWalkedByPosition)
{
    CStringList list;
    list.AddTail("b");
    POSITION head = list.AddHead("a");
    list.AddTail("d");
    list.InsertAfter(list.Find("b"), "c");
    std::string all;
    for (POSITION p = list.GetHeadPosition(); p;)
        all += list.GetNext(p).GetString();
    EXPECT_EQ(all, "abcd");
    list.RemoveAt(head);
    EXPECT_EQ(list.GetHead(), "b");
    EXPECT_EQ(list.RemoveTail(), "d");
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), "c");
    EXPECT_EQ(list.FindIndex(2), nullptr);
    all.clear();
    for (POSITION p = list.GetTailPosition(); p;)
        all += list.GetPrev(p).GetString();
    EXPECT_EQ(all, "cb");
}

TEST(Classes, MapsLookupAndWalk)
{
    CMapStringToString map;
    map.SetAt("curlang", "3");
    map["skin"] = "1";
    map.SetAt("curlang", "4");
    CString value;
    EXPECT_TRUE(map.Lookup("curlang", value));
    EXPECT_EQ(value, "4");
    EXPECT_FALSE(map.Lookup("CURLANG", value));  // keys are case-sensitive
    EXPECT_EQ(map.GetCount(), 2);
    std::string walked;
    CString key;
    for (POSITION p = map.GetStartPosition(); p;) {
        map.GetNextAssoc(p, key, value);
        walked += std::string(key.GetString()) + "=" + value.GetString() + ";";
        map.RemoveKey(key);
    }
    EXPECT_EQ(walked, "curlang=4;skin=1;");
    EXPECT_TRUE(map.IsEmpty());
    CMapWordToPtr words;
    int x;
    words[7] = &x;
    void* found = nullptr;
    EXPECT_TRUE(words.Lookup(7, found));
    EXPECT_EQ(found, &x);
}
