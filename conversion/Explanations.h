#pragma once

#include "platform/File.h"

#include <string>
#include <string_view>

namespace velmora {

struct ScriptOpening;

// The plain lines that say why a file was refused or what became of it, one sentence each,
// for the log and standard error beside the status line.

// Why the text file (its bare name) did not load: its open's refusal, or its size.
[[nodiscard]] std::string TextLoadProblem(std::string_view name, const OpenRefusal& refusal,
                                          bool tooLarge);

// How to speak of a file the script must never be written over: what it is ("text file")
// and what the user would rename ("the text").
struct ProtectedName {
    std::string_view what;
    std::string_view renamed;
};

// Why the script file could not be opened; protectedName is the file the opening found the
// name leads to, when it did.
[[nodiscard]] std::string ScriptOpenProblem(std::string_view name, const ScriptOpening& opening,
                                            const ProtectedName& protectedName);

// An earlier script was set aside as backupName.
[[nodiscard]] std::string KeptBackup(std::string_view name, std::string_view backupName);

}  // namespace velmora
