#include "export/Export.h"

#include "export/ExportProblem.h"
#include "export/TitlePage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempDir;
using Outcome = ExportWriting::Outcome;

FileIdentity IdentityOfFile(const std::filesystem::path& path) {
    return IdentityOf(path.string()).value_or(FileIdentity{});
}

TEST(WriteExportFile, writes_a_new_export_and_replaces_an_older_one) {
    const TempDir dir;
    const std::string name = (dir / "Script.fountain").string();
    EXPECT_EQ(WriteExportFile(name, "first", {}).outcome, Outcome::Written);
    const ExportWriting writing = WriteExportFile(name, "second", {});
    EXPECT_EQ(writing.outcome, Outcome::Written);
    EXPECT_EQ(writing.path, name);
    EXPECT_EQ(ReadAll(name), "second");
}

TEST(WriteExportFile, never_replaces_the_text_the_names_or_the_script) {
    const TempDir dir;
    const auto text = dir.Write("novel.txt", "the text");
    const auto names = dir.Write("names.txt", "JOHN");
    const auto script = dir.Write("Script.htm", "<HTML>");
    const std::vector<FileIdentity> protect = {IdentityOfFile(text), IdentityOfFile(names),
                                               IdentityOfFile(script)};
    for (std::size_t i = 0; i < protect.size(); ++i) {
        const std::filesystem::path& target = i == 0 ? text : i == 1 ? names : script;
        const ExportWriting writing = WriteExportFile(target.string(), "export", protect);
        EXPECT_EQ(writing.outcome, Outcome::IsProtected) << target;
        EXPECT_EQ(writing.protectedIndex, i);
    }
    EXPECT_EQ(ReadAll(text), "the text");
    EXPECT_EQ(ReadAll(names), "JOHN");
    EXPECT_EQ(ReadAll(script), "<HTML>");
}

TEST(WriteExportFile, a_folder_it_cannot_write_in_is_a_refusal) {
    const TempDir dir;
    const ExportWriting writing =
        WriteExportFile((dir / "no such folder" / "Script.pdf").string(), "x", {});
    EXPECT_EQ(writing.outcome, Outcome::Refused);
    EXPECT_NE(writing.refusal.failure, OpenFailure::None);
}

TEST(RenderExport, a_pdf_needs_its_fallback_font_only_for_what_courier_lacks) {
    ExportScript script;
    script.elements = {{ElementKind::CharacterName, "Zo\xC3\xAB \xE2\x80\x94 \xE2\x82\xAC"},
                       {ElementKind::Dialogue, "Hello."}};
    const TitlePage title{"T", "based on the novel"};
    ExportOptions noFonts;
    const std::string pdf = RenderExport(ExportFormat::Pdf, script, title, noFonts);
    EXPECT_TRUE(pdf.starts_with("%PDF-")) << "Windows-1252's characters are Courier's own";
    script.elements.push_back({ElementKind::Narration, "\xCE\x91\xCF\x87\xCE\xB9\xCE\xBB"});
    try {
        (void)RenderExport(ExportFormat::Pdf, script, title, noFonts);
        FAIL() << "Greek without its font must be refused, never dropped";
    } catch (const ExportProblem& problem) {
        EXPECT_NE(std::string(problem.what()).find(kFallbackFontFile), std::string::npos);
    }
}

TEST(ExportFormatNamed, knows_the_three_formats_and_their_files) {
    for (const ExportFormat format :
         {ExportFormat::Fountain, ExportFormat::Fdx, ExportFormat::Pdf}) {
        EXPECT_EQ(ExportFormatNamed(ExportFormatName(format)), format);
        EXPECT_EQ(ExportFileName(format), "Script." + std::string(ExportFormatName(format)));
    }
    EXPECT_FALSE(ExportFormatNamed("html"));
}

}  // namespace
}  // namespace velmora
