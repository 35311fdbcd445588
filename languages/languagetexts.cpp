#include "languages/languagetexts.h"

#include "languages/texts/fulltexts.h"

#include <array>

namespace languages {

namespace {

// Full languages by index; the gaps (5 and Korean) are not full languages.
constexpr std::array<const FullTexts*, 12> kFullLanguages = {
    &kEnglishTexts, &kRussianTexts, &kGermanTexts, &kFrenchTexts, &kSpanishTexts, nullptr,
    &kCzechTexts,   nullptr,        &kSerbianTexts, &kSwedishTexts, &kCroatianTexts, &kItalianTexts,
};

constexpr int kEnglish = 0;
constexpr int kKorean = 7;

vcl::String Read(const LanguageTextHost& host, const TextSource& source)
{
    switch (source.kind) {
    case TextSource::Literal: return vcl::String(source.text);
    case TextSource::Caption: return host.Caption(source.text);
    case TextSource::Hint: return host.Hint(source.text);
    case TextSource::Message: return *source.message;
    }
    return {};
}

void Write(LanguageTextHost& host, const TextTarget& target, const vcl::String& value)
{
    switch (target.kind) {
    case TextTarget::WindowCaption: host.SetWindowCaption(value); break;
    case TextTarget::Caption: host.SetCaption(target.control, value); break;
    case TextTarget::Hint: host.SetHint(target.control, value); break;
    case TextTarget::StatusPanel: host.SetStatusPanelText(target.panel, value); break;
    case TextTarget::Message: *target.message = value; break;
    }
}

void Run(LanguageTextHost& host, const TextBlock& block)
{
    // In order: some rows read what an earlier row of the same block wrote.
    for (const TextRow& row : block)
        Write(host, row.target, Read(host, row.source));
}

}  // namespace

}  // namespace languages

int CurrentLanguage = 0;

bool IsFullLanguage(int language)
{
    using namespace languages;
    return language >= 0 && language < static_cast<int>(kFullLanguages.size()) && kFullLanguages[language];
}

void ApplyLanguageTexts(LanguageTextHost& host, int language)
{
    using namespace languages;
    if (language == kKorean)
        Run(host, KoreanBlock());
    else if (IsFullLanguage(language))
        Run(host, FullBlock(*kFullLanguages[language]));
    else
        Run(host, FallbackBlock());
}

void ApplyStartLanguageTexts(LanguageTextHost& host, int language)
{
    if (!IsFullLanguage(language))
        ApplyLanguageTexts(host, languages::kEnglish);
    ApplyLanguageTexts(host, language);
}
