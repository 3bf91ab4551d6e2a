// Which paper a locale prints on, and how a refused open is reported as a file error.
#include "platform/File.h"
#include "platform/FileErrorCauses.h"
#include "platform/UserPaper.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string_view>
#include <utility>

namespace velmora {
namespace {

TEST(TerritoryUsesA4, letter_in_the_americas_letter_countries_and_for_no_territory) {
    const std::pair<std::string_view, bool> cases[] = {
        {"de_DE.UTF-8", true},  {"en_GB.UTF-8", true}, {"fr_FR", true},
        {"pt_BR.UTF-8", true},  {"ja_JP.eucJP", true}, {"en_US.UTF-8", false},
        {"fr_CA.UTF-8", false}, {"es_MX", false},      {"fil_PH", false},
        {"C", false},           {"C.UTF-8", false},    {"POSIX", false},
        {"en", false},          {"", false},
    };
    for (const auto& [name, a4] : cases) {
        EXPECT_EQ(TerritoryUsesA4(name), a4) << name;
    }
}

TEST(CauseOfRefusal, says_why_an_open_was_refused_as_a_file_error_would) {
    const std::pair<OpenRefusal, FileErrorCause> cases[] = {
        {{OpenFailure::Missing, 0}, FileErrorCause::FileNotFound},
        {{OpenFailure::InUse, 0}, FileErrorCause::SharingViolation},
        {{OpenFailure::WordProcessor, 0}, FileErrorCause::SharingViolation},
        {{OpenFailure::NotAFile, 0}, FileErrorCause::AccessDenied},
#ifdef _WIN32
        {{OpenFailure::System, 5}, FileErrorCause::AccessDenied},
        {{OpenFailure::System, 112}, FileErrorCause::DiskFull},
#else
        {{OpenFailure::System, EROFS}, FileErrorCause::AccessDenied},
        {{OpenFailure::System, ENOSPC}, FileErrorCause::DiskFull},
#endif
    };
    for (const auto& [refusal, cause] : cases) {
        EXPECT_EQ(CauseOfRefusal(refusal), cause) << static_cast<int>(refusal.failure);
    }
}

}  // namespace
}  // namespace velmora
