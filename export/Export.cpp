#include "export/Export.h"

#include "export/FdxWriter.h"
#include "export/FountainWriter.h"
#include "export/PdfWriter.h"
#include "export/ReplayElements.h"
#include "export/TitlePage.h"
#include "hint/SpeechTag.h"
#include "platform/ReplacingFile.h"
#include "text/Encoding.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

struct FormatNames {
    ExportFormat format;
    std::string_view name;
    std::string_view fileName;
};
constexpr std::array<FormatNames, 3> kFormats = {{
    {ExportFormat::Fountain, "fountain", "Script.fountain"},
    {ExportFormat::Fdx, "fdx", "Script.fdx"},
    {ExportFormat::Pdf, "pdf", "Script.pdf"},
}};

const FormatNames& NamesOf(ExportFormat format) noexcept {
    for (const FormatNames& names : kFormats) {
        if (names.format == format) {
            return names;
        }
    }
    return kFormats.front();
}

}  // namespace

std::string_view ExportFileName(ExportFormat format) noexcept { return NamesOf(format).fileName; }

std::string_view ExportFormatName(ExportFormat format) noexcept { return NamesOf(format).name; }

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) noexcept {
    for (const FormatNames& names : kFormats) {
        if (names.name == name) {
            return names.format;
        }
    }
    return std::nullopt;
}

ExportScript MakeExportScript(const ReplaySource& source, const SpeechTagTest& isOnlySpeechTag) {
    return PrepareForExport(ReplayElements(source), source.format, isOnlySpeechTag);
}

ExportScript MakeExportScript(const ReplaySource& source) {
    return MakeExportScript(source, HintSpeechTagTest(source.set));
}

SpeechTagTest HintSpeechTagTest(CharacterSet set) {
    return
        [set](std::string_view narration) { return IsOnlySpeechTag(TypedToText(narration, set)); };
}

std::string RenderExport(ExportFormat format, const ExportScript& script, const TitlePage& title,
                         const ExportOptions& options) {
    switch (format) {
    case ExportFormat::Fdx:
        return WriteFdx(script, title);
    case ExportFormat::Pdf:
        return WritePdf(LayOutScript(script, title, options.paper), options.fonts, title.title);
    case ExportFormat::Fountain:
        break;
    }
    return WriteFountain(script, title);
}

ExportWriting WriteExportFile(const std::string& name, std::string_view bytes,
                              std::span<const FileIdentity> protect) {
    ExportWriting writing;
    writing.path = ResolveFullPath(name);
    if (const auto identity = IdentityOf(name)) {
        const auto found = std::find(protect.begin(), protect.end(), *identity);
        if (found != protect.end()) {
            writing.outcome = ExportWriting::Outcome::IsProtected;
            writing.protectedIndex = static_cast<std::size_t>(found - protect.begin());
            return writing;
        }
    }
    ReplacingFile file;
    if (!file.Open(name)) {
        writing.outcome = ExportWriting::Outcome::Refused;
        writing.refusal = file.LastRefusal();
        return writing;
    }
    file.Write(bytes);
    file.Commit();
    return writing;
}

}  // namespace velmora
