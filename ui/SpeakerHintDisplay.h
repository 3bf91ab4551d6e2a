#pragma once

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include <span>
#include <vector>

class wxTextCtrl;
class wxWindow;

namespace velmora {

// The speaker hint as the name fields show it. The guessed slot's field is marked: tinted
// with the theme's selection colour and its name in bold, so it stands out at a glance in
// light and dark themes alike. A speaker in no slot is offered typed into the first empty
// field and selected, so that Enter takes it and typing replaces it; until it is taken
// (its line generated with it) or edited, it is not a typed name, and it goes again with
// its line.
class SpeakerHintDisplay {
public:
    // edits: the name fields, in slot order; they outlive this object.
    explicit SpeakerHintDisplay(std::span<wxTextCtrl* const> edits);

    // The tint of a marked field: a third of the way from the field's own background to
    // the selection colour, so that the field's own text colour still reads on it.
    [[nodiscard]] static wxColour MarkColour(const wxColour& background, const wxColour& selection);

    // Marks slot (1..N) as the guess; 0 marks none. Any other mark goes.
    void Mark(int slot);
    [[nodiscard]] int MarkedSlot() const noexcept { return marked_; }

    // Marks a command button as the guess ("Not Dialogue"): its label in bold. Any other mark
    // goes. The button outlives this object.
    void MarkCommand(wxWindow& button);
    [[nodiscard]] const wxWindow* MarkedCommand() const noexcept { return command_; }

    // Offers name in the first empty field: typed in, selected, marked and focused.
    // Returns its slot, 0 when no field is empty (nothing is offered then).
    int Offer(const wxString& name);
    [[nodiscard]] int OfferedSlot() const noexcept { return offered_; }
    // True while slot's field shows an offer that was neither taken nor edited: its text
    // is no name yet.
    [[nodiscard]] bool IsUntakenOffer(int slot) const noexcept;

    // Slot's line is being generated, or the program put a name there: an offer in its
    // field counts as typed from now on.
    void Take(int slot);
    // The user changed slot's field: an offer there becomes theirs, and a mark on another
    // slot goes (they are naming the line themselves).
    void UserTyped(int slot);

    // The line is gone (named, taken back, or the script ended): no mark, and an offer
    // neither taken nor edited is taken out of its field.
    void Clear();

private:
    [[nodiscard]] wxTextCtrl* Edit(int slot) const;
    void ShowMark(int slot, bool marked);
    void UnmarkCommand();

    std::vector<wxTextCtrl*> edits_;
    std::vector<wxFont> plainFonts_;  // each field's font before any mark
    int marked_ = 0;
    wxWindow* command_ = nullptr;  // the command button marked, if any
    wxFont commandFont_;           // its font before the mark
    int offered_ = 0;
    wxString offeredName_;
};

}  // namespace velmora
