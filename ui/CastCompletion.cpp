#include "ui/CastCompletion.h"

#include "conversion/Cast.h"
#include "ui/ScreenText.h"

#include <wx/arrstr.h>
#include <wx/textcompleter.h>
#include <wx/textctrl.h>

#ifdef __WXGTK3__
#include <wx/dynlib.h>
#endif

namespace velmora {
namespace {

class CastCompleter final : public wxTextCompleterSimple {
public:
    explicit CastCompleter(const Cast& cast) : cast_(cast) {}

    void GetCompletions(const wxString& prefix, wxArrayString& completions) override {
        for (const std::string& name : cast_.Completions(TypedText(prefix))) {
            completions.push_back(wxString::FromUTF8(name.data(), name.size()));
        }
    }

private:
    const Cast& cast_;
};

// Windows puts the completion the arrow keys move to into the field; GTK only highlights
// it, and Enter, which names the line, would use what was typed. Looked up at run time, as
// the program uses no GTK header of its own.
void PutChosenCompletionIntoField([[maybe_unused]] wxTextCtrl& edit) {
#ifdef __WXGTK3__
    using GetCompletion = void* (*)(void* entry);
    using SetInlineSelection = void (*)(void* completion, int inlineSelection);
    const auto lookUp = [](const wchar_t* name) {
        return wxDynamicLibrary::RawGetSymbol(wxDynamicLibrary::GetProgramHandle(), name);
    };
    void* getCompletion = lookUp(L"gtk_entry_get_completion");
    void* setInlineSelection = lookUp(L"gtk_entry_completion_set_inline_selection");
    if (getCompletion == nullptr || setInlineSelection == nullptr) {
        return;
    }
    if (void* completion = reinterpret_cast<GetCompletion>(getCompletion)(edit.GetHandle())) {
        reinterpret_cast<SetInlineSelection>(setInlineSelection)(completion, 1);
    }
#endif
}

}  // namespace

void CompleteFromCast(wxTextCtrl& edit, const Cast& cast) {
    edit.AutoComplete(new CastCompleter(cast));  // the field owns it
    PutChosenCompletionIntoField(edit);
}

}  // namespace velmora
