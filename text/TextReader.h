#pragma once

#include "platform/File.h"
#include "text/CharacterSet.h"
#include "text/ParagraphLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Holds the whole text file in memory and hands it out one paragraph at a time.
// A paragraph ends at an empty line written as CR LF CR LF; single line breaks stay inside.
class TextReader {
public:
    // Why the last Load left the reader unloaded.
    struct LoadFailure {
        bool tooLarge = false;  // over kMaxLength
        OpenRefusal refusal;    // the open's refusal, when the file could not be opened
    };

    // Loads the file (resolved against the current directory). Success shows in IsLoaded();
    // a file that cannot be opened, or is too large, leaves the reader unloaded and
    // LastFailure() says why.
    // @throws FileError when the opened file cannot be measured or read; the file is
    // closed and the reader left unloaded.
    void Load(const std::string& name);

    // Holds text as if it had been loaded from a file that nothing else names.
    void Assign(std::string text);
    // Reads text kept elsewhere, without a copy of it; text must outlive the reading.
    void View(std::string_view text);

    // Holds the text imported from a document, keeping the document's identity so that
    // nothing is ever written over it.
    void Assign(std::string text, FileIdentity document);

    [[nodiscard]] bool IsLoaded() const noexcept { return isLoaded_; }
    [[nodiscard]] const LoadFailure& LastFailure() const noexcept { return failure_; }

    // The file the text was loaded from, so that nothing is ever written over it.
    [[nodiscard]] const std::optional<FileIdentity>& Identity() const noexcept { return identity_; }

    // On true, paragraph holds the next paragraph. On false (text exhausted) paragraph is
    // unchanged and the reader is unloaded.
    bool ReadParagraph(std::string& paragraph);
    // The same, with paragraph a view into Text(): no copy of a paragraph of any length.
    bool ReadParagraph(std::string_view& paragraph);

    // Where in Text() the paragraph ReadParagraph gave last begins; 0 before the first.
    [[nodiscard]] std::size_t ParagraphBegin() const noexcept { return paragraphBegin_; }

    // The next byte not yet handed out. A position taken here can be returned to with
    // Rewind, which makes the reader loaded again: a command that is taken back reads
    // its paragraphs once more.
    [[nodiscard]] std::size_t Position() const noexcept { return position_; }
    void Rewind(std::size_t position, std::size_t paragraphBegin) noexcept;

    // The loaded bytes, exactly as in the file unless straightened below.
    [[nodiscard]] std::string_view Text() const noexcept { return text_; }

    // Turns each typographic double quote of the loaded text into an ASCII double quote,
    // in memory only; the file is never touched. Call before the first paragraph is read,
    // on a text loaded or assigned (not viewed).
    void StraightenQuotes(CharacterSet set) noexcept;

    // Reads the loaded text as the layout says its paragraphs are marked (see
    // RewriteParagraphs), in memory only. Call before the first paragraph is read, on a text
    // loaded or assigned (not viewed).
    void RewriteParagraphs(ParagraphLayout layout);

    // Keeps only the bytes from begin to end of the loaded text (the book without the
    // matter around it), in memory only. Call before the first paragraph is read, on a text
    // loaded or assigned (not viewed).
    void KeepOnly(std::size_t begin, std::size_t end) noexcept;

    // Largest text accepted: sizes and positions of a text stay within 32 bits.
    static constexpr std::int64_t kMaxLength = INT32_MAX - 100;

private:
    bool isLoaded_ = false;
    std::size_t position_ = 0;  // next byte not yet handed out
    std::size_t paragraphBegin_ = 0;
    std::string buffer_;     // the text, unless it is viewed
    std::string_view text_;  // the text read: buffer_, or the one viewed
    LoadFailure failure_;
    std::optional<FileIdentity> identity_;
};

}  // namespace velmora
