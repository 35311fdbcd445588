#pragma once
// Multi-line edits over the system's EDIT class (included by vcl/stdctrls.h): lines, scroll bars,
// word wrap. The text, the selection and the first visible line survive a new window.
#include "vcl/stdctrls.h"

namespace vcl {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo: its text split at line ends. Changing them rewrites the text, lines
// joined by CR LF.
class TMemoStrings : public TStrings {
    CL_CLASS(TMemoStrings, TStrings)
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int Count() const override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    String Get(int index) const override;
    void Put(int index, const String& s) override;

private:
    // The memo's lines now, and the memo's text made of changed lines.
    void ReadLines(TStringList& Lines) const;
    void Store(const TStringList& Lines);

    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
    CL_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* AOwner);

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value) { FLines->Assign(value); }
    // Scroll bars and word wrap are window styles: a change re-creates the window. A wrapping memo
    // has no horizontal scrolling.
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // Whether Enter and Tab are typed into the memo rather than left to the form.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    // The first visible line.
    int TopLine();

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps the first visible line.
    void DestroyWnd() override;

private:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FTopLine = 0;
};

class TMemo : public TCustomMemo {
    CL_CLASS(TMemo, TCustomMemo)
public:
    using TCustomMemo::TCustomMemo;
};

}  // namespace vcl
