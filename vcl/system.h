#pragma once
// The ground floor of the class library: basic types, sets, colours, geometry, strings with
// 1-based helpers, comparable delegates, the root object, the exception classes and rounding.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// Basic types

using Integer = int32_t;
using Cardinal = uint32_t;
using ShortInt = int8_t;
using SmallInt = int16_t;
using Word = uint16_t;
using Byte = uint8_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using NativeInt = intptr_t;
using NativeUInt = uintptr_t;
using Single = float;
using Double = double;
using Extended = long double;
using TDateTime = double;

constexpr Integer MaxInt = INT32_MAX;
constexpr Integer MinInt = INT32_MIN;

// ---------------------------------------------------------------------------------------------
// Sets: a 64-bit mask over an enumeration whose members are all below 64.

template<class E>
class TSet {
    static_assert(std::is_enum_v<E>, "TSet holds members of an enumeration");

public:
    constexpr TSet() = default;
    constexpr TSet(E item) : FBits(Bit(item)) {}
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E item : items)
            FBits |= Bit(item);
    }

    static constexpr TSet FromMask(uint64_t mask)
    {
        TSet s;
        s.FBits = mask;
        return s;
    }
    constexpr uint64_t Mask() const { return FBits; }

    constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E item)
    {
        FBits |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item)
    {
        FBits &= ~Bit(item);
        return *this;
    }
    constexpr TSet& operator<<(E item) { return Include(item); }
    constexpr TSet& operator>>(E item) { return Exclude(item); }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.FBits | b.FBits); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.FBits & ~b.FBits); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.FBits & b.FBits); }
    constexpr TSet& operator+=(TSet b) { return *this = *this + b; }
    constexpr TSet& operator-=(TSet b) { return *this = *this - b; }
    constexpr TSet& operator*=(TSet b) { return *this = *this * b; }
    friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }
    // Subset test, as "a <= b" reads for sets.
    friend constexpr bool operator<=(TSet a, TSet b) { return (a.FBits & ~b.FBits) == 0; }

private:
    static constexpr uint64_t Bit(E item) { return uint64_t(1) << static_cast<unsigned>(item); }
    uint64_t FBits = 0;
};

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR, system colours 0xFF000000 + COLOR_*. Integers need an explicit TColor(x).

enum TColor : int32_t {};

constexpr TColor clSystemColor = TColor(int32_t(0xFF000000));
constexpr TColor SystemColor(int index) { return TColor(int32_t(0xFF000000u | uint32_t(index))); }

constexpr TColor clBlack = TColor(0x000000);
constexpr TColor clMaroon = TColor(0x000080);
constexpr TColor clGreen = TColor(0x008000);
constexpr TColor clOlive = TColor(0x008080);
constexpr TColor clNavy = TColor(0x800000);
constexpr TColor clPurple = TColor(0x800080);
constexpr TColor clTeal = TColor(0x808000);
constexpr TColor clGray = TColor(0x808080);
constexpr TColor clSilver = TColor(0xC0C0C0);
constexpr TColor clRed = TColor(0x0000FF);
constexpr TColor clLime = TColor(0x00FF00);
constexpr TColor clYellow = TColor(0x00FFFF);
constexpr TColor clBlue = TColor(0xFF0000);
constexpr TColor clFuchsia = TColor(0xFF00FF);
constexpr TColor clAqua = TColor(0xFFFF00);
constexpr TColor clWhite = TColor(0xFFFFFF);
constexpr TColor clLtGray = TColor(0xC0C0C0);
constexpr TColor clDkGray = TColor(0x808080);
constexpr TColor clMoneyGreen = TColor(0xC0DCC0);
constexpr TColor clSkyBlue = TColor(0xF0CAA6);
constexpr TColor clCream = TColor(0xF0FBFF);
constexpr TColor clMedGray = TColor(0xA4A0A0);

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(COLOR_MENU);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(COLOR_MENUBAR);

constexpr TColor clNone = TColor(0x1FFFFFFF);
constexpr TColor clDefault = TColor(0x20000000);

// ---------------------------------------------------------------------------------------------
// Geometry. Right and bottom are exclusive.

struct TPoint : POINT {
    constexpr TPoint() : POINT{0, 0} {}
    constexpr TPoint(LONG X, LONG Y) : POINT{X, Y} {}
    constexpr TPoint(const POINT& p) : POINT(p) {}

    constexpr TPoint Offset(LONG dx, LONG dy) const { return TPoint(x + dx, y + dy); }
    friend constexpr bool operator==(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
    friend constexpr TPoint operator+(const TPoint& a, const TPoint& b) { return TPoint(a.x + b.x, a.y + b.y); }
    friend constexpr TPoint operator-(const TPoint& a, const TPoint& b) { return TPoint(a.x - b.x, a.y - b.y); }
};

struct TSize : SIZE {
    constexpr TSize() : SIZE{0, 0} {}
    constexpr TSize(LONG Width, LONG Height) : SIZE{Width, Height} {}
    constexpr TSize(const SIZE& s) : SIZE(s) {}

    constexpr LONG Width() const { return cx; }
    constexpr LONG Height() const { return cy; }
    friend constexpr bool operator==(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

struct TRect : RECT {
    constexpr TRect() : RECT{0, 0, 0, 0} {}
    constexpr TRect(LONG Left, LONG Top, LONG Right, LONG Bottom) : RECT{Left, Top, Right, Bottom} {}
    constexpr TRect(const TPoint& TopLeft, const TPoint& BottomRight)
        : RECT{TopLeft.x, TopLeft.y, BottomRight.x, BottomRight.y}
    {
    }
    constexpr TRect(const RECT& r) : RECT(r) {}

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr TSize Size() const { return TSize(Width(), Height()); }
    constexpr TPoint TopLeft() const { return TPoint(left, top); }
    constexpr TPoint BottomRight() const { return TPoint(right, bottom); }
    constexpr TPoint CenterPoint() const { return TPoint(left + Width() / 2, top + Height() / 2); }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(const TPoint& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool IntersectsWith(const TRect& r) const
    {
        return left < r.right && r.left < right && top < r.bottom && r.top < bottom;
    }
    // The common part; an empty rectangle at (0, 0) when there is none.
    constexpr TRect Intersected(const TRect& r) const
    {
        if (!IntersectsWith(r))
            return TRect();
        return TRect(left > r.left ? left : r.left, top > r.top ? top : r.top,
                     right < r.right ? right : r.right, bottom < r.bottom ? bottom : r.bottom);
    }
    constexpr TRect Offsetted(LONG dx, LONG dy) const { return TRect(left + dx, top + dy, right + dx, bottom + dy); }
    constexpr TRect Inflated(LONG dx, LONG dy) const { return TRect(left - dx, top - dy, right + dx, bottom + dy); }
    constexpr void Offset(LONG dx, LONG dy) { *this = Offsetted(dx, dy); }
    constexpr void Inflate(LONG dx, LONG dy) { *this = Inflated(dx, dy); }
    constexpr void SetWidth(LONG w) { right = left + w; }
    constexpr void SetHeight(LONG h) { bottom = top + h; }
    friend constexpr bool operator==(const TRect& a, const TRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

constexpr TPoint Point(LONG X, LONG Y) { return TPoint(X, Y); }
constexpr TRect Rect(LONG Left, LONG Top, LONG Right, LONG Bottom) { return TRect(Left, Top, Right, Bottom); }
constexpr TRect Bounds(LONG Left, LONG Top, LONG Width, LONG Height)
{
    return TRect(Left, Top, Left + Width, Top + Height);
}

// ---------------------------------------------------------------------------------------------
// Strings. String is UTF-16; AnsiString is text in the ANSI code page.

using String = std::wstring;
using AnsiString = std::string;

AnsiString ToAnsi(const String& s);
String FromAnsi(const AnsiString& s);
std::string ToUtf8(const String& s);
String FromUtf8(const std::string& s);

// 1-based helpers for positions as the algorithms count them. Char1 raises EAssertionFailed unless
// 1 <= i <= length. Copy/Delete/Insert clamp: an index below 1 counts as 1, the count is clipped to
// the text, an index past the end copies or deletes nothing (Insert appends).
wchar_t Char1(const String& s, int i);
char Char1(const AnsiString& s, int i);
String Copy(const String& s, int index, int count = MaxInt);
AnsiString Copy(const AnsiString& s, int index, int count = MaxInt);
void Delete(String& s, int index, int count);
void Delete(AnsiString& s, int index, int count);
void Insert(const String& source, String& s, int index);
void Insert(const AnsiString& source, AnsiString& s, int index);
// Position of sub in s (1-based), 0 when absent or sub is empty. PosEx starts looking at offset.
int Pos(const String& sub, const String& s);
int Pos(const AnsiString& sub, const AnsiString& s);
int PosEx(const String& sub, const String& s, int offset = 1);
int PosEx(const AnsiString& sub, const AnsiString& s, int offset = 1);

// Trim* remove characters up to U+0020 (controls and blanks).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

// ASCII-only case mapping and comparison (<0, 0, >0).
String UpperCase(const String& s);
String LowerCase(const String& s);
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
int CompareStr(const String& a, const String& b);
int CompareText(const String& a, const String& b);
bool SameText(const String& a, const String& b);

// Case mapping and comparison by the user's locale.
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

String StringOfChar(wchar_t c, int count);

// ---------------------------------------------------------------------------------------------
// Delegates: a comparable callable for events, window procedures and thread methods.
// Built from (object, member function) it equals every delegate of the same object and member;
// built from any other callable it equals only its own copies. Empty delegates equal each other.

template<class Signature>
class TDelegate;

namespace detail {
template<class M>
struct MemberClass;
template<class R, class C, class... A>
struct MemberClass<R (C::*)(A...)> {
    using type = C;
};
template<class R, class C, class... A>
struct MemberClass<R (C::*)(A...) const> {
    using type = const C;
};
template<class R, class C, class... A>
struct MemberClass<R (C::*)(A...) noexcept> {
    using type = C;
};
template<class R, class C, class... A>
struct MemberClass<R (C::*)(A...) const noexcept> {
    using type = const C;
};
}  // namespace detail

template<class R, class... Args>
class TDelegate<R(Args...)> {
public:
    TDelegate() = default;
    TDelegate(std::nullptr_t) {}

    template<class Obj, class Method>
        requires std::is_member_function_pointer_v<Method>
    TDelegate(Obj* object, Method method)
    {
        using Class = typename detail::MemberClass<Method>::type;
        Class* target = object;
        static_assert(sizeof(Method) <= sizeof(FMethod), "member pointer larger than expected");
        FObject = const_cast<std::remove_const_t<Class>*>(target);
        std::memcpy(FMethod, &method, sizeof(Method));
        FMethodSize = sizeof(Method);
        FCall = std::make_shared<const std::function<R(Args...)>>(
            [target, method](Args... args) -> R { return (target->*method)(std::forward<Args>(args)...); });
    }

    template<class F>
        requires(!std::is_same_v<std::decay_t<F>, TDelegate> && !std::is_same_v<std::decay_t<F>, std::nullptr_t> &&
                 std::is_invocable_r_v<R, F&, Args...>)
    TDelegate(F&& callable) : FCall(std::make_shared<const std::function<R(Args...)>>(std::forward<F>(callable)))
    {
    }

    explicit operator bool() const { return FCall != nullptr; }
    bool Assigned() const { return FCall != nullptr; }

    // Calling an empty delegate throws std::bad_function_call.
    R operator()(Args... args) const
    {
        if (!FCall)
            throw std::bad_function_call();
        return (*FCall)(std::forward<Args>(args)...);
    }

    // The object of an (object, member) delegate; null otherwise.
    void* Object() const { return FObject; }

    friend bool operator==(const TDelegate& a, const TDelegate& b)
    {
        if (a.FMethodSize != 0 || b.FMethodSize != 0)
            return a.FObject == b.FObject && a.FMethodSize == b.FMethodSize &&
                   std::memcmp(a.FMethod, b.FMethod, a.FMethodSize) == 0;
        return a.FCall == b.FCall;
    }
    friend bool operator==(const TDelegate& a, std::nullptr_t) { return !a.FCall; }

private:
    std::shared_ptr<const std::function<R(Args...)>> FCall;
    void* FObject = nullptr;
    unsigned char FMethod[2 * sizeof(void*)] = {};
    std::size_t FMethodSize = 0;
};

template<class Obj, class R, class C, class... A>
TDelegate(Obj*, R (C::*)(A...)) -> TDelegate<R(A...)>;
template<class Obj, class R, class C, class... A>
TDelegate(Obj*, R (C::*)(A...) const) -> TDelegate<R(A...)>;

// ---------------------------------------------------------------------------------------------
// Root object

struct TMessage;
class TPropertyTable;

// Class name, parent, and the function that fills the table of the properties the class
// publishes by name (vcl/properties.h); one static record per class (see CL_CLASS).
struct TClassInfo {
    const wchar_t* Name;
    const TClassInfo* Parent;
    void (*PublishProperties)(TPropertyTable& Table);
};

#define CL_WIDEN_(x) L##x
#define CL_WIDEN(x) CL_WIDEN_(x)
// Declares a class's name and parent link; `inherited` names the base. Leaves the class in
// private access, so put it first in the body.
#define CL_CLASS(Name, Base)                                                                                \
public:                                                                                                     \
    using inherited = Base;                                                                                 \
    static const ::vcl::TClassInfo* StaticClassInfo()                                                      \
    {                                                                                                       \
        static const ::vcl::TClassInfo info{CL_WIDEN(#Name), Base::StaticClassInfo(),                      \
                                            &Name::PublishProperties};                                      \
        return &info;                                                                                       \
    }                                                                                                       \
    const ::vcl::TClassInfo* ClassInfo() const override { return StaticClassInfo(); }                      \
                                                                                                            \
private:

// Declares that the class publishes properties by name, beyond those of its ancestors. Put it
// after CL_CLASS and define `void Name::PublishProperties(TPropertyTable& Table)` in a source
// file, one Table.Add line a property (vcl/properties.h). Leaves the class in private access.
#define CL_PUBLISHED                                                                                        \
public:                                                                                                     \
    static void PublishProperties(::vcl::TPropertyTable& Table);                                           \
                                                                                                            \
private:

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo* StaticClassInfo();
    virtual const TClassInfo* ClassInfo() const { return StaticClassInfo(); }
    // The root publishes nothing; classes that publish properties declare CL_PUBLISHED.
    static void PublishProperties(TPropertyTable&) {}
    String ClassName() const { return ClassInfo()->Name; }
    const TClassInfo* ClassParent() const { return ClassInfo()->Parent; }
    // True when this class or one of its ancestors has exactly this name.
    bool InheritsFrom(const String& className) const;

    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    // BeforeDestruction while the object is complete, then delete. Call on a non-null object;
    // FreeAndNil takes a pointer that may be null.
    void Free();

    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
};

// new T(args...), then AfterConstruction; if that throws, the object is freed and the exception goes on.
template<class T, class... A>
T* Create(A&&... args)
{
    T* object = new T(std::forward<A>(args)...);
    try {
        object->AfterConstruction();
    } catch (...) {
        object->Free();
        throw;
    }
    return object;
}

template<class T>
void FreeAndNil(T*& object)
{
    T* old = object;
    object = nullptr;
    if (old)
        old->Free();
}

// Holds an object and frees it with Free: std::unique_ptr<T, TObjectFree>.
struct TObjectFree {
    void operator()(TObject* object) const
    {
        if (object)
            object->Free();
    }
};
template<class T>
using TObjectPtr = std::unique_ptr<T, TObjectFree>;

// Runs Action when the scope ends, also when an exception ends it: the undoing of a temporary
// change of state written next to the change.
template<class F>
class [[nodiscard]] TScopeExit {
public:
    explicit TScopeExit(F Action) : FAction(std::move(Action)) {}
    ~TScopeExit() { FAction(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F FAction;
};

// ---------------------------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
public:
    explicit Exception(const String& Message, int HelpContext = 0);
    const String& Message() const { return FMessage; }
    void SetMessage(const String& Message);
    int HelpContext() const { return FHelpContext; }
    // The message as UTF-8.
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    String FMessage;
    std::string FWhat;
    int FHelpContext = 0;
};

#define CL_EXCEPTION(Name, Base)     \
    class Name : public Base {       \
    public:                          \
        using Base::Base;            \
    };

CL_EXCEPTION(EAbort, Exception)
CL_EXCEPTION(EConvertError, Exception)
CL_EXCEPTION(EInOutError, Exception)
CL_EXCEPTION(EStreamError, Exception)
CL_EXCEPTION(EFOpenError, EStreamError)
CL_EXCEPTION(EFCreateError, EStreamError)
CL_EXCEPTION(EReadError, EStreamError)
CL_EXCEPTION(EWriteError, EStreamError)
CL_EXCEPTION(EResNotFound, Exception)
CL_EXCEPTION(EListError, Exception)
CL_EXCEPTION(EStringListError, Exception)
CL_EXCEPTION(EComponentError, Exception)
CL_EXCEPTION(EInvalidOperation, Exception)
CL_EXCEPTION(EInvalidGraphic, Exception)
CL_EXCEPTION(EOutOfResources, Exception)
CL_EXCEPTION(ERegistryException, Exception)
CL_EXCEPTION(EIniFileException, Exception)
CL_EXCEPTION(EThread, Exception)
CL_EXCEPTION(EAssertionFailed, Exception)
CL_EXCEPTION(EDivByZero, Exception)
CL_EXCEPTION(EInvalidOp, Exception)
CL_EXCEPTION(EFtpError, Exception)
CL_EXCEPTION(EFtpConnectError, EFtpError)
CL_EXCEPTION(EFtpReplyError, EFtpError)
CL_EXCEPTION(EFtpTimeout, EFtpError)

#undef CL_EXCEPTION

// Raises the silent EAbort.
[[noreturn]] void Abort();
// Raises EAssertionFailed with the message when the condition is false.
void Assert(bool condition, const String& message = L"Assertion failed");

// ---------------------------------------------------------------------------------------------
// Arithmetic

// Nearest integer, halves to even (0.5 -> 0, 1.5 -> 2, -1.5 -> -2). NaN, infinity and values
// beyond 64 bits raise EInvalidOp.
int64_t Round(double value);
int64_t Round(long double value);
// Toward zero; NaN, infinity and values beyond 64 bits raise EInvalidOp.
int64_t Trunc(double value);
int64_t Trunc(long double value);

}  // namespace vcl
