// The readings of arbitrary text: the text a reading builds beside the text (to recognise an
// earlier script) is the one it leaves in a reader (to go on with it), for every plausible
// reading; and each line of the text read is found in the text, where OffsetInText says.
#include "conversion/TextReading.h"
#include "fuzz/support/Check.h"
#include "text/CharacterSet.h"
#include "text/Lines.h"
#include "text/TextReader.h"
#include "text/TypographicQuotes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\f\v") == std::string_view::npos;
}

// The line of text that begins at offset.
std::string_view LineAt(std::string_view text, std::size_t offset) {
    const std::string_view rest = text.substr(offset);
    return rest.substr(0, rest.find_first_of("\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velmora::CharacterSet set = velmora::DetectCharacterSet(text);
    const velmora::TextReading applicable = velmora::TextReading::Of(text, set);
    const std::size_t questions = applicable.Questions().size();
    VELMORA_FUZZ_CHECK(questions <= 3);
    VELMORA_FUZZ_CHECK(applicable.Answers().size() == questions);
    VELMORA_FUZZ_CHECK(applicable.Described().size() == questions);
    const auto readings = applicable.Plausible();
    VELMORA_FUZZ_CHECK(readings.size() == std::size_t{1} << questions);

    std::string copy;
    for (const velmora::TextReading& reading : readings) {
        const std::string_view read = reading.Read(text, copy);
        velmora::TextReader reader;
        reader.Assign(std::string(text));
        reading.ApplyTo(reader);
        VELMORA_FUZZ_CHECK(reader.Text() == read);

        velmora::LineSplitter lines(read);
        int checked = 0;
        for (std::string_view line; checked < 8 && lines.Next(line);) {
            if (IsBlank(line)) {
                continue;
            }
            const auto offset = static_cast<std::size_t>(line.data() - read.data());
            const std::size_t at = reading.OffsetInText(text, read, offset);
            VELMORA_FUZZ_CHECK(at < text.size());
            // The same line, but for the quotes the reading straightened.
            std::string found(LineAt(text, at));
            if (found != line) {
                velmora::StraightenTypographicQuotes(found, set);
            }
            VELMORA_FUZZ_CHECK(found == line);
            ++checked;
        }
    }
    return 0;
}
