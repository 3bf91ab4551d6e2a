#pragma once

#include "export/Export.h"
#include "export/TitlePage.h"
#include "platform/File.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct EarlierRun;
struct ScriptReadBack;

// The exports of a script read back from its file, as the window's "Export Script..." and
// velmora-convert --export make them: the script replayed and prepared once, then written
// in each format asked for. Nothing but the export's own file is ever written.
class ScriptExport {
public:
    // @throws ExportProblem saying why (NotExported) when script is no script of its text.
    ScriptExport(const ScriptReadBack& script, ExportOptions options);

    // The export of format beside the script: "Script.fountain" in its folder.
    [[nodiscard]] std::string BesideScript(ExportFormat format) const;

    // Writes the export in format as name, whole or not at all (see WriteExportFile), and
    // returns its full path.
    // @throws FileError naming the export when it cannot be written (a refused creation
    // too: the cause the system gave); ExportProblem when it cannot be made, or name leads to
    // the text, the names or the script.
    std::string Write(ExportFormat format, const std::string& name) const;

private:
    ExportScript script_;
    TitlePage title_;
    ExportOptions options_;
    std::vector<FileIdentity> protect_;
    std::string folder_;
};

// "Script.htm was not exported: it is a script of another text."; partsAt as VerdictReason
// takes it.
[[nodiscard]] std::string NotExported(std::string_view scriptName, const EarlierRun& run,
                                      std::string_view partsAt);

// "Exported the script as NAME." once an export is written.
[[nodiscard]] std::string ExportedAs(std::string_view name);

}  // namespace velmora
