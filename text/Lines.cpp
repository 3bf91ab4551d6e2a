#include "text/Lines.h"

namespace velmora {

bool LineSplitter::Next(std::string_view& line) noexcept {
    if (done_) {
        return false;
    }
    const std::size_t end = rest_.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = rest_;
        rest_ = {};
        done_ = true;
        return true;
    }
    line = rest_.substr(0, end);
    const bool crLf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
    rest_.remove_prefix(end + (crLf ? 2 : 1));
    return true;
}

}  // namespace velmora
