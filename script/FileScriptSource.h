#pragma once

#include "script/ScriptSource.h"

#include <string>

namespace velmora {

class File;

// The bytes of an open file from its beginning, read a piece at a time as they are asked for:
// the script held by a run, or one opened to be exported.
class FileScriptSource final : public ScriptSource {
public:
    explicit FileScriptSource(File& file) : file_(file) {}

    [[nodiscard]] std::string_view From(std::int64_t offset, std::size_t count) override;

private:
    File& file_;
    std::string buffer_;
    std::int64_t start_ = 0;  // the file offset of buffer_'s first byte
    bool atEnd_ = false;
};

}  // namespace velmora
