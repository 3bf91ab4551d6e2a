#pragma once

#include <string>

class wxWindow;

namespace velmora {

class ConversionController;
class ConversionView;
enum class ExportFormat;

// Where the user chose to export the script, and as what.
struct ExportTarget {
    ExportFormat format;
    std::string path;  // as the file layer names files
};

// What the save dialog's answer means: the format of the filter chosen (Fountain, Final
// Draft, PDF, in that order; any other index is the first), and the path with that format's
// extension added when it does not end with it already (in any case).
[[nodiscard]] ExportTarget ExportTargetOf(std::string path, int filterIndex);

// "Export Script...": once the script holds a line, reads it back from its file as it
// stands, asks where and as what to export it (a save dialog in the script's folder offering
// the three formats) and writes the export whole; the log names the file written. Nothing
// happens before the script holds a line, or when the user cancels.
// The PDF is on A4 when the user's locale prints on A4, else on US Letter.
// @throws FileError, ExportProblem (shown by the error guard), std::bad_alloc.
void ExportScriptCommand(wxWindow& owner, ConversionController& controller, ConversionView& view);

}  // namespace velmora
