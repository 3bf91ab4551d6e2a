#pragma once

#include <optional>
#include <string>

namespace velmora {

class TextReader;

// Loads the novel in the named file (resolved against the current directory) into reader:
// an EPUB, DOCX or ODT document, as its name's extension says in any case, through its
// importer, keeping the document's identity so that nothing is written over it; any other
// file as plain text. The file is never written. Nothing when it loaded; otherwise the
// reader is unloaded and the result says why, in one plain sentence.
// @throws FileError when the opened file cannot be measured or read.
[[nodiscard]] std::optional<std::string> LoadNovel(const std::string& name, TextReader& reader);

// True when the named file is read as a document rather than as plain text.
[[nodiscard]] bool IsDocumentName(const std::string& name) noexcept;

}  // namespace velmora
