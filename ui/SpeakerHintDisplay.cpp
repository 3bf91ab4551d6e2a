#include "ui/SpeakerHintDisplay.h"
#include "text/NameSlots.h"

#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/window.h>

#include <algorithm>

namespace velmora {

SpeakerHintDisplay::SpeakerHintDisplay(std::span<wxTextCtrl* const> edits)
    : edits_(edits.begin(), edits.end()) {
    plainFonts_.reserve(edits_.size());
    for (const wxTextCtrl* edit : edits_) {
        plainFonts_.push_back(edit->GetFont());
    }
}

wxColour SpeakerHintDisplay::MarkColour(const wxColour& background, const wxColour& selection) {
    const auto third = [](unsigned char from, unsigned char to) {
        return static_cast<unsigned char>(from + (to - from) / 3);
    };
    return {third(background.Red(), selection.Red()), third(background.Green(), selection.Green()),
            third(background.Blue(), selection.Blue())};
}

wxTextCtrl* SpeakerHintDisplay::Edit(int slot) const { return edits_.at(SlotIndex(slot)); }

void SpeakerHintDisplay::Mark(int slot) {
    UnmarkCommand();
    if (slot < 0 || static_cast<std::size_t>(slot) > edits_.size()) {
        slot = 0;
    }
    if (marked_ != 0 && marked_ != slot) {
        ShowMark(marked_, false);
    }
    if (slot != 0) {
        ShowMark(slot, true);  // again when already marked: the theme may have changed
    }
    marked_ = slot;
}

void SpeakerHintDisplay::ShowMark(int slot, bool marked) {
    wxTextCtrl* edit = Edit(slot);
    const wxFont& plain = plainFonts_.at(SlotIndex(slot));
    if (marked) {
        // The colours of the field as the theme draws it, read each time: the user may
        // switch between a light and a dark theme while Velmora runs.
        edit->SetBackgroundColour(MarkColour(wxTextCtrl::GetClassDefaultAttributes().colBg,
                                             wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
        edit->SetFont(plain.Bold());
    } else {
        edit->SetBackgroundColour(wxNullColour);
        edit->SetFont(plain);
    }
    edit->Refresh();
}

void SpeakerHintDisplay::MarkCommand(wxWindow& button) {
    Mark(0);
    command_ = &button;
    commandFont_ = button.GetFont();
    button.SetFont(commandFont_.Bold());
    button.Refresh();
}

void SpeakerHintDisplay::UnmarkCommand() {
    if (command_ != nullptr) {
        command_->SetFont(commandFont_);
        command_->Refresh();
        command_ = nullptr;
    }
}

int SpeakerHintDisplay::Offer(const wxString& name) {
    const auto empty = std::find_if(edits_.begin(), edits_.end(),
                                    [](const wxTextCtrl* edit) { return edit->IsEmpty(); });
    if (name.empty() || empty == edits_.end()) {
        return 0;
    }
    offered_ = static_cast<int>(empty - edits_.begin()) + 1;
    wxTextCtrl* edit = *empty;
    edit->ChangeValue(name);  // no text event: this is not the user typing
    Mark(offered_);
    edit->SetFocus();
    edit->SelectAll();
    return offered_;
}

bool SpeakerHintDisplay::IsUntakenOffer(int slot) const noexcept {
    return offered_ != 0 && slot == offered_;
}

void SpeakerHintDisplay::Take(int slot) {
    if (IsUntakenOffer(slot)) {
        offered_ = 0;
        Edit(slot)->SetInsertionPointEnd();  // no longer shown selected, as an offer is
    }
}

void SpeakerHintDisplay::UserTyped(int slot) {
    if (IsUntakenOffer(slot)) {
        offered_ = 0;  // edited: a name of the user's own now
        return;
    }
    if (marked_ != 0 && slot != marked_) {
        Clear();
    }
}

void SpeakerHintDisplay::Clear() {
    Mark(0);
    if (offered_ != 0) {
        Edit(offered_)->ChangeValue(wxEmptyString);
        offered_ = 0;
    }
}

}  // namespace velmora
