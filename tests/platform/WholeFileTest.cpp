#include "platform/WholeFile.h"

#include "tests/support/FileLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

using test::TempDir;

// Reading at, under and over the cap, and the refusals that leave nothing read.
TEST(WholeFile, reads_up_to_the_cap_and_refuses_beyond_it_unread) {
    const TempDir dir;
    const std::string name = dir.Write("novel.txt", "0123456789").string();
    struct Case {
        const char* label;
        std::int64_t cap;
        bool read;
    };
    for (const Case& c : {Case{"under the cap", 11, true}, Case{"at the cap", 10, true},
                          Case{"over the cap", 9, false}}) {
        const WholeFile file = ReadWholeFile(name, c.cap);
        EXPECT_EQ(file.IsRead(), c.read) << c.label;
        EXPECT_TRUE(file.identity.has_value()) << c.label << ": it was opened";
        EXPECT_EQ(file.tooLarge, !c.read) << c.label;
        EXPECT_EQ(file.bytes, c.read ? "0123456789" : "") << c.label;
    }
}

TEST(WholeFile, keeps_room_to_rewrite_in_place_when_asked) {
    const TempDir dir;
    const std::string bytes(1600, 'x');
    const std::string name = dir.Write("novel.txt", bytes).string();
    const WholeFile file = ReadWholeFile(name, 1 << 20, 16);
    EXPECT_EQ(file.bytes, bytes);
    EXPECT_GE(file.bytes.capacity(), bytes.size() + bytes.size() / 16);
}

TEST(WholeFile, a_file_that_cannot_be_opened_says_why_and_has_no_identity) {
    const TempDir dir;
    const WholeFile missing = ReadWholeFile((dir / "missing.txt").string(), 100);
    EXPECT_FALSE(missing.IsRead());
    EXPECT_FALSE(missing.identity.has_value());
    EXPECT_NE(missing.refusal.failure, OpenFailure::None);

    const std::string held = dir.Write("held.txt", "text").string();
    const test::HeldLock lock(held);
    ASSERT_TRUE(lock.Holds());
    const WholeFile locked = ReadWholeFile(held, 100);
    EXPECT_FALSE(locked.IsRead());
    EXPECT_EQ(locked.refusal.failure, OpenFailure::InUse);
}

}  // namespace
}  // namespace velmora
