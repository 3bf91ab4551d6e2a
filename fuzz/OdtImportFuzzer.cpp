// The ODT importer over arbitrary bytes: see fuzz/support/DocumentFuzz.h.
#include "fuzz/support/DocumentFuzz.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return velmora::fuzz::FuzzDocument(data, size, velmora::DocumentKind::Odt);
}
