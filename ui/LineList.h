#pragma once

#include <wx/listctrl.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A list of text lines that nobody can select: the paragraph log and the user's guide.
// The lines are held here as bytes and the list asks for the text of the rows in view only,
// so tens of thousands of lines, or one line of megabytes, cost no more to show than a
// screenful. One column fills the width; rows all have the height of one line of text.
class LineList : public wxListCtrl {
public:
    // Characters drawn of one line at most; the line itself is kept whole.
    static constexpr std::size_t kMaxDrawnChars = 2000;

    // Without alwaysShowVerticalScrollBar the bar shows only when the lines do not fit.
    LineList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
             bool border, bool alwaysShowVerticalScrollBar);

    void AppendLine(std::string_view line);
    // Keeps the first count lines and drops the rest.
    void TruncateLines(int count);
    [[nodiscard]] int LineCount() const noexcept;
    [[nodiscard]] const std::string& Line(int index) const;
    // Makes line index the top line in view, as far as the list can scroll: the last line
    // puts the list at its end.
    void ScrollToLine(int index);

    // Never reached by Tab: the list is read, not worked in.
    bool AcceptsFocusFromKeyboard() const override { return false; }

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    void OnSize(wxSizeEvent& event);
    void OnItemSelected(wxListEvent& event);

    std::vector<std::string> lines_;
};

}  // namespace velmora
