#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

// Where a script's bytes go: the script file, or memory when a run is replayed to recognise
// a script written before. The writer owns its output.
class ScriptOutput {
public:
    ScriptOutput() = default;
    virtual ~ScriptOutput() = default;
    ScriptOutput(const ScriptOutput&) = delete;
    ScriptOutput& operator=(const ScriptOutput&) = delete;

    [[nodiscard]] virtual bool IsOpen() const noexcept = 0;

    // Appends all of bytes. @throws FileError on a failed or short write.
    virtual void Write(std::string_view bytes) = 0;

    // Bytes held so far. @throws FileError when they cannot be measured.
    [[nodiscard]] virtual std::int64_t Length() = 0;

    // Cuts the output back to length bytes; writing goes on from there.
    // @throws FileError when it cannot be cut.
    virtual void Truncate(std::int64_t length) = 0;

    // Makes everything written safe (on stable storage for a file) and closes the output.
    // @throws FileError when that fails; a failed flush leaves it open, to be tried again.
    virtual void Close() = 0;
};

}  // namespace velmora
