#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>

namespace velmora {

struct ConvertOptions;

// Exit statuses of velmora-convert.
inline constexpr int kExitFinished = 0;
inline constexpr int kExitNotFinished = 1;  // refused, or could not start
inline constexpr int kExitFileError = 2;    // a file or memory error ended the conversion
inline constexpr int kExitUsage = 64;

// Runs one conversion as the options say: opens the text, names the speakers from the names
// file while lines of dialogue come, and finishes the rest without names. Statuses and
// errors go to err, the log (when asked for) to out. A question the options leave open goes
// to askUser (the user at a terminal); without one it gets its default, yes.
// Returns the exit status.
[[nodiscard]] int RunConversion(const ConvertOptions& options, std::ostream& out, std::ostream& err,
                                const std::function<bool(std::string_view)>& askUser = {});

}  // namespace velmora
