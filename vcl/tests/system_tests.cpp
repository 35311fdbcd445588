#include "vcl/system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vcl;

TEST(Round, HalvesGoToEven)
{
    struct Case {
        double value;
        int64_t expected;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0},   {-1.5, -2},
                          {-2.5, -2}, {0.49, 0},  {0.51, 1},  {-2.51, -3}, {1e15 + 0.5, 1000000000000000}};
    for (const Case& c : cases)
        EXPECT_EQ(Round(c.value), c.expected) << c.value;
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5f), 4);
}

TEST(Trunc, TowardZero)
{
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(-0.1), 0);
    EXPECT_EQ(Trunc(9.2e18), int64_t(9200000000000000000));
}

TEST(Trunc, NonFiniteOrHugeRaisesInvalidOp)
{
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e19, 1e19,
                     9223372036854775808.0}) {
        EXPECT_THROW(Trunc(v), EInvalidOp) << v;
        EXPECT_THROW(Round(v), EInvalidOp) << v;
    }
    EXPECT_EQ(Trunc(-9223372036854775808.0), INT64_MIN);
}

TEST(StringHelpers, CopyClampsLikeOneBasedAlgorithmsExpect)
{
    const String s = L"COM12";
    EXPECT_EQ(Copy(s, 4, 2), L"12");
    EXPECT_EQ(Copy(s, 4, 100), L"12");
    EXPECT_EQ(Copy(s, 0, 2), L"CO");
    EXPECT_EQ(Copy(s, -5, 2), L"CO");
    EXPECT_EQ(Copy(s, 6, 1), L"");
    EXPECT_EQ(Copy(s, 2, 0), L"");
    EXPECT_EQ(Copy(s, 2, -1), L"");
    EXPECT_EQ(Copy(s, 4), L"12");
    EXPECT_EQ(Copy(AnsiString("abc"), 2, 5), "bc");
}

TEST(StringHelpers, DeleteAndInsertClamp)
{
    String s = L"COM3";
    Delete(s, 1, 3);
    EXPECT_EQ(s, L"3");
    s = L"abc";
    Delete(s, 3, 10);
    EXPECT_EQ(s, L"ab");
    Delete(s, 5, 1);
    EXPECT_EQ(s, L"ab");
    Delete(s, 0, 1);
    EXPECT_EQ(s, L"b");
    Insert(L"xy", s, 1);
    EXPECT_EQ(s, L"xyb");
    Insert(L"!", s, 99);
    EXPECT_EQ(s, L"xyb!");
    Insert(L"<", s, -3);
    EXPECT_EQ(s, L"<xyb!");
}

TEST(StringHelpers, PosIsOneBasedAndZeroWhenAbsent)
{
    EXPECT_EQ(Pos(L"b", L"abcb"), 2);
    EXPECT_EQ(Pos(L"z", L"abc"), 0);
    EXPECT_EQ(Pos(L"", L"abc"), 0);
    EXPECT_EQ(PosEx(L"b", L"abcb", 3), 4);
    EXPECT_EQ(PosEx(L"b", L"abcb", 5), 0);
    EXPECT_EQ(PosEx(L"b", L"abcb", 0), 0);
    EXPECT_EQ(Pos(std::string("c"), std::string("abc")), 3);
    EXPECT_EQ(Char1(String(L"xyz"), 3), L'z');
    EXPECT_THROW(Char1(String(L"xyz"), 4), EAssertionFailed);
    EXPECT_THROW(Char1(AnsiString("xyz"), 0), EAssertionFailed);
}

TEST(StringHelpers, TrimRemovesControlsAndBlanks)
{
    EXPECT_EQ(Trim(String(L"\t a b \r\n")), L"a b");
    EXPECT_EQ(TrimLeft(String(L"  a ")), L"a ");
    EXPECT_EQ(TrimRight(String(L"  a ")), L"  a");
    EXPECT_EQ(Trim(String(L"\x01\x20")), L"");
    EXPECT_EQ(Trim(String(L"\x00A0x")), L"\x00A0x");  // a no-break space is not trimmed
}

TEST(StringHelpers, AsciiCaseFunctionsLeaveOtherLettersAlone)
{
    EXPECT_EQ(UpperCase(String(L"abc\x00E9")), L"ABC\x00E9");
    EXPECT_EQ(LowerCase(String(L"ABC\x00C9")), L"abc\x00C9");
    EXPECT_EQ(CompareText(L"abc", L"ABD"), -1);
    EXPECT_EQ(CompareText(L"ABC", L"abc"), 0);
    EXPECT_TRUE(SameText(L"TApplication", L"tapplication"));
    EXPECT_EQ(AnsiUpperCase(L"\x00E9t\x00E9"), L"\x00C9T\x00C9");
    EXPECT_EQ(AnsiCompareText(L"\x00E9", L"\x00C9"), 0);
}

TEST(StringHelpers, AnsiAndUtf8RoundTrip)
{
    EXPECT_EQ(FromAnsi(ToAnsi(L"COM3")), L"COM3");
    EXPECT_EQ(ToUtf8(L"\x0417"), "\xD0\x97");
    EXPECT_EQ(FromUtf8("\xD0\x97"), L"\x0417");
}

namespace {

enum class TStyleItem { first, second, third, last = 63 };

}  // namespace

TEST(TSet, BehavesAsAMathematicalSet)
{
    TSet<TStyleItem> s{TStyleItem::first, TStyleItem::last};
    EXPECT_TRUE(s.Contains(TStyleItem::last));
    EXPECT_FALSE(s.Contains(TStyleItem::second));
    s << TStyleItem::second;
    s >> TStyleItem::first;
    EXPECT_EQ(s, (TSet<TStyleItem>{TStyleItem::second, TStyleItem::last}));
    EXPECT_EQ(s * TStyleItem::last, TSet<TStyleItem>(TStyleItem::last));
    EXPECT_EQ((s - TStyleItem::last).Mask(), 1u << 1);
    EXPECT_TRUE(TSet<TStyleItem>(TStyleItem::second) <= s);
    EXPECT_FALSE(s <= TSet<TStyleItem>(TStyleItem::second));
    EXPECT_TRUE(TSet<TStyleItem>().Empty());
}

TEST(TRect, RightAndBottomAreExclusive)
{
    TRect r = Bounds(10, 20, 30, 40);
    EXPECT_EQ(r, TRect(10, 20, 40, 60));
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.Contains(Point(10, 20)));
    EXPECT_FALSE(r.Contains(Point(40, 20)));
    EXPECT_FALSE(r.Contains(Point(10, 60)));
    EXPECT_EQ(r.Intersected(TRect(0, 0, 15, 25)), TRect(10, 20, 15, 25));
    EXPECT_TRUE(r.Intersected(TRect(40, 20, 50, 30)).IsEmpty());
    EXPECT_EQ(r.Inflated(1, 2), TRect(9, 18, 41, 62));
    EXPECT_EQ(r.Offsetted(-10, -20).TopLeft(), Point(0, 0));
    RECT raw = r;  // passes where the system wants a RECT
    EXPECT_EQ(raw.right, 40);
}

namespace {

struct Receiver {
    int calls = 0;
    int last = 0;
    void Take(int v)
    {
        ++calls;
        last = v;
    }
    void Other(int) {}
};

struct Base1 {
    virtual ~Base1() = default;
    int pad = 0;
};
struct Base2 {
    virtual ~Base2() = default;
    int b2 = 0;
    void Hit(int v) { b2 = v; }
};
struct Derived : Base1, Base2 {};

}  // namespace

TEST(TDelegate, EqualForTheSameObjectAndMember)
{
    Receiver a;
    Receiver b;
    TDelegate<void(int)> d1(&a, &Receiver::Take);
    TDelegate d2(&a, &Receiver::Take);  // deduced signature
    EXPECT_TRUE(d1 == d2);
    EXPECT_FALSE(d1 == TDelegate<void(int)>(&b, &Receiver::Take));
    EXPECT_FALSE(d1 == TDelegate<void(int)>(&a, &Receiver::Other));
    d2(7);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(a.last, 7);
}

TEST(TDelegate, MemberOfASecondBaseComparesByThatBase)
{
    Derived d;
    TDelegate<void(int)> viaDerived(&d, &Base2::Hit);
    TDelegate<void(int)> viaBase(static_cast<Base2*>(&d), &Base2::Hit);
    EXPECT_TRUE(viaDerived == viaBase);
    viaDerived(5);
    EXPECT_EQ(d.b2, 5);
}

TEST(TDelegate, CallableEqualsOnlyItsCopies)
{
    int hits = 0;
    auto f = [&hits](int) { ++hits; };
    TDelegate<void(int)> d1(f);
    TDelegate<void(int)> d2(f);
    TDelegate<void(int)> copy = d1;
    EXPECT_TRUE(d1 == copy);
    EXPECT_FALSE(d1 == d2);
    copy(1);
    EXPECT_EQ(hits, 1);
}

TEST(TDelegate, EmptyDelegates)
{
    TDelegate<void(int)> empty;
    EXPECT_FALSE(empty);
    EXPECT_TRUE(empty == nullptr);
    EXPECT_TRUE(empty == TDelegate<void(int)>(nullptr));
    EXPECT_THROW(empty(1), std::bad_function_call);
    Receiver a;
    EXPECT_FALSE(TDelegate<void(int)>(&a, &Receiver::Take) == empty);
}

namespace {

class TAnimal : public TObject {
    CL_CLASS(TAnimal, TObject)
};
class TsDog : public TAnimal {
    CL_CLASS(TsDog, TAnimal)
};

}  // namespace

TEST(TObject, ClassNamesAndAncestry)
{
    TObjectPtr<TsDog> dog(Create<TsDog>());
    EXPECT_EQ(dog->ClassName(), L"TsDog");
    EXPECT_EQ(String(dog->ClassParent()->Name), L"TAnimal");
    EXPECT_TRUE(dog->InheritsFrom(L"TObject"));
    EXPECT_TRUE(dog->InheritsFrom(L"TAnimal"));
    EXPECT_FALSE(dog->InheritsFrom(L"tanimal"));  // names compare case-sensitively
}

TEST(Exception, WhatIsUtf8OfTheMessage)
{
    EFOpenError e(L"Cannot open \x0444");
    EXPECT_STREQ(e.what(), "Cannot open \xD1\x84");
    e.SetMessage(L"x");
    EXPECT_STREQ(e.what(), "x");
    EXPECT_THROW(Abort(), EAbort);
    EXPECT_THROW(Assert(false, L"bad"), EAssertionFailed);
    EXPECT_NO_THROW(Assert(true));
    try {
        throw EFtpTimeout(L"late");
    } catch (const EFtpError& error) {
        EXPECT_EQ(error.Message(), L"late");
    }
}

TEST(TScopeExit, UndoesAtTheEndOfTheScopeAlsoWhenAnExceptionEndsIt)
{
    int undone = 0;
    {
        const TScopeExit undo([&] { ++undone; });
        EXPECT_EQ(undone, 0);
    }
    EXPECT_EQ(undone, 1);
    try {
        const TScopeExit undo([&] { ++undone; });
        throw Exception(L"failed");
    } catch (const Exception&) {
        EXPECT_EQ(undone, 2);
    }
}
