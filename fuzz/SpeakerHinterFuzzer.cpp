// The speaker hinter over arbitrary text, names and confirmations. The input is the names (one
// a line), a NUL, the text, a NUL, then operations of three bytes each (guess, confirm,
// retract, or the speech-tag predicate, at positions that may lie past the text). First every
// paragraph of the text is guessed and confirmed in order, as a conversion would.
//
// A guess names a filled slot or none; an offered name comes without a slot; a paragraph
// guessed to be no dialogue comes without either, and only while no slot holds NARRATOR;
// otherwise the guess is the slot its evidence weighs most for; guessing twice gives the same
// guess; and a confirmation (of a slot or of no dialogue) taken back leaves the hinter
// guessing as before it.
#include "fuzz/support/Check.h"
#include "hint/SlotNames.h"
#include "hint/SpeakerHinter.h"
#include "hint/SpeechTag.h"
#include "text/Marks.h"
#include "text/NameSlots.h"
#include "text/QuoteSplitter.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kSlots = 12;

bool Blank(std::string_view name) {
    return name.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

bool Same(const velmora::SpeakerGuess& a, const velmora::SpeakerGuess& b) {
    return a.slot == b.slot && a.notDialogue == b.notDialogue && a.newName == b.newName &&
           std::strcmp(a.rule, b.rule) == 0;
}

velmora::SpeakerGuess CheckedGuess(const velmora::SpeakerHinter& hinter,
                                   const std::vector<std::string>& names, std::string_view text,
                                   std::size_t begin, std::size_t end) {
    const velmora::SpeakerGuess guess = hinter.Guess(names, text, begin, end);
    VELMORA_FUZZ_CHECK(guess.rule != nullptr);
    VELMORA_FUZZ_CHECK(guess.slot >= 0 && static_cast<std::size_t>(guess.slot) <= names.size());
    if (guess.slot != 0) {
        VELMORA_FUZZ_CHECK(!Blank(names[velmora::SlotIndex(guess.slot)]));
        VELMORA_FUZZ_CHECK(*guess.rule != '\0');
    }
    if (!guess.newName.empty()) {
        VELMORA_FUZZ_CHECK(guess.slot == 0 && !guess.notDialogue);
        VELMORA_FUZZ_CHECK(std::string_view(guess.rule) == "new name");
    } else if (guess.notDialogue) {
        VELMORA_FUZZ_CHECK(guess.slot == 0);
        VELMORA_FUZZ_CHECK(std::string_view(guess.rule) == "not dialogue");
        VELMORA_FUZZ_CHECK(velmora::SlotOf(velmora::ReadSlotNames(names), velmora::kNarratorName) ==
                           0);
    } else {
        const velmora::HintEvidence weighed = hinter.Weigh(names, text, begin, end);
        VELMORA_FUZZ_CHECK(weighed.newName.empty());
        VELMORA_FUZZ_CHECK(weighed.slots.Best(names).slot == guess.slot);
    }
    VELMORA_FUZZ_CHECK(Same(hinter.Guess(names, text, begin, end), guess));
    return guess;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t namesEnd = std::min(input.find('\0'), input.size());
    const std::size_t textEnd = std::min(input.find('\0', namesEnd + 1), input.size());
    std::vector<std::string> names;
    std::string_view nameBytes = input.substr(0, namesEnd);
    while (!nameBytes.empty() && names.size() < kSlots) {
        const std::size_t newline = std::min(nameBytes.find('\n'), nameBytes.size());
        names.emplace_back(nameBytes.substr(0, newline));
        nameBytes.remove_prefix(std::min(newline + 1, nameBytes.size()));
    }
    names.resize(kSlots);
    const std::string_view text =
        namesEnd < input.size() ? input.substr(namesEnd + 1, textEnd - namesEnd - 1) : "";
    const std::string_view ops = textEnd < input.size() ? input.substr(textEnd + 1) : "";

    velmora::SpeakerHinter hinter;
    // Every paragraph in order, named with the slots in turn.
    std::size_t begin = 0;
    for (int n = 0; begin <= text.size() && n < 200; ++n) {
        const std::size_t end = std::min(text.find(velmora::kParagraphBreak, begin), text.size());
        (void)CheckedGuess(hinter, names, text, begin, end);
        hinter.Confirm(names, text, begin, end, n % static_cast<int>(kSlots + 1));
        begin = end + velmora::kParagraphBreak.size();
    }
    // Then the operations, at any positions.
    const auto position = [&text](std::uint8_t byte) {
        return static_cast<std::size_t>(byte) * (text.size() + 16) / 255;
    };
    for (std::size_t i = 0; i + 2 < ops.size(); i += 3) {
        const auto kind = static_cast<std::uint8_t>(ops[i]);
        std::size_t from = position(static_cast<std::uint8_t>(ops[i + 1]));
        std::size_t to = position(static_cast<std::uint8_t>(ops[i + 2]));
        if (from > to && kind % 8 != 7) {
            std::swap(from, to);
        }
        switch (kind % 4) {
        case 0:
            (void)CheckedGuess(hinter, names, text, from, to);
            break;
        case 1: {
            const velmora::SpeakerGuess before = CheckedGuess(hinter, names, text, from, to);
            const std::size_t count = hinter.ConfirmedCount();
            // 0 and 14 name no slot; 13 writes the paragraph as no dialogue.
            const int slot = static_cast<std::uint8_t>(ops[i + 2]) % 15;
            if (slot == 13) {
                hinter.ConfirmNotDialogue(names, text, from, to);
            } else {
                hinter.Confirm(names, text, from, to, slot % 14);
            }
            VELMORA_FUZZ_CHECK(hinter.ConfirmedCount() == count + 1);
            if (kind % 8 == 5) {
                hinter.Retract();
                VELMORA_FUZZ_CHECK(Same(CheckedGuess(hinter, names, text, from, to), before));
            }
            break;
        }
        case 2: {
            const std::size_t count = hinter.ConfirmedCount();
            hinter.Retract();
            VELMORA_FUZZ_CHECK(hinter.ConfirmedCount() == (count == 0 ? 0 : count - 1));
            break;
        }
        default: {
            const std::string_view part =
                text.substr(std::min(from, text.size()), to > from ? to - from : 0);
            (void)velmora::IsOnlySpeechTag(part);
            (void)velmora::IsOnlySpeechTag(velmora::ExtractNarration(part));
            break;
        }
        }
    }
    return 0;
}
