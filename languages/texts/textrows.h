#pragma once
// A language block is an ordered list of rows; each row writes one target from a literal
// or from a value that an earlier row (or an earlier language) left behind.
#include "languages/messagetexts.h"

#include <string_view>
#include <vector>

namespace languages {

struct TextTarget {
    enum Kind { WindowCaption, Caption, Hint, StatusPanel, Message };
    Kind kind;
    std::wstring_view control;
    int panel = 0;
    vcl::String* message = nullptr;
};

struct TextSource {
    enum Kind { Literal, Caption, Hint, Message };
    Kind kind;
    std::wstring_view text;  // the literal, or the control whose caption or hint is read
    const vcl::String* message = nullptr;
};

struct TextRow {
    TextTarget target;
    TextSource source;
};

using TextBlock = std::vector<TextRow>;

// Targets.
inline TextTarget WindowCaption() { return {TextTarget::WindowCaption, {}}; }
inline TextTarget CaptionOf(std::wstring_view control) { return {TextTarget::Caption, control}; }
inline TextTarget HintOf(std::wstring_view control) { return {TextTarget::Hint, control}; }
inline TextTarget StatusPanel(int panel) { return {TextTarget::StatusPanel, {}, panel}; }
inline TextTarget Message(vcl::String& message) { return {TextTarget::Message, {}, 0, &message}; }

// Sources.
inline TextSource Text(std::wstring_view literal) { return {TextSource::Literal, literal}; }
inline TextSource CaptionFrom(std::wstring_view control) { return {TextSource::Caption, control}; }
inline TextSource HintFrom(std::wstring_view control) { return {TextSource::Hint, control}; }
inline TextSource ValueOf(const vcl::String& message) { return {TextSource::Message, {}, &message}; }

// The Korean block (monitoring view only) and the fallback block.
const TextBlock& KoreanBlock();
const TextBlock& FallbackBlock();

}  // namespace languages
