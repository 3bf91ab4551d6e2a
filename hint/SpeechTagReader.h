#pragma once

#include "hint/Paragraph.h"
#include "hint/Phrase.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// Who the text says speaks: the phrase a speech verb goes with, or failing that the one an
// action next to the quotation begins with ("Elinor smiled. \"...\""), and whom it is said to.
struct Tag {
    Phrase phrase;
    bool spoken = false;  // a verb of speech goes with it
    std::optional<Phrase> listener;
    bool loose = false;  // the verb comes later in the sentence, not right after the phrase
};

// The paragraph's tag: after its first quotation ("said Elinor", "Elinor said", "was her
// answer"), else in the sentence leading into it, else after a later quotation; an action
// next to the quotation when no verb of speech is found.
[[nodiscard]] std::optional<Tag> FindTag(const Paragraph& paragraph);

// The tag of a paragraph, and the words it was read from.
struct TagReading {
    std::optional<Paragraph> joined;  // the narration leading in and the paragraph, read as one
    std::optional<Tag> tag;
};

// The paragraph's own tag or, when it has none and opens with its quotation, the tag of the
// narration before it (gap, inside text) when that ends leading into it: "Soon afterwards he
// began again,". end is the paragraph's end in text.
[[nodiscard]] TagReading ReadTag(const Paragraph& paragraph, std::string_view text,
                                 std::string_view gap, std::size_t end);

}  // namespace velmora
