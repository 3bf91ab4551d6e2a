#include "export/FountainMarkup.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace velmora {
namespace {

constexpr std::string_view kForceAction = "!";
constexpr std::string_view kForceCue = "@";
constexpr std::string_view kForceHeading = ".";
constexpr std::string_view kTransitionEnd = " TO:";
// Lines starting with these mean something else to a reader: forced cue, scene heading,
// transition or centred text, synopsis, section, lyrics, note, boneyard; "!" itself.
constexpr std::string_view kMarkupStarts = "!@.>=#~[/(";

// Pieces joined by appending: GCC 12 warns wrongly of overlapping copies in "+" chains.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

bool IsLowerAscii(char byte) { return byte >= 'a' && byte <= 'z'; }
bool IsUpperAscii(char byte) { return byte >= 'A' && byte <= 'Z'; }

char LowerAscii(char byte) { return IsUpperAscii(byte) ? static_cast<char>(byte + 32) : byte; }

// True when text has a lower-case letter: ASCII, or the lower-case ranges of Latin-1, Greek
// and Cyrillic. A line without one may be read as a cue.
bool HasLowerCase(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsLowerAscii(text[i])) {
            return true;
        }
        if (i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            const bool latin = byte == 0xC3 && next >= 0x9F && next != 0xB7;
            const bool greek = (byte == 0xCE && next >= 0xAC) || (byte == 0xCF && next <= 0x8E);
            const bool cyrillic = (byte == 0xD0 && next >= 0xB0) || (byte == 0xD1 && next <= 0x9F);
            if (latin || greek || cyrillic) {
                return true;
            }
        }
    }
    return false;
}

// "INT.", "EXT ", "EST.", "I/E ", "INT./EXT." and the like, in any case, after any
// emphasis markers: a scene heading to a reader.
bool StartsLikeSceneHeading(std::string_view text) {
    static constexpr std::array<std::string_view, 11> kPrefixes = {
        "int./ext", "int/ext", "int./e", "int/e", "i./ext", "i/ext",
        "i./e",     "i/e",     "int",    "ext",   "est"};
    const std::size_t start = text.find_first_not_of("*_");
    if (start == std::string_view::npos) {
        return false;
    }
    std::string lower(text.substr(start, 10));
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return std::any_of(kPrefixes.begin(), kPrefixes.end(), [&lower](std::string_view prefix) {
        return lower.size() > prefix.size() && lower.starts_with(prefix) &&
               (lower[prefix.size()] == '.' || lower[prefix.size()] == ' ');
    });
}

// "Key:" at the start, as a title page entry begins.
bool StartsLikeTitleEntry(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        return false;
    }
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon),
                       [](char byte) {
                           return byte == ' ' || byte == '_' || IsLowerAscii(byte) ||
                                  IsUpperAscii(byte) || (byte >= '0' && byte <= '9');
                       });
}

bool NeedsForcedAction(std::string_view text) {
    return text.empty() || kMarkupStarts.find(text.front()) != std::string_view::npos ||
           !HasLowerCase(text) || StartsLikeSceneHeading(text) || StartsLikeTitleEntry(text) ||
           text.ends_with(kTransitionEnd);
}

// Where a name's one closing extension "(V.O.)" starts, if it has one.
std::size_t ExtensionStart(std::string_view name) {
    if (!name.ends_with(')')) {
        return std::string_view::npos;
    }
    const std::size_t open = name.rfind('(');
    if (open == std::string_view::npos || open == 0 ||
        name.substr(open + 1, name.size() - open - 2).find_first_of("()") !=
            std::string_view::npos) {
        return std::string_view::npos;
    }
    return open;
}

// A name a reader takes for a cue as it is: capitals, digits and a little punctuation,
// starting with a letter, and nothing a scene heading or a transition starts or ends with;
// an extension in capitals may follow, holding no markup a reader would act on.
bool IsPlainCue(std::string_view name) {
    const std::size_t extension = ExtensionStart(name);
    const std::string_view base = name.substr(0, extension);
    const bool plain = std::all_of(base.begin(), base.end(), [](char byte) {
        return IsUpperAscii(byte) || (byte >= '0' && byte <= '9') ||
               std::string_view(" .'-").find(byte) != std::string_view::npos;
    });
    const std::string_view tail =
        extension == std::string_view::npos ? std::string_view() : name.substr(extension);
    return plain && !base.empty() && IsUpperAscii(base.front()) && !HasLowerCase(tail) &&
           tail.find_first_of("^*_\\[]") == std::string_view::npos &&
           !StartsLikeSceneHeading(base) && !base.ends_with("OUT.") && !base.ends_with("BLACK.");
}

// A cue may end with one extension in parentheses; any other "(", ")" or "^" is no part
// of a cue.
std::string CueCharacters(std::string_view name) {
    const std::size_t extension = ExtensionStart(name);
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char byte = name[i];
        const bool inExtension = extension != std::string_view::npos && i >= extension;
        if (byte == '^') {
            out += "\xCB\x86";  // U+02C6, the circumflex as a letter
        } else if (!inExtension && (byte == '(' || byte == ')')) {
            out += byte == '(' ? '[' : ']';
        } else {
            out += byte;
        }
    }
    return out;
}

}  // namespace

std::string FountainText(std::string_view text) {
    const auto escaped = [](char byte) { return byte == '\\' || byte == '*' || byte == '_'; };
    std::string out;
    out.reserve(text.size() + 8);
    bool lastEscaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        // A reader stands an escaped character in for "[{{{\*}}}]": brackets beside it
        // would make "[[" and "]]", a note.
        if (byte == ']' && lastEscaped) {
            out += kMarkupBreak;
        }
        lastEscaped = escaped(byte);
        if (lastEscaped) {
            out += '\\';
        }
        out += byte;
        if (byte == '[' && i + 1 < text.size() && (text[i + 1] == '[' || escaped(text[i + 1]))) {
            out += kMarkupBreak;
        }
    }
    return out;
}

std::string FountainAction(std::string_view narration) {
    std::string line = NeedsForcedAction(narration) ? std::string(kForceAction) : std::string();
    if (narration.ends_with(kTransitionEnd)) {
        const std::string_view before =
            narration.substr(0, narration.size() - kTransitionEnd.size());
        line += FountainText(before);
        line += '\n';
        line += kTransitionEnd.substr(1);
        return line;
    }
    line += FountainText(narration);
    return line;
}

std::string FountainCue(std::string_view name) {
    if (IsPlainCue(name)) {
        return std::string(name);
    }
    // An empty name is a cue too once it holds something invisible.
    return Joined(
        {kForceCue, name.empty() ? std::string(kMarkupBreak) : FountainText(CueCharacters(name))});
}

std::string FountainParenthetical(std::string_view text) {
    return Joined({"(", FountainText(text), ")"});
}

std::string FountainDialogue(std::string_view text) {
    if (text.empty()) {
        return std::string(kMarkupBreak);  // a line of spaces would end the block
    }
    std::string line;
    if (text.front() == '(' && text.back() == ')') {
        line = kMarkupBreak;
    } else if (text.front() == '~') {
        line = "\\";
    }
    line += FountainText(text);
    return line;
}

std::string FountainNote(std::string_view text) {
    // A note's text may not start with "[", nor be empty: a space keeps both readable.
    const bool pad = text.empty() || text.front() == '[';
    return Joined({"[[", pad ? " " : "", FountainText(text), "]]"});
}

std::string FountainHeading(std::string_view heading) {
    std::string line(kForceHeading);
    for (const char byte : FountainText(heading)) {
        if (byte == '#') {
            line += '\\';  // "#1#" at the end would be a scene number
        }
        line += byte;
    }
    return line;
}

std::string FountainTitleEntry(std::string_view key, std::string_view value) {
    return Joined({key, ": ", FountainText(value)});
}

}  // namespace velmora
