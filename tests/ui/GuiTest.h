#pragma once

// Helpers for the GUI tests: the modal-dialog hook that makes every unexpected dialog a
// failure (and cancels it, so that no test waits for a person), an expectation that checks
// a message box's text, icon, caption and owner, and the way tests press buttons.

#include <gtest/gtest.h>

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/string.h>

#include <functional>

namespace velmora::test {
class FailingModalHook;
}  // namespace velmora::test

#define wxTEST_DIALOG_HOOK_CLASS velmora::test::FailingModalHook
#include <wx/testing.h>

namespace velmora::test {

// The hook behind wxTEST_DIALOG: a dialog that was not expected, or an expected one that
// never came, fails the test; the unexpected dialog is cancelled instead of shown.
class FailingModalHook : public wxTestingModalHook {
public:
    FailingModalHook(const char* file, int line, const char* function);
    ~FailingModalHook() override;
    FailingModalHook(const FailingModalHook&) = delete;
    FailingModalHook& operator=(const FailingModalHook&) = delete;

    // True while a wxTEST_DIALOG block is running.
    [[nodiscard]] static bool AnyActive() noexcept;

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override;

private:
    const char* file_;
    int line_;
};

// Outside wxTEST_DIALOG blocks and RealModalLoop, every dialog fails the test and is
// cancelled. Registered for the whole test run.
class NoDialogsHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;
};

// A message box with OK and exactly this text and icon (wxICON_ERROR, wxICON_EXCLAMATION),
// captioned with the application name and owned by owner. Answers OK.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(const wxString& text, long icon, wxWindow* owner);

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;
    wxString GetDefaultDescription() const override;

private:
    wxString text_;
    long icon_;
    wxWindow* owner_;
};

// A dialog of type T, handed to inspect before it is answered with result.
template <typename T>
class ExpectDialog : public wxExpectModalBase<T, ExpectDialog<T>> {
public:
    ExpectDialog(std::function<void(T&)> inspect, int result = wxID_OK)
        : inspect_(std::move(inspect)), result_(result) {}

protected:
    int OnInvoked(T* dialog) const override {
        inspect_(*dialog);
        return result_;
    }

private:
    std::function<void(T&)> inspect_;
    int result_;
};

// Lets dialogs shown while it lives run their real modal loop. A dialog still open after
// a few seconds fails the test and is ended, so the test cannot hang.
class RealModalLoop {
public:
    RealModalLoop();
    ~RealModalLoop();
    RealModalLoop(const RealModalLoop&) = delete;
    RealModalLoop& operator=(const RealModalLoop&) = delete;

    [[nodiscard]] static bool AnyActive() noexcept;
};

// Runs dialog modally, doing action once its loop runs; returns the modal result.
int ShowModalDoing(wxDialog& dialog, const std::function<void()>& action);

// Presses a button as a person would: fails the test (and presses nothing) when the button
// is missing, hidden or disabled.
void Press(wxWindow& window, int buttonId);

// Sends a key as the dialog's key hook sees it before any control does.
void SendKey(wxWindow& target, int keyCode, int modifiers = wxMOD_NONE);

// Lets pending events, idle handlers and painting run.
void Flush();

}  // namespace velmora::test
