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

    std::vector<Message> messages;
    std::vector<HelpRequest> helpRequests;
    std::vector<wxString> questions;
    bool answer = true;
    bool helpStarts = false;
};

}  // namespace velmora::test
