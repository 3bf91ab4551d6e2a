// Makes the exports of a script from its text and its names, the way the exports replay a
// script: for checking the exports against readers of their formats, and the Windows build
// against the Linux one.
//
// usage: export_script [--stage] [--names FILE] [--finished] [--a4] [--out DIR]
//                      [--elements FILE] TEXT [FORMAT...]
//   --stage      the script is a stage play (else a screen play)
//   --names      the names and notes given, one a line, as velmora-convert reads them
//   --finished   the script was finished: lines after the last name got the placeholder
//   --a4         the PDF on A4 paper (else US Letter)
//   --out        the folder the exports go to (else the current one)
//   --elements   also list the exported elements in FILE, one a line: kind, tab, text
//   FORMAT       fountain, fdx, pdf or all (all unless told)
// Exit status: 0 when every export was written, 1 when one failed, 2 on bad usage,
// 77 when the text or the names cannot be read.

#include "apps/convert/NameScript.h"
#include "export/Export.h"
#include "export/ExportProblem.h"
#include "export/ReplayElements.h"
#include "export/TitlePage.h"
#include "platform/FileError.h"
#include "text/CharacterSet.h"
#include "text/TypographicQuotes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr int kMissingFile = 77;

std::optional<std::string> ReadWhole(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Arguments {
    bool stage = false;
    bool finished = false;
    bool a4 = false;
    std::string names;
    std::string out = ".";
    std::string elements;
    std::string text;
    std::vector<velmora::ExportFormat> formats;
};

bool Parse(int argc, char** argv, Arguments& arguments) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--stage") {
            arguments.stage = true;
        } else if (arg == "--finished") {
            arguments.finished = true;
        } else if (arg == "--a4") {
            arguments.a4 = true;
        } else if (arg == "--names" && hasValue) {
            arguments.names = args[++i];
        } else if (arg == "--out" && hasValue) {
            arguments.out = args[++i];
        } else if (arg == "--elements" && hasValue) {
            arguments.elements = args[++i];
        } else if (arguments.text.empty() && !arg.starts_with("--")) {
            arguments.text = arg;
        } else if (arg == "all") {
            arguments.formats = {velmora::ExportFormat::Fountain, velmora::ExportFormat::Fdx,
                                 velmora::ExportFormat::Pdf};
        } else if (const auto format = velmora::ExportFormatNamed(arg)) {
            arguments.formats.push_back(*format);
        } else {
            return false;
        }
    }
    if (arguments.formats.empty()) {
        arguments.formats = {velmora::ExportFormat::Fountain, velmora::ExportFormat::Fdx,
                             velmora::ExportFormat::Pdf};
    }
    return !arguments.text.empty();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    Arguments arguments;
    if (!Parse(argc, argv, arguments)) {
        std::fputs(
            "usage: export_script [--stage] [--names FILE] [--finished] [--a4] [--out DIR] "
            "[--elements FILE] TEXT [fountain|fdx|pdf|all...]\n",
            stderr);
        return kUsageError;
    }
    const auto text = ReadWhole(arguments.text);
    const auto names = arguments.names.empty() ? std::optional<std::string>(std::string())
                                               : ReadWhole(arguments.names);
    if (!text || !names) {
        std::fprintf(stderr, "export_script: cannot read %s\n",
                     !text ? arguments.text.c_str() : arguments.names.c_str());
        return kMissingFile;
    }
    const std::vector<EarlierRun::Step> steps = ParseNameScript(*names);
    ReplaySource source;
    source.text = *text;
    source.set = DetectCharacterSet(*text);
    source.format = arguments.stage ? ScriptFormat::StagePlay : ScriptFormat::ScreenPlay;
    source.steps = steps;
    source.quotesStraightened = HasOnlyTypographicQuotes(*text, source.set);
    source.finished = arguments.finished;

    const ExportScript script = MakeExportScript(source);
    const TitlePage title = TitlePageOf(*text, source.set, arguments.text);
    ExportOptions options;
    options.paper = arguments.a4 ? PaperSize::A4 : PaperSize::Letter;
    const std::string programFolder = std::filesystem::path(argv[0]).parent_path().string();
    options.fonts = FindPdfFonts(FontFolders(programFolder));

    if (!arguments.elements.empty()) {
        std::ofstream list(arguments.elements, std::ios::binary);
        for (const ScriptElement& element : script.elements) {
            list << ElementKindName(element.kind) << '\t' << element.text << '\n';
        }
        if (!list) {
            std::fprintf(stderr, "export_script: cannot write %s\n", arguments.elements.c_str());
            return kFailed;
        }
    }
    // The exports never replace the text or the names they are made from.
    std::vector<FileIdentity> protect;
    for (const std::string& file : {arguments.text, arguments.names}) {
        if (const auto identity = file.empty() ? std::nullopt : IdentityOf(file)) {
            protect.push_back(*identity);
        }
    }
    int status = 0;
    for (const ExportFormat format : arguments.formats) {
        const std::string name =
            (std::filesystem::path(arguments.out) / std::string(ExportFileName(format))).string();
        try {
            const std::string bytes = RenderExport(format, script, title, options);
            const ExportWriting writing = WriteExportFile(name, bytes, protect);
            if (writing.outcome == ExportWriting::Outcome::IsProtected) {
                std::fprintf(stderr, "export_script: %s is what the export is made from\n",
                             name.c_str());
                status = kFailed;
            } else if (writing.outcome == ExportWriting::Outcome::Refused) {
                std::fprintf(stderr, "export_script: %s cannot be written: %s\n", name.c_str(),
                             SystemErrorText(writing.refusal.error).c_str());
                status = kFailed;
            }
        } catch (const FileError& error) {
            std::fprintf(stderr, "export_script: %s\n", error.what());
            status = kFailed;
        } catch (const ExportProblem& problem) {
            std::fprintf(stderr, "export_script: %s\n", problem.what());
            status = kFailed;
        }
    }
    return status;
}
