#include "text/GutenbergMatter.h"

#include <array>

namespace velmora {
namespace {

// A marker shows itself within this many bytes of its line's start.
constexpr std::size_t kMarkerReach = 120;

enum class Marker { None, Start, End };

char Upper(char byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// The line's start in capitals, asterisks read as spaces, runs of spaces as one, leading
// ones dropped; asterisked tells whether the line began with an asterisk.
class Words {
public:
    explicit Words(std::string_view line) noexcept {
        bool space = true;  // drops leading spaces
        for (const char byte : line.substr(0, kMarkerReach)) {
            if (byte == '*' && length_ == 0) {
                asterisked_ = true;
            }
            if (byte == ' ' || byte == '\t' || byte == '*') {
                if (!space) {
                    bytes_[length_++] = ' ';
                }
                space = true;
            } else {
                bytes_[length_++] = Upper(byte);
                space = false;
            }
        }
    }
    [[nodiscard]] std::string_view View() const noexcept { return {bytes_.data(), length_}; }
    [[nodiscard]] bool Asterisked() const noexcept { return asterisked_; }

private:
    std::array<char, kMarkerReach> bytes_{};
    std::size_t length_ = 0;
    bool asterisked_ = false;
};

Marker MarkerOf(std::string_view line) noexcept {
    const Words normalised(line);
    const std::string_view words = normalised.View();
    const bool asterisked = normalised.Asterisked();
    const bool namesGutenberg = words.find("PROJECT GUTENBERG") != std::string_view::npos;
    if (asterisked && ((words.starts_with("START OF ") && namesGutenberg) ||
                       words.starts_with("END THE SMALL PRINT"))) {
        return Marker::Start;
    }
    if (words.starts_with("END OF ") && namesGutenberg) {
        return Marker::End;
    }
    return Marker::None;
}

// Where the line starting at begin ends, and where the next one starts.
std::size_t LineEnd(std::string_view text, std::size_t begin) noexcept {
    const std::size_t end = text.find_first_of("\r\n", begin);
    return end == std::string_view::npos ? text.size() : end;
}

std::size_t NextLine(std::string_view text, std::size_t end) noexcept {
    if (end < text.size() && text[end] == '\r') {
        ++end;
        if (end < text.size() && text[end] == '\n') {
            ++end;
        }
        return end;
    }
    return end < text.size() ? end + 1 : end;
}

}  // namespace

std::optional<GutenbergBody> FindGutenbergBody(std::string_view text) noexcept {
    std::optional<std::size_t> begin;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = LineEnd(text, pos);
        const Marker marker = MarkerOf(text.substr(pos, end - pos));
        const std::size_t next = NextLine(text, end);
        if (!begin && marker == Marker::Start) {
            begin = next;
        } else if (begin && marker == Marker::End) {
            return GutenbergBody{*begin, pos};
        }
        pos = next;
    }
    return std::nullopt;
}

}  // namespace velmora
