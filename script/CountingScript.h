#pragma once

#include "script/ScriptOutput.h"

namespace velmora {

// A script that keeps only its length: what an earlier run writes when it is walked again
// over a script file that holds its bytes already.
class CountingScript final : public ScriptOutput {
public:
    [[nodiscard]] bool IsOpen() const noexcept override { return isOpen_; }
    void Write(std::string_view bytes) override {
        length_ += static_cast<std::int64_t>(bytes.size());
    }
    [[nodiscard]] std::int64_t Length() override { return length_; }
    void Truncate(std::int64_t length) override { length_ = length; }
    void Close() override { isOpen_ = false; }

private:
    std::int64_t length_ = 0;
    bool isOpen_ = true;
};

}  // namespace velmora
