#pragma once

#include "script/ScriptOutput.h"

#include <string>

namespace velmora {

// A script kept in memory: what a replayed run writes, to be compared with a file's bytes.
class MemoryScript final : public ScriptOutput {
public:
    [[nodiscard]] bool IsOpen() const noexcept override { return isOpen_; }
    void Write(std::string_view bytes) override { bytes_ += bytes; }
    [[nodiscard]] std::int64_t Length() override {
        return static_cast<std::int64_t>(bytes_.size());
    }
    void Truncate(std::int64_t length) override {
        bytes_.resize(static_cast<std::string::size_type>(length));
    }
    void Close() override { isOpen_ = false; }

    [[nodiscard]] const std::string& Bytes() const noexcept { return bytes_; }

private:
    std::string bytes_;
    bool isOpen_ = true;
};

}  // namespace velmora
