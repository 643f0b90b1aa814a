// CString behaviour that callers rely on: clamped extraction, searching, trimming, formatting, buffers.
#include <gtest/gtest.h>

#include <cstring>

#include "kernel/cstring.h"

TEST(CStringTest, ExtractionClampsOutOfRangeCounts)
{
    CString s("abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(4, 100), "ef");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(99), "abcdef");
}

TEST(CStringTest, SearchingReturnsMinusOneWhenAbsent)
{
    CString s("C:\\dir\\song.mid");
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.Find('\\', 3), 6);
    EXPECT_EQ(s.Find("song"), 7);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find('d', 99), -1);
    EXPECT_EQ(s.ReverseFind('\\'), 6);
    EXPECT_EQ(s.ReverseFind('#'), -1);
    EXPECT_EQ(s.FindOneOf(".:"), 1);
}

TEST(CStringTest, CaseAndComparison)
{
    CString s("MiXeD.MID");
    s.MakeLower();
    EXPECT_EQ(s, "mixed.mid");
    EXPECT_EQ(s.CompareNoCase("MIXED.mid"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    s.MakeUpper();
    EXPECT_EQ(s, "MIXED.MID");
}

TEST(CStringTest, TrimReplaceRemoveInsertDelete)
{
    CString s("  \t value \r\n");
    s.Trim();
    EXPECT_EQ(s, "value");
    CString q("\"quoted\"");
    q.Trim('"');
    EXPECT_EQ(q, "quoted");
    CString r("a-b-c");
    EXPECT_EQ(r.Replace("-", "--"), 2);
    EXPECT_EQ(r, "a--b--c");
    EXPECT_EQ(r.Remove('-'), 4);
    EXPECT_EQ(r, "abc");
    r.Insert(1, "XY");
    EXPECT_EQ(r, "aXYbc");
    r.Delete(1, 2);
    EXPECT_EQ(r, "abc");
    r.Delete(2, 50);
    EXPECT_EQ(r, "ab");
}

TEST(CStringTest, FormatHandlesLongOutput)
{
    CString s;
    s.Format("%04d-%02d %s", 7, 3, "x");
    EXPECT_EQ(s, "0007-03 x");
    std::string big(5000, 'z');
    s.Format("%s!", big.c_str());
    EXPECT_EQ(s.GetLength(), 5001);
    s.AppendFormat("%d", 42);
    EXPECT_EQ(s.Right(3), "!42");
}

TEST(CStringTest, BufferLengthIsFixedByRelease)
{
    CString s;
    char* p = s.GetBuffer(16);
    std::strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    p = s.GetBuffer(0);
    p[1] = 'a';
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "ha");
}

TEST(CStringTest, TokenizeSkipsEmptyTokens)
{
    CString s("a,,b;c");
    int pos = 0;
    EXPECT_EQ(s.Tokenize(",;", pos), "a");
    EXPECT_EQ(s.Tokenize(",;", pos), "b");
    EXPECT_EQ(s.Tokenize(",;", pos), "c");
    EXPECT_EQ(s.Tokenize(",;", pos), "");
    EXPECT_EQ(pos, -1);
}
