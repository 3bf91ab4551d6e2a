#include "tests/ui/GuiTest.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/timer.h>

namespace velmora::test {
namespace {

int activeTestingHooks = 0;
int activeRealLoops = 0;

wxString Describe(wxDialog* dialog) {
    if (auto* message = dynamic_cast<wxMessageDialog*>(dialog)) {
        return wxS("message box \"") + message->GetMessage() + wxS("\"");
    }
    return wxString(dialog->GetClassInfo()->GetClassName()) + wxS(" \"") + dialog->GetTitle() +
           wxS("\"");
}

}  // namespace

FailingModalHook::FailingModalHook(const char* file, int line, const char* function)
    : wxTestingModalHook(file, line, function), file_(file), line_(line) {
    ++activeTestingHooks;
}

FailingModalHook::~FailingModalHook() { --activeTestingHooks; }

bool FailingModalHook::AnyActive() noexcept { return activeTestingHooks > 0; }

int FailingModalHook::Enter(wxDialog* dialog) {
    const int result = wxTestingModalHook::Enter(dialog);
    // Not answered by an expectation: the failure is reported; cancel rather than wait.
    return result == wxID_NONE ? wxID_CANCEL : result;
}

void FailingModalHook::ReportFailure(const wxString& message) {
    ADD_FAILURE_AT(file_, line_) << message.utf8_string();
}

int NoDialogsHook::Enter(wxDialog* dialog) {
    if (FailingModalHook::AnyActive() || RealModalLoop::AnyActive()) {
        return wxID_NONE;  // theirs to answer
    }
    ADD_FAILURE() << "unexpected " << Describe(dialog).utf8_string();
    return wxID_CANCEL;
}

void NoDialogsHook::Exit(wxDialog* /*dialog*/) {}

ExpectMessage::ExpectMessage(const wxString& text, long icon, wxWindow* owner)
    : text_(text), icon_(icon), owner_(owner) {}

int ExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    const long style = dialog->GetMessageDialogStyle();
    EXPECT_EQ(dialog->GetMessage().utf8_string(), text_.utf8_string());
    EXPECT_EQ(style & wxICON_MASK, icon_) << "icon of \"" << text_.utf8_string() << "\"";
    EXPECT_EQ(style & (wxOK | wxCANCEL | wxYES_NO), wxOK) << "buttons";
    EXPECT_EQ(dialog->GetCaption().utf8_string(), wxTheApp->GetAppName().utf8_string());
    EXPECT_EQ(dialog->GetParent(), owner_) << "owner of \"" << text_.utf8_string() << "\"";
    return wxID_OK;
}

wxString ExpectMessage::GetDefaultDescription() const {
    return wxS("message box \"") + text_ + wxS("\"");
}

RealModalLoop::RealModalLoop() { ++activeRealLoops; }

RealModalLoop::~RealModalLoop() { --activeRealLoops; }

bool RealModalLoop::AnyActive() noexcept { return activeRealLoops > 0; }

int ShowModalDoing(wxDialog& dialog, const std::function<void()>& action) {
    const RealModalLoop allowed;
    dialog.CallAfter(action);
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        if (dialog.IsModal()) {
            ADD_FAILURE() << "dialog \"" << dialog.GetTitle().utf8_string() << "\" did not end";
            dialog.EndModal(wxID_ABORT);
        }
    });
    watchdog.StartOnce(5000);
    return dialog.ShowModal();
}

void Press(wxWindow& window, int buttonId) {
    auto* button = dynamic_cast<wxButton*>(window.FindWindow(buttonId));
    ASSERT_NE(button, nullptr) << "no button " << buttonId;
    ASSERT_TRUE(button->IsShownOnScreen()) << "button " << buttonId << " is hidden";
    ASSERT_TRUE(button->IsEnabled()) << "button " << buttonId << " is disabled";
    wxCommandEvent click(wxEVT_BUTTON, buttonId);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

void SendKey(wxWindow& target, int keyCode, int modifiers) {
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = keyCode;
    key.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
    key.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
    key.SetAltDown((modifiers & wxMOD_ALT) != 0);
    key.SetEventObject(&target);
    target.ProcessWindowEvent(key);
}

void Flush() {
    for (int round = 0; round < 3; ++round) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

}  // namespace velmora::test
