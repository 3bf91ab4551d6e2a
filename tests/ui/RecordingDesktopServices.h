#pragma once

#include "ui/DesktopServices.h"

#include <wx/string.h>

#include <vector>

namespace velmora::test {

// Records message boxes, questions and help requests instead of showing them.
class RecordingDesktopServices : public DesktopServices {
public:
    struct Message {
        wxWindow* owner;
        wxString text;
        MessageIcon icon;
    };
    struct HelpRequest {
        wxString file;
        int context;
    };

    void ShowMessage(wxWindow* owner, const wxString& text, MessageIcon icon) override {
        messages.push_back({owner, text, icon});
    }
    [[nodiscard]] bool AskYesNo(wxWindow* /*owner*/, const wxString& question) override {
        questions.push_back(question);
        return answer;
    }
    [[nodiscard]] bool ShowHelp(const wxString& helpFile, int context) override {
        helpRequests.push_back({helpFile, context});
        return helpStarts;
    }
    // Answers with checkAnswers, or yes to each question when it is empty.
    [[nodiscard]] std::vector<bool> AskWithCheckBoxes(wxWindow* /*owner*/,
                                                      const std::vector<wxString>& asked) override {
        checkBoxQuestions.push_back(asked);
        return checkAnswers.empty() ? std::vector<bool>(asked.size(), true) : checkAnswers;
    }

    std::vector<Message> messages;
    std::vector<HelpRequest> helpRequests;
    std::vector<wxString> questions;
    bool answer = true;
    bool helpStarts = false;
    std::vector<std::vector<wxString>> checkBoxQuestions;
    std::vector<bool> checkAnswers;
};

}  // namespace velmora::test
