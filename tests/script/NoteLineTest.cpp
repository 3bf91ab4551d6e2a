#include "script/NoteLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace velmora {
namespace {

// What the script holds of a note, and what is read back from it.
TEST(NoteLine, a_note_reads_back_as_typed_from_its_line_trimmed_or_not) {
    struct Case {
        const char* line;
        std::optional<std::string> note;
    };
    for (const Case& c : {
             Case{"NOTE: call back.", "call back."},
             Case{"NOTE: ", ""},
             Case{"NOTE", ""},  // a stage play trims the prefix alone
             Case{"NOTE:call back", std::nullopt},
             Case{"NOTES: call back", std::nullopt},
             Case{"Not a note", std::nullopt},
             Case{"", std::nullopt},
         }) {
        EXPECT_EQ(NoteOf(c.line), c.note) << c.line;
    }
    EXPECT_EQ(NoteLine("call back."), "NOTE: call back.");
    EXPECT_EQ(NoteOf(NoteLine("NOTE: nested")), "NOTE: nested");
    EXPECT_EQ(kNoteMark, "NOTE:");
}

}  // namespace
}  // namespace velmora
