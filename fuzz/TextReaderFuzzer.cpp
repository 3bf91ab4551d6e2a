// The text reader over arbitrary bytes: every paragraph is a non-empty slice of the text,
// in order and without overlap, and the bytes between paragraphs are separators only, so
// paragraphs and skipped separators together cover the whole text.
#include "fuzz/support/Check.h"
#include "fuzz/support/ScratchFile.h"
#include "text/TextReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsSeparator(char byte) { return byte == '\r' || byte == '\n' || byte == ' '; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const velmora::fuzz::ScratchFile file("novel.txt");
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    file.Write(input);

    velmora::TextReader reader;
    reader.Load(file.Path());
    VELMORA_FUZZ_CHECK(reader.IsLoaded());
    VELMORA_FUZZ_CHECK(reader.Text() == input);

    std::size_t covered = 0;  // everything before this is a paragraph or a separator
    std::string paragraph;
    while (reader.ReadParagraph(paragraph)) {
        VELMORA_FUZZ_CHECK(!paragraph.empty());
        while (covered < input.size() && IsSeparator(input[covered])) {
            ++covered;
        }
        VELMORA_FUZZ_CHECK(input.substr(covered, paragraph.size()) == paragraph);
        VELMORA_FUZZ_CHECK(paragraph.find("\r\n\r\n") == std::string::npos);
        covered += paragraph.size();
        VELMORA_FUZZ_CHECK(reader.IsLoaded());
    }
    VELMORA_FUZZ_CHECK(!reader.IsLoaded());
    while (covered < input.size()) {
        VELMORA_FUZZ_CHECK(IsSeparator(input[covered]));
        ++covered;
    }

    // An exhausted reader stays exhausted and leaves the out-parameter alone.
    const std::string last = paragraph;
    VELMORA_FUZZ_CHECK(!reader.ReadParagraph(paragraph));
    VELMORA_FUZZ_CHECK(paragraph == last);
    return 0;
}
