#pragma once

#include "platform/File.h"
#include "script/ScriptFormat.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct EarlierRun;
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

// Why an earlier script was not gone on with, as asked: run says what it is; partsAt where
// in the text a script of it as it was before a change parts from it (PlaceInText).
[[nodiscard]] std::string NotGoneOnWith(std::string_view name, const EarlierRun& run,
                                        std::string_view partsAt);
// What an earlier script is, as the reason it was not used: "it is a script of another
// text", "it holds a finished script of this text". partsAt as NotGoneOnWith takes it.
[[nodiscard]] std::string VerdictReason(const EarlierRun& run, std::string_view partsAt);
// Where offset is in text, as the user finds it: "line 7 of the text" in a text file,
// "paragraph 3 of the document" in a document's text.
[[nodiscard]] std::string PlaceInText(std::string_view text, std::size_t offset, bool document);
// There was no script to go on with.
[[nodiscard]] std::string NothingToGoOnWith(std::string_view name);
// Another program wrote the script while it was being recognised.
[[nodiscard]] std::string ChangedWhileRead(std::string_view name);

// The earlier script is gone on with after its lines; format is said when it is not the one
// chosen.
[[nodiscard]] std::string GoingOn(std::string_view name, int lines, ScriptFormat format,
                                  bool formatChosen);

// The earlier script is gone on with reading the text as it was read when the script was
// made: read says how, a few words an answer (TextReading::Described).
[[nodiscard]] std::string ReadAsBefore(std::string_view name,
                                       const std::vector<std::string_view>& read);

// The user kept the finished script rather than start a new one.
[[nodiscard]] std::string FinishedScriptLeft(std::string_view name);

// Why Undo could not open the finished script again.
[[nodiscard]] std::string NotUndone(std::string_view name, const ScriptOpening& opening);

}  // namespace velmora
