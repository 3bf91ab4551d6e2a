#pragma once

#include "export/ExportScript.h"
#include "export/PdfFonts.h"
#include "export/PdfLayout.h"
#include "platform/File.h"
#include "text/CharacterSet.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct ReplaySource;
struct TitlePage;

enum class ExportFormat { Fountain, Fdx, Pdf };

// "Script.fountain", "Script.fdx", "Script.pdf": where an export goes beside Script.htm.
[[nodiscard]] std::string_view ExportFileName(ExportFormat format) noexcept;

// "fountain", "fdx" or "pdf", and the other way.
[[nodiscard]] std::string_view ExportFormatName(ExportFormat format) noexcept;
[[nodiscard]] std::optional<ExportFormat> ExportFormatNamed(std::string_view name) noexcept;

struct ExportOptions {
    PaperSize paper = PaperSize::Letter;  // of the PDF
    PdfFonts fonts;                       // the PDF's fallback fonts
};

// The script a source makes, as the exports write it: replayed, then prepared.
// isOnlySpeechTag may be empty: then no parenthetical is taken for a tag.
[[nodiscard]] ExportScript MakeExportScript(const ReplaySource& source,
                                            const SpeechTagTest& isOnlySpeechTag);
// The same with the speaker hint's knowledge of speech tags (HintSpeechTagTest).
[[nodiscard]] ExportScript MakeExportScript(const ReplaySource& source);

// The speaker hint's test of a speech tag, for a script of a text in set: the narration, in
// UTF-8 as the exports hold it, is taken back to the text's own bytes, which the hint reads.
[[nodiscard]] SpeechTagTest HintSpeechTagTest(CharacterSet set);

// The bytes of the export of script in format.
// @throws ExportProblem (PDF only), std::bad_alloc.
[[nodiscard]] std::string RenderExport(ExportFormat format, const ExportScript& script,
                                       const TitlePage& title, const ExportOptions& options);

// How writing an export's file went.
struct ExportWriting {
    enum class Outcome {
        Written,
        Refused,      // the file could not be created beside the name: refusal says why
        IsProtected,  // the name leads to a file an export must never replace
    };
    Outcome outcome = Outcome::Written;
    OpenRefusal refusal;
    std::size_t protectedIndex = 0;  // IsProtected: which of the files it leads to
    std::string path;                // the export's full path
};

// Writes bytes as the file name, whole or not at all: under a temporary name beside it,
// flushed, then renamed over an older export, which a failure leaves as it was.
// protect: the files the name must not lead to (the text, a names file, Script.htm).
// @throws FileError (naming the export) when writing, flushing or renaming fails.
[[nodiscard]] ExportWriting WriteExportFile(const std::string& name, std::string_view bytes,
                                            std::span<const FileIdentity> protect);

}  // namespace velmora
