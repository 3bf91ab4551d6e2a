#include "apps/convert/ConsoleView.h"
#include "text/NameSlots.h"

#include <filesystem>
#include <ostream>
#include <system_error>
#include <utility>

namespace velmora {

ConsoleView::ConsoleView(std::string textFile, bool screenPlay, std::ostream& status,
                         std::ostream* log)
    : textFile_(std::move(textFile)), screenPlay_(screenPlay), status_(status), log_(log) {}

void ConsoleView::SetNameField(int slot, std::string_view name) {
    names_.at(SlotIndex(slot)) = name;
}

void ConsoleView::SetStatus(std::string_view text) { status_ << text << std::endl; }

// The console has no dialogue field; the log shows the whole paragraph.
void ConsoleView::SetDialogueField(std::string_view /*text*/) {}

std::string ConsoleView::GetNameField(int slot) { return names_.at(SlotIndex(slot)); }

std::string ConsoleView::GetNoteField() { return note_; }

void ConsoleView::SetNoteField(std::string_view text) { note_ = text; }

bool ConsoleView::IsScreenPlaySelected() { return screenPlay_; }

void ConsoleView::DisableOpenControls() {}

std::optional<std::string> ConsoleView::ChooseTextFile() {
    const std::filesystem::path path(textFile_);
    if (path.has_parent_path()) {
        std::error_code error;
        std::filesystem::current_path(path.parent_path(), error);
        if (error) {
            // The text cannot be opened either; loading it as named says why.
            return textFile_;
        }
    }
    return path.filename().string();
}

void ConsoleView::AppendLogLine(std::string_view text) {
    ++logLineCount_;
    if (log_ == nullptr || !*log_) {
        return;
    }
    for (auto end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        *log_ << text.substr(0, end) << ' ';
        text.remove_prefix(end + 1);
    }
    *log_ << text << '\n';
}

int ConsoleView::LogLineCount() { return logLineCount_; }

void ConsoleView::ScrollLogTo(int /*index*/) {}

void ConsoleView::TruncateLog(int count) { logLineCount_ = count; }

void ConsoleView::Explain(std::string_view line) { status_ << line << std::endl; }

void ConsoleView::BeginWaitCursor() {}

void ConsoleView::EndWaitCursor() {}

bool ConsoleView::AskYesNo(std::string_view question) { return asker_ ? asker_(question) : true; }

bool ConsoleView::AskToContinue(std::string_view /*question*/) { return continue_; }

bool ConsoleView::AskToStartAnew(std::string_view /*question*/) { return true; }

void ConsoleView::ShowSpeakerHint(int /*slot*/, int /*lastSlot*/, std::string_view /*newName*/) {}

std::vector<bool> ConsoleView::AskHowToRead(std::span<const ReadingQuestion> questions) {
    std::vector<bool> answers;
    answers.reserve(questions.size());
    for (const ReadingQuestion& question : questions) {
        answers.push_back(readingAsker_ ? readingAsker_(question) : true);
    }
    return answers;
}

void ConsoleView::ShowNotDialogueHint() {}

}  // namespace velmora
