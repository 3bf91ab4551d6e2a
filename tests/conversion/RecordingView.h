#pragma once

#include "conversion/ConversionView.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::test {

// A ConversionView that plays the window: it holds the fields a user would fill in, answers
// the file choice and questions as scripted, and records every call that changes the window
// or asks the user in order ("Operation" or "Operation:argument"), so tests can check what
// the controller did and in which order. Queries (reading a field, counting the log) are
// recorded apart: when and how often the controller reads a field is its own affair.
class RecordingView : public ConversionView {
public:
    // What the user has put in the window.
    std::array<std::string, kNameSlots> names;
    std::string note;
    bool screenPlay = true;
    // The file the open-file dialog answers with; nothing means the user cancels. A path
    // with a folder moves the current directory there, as the dialog does.
    std::optional<std::filesystem::path> choice;

    // Run while the offer to go on is open, in place of continueAnswer (what another
    // program does meanwhile, then the answer).
    std::function<bool(std::string_view question)> onAskToContinue;

    // The answer to a yes/no question: yes, as the question's default; or the one given for
    // its words here.
    bool answer = true;
    std::map<std::string, bool, std::less<>> answersTo;
    // The answer to the offer to go on with an unfinished script.
    bool continueAnswer = true;
    // The answer to whether to start anew over a finished script.
    bool startAnewAnswer = true;

    // What the window shows.
    std::string status;
    std::string dialogue;
    std::vector<std::string> log;
    bool openControlsEnabled = true;
    int topLogLine = -1;
    int waitCursorsBegun = 0;
    int waitCursorsEnded = 0;
    int hintedSlot = -1;                           // -1 until a hint is shown
    static constexpr int kNotDialogueHinted = -2;  // hintedSlot when "Not Dialogue" is hinted

    // Every command and question, in order; every query, in order.
    std::vector<std::string> calls;
    std::vector<std::string> queries;
    // The lines that explained a status.
    std::vector<std::string> explanations;

    // The calls recorded since the given number of calls.
    [[nodiscard]] std::vector<std::string> CallsSince(std::size_t first) const {
        return {calls.begin() + static_cast<std::ptrdiff_t>(first), calls.end()};
    }

    void SetStatus(std::string_view text) override {
        Record("SetStatus", text);
        status = text;
    }
    void SetDialogueField(std::string_view text) override {
        Record("SetDialogueField", text);
        dialogue = text;
    }
    std::string GetNameField(int slot) override {
        queries.push_back("GetNameField:" + std::to_string(slot));
        return names.at(SlotIndex(slot));
    }
    void SetNameField(int slot, std::string_view name) override {
        Record("SetNameField", std::to_string(slot) + "," + std::string(name));
        names.at(SlotIndex(slot)) = name;
    }
    std::string GetNoteField() override {
        queries.emplace_back("GetNoteField");
        return note;
    }
    void SetNoteField(std::string_view text) override {
        Record("SetNoteField", text);
        note = text;
    }
    bool IsScreenPlaySelected() override {
        queries.emplace_back("IsScreenPlaySelected");
        return screenPlay;
    }
    void DisableOpenControls() override {
        Record("DisableOpenControls");
        openControlsEnabled = false;
    }
    std::optional<std::string> ChooseTextFile() override {
        Record("ChooseTextFile");
        if (!choice) {
            return std::nullopt;
        }
        if (choice->has_parent_path()) {
            std::filesystem::current_path(choice->parent_path());
        }
        return choice->filename().string();
    }
    void AppendLogLine(std::string_view text) override {
        Record("AppendLogLine", text);
        log.emplace_back(text);
    }
    int LogLineCount() override {
        queries.emplace_back("LogLineCount");
        return static_cast<int>(log.size());
    }
    void ScrollLogTo(int index) override {
        Record("ScrollLogTo", std::to_string(index));
        topLogLine = index;
    }
    void TruncateLog(int count) override {
        Record("TruncateLog", std::to_string(count));
        log.resize(static_cast<std::size_t>(count));
    }
    void Explain(std::string_view line) override {
        Record("Explain", line);
        explanations.emplace_back(line);
        log.emplace_back(line);
    }
    void BeginWaitCursor() override {
        Record("BeginWaitCursor");
        ++waitCursorsBegun;
    }
    void EndWaitCursor() override {
        Record("EndWaitCursor");
        ++waitCursorsEnded;
    }
    bool AskYesNo(std::string_view question) override {
        Record("AskYesNo", question);
        const auto given = answersTo.find(question);
        return given != answersTo.end() ? given->second : answer;
    }
    bool AskToContinue(std::string_view question) override {
        Record("AskToContinue", question);
        return onAskToContinue ? onAskToContinue(question) : continueAnswer;
    }
    bool AskToStartAnew(std::string_view question) override {
        Record("AskToStartAnew", question);
        return startAnewAnswer;
    }
    void ShowSpeakerHint(int slot, int lastSlot, std::string_view newName) override {
        std::string hint = std::to_string(slot) + "," + std::to_string(lastSlot);
        if (!newName.empty()) {
            hint += ",";
            hint += newName;
        }
        Record("ShowSpeakerHint", hint);
        hintedSlot = slot;
    }
    void ShowNotDialogueHint() override {
        Record("ShowNotDialogueHint");
        hintedSlot = kNotDialogueHinted;
    }

private:
    void Record(std::string_view operation) { calls.emplace_back(operation); }
    void Record(std::string_view operation, std::string_view argument) {
        std::string call(operation);
        call += ':';
        call += argument;
        calls.push_back(std::move(call));
    }
};

}  // namespace velmora::test
