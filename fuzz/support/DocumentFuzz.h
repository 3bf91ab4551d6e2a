#pragma once

#include "document/DocumentImport.h"

#include <cstddef>
#include <cstdint>

namespace velmora::fuzz {

// Fuzzes one importer. An input that starts as a ZIP archive does is read as a whole
// document of kind; any other input is read as the format's main XML part, so that both
// the archive and the XML beneath it meet arbitrary bytes. Either way the text is valid
// UTF-8 and ends in neither a space nor a line break, a document refused has no text, and
// reading again gives the same result.
int FuzzDocument(const std::uint8_t* data, std::size_t size, DocumentKind kind);

}  // namespace velmora::fuzz
