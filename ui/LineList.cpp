#include "ui/LineList.h"

#include "ui/ScreenText.h"

#ifdef __WXGTK3__
#include <wx/dynlib.h>
#endif

#include <algorithm>

namespace velmora {
namespace {

void UseClassicScrollBar(wxListCtrl& list, bool always) {
#ifdef __WXMSW__
    // The native list view keeps its own scroll bars: shown only when the lines do not fit.
    static_cast<void>(list);
    static_cast<void>(always);
#else
    list.ShowScrollbars(wxSHOW_SB_NEVER, always ? wxSHOW_SB_ALWAYS : wxSHOW_SB_DEFAULT);
#endif
#ifdef __WXGTK3__
    // GTK 3 draws scroll bars as overlays that vanish while the pointer is away; the
    // classic bar stays in view, also when there is nothing to scroll. Looked up at run
    // time, as the program uses no GTK header of its own.
    using SetOverlayScrolling = void (*)(void* scrolledWindow, int overlay);
    void* symbol = wxDynamicLibrary::RawGetSymbol(wxDynamicLibrary::GetProgramHandle(),
                                                  wxS("gtk_scrolled_window_set_overlay_scrolling"));
    if (symbol != nullptr) {
        reinterpret_cast<SetOverlayScrolling>(symbol)(list.GetHandle(), 0);
    }
#endif
}

}  // namespace

LineList::LineList(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
                   bool border, bool alwaysShowVerticalScrollBar)
    : wxListCtrl(parent, id, position, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_NO_HEADER | wxLC_SINGLE_SEL |
                     (border ? wxBORDER_THEME : wxBORDER_NONE)) {
    AppendColumn(wxEmptyString, wxLIST_FORMAT_LEFT, GetClientSize().x);
    UseClassicScrollBar(*this, alwaysShowVerticalScrollBar);
    Bind(wxEVT_SIZE, &LineList::OnSize, this);
    Bind(wxEVT_LIST_ITEM_SELECTED, &LineList::OnItemSelected, this);
    // Clicks neither select a line nor take the focus; the wheel and the scroll bar still
    // scroll. The rows are drawn by a child window, which gets the mouse.
    for (wxWindow* child : GetChildren()) {
        child->Bind(wxEVT_LEFT_DOWN, [](wxMouseEvent&) {});
        child->Bind(wxEVT_LEFT_DCLICK, [](wxMouseEvent&) {});
    }
}

void LineList::AppendLine(std::string_view line) {
    lines_.emplace_back(line);
    SetItemCount(static_cast<long>(lines_.size()));
}

void LineList::TruncateLines(int count) {
    if (count >= 0 && static_cast<std::size_t>(count) < lines_.size()) {
        lines_.resize(static_cast<std::size_t>(count));
        SetItemCount(static_cast<long>(lines_.size()));
        Refresh();
    }
}

int LineList::LineCount() const noexcept { return static_cast<int>(lines_.size()); }

const std::string& LineList::Line(int index) const {
    return lines_.at(static_cast<std::size_t>(index));
}

void LineList::ScrollToLine(int index) {
    const int count = LineCount();
    if (count == 0) {
        return;
    }
    index = std::clamp(index, 0, count - 1);
    // Showing the last line first leaves the wanted line at the top when it is scrolled
    // back into view from below.
    EnsureVisible(count - 1);
    EnsureVisible(index);
}

wxString LineList::OnGetItemText(long item, long /*column*/) const {
    if (item < 0 || static_cast<std::size_t>(item) >= lines_.size()) {
        return wxString();
    }
    return ScreenLine(lines_[static_cast<std::size_t>(item)], kMaxDrawnChars);
}

void LineList::OnSize(wxSizeEvent& event) {
    SetColumnWidth(0, GetClientSize().x);
    event.Skip();
}

void LineList::OnItemSelected(wxListEvent& event) {
    SetItemState(event.GetIndex(), 0, wxLIST_STATE_SELECTED);
}

}  // namespace velmora
