// The export options of velmora-convert as the command line reads them.
#include "apps/convert/CommandLine.h"
#include "export/Export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Action = ConvertOptions::Action;
using Arguments = std::vector<std::string_view>;
using Formats = std::vector<ExportFormat>;
constexpr auto kFountain = ExportFormat::Fountain;
constexpr auto kFdx = ExportFormat::Fdx;
constexpr auto kPdf = ExportFormat::Pdf;

TEST(ExportOptions, read_each_list_form_the_paper_and_existing) {
    struct Case {
        Arguments arguments;
        Formats formats;
        bool existing;
        PaperSize paper;
    };
    const Case cases[] = {
        {{"n.txt"}, {}, false, PaperSize::Letter},
        {{"--export=fountain", "n.txt"}, {kFountain}, false, PaperSize::Letter},
        {{"--export=fdx,pdf", "n.txt"}, {kFdx, kPdf}, false, PaperSize::Letter},
        {{"--export=pdf,fountain,pdf", "n.txt"}, {kPdf, kFountain}, false, PaperSize::Letter},
        {{"--export=all", "--paper=a4", "n.txt"}, {kFountain, kFdx, kPdf}, false, PaperSize::A4},
        {{"--export=fdx,all", "n.txt"}, {kFdx, kFountain, kPdf}, false, PaperSize::Letter},
        {{"--paper=a4", "--paper=letter", "--export=pdf", "--existing", "n.txt"},
         {kPdf},
         true,
         PaperSize::Letter},
    };
    for (const Case& c : cases) {
        const auto label = ::testing::PrintToString(c.arguments);
        const ConvertOptions options = ParseCommandLine(c.arguments);
        ASSERT_EQ(options.action, Action::Convert) << label << ": " << options.error;
        EXPECT_EQ(options.exports.formats, c.formats) << label;
        EXPECT_EQ(options.exports.existing, c.existing) << label;
        EXPECT_EQ(options.exports.paper, c.paper) << label;
        EXPECT_EQ(options.textFile, "n.txt") << label;
    }
}

TEST(ExportOptions, wrong_usage_says_why) {
    const std::string kList = "option '--export' takes fountain, fdx, pdf (comma-separated) or all";
    const std::vector<std::pair<Arguments, std::string>> cases = {
        {{"--export=docx", "n.txt"}, kList + ", not 'docx'"},
        {{"--export=fdx,,pdf", "n.txt"}, kList + ", not ''"},
        {{"--export=PDF", "n.txt"}, kList + ", not 'PDF'"},
        {{"--export=", "n.txt"},
         "option '--export' needs a list: fountain, fdx, pdf (comma-separated) or all"},
        {{"--export", "pdf", "n.txt"},
         "option '--export' needs a list: --export=fountain,fdx,pdf or --export=all"},
        {{"--exports=pdf", "n.txt"}, "unknown option '--exports=pdf'"},
        {{"--paper=a5", "n.txt"}, "option '--paper' takes a4 or letter"},
        {{"--existing", "n.txt"}, "option '--existing' needs '--export=LIST'"},
        {{"--export=all", "--existing", "--names", "c.txt", "n.txt"},
         "option '--existing' changes no script, so it takes no '--names'"},
        {{"--existing", "--continue", "--export=all", "n.txt"},
         "option '--existing' changes no script, so it takes no '--continue'"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto options = ParseCommandLine(arguments);
        EXPECT_EQ(options.action, Action::UsageError) << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.error, error) << ::testing::PrintToString(arguments);
    }
}

}  // namespace
}  // namespace velmora
