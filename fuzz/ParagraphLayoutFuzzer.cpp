// Paragraph layouts over arbitrary bytes: the rewrite done in place, with room to spare and
// without, equals the same rewrite built plainly in a second string; a text rewritten for
// blank lines holds CR LF as its only line end.
#include "fuzz/support/Check.h"
#include "text/ParagraphLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\f\v") == std::string_view::npos;
}

// Line by line into a new string: what RewriteParagraphs must give.
std::string Plainly(std::string_view text, velmora::ParagraphLayout layout) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t j = i;
        while (j < text.size() && text[j] != '\r' && text[j] != '\n') {
            ++j;
        }
        std::size_t k = j;
        while (k < text.size() && text[k] == '\r') {
            ++k;
        }
        const std::size_t next = k < text.size() && text[k] == '\n' ? k + 1
                                 : j < text.size()                  ? j + 1
                                                                    : j;
        const std::string_view line = text.substr(i, j - i);
        const bool hasEnd = next > j;
        if (layout == velmora::ParagraphLayout::BlankLines) {
            out += IsBlank(line) ? std::string_view() : line;
            out += hasEnd ? "\r\n" : "";
        } else if (!IsBlank(line)) {
            out += line;
            out += hasEnd ? "\r\n\r\n" : "";
        }
        i = next;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const velmora::ParagraphLayout detected = velmora::DetectParagraphLayout(input);
    VELMORA_FUZZ_CHECK((detected == velmora::ParagraphLayout::ReaderBreaks) ==
                       (input.find("\r\n\r\n") != std::string_view::npos));
    for (const auto layout :
         {velmora::ParagraphLayout::BlankLines, velmora::ParagraphLayout::LinePerParagraph}) {
        const std::string expected = Plainly(input, layout);
        std::string tight(input);
        tight.shrink_to_fit();
        velmora::RewriteParagraphs(tight, layout);
        VELMORA_FUZZ_CHECK(tight == expected);
        std::string roomy;
        roomy.reserve(size * 4 + 16);
        roomy.assign(input);
        velmora::RewriteParagraphs(roomy, layout);
        VELMORA_FUZZ_CHECK(roomy == expected);
    }
    std::string blank(input);
    velmora::RewriteParagraphs(blank, velmora::ParagraphLayout::BlankLines);
    for (std::size_t i = 0; i < blank.size(); ++i) {
        if (blank[i] == '\n') {
            VELMORA_FUZZ_CHECK(i > 0 && blank[i - 1] == '\r');
        } else if (blank[i] == '\r') {
            VELMORA_FUZZ_CHECK(i + 1 < blank.size() && blank[i + 1] == '\n');
        }
    }
    return 0;
}
