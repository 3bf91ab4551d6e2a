#include "platform/UserPaper.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace velmora {
namespace {

TEST(TerritoryUsesA4, letter_in_the_americas_letter_countries_and_for_no_territory) {
    const std::pair<std::string_view, bool> cases[] = {
        {"de_DE.UTF-8", true},  {"en_GB.UTF-8", true}, {"pt_BR", true},    {"en_US.UTF-8", false},
        {"fr_CA.UTF-8", false}, {"fil_PH", false},     {"C.UTF-8", false}, {"", false},
    };
    for (const auto& [name, a4] : cases) {
        EXPECT_EQ(TerritoryUsesA4(name), a4) << name;
    }
}

}  // namespace
}  // namespace velmora
