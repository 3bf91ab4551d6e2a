#include "ui/GuideWindow.h"

#include "ui/DialogTemplate.h"
#include "ui/Help.h"
#include "ui/Icon.h"
#include "ui/LineList.h"
#include "ui/Resources.h"

#include <string_view>

namespace velmora {
namespace {

// The guide, a line to a row, in UTF-8. Blank rows are empty lines; the double spaces
// between sentences belong to the lines. Every address in it is one a reader can open.
constexpr std::string_view kGuideLines[] = {
    "A program to convert a novel in text form into a play in script format.",
    "                            (Release v1.0)",
    "",
    "Velmora is free to use, copy and give away, as long as",
    "it is passed on whole and unchanged.  It comes with no",
    "warranty of any kind.",
    "Velmora has no web site of its own; its README and",
    "manual page (‘man velmora’) tell how to install it.",
    "",
    "First select Screen play format or Stage Play format.",
    "",
    "Press \u2018Open Text File...\u2019 to select a text file",
    "to convert.  Paragraphs must be separated by a",
    "blank line.  Dialogue must be in quotes.  It",
    "is recommended the text be no more than 80",
    "characters per line.  (Most texts at",
    "https://www.gutenberg.org are in this format.)",
    "",
    "The program will go through the text file until",
    "it finds the first line of dialogue.  Determine",
    "the character\u2019s name then type it into a text",
    "field on the right of the window.  Press",
    "\u2018Generate Line\u2019 to write one line of dialogue",
    "to the output file.  Continue until you have",
    "generated every line.  (If you see an error",
    "message you\u2019ve reached the end of the file)",
    "",
    "If you want to quickly generate the rest of the",
    "script, press \u2018Generate Without Character Names\u2019.",
    "The output file will be completed with placeholders",
    "for the character\u2019s names.",
    "",
    "Exit the program.  A file named 'script.htm' will",
    "be in the same directory as the text file.",
    "Right-click on it and select 'Open With Microsoft",
    "Office Word'.  Then select 'File Save As' to",
    "save it as a .doc file.",
    "",
    "You may want to adjust the margins in the .doc file.",
    "Suggested settings:  Set the top, bottom, left and",
    "right margins to 2 inches in \u2018Page Setup\u2019.",
    "Use \u2018Print Preview\u2019 to check the formatting",
    "",
    "Additional information on script formats and playwriting",
    "may be found at:",
    "https://en.wikipedia.org/wiki/Screenplay",
    "https://www.dramatistsguild.com/script-formats",
    "",
    "Enjoy!  If you have questions or find problems,",
    "please send an e-mail to:",
    "the person or site you got your copy of Velmora from.",

    // What the program does beyond the steps above, a paragraph to a feature.
    "",
    "Naming lines with the keyboard:  Velmora guesses",
    "who speaks each line.  The name field it guesses is",
    "shaded and in bold, and the keyboard is on that",
    "row’s ‘Generate Line’, so Enter confirms the guess.",
    "When the narration names someone who is in no field,",
    "the name is typed into the first empty field and",
    "selected: Enter takes it, typing replaces it.  In a",
    "name field, Enter presses the ‘Generate Line’ on",
    "its row.  After ‘Generate Note’ the keyboard goes",
    "back to where it was, ready for the next line.",
    "",
    "Not Dialogue:  when a paragraph’s quotes are no",
    "speech (a word quoted in a sentence, a sign, a",
    "title, verse), press ‘Not Dialogue’ (Ctrl+N, also",
    "in the window’s menu).  The whole paragraph is",
    "written as narration, quotes and all, and Velmora",
    "goes on to the next line.  When Velmora guesses",
    "this, ‘Not Dialogue’ is in bold with the keyboard",
    "on it: Enter confirms it.  Undo takes it back.",
    "",
    "Names used before:  as you type into any name",
    "field, Velmora offers every name used so far in",
    "the script, spelled as before.  Move to one with",
    "the arrow keys (or click it), then press Enter.",
    "",
    "Undo:  Ctrl+Z, or ‘Undo Last Line’ in the window’s",
    "menu (right-click the window; on Windows also the",
    "system menu), takes back the last line, note or",
    "‘Generate Without Character Names’.  Undo again to",
    "go further back, even after the script is finished.",
    "",
    "Continuing:  close Velmora half-way and nothing is",
    "lost.  Open the same text file again and Velmora",
    "offers to continue its unfinished Script.htm where",
    "it stopped, with the names used so far in the fields.",
    "",
    "Exporting:  ‘Export Script...’ in the window’s menu",
    "writes the script as Fountain, Final Draft (FDX)",
    "or PDF, beside Script.htm.  On the command line:",
    "velmora-convert --export=LIST, where LIST names",
    "one or more of fountain, fdx and pdf.",
    "",
    "Typographic quotes:  if a text marks its dialogue",
    "only with typographic quotes (“ ”), Velmora asks",
    "whether to treat them as double quotes.  The text",
    "file itself is never changed.",
    "",
    "Novels:  Velmora opens plain text, EPUB, DOCX and",
    "ODT.  When a text’s paragraphs are set apart in a",
    "way Velmora would not see, or it holds a Project",
    "Gutenberg header and licence, Velmora asks how to",
    "read it.  The file itself is never changed.",
};

}  // namespace

GuideWindow::GuideWindow(wxWindow* parent, DesktopServices& services)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    BuildFromTemplate(*this, kGuideTemplate);
    SetIcons(MainFrameIcons());
    auto* lines = wxStaticCast(FindWindow(IDC_GUIDE_LINES), LineList);
    for (const std::string_view line : kGuideLines) {
        lines->AppendLine(line);
    }
    InstallHelpKey(*this, services, HelpContext(IDD_GUIDE));
    Bind(wxEVT_CHAR_HOOK, &GuideWindow::OnCharHook, this);
    CentreOnParent();
}

void GuideWindow::OnCharHook(wxKeyEvent& event) {
    // No buttons: Enter ends the guide as OK would, Esc as Cancel would.
    const int key = event.GetKeyCode();
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !event.HasAnyModifiers()) {
        EndDialog(wxID_OK);
        return;
    }
    if (key == WXK_ESCAPE && !event.HasAnyModifiers()) {
        Close();
        return;
    }
    event.Skip();
}

}  // namespace velmora
