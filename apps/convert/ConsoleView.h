#pragma once

#include "conversion/ConversionView.h"

#include <array>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The conversion's window over the console: status lines go to one stream as they are set,
// log lines to another (or nowhere) as they are appended, and the text file is the one
// named on the command line. The driver fills the name and note fields. Lines that
// explain a status go with the statuses.
class ConsoleView : public ConversionView {
public:
    // log may be null: the log is then only counted.
    ConsoleView(std::string textFile, bool screenPlay, std::ostream& status, std::ostream* log);

    // Answers yes/no questions; without one, every question gets its default, yes.
    using Asker = std::function<bool(std::string_view question)>;
    void SetAsker(Asker asker) { asker_ = std::move(asker); }

    // Answers the questions of how to read the text, one by one; without one, each gets its
    // default, yes.
    using ReadingAsker = std::function<bool(const ReadingQuestion& question)>;
    void SetReadingAsker(ReadingAsker asker) { readingAsker_ = std::move(asker); }

    // Whether to go on with an unfinished script of the text; no unless told.
    void SetContinue(bool continueScript) { continue_ = continueScript; }

    void SetStatus(std::string_view text) override;
    void SetDialogueField(std::string_view text) override;
    [[nodiscard]] std::string GetNameField(int slot) override;
    void SetNameField(int slot, std::string_view name) override;
    [[nodiscard]] std::string GetNoteField() override;
    void SetNoteField(std::string_view text) override;
    [[nodiscard]] bool IsScreenPlaySelected() override;
    void DisableOpenControls() override;
    // Moves the current directory to the text file's folder and returns its name there;
    // nothing when the folder cannot be entered.
    [[nodiscard]] std::optional<std::string> ChooseTextFile() override;
    // One output line per log line: a line break inside a log line (a text with LF-only
    // line ends) is shown as a space. Once the log's stream fails, nothing more is tried.
    void AppendLogLine(std::string_view text) override;
    [[nodiscard]] int LogLineCount() override;
    void ScrollLogTo(int index) override;
    // What was printed stays printed; only the count goes back.
    void TruncateLog(int count) override;
    void Explain(std::string_view line) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    [[nodiscard]] bool AskYesNo(std::string_view question) override;
    [[nodiscard]] bool AskToContinue(std::string_view question) override;
    // The console keeps a finished script and starts a new one without asking.
    [[nodiscard]] bool AskToStartAnew(std::string_view question) override;
    // Nobody at the console picks buttons: the hint has nowhere to go.
    void ShowSpeakerHint(int slot, int lastSlot, std::string_view newName) override;
    [[nodiscard]] std::vector<bool> AskHowToRead(
        std::span<const ReadingQuestion> questions) override;
    void ShowNotDialogueHint() override;

private:
    std::string textFile_;
    bool screenPlay_;
    std::ostream& status_;
    std::ostream* log_;
    int logLineCount_ = 0;
    std::array<std::string, kNameSlots> names_;
    std::string note_;
    Asker asker_;
    ReadingAsker readingAsker_;
    bool continue_ = false;
};

}  // namespace velmora
