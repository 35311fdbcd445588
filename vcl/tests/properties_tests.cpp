// Properties by name: the look-up rules on small classes of the test's own, then the properties
// controls, fonts and forms publish, on real controls.
#include "windowing_fixtures.h"

#include "vcl/comctrls.h"
#include "vcl/extctrls.h"
#include "vcl/properties.h"
#include "vcl/stdctrls.h"

#include <commctrl.h>

using namespace vcl;
using namespace wintest;

namespace {

enum class TFruit { frApple, frPear, frPlum };
using TFruits = TSet<TFruit>;

class TBasket : public TPersistent {
    CL_CLASS(TBasket, TPersistent)
    CL_PUBLISHED
public:
    int Count() const { return FCount; }
    void SetCount(int value) { FCount = value; }
    bool Handle() const { return FHandle; }
    void SetHandle(bool value) { FHandle = value; }
    TColor Tint() const { return FTint; }
    void SetTint(TColor value) { FTint = value; }
    TFruits Fruits() const { return FFruits; }
    void SetFruits(TFruits value) { FFruits = value; }
    TFont* Label() const { return FLabel; }
    void SetLabel(TFont* value) { FLabel = value; }
    const String& Owner() const { return FOwner; }
    void SetOwner(const String& value) { FOwner = value; }

private:
    int FCount = 3;
    bool FHandle = false;
    TColor FTint = clBtnFace;
    TFruits FFruits{TFruit::frPlum};
    TFont* FLabel = nullptr;
    String FOwner = L"Ana";
};

void TBasket::PublishProperties(TPropertyTable& Table)
{
    Table.Add(L"Count", &TBasket::Count, &TBasket::SetCount);
    Table.Add(L"Handle", &TBasket::Handle, &TBasket::SetHandle);
    Table.Add(L"Tint", &TBasket::Tint, &TBasket::SetTint);
    Table.Add(L"Fruits", &TBasket::Fruits, &TBasket::SetFruits, {L"frApple", L"frPear", L"frPlum"});
    Table.Add(L"Label", &TBasket::Label, &TBasket::SetLabel);
    Table.Add(L"Owner", &TBasket::Owner, &TBasket::SetOwner);
}

// Publishes nothing of its own.
class TPlainBasket : public TBasket {
    CL_CLASS(TPlainBasket, TBasket)
};

// Publishes Count again, counting in pairs, and a property of its own.
class TPairBasket : public TPlainBasket {
    CL_CLASS(TPairBasket, TPlainBasket)
    CL_PUBLISHED
public:
    int Pairs() const { return Count() / 2; }
    void SetPairs(int value) { SetCount(2 * value); }
    TAlign Side() const { return FSide; }
    void SetSide(TAlign value) { FSide = value; }

private:
    TAlign FSide = TAlign::alNone;
};

void TPairBasket::PublishProperties(TPropertyTable& Table)
{
    Table.Add(L"Count", &TPairBasket::Pairs, &TPairBasket::SetPairs);
    Table.Add(L"Side", &TPairBasket::Side, &TPairBasket::SetSide);
}

}  // namespace

TEST(PropertiesByName, ClassesInheritAndOverrideWhatTheirAncestorsPublish)
{
    TPlainBasket plain;
    TPairBasket pairs;
    EXPECT_EQ(ReadOrdinalProperty(&plain, L"Count"), 3);
    EXPECT_EQ(ReadOrdinalProperty(&plain, L"cOUNT"), 3);
    EXPECT_TRUE(WriteOrdinalProperty(&pairs, L"Count", 5));
    EXPECT_EQ(pairs.Count(), 10);
    EXPECT_EQ(ReadOrdinalProperty(&pairs, L"Count"), 5);
    EXPECT_TRUE(WriteOrdinalProperty(&pairs, L"Side", int64_t(TAlign::alClient)));
    EXPECT_EQ(pairs.Side(), TAlign::alClient);
    EXPECT_TRUE(PropertyExists(&pairs, L"Tint"));
    EXPECT_FALSE(PropertyExists(&plain, L"Side"));
    EXPECT_EQ(FindProperty(TPairBasket::StaticClassInfo(), L"Fruits"),
              FindProperty(TBasket::StaticClassInfo(), L"Fruits"));

    // Booleans and colours, system colours included, are ordinals.
    EXPECT_TRUE(WriteOrdinalProperty(&plain, L"Handle", 7));
    EXPECT_TRUE(plain.Handle());
    EXPECT_EQ(ReadOrdinalProperty(&plain, L"Handle"), 1);
    const std::optional<int64_t> tint = ReadOrdinalProperty(&plain, L"Tint");
    ASSERT_TRUE(tint);
    EXPECT_EQ(TColor(*tint), clBtnFace);
    EXPECT_TRUE(WriteOrdinalProperty(&plain, L"Tint", clInfoBk));
    EXPECT_EQ(plain.Tint(), clInfoBk);
}

TEST(PropertiesByName, AbsentPropertiesAnswerWithoutChangingAnything)
{
    TFont font;
    font.SetColor(clGreen);
    TBasket basket;
    const struct {
        const wchar_t* Path;
        TObject* Instance;
    } cases[] = {
        {L"Missing", &basket},
        {L"", &basket},
        {L"Label.Color", &basket},   // the object property holds nothing
        {L"Count.Color", &basket},   // not an object property
        {L"Label.", &basket},
        {L"Count", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << ToUtf8(c.Path));
        EXPECT_FALSE(PropertyExists(c.Instance, c.Path));
        EXPECT_FALSE(ReadOrdinalProperty(c.Instance, c.Path));
        EXPECT_FALSE(WriteOrdinalProperty(c.Instance, c.Path, 1));
        EXPECT_FALSE(ReadObjectProperty(c.Instance, c.Path));
        EXPECT_FALSE(WriteObjectProperty(c.Instance, c.Path, &font));
        EXPECT_FALSE(ReadSetProperty(c.Instance, c.Path));
        EXPECT_FALSE(WriteSetProperty(c.Instance, c.Path, L"frApple"));
        EXPECT_FALSE(ReadStringProperty(c.Instance, c.Path));
        EXPECT_FALSE(WriteStringProperty(c.Instance, c.Path, L"x"));
    }
    // A property of another kind than asked for.
    EXPECT_FALSE(ReadOrdinalProperty(&basket, L"Label"));
    EXPECT_FALSE(WriteOrdinalProperty(&basket, L"Label", 1));
    EXPECT_FALSE(ReadObjectProperty(&basket, L"Count"));
    EXPECT_FALSE(ReadSetProperty(&basket, L"Count"));
    EXPECT_FALSE(WriteSetProperty(&basket, L"Count", L""));
    EXPECT_FALSE(ReadStringProperty(&basket, L"Count"));
    EXPECT_FALSE(WriteStringProperty(&basket, L"Count", L"4"));
    EXPECT_FALSE(ReadOrdinalProperty(&basket, L"Owner"));
    EXPECT_EQ(basket.Count(), 3);
    EXPECT_EQ(basket.Label(), nullptr);

    // Objects: a null value is one, an object of another class is refused.
    EXPECT_EQ(ReadObjectProperty(&basket, L"Label"), std::optional<TObject*>(nullptr));
    TBasket notAFont;
    EXPECT_FALSE(WriteObjectProperty(&basket, L"Label", &notAFont));
    EXPECT_TRUE(WriteObjectProperty(&basket, L"Label", &font));
    EXPECT_EQ(basket.Label(), &font);
    EXPECT_EQ(ReadOrdinalProperty(&basket, L"Label.Color"), clGreen);
    EXPECT_TRUE(WriteObjectProperty(&basket, L"Label", nullptr));
    EXPECT_EQ(basket.Label(), nullptr);
}

TEST(PropertiesByName, SetsReadAndWriteTheirMembersByName)
{
    TBasket basket;
    EXPECT_EQ(ReadSetProperty(&basket, L"Fruits"), L"frPlum");
    EXPECT_TRUE(WriteSetProperty(&basket, L"Fruits", L"[ frPlum , frapple ]"));
    EXPECT_EQ(basket.Fruits(), TFruits({TFruit::frApple, TFruit::frPlum}));
    EXPECT_EQ(ReadSetProperty(&basket, L"Fruits"), L"frApple,frPlum");
    EXPECT_EQ(ReadOrdinalProperty(&basket, L"Fruits"), 0b101);

    try {
        WriteSetProperty(&basket, L"Fruits", L"frPear,frFig");
        FAIL() << "an unknown member was taken";
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message().find(L"frFig"), String::npos);
    }
    EXPECT_EQ(ReadSetProperty(&basket, L"Fruits"), L"frApple,frPlum");

    // Bits beyond the members are dropped.
    EXPECT_TRUE(WriteOrdinalProperty(&basket, L"Fruits", 0xF2));
    EXPECT_EQ(ReadSetProperty(&basket, L"Fruits"), L"frPear");
    EXPECT_TRUE(WriteSetProperty(&basket, L"Fruits", L""));
    EXPECT_TRUE(basket.Fruits().Empty());
    EXPECT_EQ(ReadSetProperty(&basket, L"Fruits"), L"");
}

TEST_F(WindowTest, ControlsPublishTheirColoursFontAndVisibility)
{
    TForm* form = NewForm();
    auto* panel = NewChild<TPanel>(form, 10, 10, 100, 50);
    auto* edit = NewChild<TEdit>(form, 10, 70, 100, 24);
    form->Show();
    for (TControl* control : {static_cast<TControl*>(panel), static_cast<TControl*>(edit)}) {
        SCOPED_TRACE(ToUtf8(control->ClassName()));
        EXPECT_EQ(ReadOrdinalProperty(control, L"Color"), int64_t(control->Color()));
        EXPECT_TRUE(WriteOrdinalProperty(control, L"Color", clYellow));
        EXPECT_EQ(control->Color(), clYellow);
        EXPECT_EQ(ReadOrdinalProperty(control, L"ParentColor"), 0);

        EXPECT_EQ(ReadObjectProperty(control, L"Font"), std::optional<TObject*>(control->Font()));
        EXPECT_TRUE(WriteOrdinalProperty(control, L"Font.Color", clBtnText));
        EXPECT_EQ(control->Font()->Color(), clBtnText);
        EXPECT_EQ(ReadOrdinalProperty(control, L"Font.Color"), int64_t(clBtnText));

        EXPECT_EQ(ReadOrdinalProperty(control, L"Visible"), 1);
        EXPECT_TRUE(WriteOrdinalProperty(control, L"Visible", 0));
        EXPECT_FALSE(control->Visible());
        EXPECT_FALSE(IsWindowVisible(static_cast<TWinControl*>(control)->Handle()));
        EXPECT_EQ(ReadOrdinalProperty(control, L"Visible"), 0);

        // What the skin wrappers look for and these controls do not have.
        for (const wchar_t* absent : {L"FocusColor", L"UseXPThemes"}) {
            EXPECT_FALSE(PropertyExists(control, absent));
            EXPECT_FALSE(ReadOrdinalProperty(control, absent));
            EXPECT_FALSE(WriteOrdinalProperty(control, absent, clRed));
        }

        EXPECT_TRUE(WriteSetProperty(control, L"Font.Style", L"fsUnderline,fsBold"));
        EXPECT_EQ(control->Font()->Style(), TFontStyles({TFontStyle::fsBold, TFontStyle::fsUnderline}));
        EXPECT_EQ(ReadSetProperty(control, L"Font.Style"), L"fsBold,fsUnderline");
    }
    EXPECT_TRUE(PropertyExists(edit, L"TabStop"));
    EXPECT_EQ(ReadSetProperty(form, L"BorderIcons"), L"biSystemMenu,biMinimize,biMaximize");
    EXPECT_TRUE(WriteSetProperty(form, L"BorderIcons", L"biSystemMenu"));
    EXPECT_EQ(form->BorderIcons(), TBorderIcons(TBorderIcon::biSystemMenu));
}

TEST_F(WindowTest, TrackBarAndSplitterPublishTheirSettings)
{
    TForm* form = NewForm();
    auto* bar = NewChild<TTrackBar>(form, 10, 10, 200, 45, clBtnFace);
    EXPECT_TRUE(WriteOrdinalProperty(bar, L"Position", 6));
    EXPECT_EQ(6, bar->Position());
    EXPECT_TRUE(WriteOrdinalProperty(bar, L"TickStyle", int64_t(TTickStyle::tsNone)));
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & TBS_NOTICKS);
    EXPECT_EQ(ReadOrdinalProperty(bar, L"ThumbLength"), 20);
    EXPECT_EQ(ReadOrdinalProperty(bar, L"Color"), int64_t(clBtnFace)) << "and what every control publishes";

    auto* splitter = Create<TSplitter>(form);
    EXPECT_TRUE(WriteOrdinalProperty(splitter, L"ResizeStyle", int64_t(TResizeStyle::rsUpdate)));
    EXPECT_EQ(TResizeStyle::rsUpdate, splitter->ResizeStyle());
    EXPECT_EQ(ReadOrdinalProperty(splitter, L"MinSize"), 30);
    EXPECT_EQ(ReadOrdinalProperty(splitter, L"AutoSnap"), 1);
}

TEST(PropertiesByName, StringsReadAndWriteAsText)
{
    TPairBasket basket;  // published by an ancestor
    EXPECT_EQ(ReadStringProperty(&basket, L"owner"), L"Ana");
    EXPECT_TRUE(WriteStringProperty(&basket, L"Owner", L"\u0160ime"));
    EXPECT_EQ(basket.Owner(), L"\u0160ime");
    EXPECT_TRUE(WriteStringProperty(&basket, L"Owner", L""));
    EXPECT_EQ(ReadStringProperty(&basket, L"Owner"), L"");
}

// A control is dragged plainly until it is made dockable; forms read the kind by name.
TEST(PropertiesByName, ControlsPublishHowTheyAreDragged)
{
    TObjectPtr<TPanel> panel(Create<TPanel>(nullptr));
    EXPECT_EQ(panel->DragKind(), TDragKind::dkDrag);
    EXPECT_EQ(ReadOrdinalProperty(panel.get(), L"DragKind"), int64_t(TDragKind::dkDrag));
    EXPECT_TRUE(WriteOrdinalProperty(panel.get(), L"DragKind", int64_t(TDragKind::dkDock)));
    EXPECT_EQ(panel->DragKind(), TDragKind::dkDock);
}
