// The export options as the command line reads them; each list form is run end to end in
// ExportProgramTest.
#include "apps/convert/CommandLine.h"
#include "export/Export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Arguments = std::vector<std::string_view>;

TEST(ExportOptions, the_paper_and_a_list_named_twice) {
    const ConvertOptions options =
        ParseCommandLine({"--export=pdf,fdx,pdf", "--paper=a4", "--existing", "n.txt"});
    ASSERT_EQ(options.action, ConvertOptions::Action::Convert) << options.error;
    EXPECT_EQ(options.exports.formats, (std::vector{ExportFormat::Pdf, ExportFormat::Fdx}));
    EXPECT_EQ(options.exports.paper, PaperSize::A4);
    EXPECT_TRUE(options.exports.existing);
}

TEST(ExportOptions, wrong_usage_says_why) {
    const std::string kList = "option '--export' takes fountain, fdx, pdf (comma-separated) or all";
    const std::vector<std::pair<Arguments, std::string>> cases = {
        {{"--export=docx", "n.txt"}, kList + ", not 'docx'"},
        {{"--export=fdx,,pdf", "n.txt"}, kList + ", not ''"},
        {{"--export=", "n.txt"},
         "option '--export' needs a list: fountain, fdx, pdf (comma-separated) or all"},
        {{"--export", "pdf", "n.txt"},
         "option '--export' needs a list: --export=fountain,fdx,pdf or --export=all"},
        {{"--paper=a5", "n.txt"}, "option '--paper' takes a4 or letter"},
        {{"--existing", "n.txt"}, "option '--existing' needs '--export=LIST'"},
        {{"--export=all", "--existing", "--names", "c.txt", "n.txt"},
         "option '--existing' changes no script, so it takes no '--names'"},
    };
    for (const auto& [arguments, error] : cases) {
        const auto options = ParseCommandLine(arguments);
        EXPECT_EQ(options.action, ConvertOptions::Action::UsageError)
            << ::testing::PrintToString(arguments);
        EXPECT_EQ(options.error, error) << ::testing::PrintToString(arguments);
    }
}

}  // namespace
}  // namespace velmora
