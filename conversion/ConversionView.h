#pragma once

#include "conversion/ReadingQuestion.h"
#include "text/NameSlots.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// What the conversion needs of a window: the main window implements it over its controls,
// tests with a recording fake, and the command-line converter over the console.
// Texts shown are bytes in the text's character set; what the user types (names, notes)
// passes as UTF-8.
class ConversionView {
public:
    static constexpr int kNameSlots = velmora::kNameSlots;

    virtual ~ConversionView() = default;

    virtual void SetStatus(std::string_view text) = 0;
    virtual void SetDialogueField(std::string_view text) = 0;
    // The name typed into slot 1..kNameSlots, as typed (UTF-8).
    [[nodiscard]] virtual std::string GetNameField(int slot) = 0;
    // Puts a name (UTF-8) into slot 1..kNameSlots, as if the user had typed it.
    virtual void SetNameField(int slot, std::string_view name) = 0;
    // The note as typed (UTF-8).
    [[nodiscard]] virtual std::string GetNoteField() = 0;
    virtual void SetNoteField(std::string_view text) = 0;
    [[nodiscard]] virtual bool IsScreenPlaySelected() = 0;
    // Disables "Open Text File..." and both format choices for the rest of the run.
    virtual void DisableOpenControls() = 0;
    // Asks for the text file. On a choice, the current directory is the file's folder and
    // the result is the file's name within it; nothing when the user cancels.
    [[nodiscard]] virtual std::optional<std::string> ChooseTextFile() = 0;

    // The paragraph log: a list of lines, appended at the end.
    virtual void AppendLogLine(std::string_view text) = 0;
    [[nodiscard]] virtual int LogLineCount() = 0;
    // Asks for line index to be the top visible line, as far as the list can scroll.
    virtual void ScrollLogTo(int index) = 0;
    // Removes the lines from index count on, when a command is taken back.
    virtual void TruncateLog(int count) = 0;

    // One plain line (UTF-8) that says why a status came about, or what became of a file:
    // the window shows it in the log, the console on standard error.
    virtual void Explain(std::string_view line) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Asks the user a yes/no question (UTF-8) whose default answer is yes.
    [[nodiscard]] virtual bool AskYesNo(std::string_view question) = 0;
    // Asks whether to go on with an unfinished script (UTF-8 question, default yes).
    [[nodiscard]] virtual bool AskToContinue(std::string_view question) = 0;
    // Asks whether to start a new script where a finished one of the same text is; the
    // finished one is kept either way (UTF-8 question, default yes).
    [[nodiscard]] virtual bool AskToStartAnew(std::string_view question) = 0;

    // A new line of dialogue is shown: slot (1..kNameSlots) most likely speaks it, 0 when
    // there is no guess; lastSlot named the previous line (0 for none yet). newName (UTF-8)
    // is a speaker the narration names who is in no slot, empty when there is none: the
    // window offers it in the first empty name field.
    virtual void ShowSpeakerHint(int slot, int lastSlot, std::string_view newName) = 0;

    // Asks how to read the text that loaded: one yes/no question each (their words UTF-8,
    // each answered yes by default), which a window may ask together. Returns one answer per
    // question, in order. Unless a view asks otherwise, each is asked in turn with AskYesNo.
    [[nodiscard]] virtual std::vector<bool> AskHowToRead(
        std::span<const ReadingQuestion> questions) {
        std::vector<bool> answers;
        answers.reserve(questions.size());
        for (const ReadingQuestion& question : questions) {
            answers.push_back(AskYesNo(question.text));
        }
        return answers;
    }
    // A new line of dialogue is shown, and its paragraph most likely is no speech at all (a
    // word quoted in a sentence, verse, a letter): the window offers "Not Dialogue".
    virtual void ShowNotDialogueHint() = 0;
};

}  // namespace velmora
