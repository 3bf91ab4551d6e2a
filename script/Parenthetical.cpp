#include "script/Parenthetical.h"

#include <array>

namespace velmora {
namespace {

void TrimLeading(std::string_view& text, char byte) {
    const auto kept = text.find_first_not_of(byte);
    text.remove_prefix(kept == std::string_view::npos ? text.size() : kept);
}

void TrimTrailing(std::string_view& text, char byte) {
    const auto last = text.find_last_not_of(byte);
    text = text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

}  // namespace

std::string_view NormaliseParenthetical(std::string_view text) {
    TrimLeading(text, ' ');
    TrimLeading(text, '\r');
    TrimLeading(text, '\n');
    constexpr std::array kTrailing = {' ', '\r', '\n', '.', ':', ';', ','};
    for (int pass = 0; pass < 2; ++pass) {
        for (const char byte : kTrailing) {
            TrimTrailing(text, byte);
        }
    }
    return text;
}

}  // namespace velmora
