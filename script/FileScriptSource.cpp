#include "script/FileScriptSource.h"

#include "platform/File.h"

#include <algorithm>

namespace velmora {
namespace {

// Read ahead at least this much at a time.
constexpr std::size_t kPiece = std::size_t{1} << 20U;

}  // namespace

std::string_view FileScriptSource::From(std::int64_t offset, std::size_t count) {
    const auto end = start_ + static_cast<std::int64_t>(buffer_.size());
    if (offset < start_ || offset > end) {
        file_.Seek(offset);
        buffer_.clear();
        start_ = offset;
        atEnd_ = false;
    }
    auto skip = static_cast<std::size_t>(offset - start_);
    if (buffer_.size() - skip < count && !atEnd_) {
        // Only what is still asked for is kept before reading on.
        buffer_.erase(0, skip);
        start_ = offset;
        skip = 0;
        const std::size_t had = buffer_.size();
        const std::size_t wanted = std::max(count - had, kPiece);
        buffer_.resize(had + wanted);
        const std::size_t got = file_.Read(buffer_.data() + had, wanted);
        buffer_.resize(had + got);
        atEnd_ = got < wanted;
    }
    return std::string_view(buffer_).substr(skip, count);
}

}  // namespace velmora
