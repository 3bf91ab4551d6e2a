#pragma once

#include <cstdint>

namespace velmora {

// How much a document may make Velmora read and unpack. A novel's text is a few megabytes
// and packs to about a third of that; an archive that unpacks to a hundred times its own
// size is built to exhaust memory (a ZIP bomb), not to be read.
struct DocumentLimits {
    std::int64_t maxFileBytes = std::int64_t{512} << 20;  // the document file itself
    std::uint64_t unpackedPerPackedByte = 100;
    std::uint64_t minUnpackedBytes = std::uint64_t{16} << 20;  // small documents may unpack this
    std::uint64_t maxUnpackedBytes = std::uint64_t{512} << 20;

    // What a document of packedBytes may unpack, all parts read counted together.
    [[nodiscard]] std::uint64_t UnpackBudget(std::uint64_t packedBytes) const noexcept {
        const std::uint64_t byRatio = packedBytes > maxUnpackedBytes / unpackedPerPackedByte
                                          ? maxUnpackedBytes
                                          : packedBytes * unpackedPerPackedByte;
        return byRatio < minUnpackedBytes   ? minUnpackedBytes
               : byRatio > maxUnpackedBytes ? maxUnpackedBytes
                                            : byRatio;
    }
};

}  // namespace velmora
