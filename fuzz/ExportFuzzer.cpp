// Any text replayed with any names and notes, in either format and any character set, its
// speech tags left out as the hint finds them (or as a stand-in says), then written as
// Fountain and laid out as PDF pages. Every element's text is well-formed UTF-8 on
// one line, without control characters or spaces at its ends; the Fountain holds no "*" or
// "_" a reader would take for emphasis, no "/*" and no "[[" outside a note's own brackets,
// and no line of spaces; the layout ends, with no line past the foot of its page.
#include "export/Export.h"
#include "export/FountainWriter.h"
#include "export/ReplayElements.h"
#include "export/TitlePage.h"
#include "fuzz/support/Check.h"
#include "text/CharacterSet.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<velmora::CharacterSet, 3> kCharacterSets = {
    velmora::CharacterSet::Ascii, velmora::CharacterSet::Utf8, velmora::CharacterSet::Windows1252};

void CheckElementText(std::string_view text) {
    VELMORA_FUZZ_CHECK(velmora::IsValidUtf8(text));
    for (const char byte : text) {
        VELMORA_FUZZ_CHECK(static_cast<unsigned char>(byte) >= 0x20 && byte != 0x7F);
    }
    VELMORA_FUZZ_CHECK(!text.starts_with(' ') && !text.ends_with(' '));
}

// The number of backslashes right before at.
std::size_t BackslashesBefore(std::string_view text, std::size_t at) {
    std::size_t count = 0;
    while (count < at && text[at - count - 1] == '\\') {
        ++count;
    }
    return count;
}

void CheckFountain(std::string_view fountain) {
    for (std::size_t i = 0; i < fountain.size(); ++i) {
        const char byte = fountain[i];
        if (byte == '*' || byte == '_') {
            VELMORA_FUZZ_CHECK(BackslashesBefore(fountain, i) % 2 == 1);
        }
        if (byte == '[' && i + 1 < fountain.size() && fountain[i + 1] == '[') {
            // Only a note opens with "[[", at the start of its line.
            VELMORA_FUZZ_CHECK(i == 0 || fountain[i - 1] == '\n');
        }
    }
    std::size_t at = 0;
    while (at < fountain.size()) {
        const std::size_t end = fountain.find('\n', at);
        const std::string_view line = fountain.substr(at, end - at);
        VELMORA_FUZZ_CHECK(line.empty() || line.find_first_not_of(" \t") != std::string_view::npos);
        at = end == std::string_view::npos ? fountain.size() : end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto format =
        input.ConsumeBool() ? velmora::ScriptFormat::StagePlay : velmora::ScriptFormat::ScreenPlay;
    const velmora::CharacterSet set = input.PickValueInArray(kCharacterSets);
    const bool finished = input.ConsumeBool();
    // The hint's own speech tags, or a stand-in that takes every third length for one.
    const velmora::SpeechTagTest isOnlySpeechTag =
        input.ConsumeBool() ? velmora::HintSpeechTagTest(set)
                            : [](std::string_view narration) { return narration.size() % 3 == 0; };
    std::vector<velmora::EarlierRun::Step> steps(input.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (velmora::EarlierRun::Step& step : steps) {
        step.kind = input.PickValueInArray({velmora::EarlierRun::Step::Kind::Line,
                                            velmora::EarlierRun::Step::Kind::Note,
                                            velmora::EarlierRun::Step::Kind::NotDialogue});
        step.text = input.ConsumeRandomLengthString(24);
    }
    const std::string text = input.ConsumeRemainingBytesAsString();

    velmora::ReplaySource source;
    source.text = text;
    source.set = set;
    source.format = format;
    source.steps = steps;
    source.finished = finished;
    const velmora::ExportScript script = velmora::MakeExportScript(source, isOnlySpeechTag);
    for (const velmora::ScriptElement& element : script.elements) {
        if (element.kind != velmora::ElementKind::Dialogue &&
            element.kind != velmora::ElementKind::Note) {
            VELMORA_FUZZ_CHECK(!element.text.empty());
        }
        CheckElementText(element.text);
    }
    const velmora::TitlePage title = velmora::TitlePageOf(text, set, "novel.txt");
    CheckFountain(velmora::WriteFountain(script, title));

    const velmora::ScriptLayout layout =
        velmora::LayOutScript(script, title, velmora::PaperSize::Letter);
    for (const velmora::LaidOutPage& page : layout.pages) {
        for (const velmora::PlacedLine& line : page.lines) {
            VELMORA_FUZZ_CHECK(line.y > 0 && line.y < layout.height - 0.8 * 72);
        }
    }
    return 0;
}
