// Both script writers fed any sequence of elements (typed notes among them) with any bytes,
// for a text in any character set. The script always starts "<HTML>", never holds a "<" or
// "&" unescaped (every "<" begins one of the writer's own tags, exactly as many as the
// elements call for, and every "&" an entity or a character reference), and ends with one
// "</HTML>" once closed.
#include "fuzz/support/Check.h"
#include "script/MemoryScript.h"
#include "script/Parenthetical.h"
#include "script/ScriptFormat.h"
#include "script/ScriptWriter.h"
#include "text/CharacterSet.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::array<velmora::CharacterSet, 3> kCharacterSets = {
    velmora::CharacterSet::Ascii, velmora::CharacterSet::Utf8, velmora::CharacterSet::Windows1252};

// Every tag either writer produces.
constexpr std::array<std::string_view, 13> kTags = {
    "<HTML>",
    "</HTML>",
    "<BR>",
    "<CENTER>",
    "</CENTER>",
    "<B>",
    "</B>",
    "<DD>",
    "</DD>",
    "<I>",
    "</I>",
    R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=utf-8">)",
    R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1252">)"};

constexpr std::array<std::string_view, 3> kEntities = {"&amp;", "&lt;", "&gt;"};

template <std::size_t N>
std::size_t MatchAt(std::string_view text, std::size_t at,
                    const std::array<std::string_view, N>& choices) {
    for (const std::string_view choice : choices) {
        if (text.substr(at, choice.size()) == choice) {
            return choice.size();
        }
    }
    return 0;
}

// Checks that markup and escaping leave no bare "<" or "&" and returns the number of tags.
std::size_t CountTags(std::string_view script) {
    std::size_t tags = 0;
    for (std::size_t at = 0; at < script.size();) {
        if (script[at] == '<') {
            const std::size_t length = MatchAt(script, at, kTags);
            VELMORA_FUZZ_CHECK(length != 0);
            ++tags;
            at += length;
        } else if (script[at] == '&') {
            std::size_t length = MatchAt(script, at, kEntities);
            if (length == 0) {  // a character reference for typed text: "&#203;"
                std::size_t end = at + 2;
                while (end < script.size() && script[end] >= '0' && script[end] <= '9') {
                    ++end;
                }
                VELMORA_FUZZ_CHECK(script.substr(at, 2) == "&#" && end > at + 2 &&
                                   end < script.size() && script[end] == ';');
                length = end + 1 - at;
            }
            at += length;
        } else {
            ++at;
        }
    }
    return tags;
}

std::size_t Occurrences(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);

    const bool screenPlay = input.ConsumeBool();
    const velmora::CharacterSet set =
        kCharacterSets[input.ConsumeIntegralInRange<std::size_t>(0, kCharacterSets.size() - 1)];
    const auto writer = velmora::MakeScriptWriter(screenPlay ? velmora::ScriptFormat::ScreenPlay
                                                             : velmora::ScriptFormat::StagePlay);
    auto output = std::make_unique<velmora::MemoryScript>();
    const velmora::MemoryScript& script = *output;
    writer->Open(std::move(output), set);
    VELMORA_FUZZ_CHECK(writer->IsOpen());

    std::size_t tags = velmora::CharacterSetLabel(set).empty() ? 1 : 2;
    const auto parentheticalTags = [&](std::string_view text) -> std::size_t {
        if (velmora::NormaliseParenthetical(text).empty()) {
            return 0;
        }
        return screenPlay ? 2 : 4;
    };
    while (input.remaining_bytes() > 0) {
        const int element = input.ConsumeIntegralInRange(0, 4);
        const std::string text = input.ConsumeRandomLengthString();
        switch (element) {
        case 0:
            writer->WriteCharacterName(text);
            tags += screenPlay ? 3 : 5;
            break;
        case 1:
            writer->WriteParenthetical(text);
            tags += parentheticalTags(text);
            break;
        case 2:
            writer->WriteDialogue(text);
            tags += screenPlay ? 3 : 1;
            break;
        case 3:
            writer->WriteNarration(text);
            tags += screenPlay ? 2 : 1 + parentheticalTags(text);
            break;
        default:
            writer->WriteNote(text);
            tags += screenPlay ? 2 : 1 + parentheticalTags(text);
            break;
        }
    }

    // The writer keeps nothing back: an open script already holds every element.
    const std::string open = script.Bytes();
    VELMORA_FUZZ_CHECK(open.starts_with("<HTML>"));
    VELMORA_FUZZ_CHECK(open.find("</HTML>") == std::string::npos);
    VELMORA_FUZZ_CHECK(CountTags(open) == tags);

    writer->Close();
    VELMORA_FUZZ_CHECK(!writer->IsOpen());
    const std::string closed = script.Bytes();
    VELMORA_FUZZ_CHECK(closed.size() == open.size() + 7);
    VELMORA_FUZZ_CHECK(closed.starts_with(open));
    VELMORA_FUZZ_CHECK(closed.ends_with("</HTML>"));
    VELMORA_FUZZ_CHECK(Occurrences(closed, "</HTML>") == 1);
    VELMORA_FUZZ_CHECK(CountTags(closed) == tags + 1);
    return 0;
}
