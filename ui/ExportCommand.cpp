#include "ui/ExportCommand.h"

#include "conversion/ConversionController.h"
#include "conversion/ConversionView.h"
#include "conversion/WaitCursor.h"
#include "export/Export.h"
#include "export/ScriptExport.h"
#include "platform/FolderPart.h"
#include "platform/ProgramFolder.h"
#include "platform/UserPaper.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace velmora {
namespace {

// One filter per format, in the order of kFilterFormats.
const wchar_t* const kExportFilter =
    L"Fountain (*.fountain)|*.fountain|Final Draft (*.fdx)|*.fdx|PDF (*.pdf)|*.pdf";
constexpr std::array<ExportFormat, 3> kFilterFormats = {ExportFormat::Fountain, ExportFormat::Fdx,
                                                        ExportFormat::Pdf};

char Lower(char byte) { return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : byte; }

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(),
                      text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

// A file name between the dialog and the file layer: Windows names files in UTF-16, the file
// layer in the ANSI code page; elsewhere in the bytes of the file system's encoding.
std::string FileNameBytes(const wxString& name) {
#ifdef __WXMSW__
    const wxCharBuffer bytes = name.mb_str(wxConvLocal);
#else
    const wxCharBuffer bytes = name.fn_str();
#endif
    return {bytes.data(), bytes.length()};
}

wxString FileNameString(const std::string& bytes) {
#ifdef __WXMSW__
    return {bytes.c_str(), wxConvLocal};
#else
    return {bytes.c_str(), *wxConvFileName};
#endif
}

std::optional<ExportTarget> ChooseExportTarget(wxWindow& owner, const std::string& folder) {
    wxFileDialog dialog(&owner, wxS("Export Script"), FileNameString(folder),
                        FileNameString(std::string(ExportFileName(kFilterFormats.front()))),
                        kExportFilter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    // As for the text: until GTK's chooser has caught up with a path set in code, only the
    // folder and the name the dialog was given are known.
    wxString path = dialog.GetPath();
    if (path.empty()) {
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    return ExportTargetOf(FileNameBytes(path), dialog.GetFilterIndex());
}

ExportOptions ExportOptionsForUser() {
    ExportOptions options;
    options.paper = UserPaperIsA4() ? PaperSize::A4 : PaperSize::Letter;
    options.fonts = FindPdfFonts(FontFolders(ProgramFolder()));
    return options;
}

}  // namespace

ExportTarget ExportTargetOf(std::string path, int filterIndex) {
    const bool known = filterIndex >= 0 && filterIndex < static_cast<int>(kFilterFormats.size());
    const ExportFormat format =
        kFilterFormats.at(known ? static_cast<std::size_t>(filterIndex) : 0);
    std::string extension = ".";
    extension += ExportFormatName(format);
    if (!EndsWithIgnoringCase(path, extension)) {
        path += extension;
    }
    return {format, std::move(path)};
}

void ExportScriptCommand(wxWindow& owner, ConversionController& controller, ConversionView& view) {
    if (!controller.HoldsScriptLine()) {
        return;
    }
    std::optional<ScriptExport> exports;
    std::string folder;
    {
        const WaitCursor busy(view);
        const ScriptReadBack script = controller.ReadBackScript();
        folder = FolderPart(script.scriptPath);
        exports.emplace(script, ExportOptionsForUser());
    }
    const auto target = ChooseExportTarget(owner, folder);
    if (!target) {
        return;
    }
    const WaitCursor busy(view);
    const std::string written = exports->Write(target->format, target->path);
    view.Explain(ExportedAs(FileNameString(written).utf8_string()));
}

}  // namespace velmora
