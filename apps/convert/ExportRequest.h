#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class ExportFormat;
enum class PaperSize;

// What velmora-convert is asked to export, from --export=LIST, --existing and --paper.
struct ExportRequest {
    std::vector<ExportFormat> formats;  // each once, in the order given; none: no export
    bool existing = false;              // the Script.htm beside the text, as it is
    PaperSize paper{};                  // of the PDF: Letter unless told
};

// Reads argument into request when it is one of the export options: "--export=LIST" (LIST:
// fountain, fdx, pdf, comma-separated, or all), "--existing", "--paper=a4|letter". False
// when it is none of them; true when it is, with error saying why it is wrong (empty when it
// is right).
[[nodiscard]] bool ReadExportOption(std::string_view argument, ExportRequest& request,
                                    std::string& error);

// Why the export options do not go with the rest (namesGiven: --names, continueGiven:
// --continue); empty when they do.
[[nodiscard]] std::string ExportOptionsConflict(const ExportRequest& request, bool namesGiven,
                                                bool continueGiven);

}  // namespace velmora
