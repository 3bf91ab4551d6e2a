#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// The bytes of an earlier script, read as far as they are needed: recognising a script reads
// it from its beginning and stops where it parts from the text, so a script of another text
// is never read whole, however large it is.
class ScriptSource {
public:
    ScriptSource() = default;
    virtual ~ScriptSource() = default;
    ScriptSource(const ScriptSource&) = delete;
    ScriptSource& operator=(const ScriptSource&) = delete;

    // The script's bytes from offset on: count of them, fewer only where the script ends.
    // The view holds until the next call. Reading is cheapest from increasing offsets.
    // @throws FileError when the script cannot be read.
    [[nodiscard]] virtual std::string_view From(std::int64_t offset, std::size_t count) = 0;
};

// A script already in memory.
class ScriptBytes final : public ScriptSource {
public:
    explicit ScriptBytes(std::string_view bytes) : bytes_(bytes) {}

    [[nodiscard]] std::string_view From(std::int64_t offset, std::size_t count) override {
        const auto start = static_cast<std::size_t>(offset);
        return start >= bytes_.size() ? std::string_view() : bytes_.substr(start, count);
    }

private:
    std::string_view bytes_;
};

}  // namespace velmora
