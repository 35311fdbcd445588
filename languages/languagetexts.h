#pragma once
// Puts one interface language on the main window: captions, hints, the company line of
// the status bar and the message strings (messagetexts.h).
#include "vcl/system.h"

#include <string_view>

// What the language texts need of the main window. Controls are addressed by their
// component names ("lbAddress2", "sPanel8", ...).
class LanguageTextHost {
public:
    virtual ~LanguageTextHost() = default;

    virtual void SetWindowCaption(const vcl::String& text) = 0;
    virtual void SetCaption(std::wstring_view control, const vcl::String& text) = 0;
    virtual vcl::String Caption(std::wstring_view control) const = 0;
    virtual void SetHint(std::wstring_view control, const vcl::String& text) = 0;
    virtual vcl::String Hint(std::wstring_view control) const = 0;
    // Panels of the status bar counted from 0.
    virtual void SetStatusPanelText(int panel, const vcl::String& text) = 0;
};

// The language index applied last: 0 at program start, then set by start-up from the
// settings file and by the language choice, always before ApplyLanguageTexts is called.
extern int CurrentLanguage;

// Language indexes: 0 English, 1 Russian, 2 German, 3 French, 4 Spanish, 6 Czech,
// 7 Korean, 8 Serbian, 9 Swedish, 10 Croatian, 11 Italian. Any other value (5, above 11,
// negative) applies the short Russian fallback captions and no message string. Korean
// covers the monitoring view only: the wizard, its strings and the model names keep the
// language applied before.
void ApplyLanguageTexts(LanguageTextHost& host, int language);

// True for the indexes whose block writes every text (all but Korean and the fallback).
bool IsFullLanguage(int language);

// The texts at start-up, when no block has run yet: a language whose block leaves texts
// unwritten (Korean, the fallback) goes over the English texts, so that no control and no
// message string is left empty. Later switches use ApplyLanguageTexts alone, so that they keep
// the texts of the language before.
void ApplyStartLanguageTexts(LanguageTextHost& host, int language);
