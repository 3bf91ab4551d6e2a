#include "script/ScriptSession.h"

#include "script/ScriptFormat.h"
#include "script/ScriptOutput.h"
#include "script/ScriptSource.h"
#include "script/ScriptWriter.h"

#include "platform/File.h"
#include "platform/FileError.h"
#include "tests/support/FileLock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::CurrentDirectory;
using test::IsLockedElsewhere;
using test::ReadAll;
using test::TempDir;
using Outcome = ScriptOpening::Outcome;

FileIdentity IdentityOfFile(const fs::path& path) {
    const auto identity = IdentityOf(path.string());
    EXPECT_TRUE(identity) << path;
    return identity.value_or(FileIdentity{});
}

// A session on "Script.htm" in the current folder that has opened what is there and
// started a new script beside it.
struct Started {
    explicit Started(const std::vector<FileIdentity>& protect = {}) {
        for (const FileIdentity& identity : protect) {
            session.Protect(identity);
        }
        opening = session.OpenEarlier();
        if (opening.IsOpened()) {
            opening = session.StartNew();
        }
    }
    ScriptSession session{"Script.htm"};
    ScriptOpening opening;
};

TEST(ScriptSession, writes_through_and_holds_the_script_until_finished) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    Started started;
    ASSERT_TRUE(started.opening.IsOpened());
    EXPECT_FALSE(started.session.HasEarlier());
    const auto writer = MakeScriptWriter(ScriptFormat::StagePlay);
    writer->Open(started.session.Output(), CharacterSet::Ascii);
    writer->WriteNarration("He waits.");
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD>")
        << "no buffering: the file holds everything so far";
    EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm"));
    writer->Close();
    EXPECT_FALSE(writer->IsOpen());
    EXPECT_FALSE(IsLockedElsewhere(dir / "Script.htm"));
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD></HTML>");
    EXPECT_EQ(started.session.SettleEarlier(), "");
}

// Every earlier script is kept under a name of its own, never over another; a copy that
// holds nothing, or what an older kept file holds, is not kept twice.
TEST(ScriptSession, every_earlier_script_is_kept_under_the_next_free_name) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm.bak", "the oldest script");
    const std::vector<std::pair<std::string, std::string>> runs = {
        {"the earlier script", "Script.htm.bak2"},
        {"a third script", "Script.htm.bak3"},
        {"the oldest script", "Script.htm.bak"},  // a copy of it: kept there already
        {"", ""},                                 // an empty script is not worth keeping
        {"the fourth", "Script.htm.bak4"},
    };
    for (const auto& [earlier, kept] : runs) {
        SCOPED_TRACE(kept);
        dir.Write("Script.htm", earlier);
        Started started;
        ASSERT_TRUE(started.opening.IsOpened());
        EXPECT_TRUE(started.session.HasEarlier());
        EXPECT_EQ(started.session.SettleEarlier(), kept);
    }
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "the oldest script");
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak2"), "the earlier script");
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak3"), "a third script");
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak4"), "the fourth");
    EXPECT_FALSE(fs::exists(dir / "Script.htm.bak5"));
}

// Whatever link joins the script to a kept file, setting it aside never targets the file
// itself: the earlier bytes are kept, and the line names where.
TEST(ScriptSession, a_script_linked_to_its_backup_is_kept_not_lost) {
    struct Case {
        const char* label;
        void (*link)();
    };
    const Case cases[] = {
        {"a hard link", [] { fs::create_hard_link("Script.htm.bak", "Script.htm"); }},
        {"a symbolic link", [] { fs::create_symlink("Script.htm.bak", "Script.htm"); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const TempDir dir;
        const CurrentDirectory here(dir.Path());
        dir.Write("Script.htm.bak", "named lines");
        row.link();
        Started started;
        ASSERT_TRUE(started.opening.IsOpened());
        EXPECT_EQ(started.session.KeepingName(), "Script.htm.bak");
        EXPECT_EQ(started.session.SettleEarlier(), "Script.htm.bak");
        EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "named lines");
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "Script.htm.bak2")));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "Script.htm")));
    }
}

TEST(ScriptSession, a_failed_start_puts_the_earlier_script_back_and_keeps_older_ones) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm.bak", "the oldest script");
    dir.Write("Script.htm", "the earlier script");
    Started started;
    ASSERT_TRUE(started.opening.IsOpened());
    started.session.Output()->Write("<HTML>half");
    EXPECT_EQ(started.session.GiveBack(), "");
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "the earlier script");
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "the oldest script");
    EXPECT_FALSE(fs::exists(dir / "Script.htm.bak2"));
}

TEST(ScriptSession, open_fails_while_another_program_has_the_script_and_moves_nothing) {
    const TempDir dir;
    const auto held = dir / "held";
    const auto lockFile = dir / "lockFile";
    const auto folder = dir / "folder";
    const auto device = dir / "device";
    fs::create_directories(held);
    fs::create_directories(lockFile);
    fs::create_directories(folder / "Script.htm");
    fs::create_directories(device);
    const auto heldScript = dir.Write("held/Script.htm", "previous script");
    const auto lockedScript = dir.Write("lockFile/Script.htm", "previous script");
    dir.Write("lockFile/.~lock.Script.htm#", ",someone,host,01.01.2026 10:00,someone;");
    File holder;
    ASSERT_TRUE(holder.OpenForReading(heldScript.string()));

    struct Case {
        fs::path folder;
        OpenFailure failure;
    };
    std::vector<Case> cases = {{held, OpenFailure::InUse},
                               {lockFile, OpenFailure::WordProcessor},
                               {folder, OpenFailure::NotAFile}};
#ifndef _WIN32
    // Script.htm must be a regular file or nothing: a device stores nothing, or fails.
    fs::create_symlink("/dev/null", device / "Script.htm");
    cases.push_back({device, OpenFailure::NotAFile});
#endif
    for (const auto& row : cases) {
        SCOPED_TRACE(row.folder.filename().string());
        const CurrentDirectory inFolder(row.folder);
        Started started;
        EXPECT_EQ(started.opening.outcome, Outcome::Refused);
        EXPECT_EQ(started.opening.refusal.failure, row.failure);
        EXPECT_FALSE(fs::exists(row.folder / "Script.htm.bak"));
    }
    holder.Close();
    EXPECT_EQ(ReadAll(heldScript), "previous script");
    EXPECT_EQ(ReadAll(lockedScript), "previous script");
    EXPECT_TRUE(fs::is_directory(folder / "Script.htm"));
}

TEST(ScriptSession, never_opens_a_file_it_is_made_from_by_any_name_or_link) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    const auto text = dir.Write("novel.txt", "\"Hello.\"\r\n");
    const auto names = dir.Write("names.txt", "JOHN\n");
    const std::vector<FileIdentity> protect = {IdentityOfFile(text), IdentityOfFile(names)};

    struct Case {
        const char* label;
        void (*make)(const fs::path& text, const fs::path& names);
        std::optional<std::size_t> index;
    };
    const Case cases[] = {
        {"a symbolic link to the text",
         [](const auto& t, const auto&) { fs::create_symlink(t, "Script.htm"); }, 0},
        {"a hard link to the text",
         [](const auto& t, const auto&) { fs::create_hard_link(t, "Script.htm"); }, 0},
        {"a symbolic link to the names",
         [](const auto&, const auto& n) { fs::create_symlink(n, "Script.htm"); }, 1},
        // A kept name that leads to the text is passed over, never replaced.
        {"a backup name that leads to the text",
         [](const auto& t, const auto&) {
             std::ofstream("Script.htm") << "earlier";
             fs::create_hard_link(t, "Script.htm.bak");
         },
         std::nullopt},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        for (const char* name : {"Script.htm", "Script.htm.bak", "Script.htm.bak2"}) {
            fs::remove(name);
        }
        row.make(text, names);
        Started started(protect);
        if (row.index) {
            EXPECT_EQ(started.opening.outcome, Outcome::IsProtected);
            EXPECT_EQ(started.opening.protectedIndex, *row.index);
        } else {
            ASSERT_TRUE(started.opening.IsOpened());
            EXPECT_EQ(started.session.SettleEarlier(), "Script.htm.bak2");
        }
    }
    EXPECT_EQ(ReadAll(text), "\"Hello.\"\r\n");
    EXPECT_EQ(ReadAll(names), "JOHN\n");
}

TEST(ScriptSession, an_earlier_script_is_read_and_gone_on_with_through_the_same_file) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm", "<HTML><BR>Dawn.<BR><BR><CENTER>JO");
    ScriptSession session("Script.htm");
    ASSERT_TRUE(session.OpenEarlier().IsOpened());
    ASSERT_TRUE(session.HasEarlier());
    EXPECT_EQ(session.EarlierLength(), 33);
    EXPECT_EQ(session.Earlier().From(6, 4), "<BR>");
    EXPECT_EQ(session.Earlier().From(29, 10), "R>JO") << "fewer only at its end";
    EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm")) << "held from the first look on";

    // Never lengthened: a cut past its end is refused and changes nothing.
    EXPECT_THROW((void)session.GoOnAt(40), FileError);
    ASSERT_TRUE(session.GoOnAt(19));
    auto output = session.Output();
    output->Write("<BR>Dusk.<BR>");
    output->Close();
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR>Dawn.<BR><BR>Dusk.<BR>");
    EXPECT_FALSE(fs::exists(dir / "Script.htm.bak"));
}

TEST(ScriptSession, a_script_written_meanwhile_is_not_gone_on_with) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm", "<HTML><BR>Dawn.<BR>");
    ScriptSession session("Script.htm");
    ASSERT_TRUE(session.OpenEarlier().IsOpened());
    {
        // A program that does not ask for locks appends to it.
        std::ofstream other(dir / "Script.htm", std::ios::app | std::ios::binary);
        other << "<BR>More.<BR>";
    }
    EXPECT_FALSE(session.GoOnAt(19));
    session.Release();
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR>Dawn.<BR><BR>More.<BR>");
}

// Once finished and let go of, the script is written again only if its name still leads to
// the same file with the same bytes: a hand edit that keeps the length is noticed too.
TEST(ScriptSession, a_finished_script_is_reopened_only_as_it_was_left) {
    struct Case {
        const char* label;
        void (*change)(const TempDir& dir);
        Outcome outcome;
    };
    const Case cases[] = {
        {"untouched", [](const TempDir&) {}, Outcome::Opened},
        {"one byte edited, same length",
         [](const TempDir& dir) { dir.Write("Script.htm", "<HTML><BR>Dusk.<BR></HTML>"); },
         Outcome::Changed},
        {"lengthened",
         [](const TempDir& dir) { dir.Write("Script.htm", "<HTML><BR>Dawn.<BR></HTML>\n"); },
         Outcome::Changed},
        {"replaced by another file",
         [](const TempDir& dir) {
             fs::rename(dir / "Script.htm", dir / "moved.htm");
             fs::copy_file(dir / "moved.htm", dir / "Script.htm");
         },
         Outcome::Replaced},
        {"gone", [](const TempDir& dir) { fs::remove(dir / "Script.htm"); }, Outcome::Replaced},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        const TempDir dir;
        const CurrentDirectory here(dir.Path());
        Started started;
        ASSERT_TRUE(started.opening.IsOpened());
        auto output = started.session.Output();
        output->Write("<HTML><BR>Dawn.<BR></HTML>");
        output->Close();
        row.change(dir);
        const std::string before = ReadAll(dir / "Script.htm");
        EXPECT_EQ(started.session.Reopen().outcome, row.outcome);
        if (row.outcome == Outcome::Opened) {
            EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm"));
            output->Truncate(19);
        }
        started.session.Release();
        EXPECT_EQ(ReadAll(dir / "Script.htm"),
                  row.outcome == Outcome::Opened ? "<HTML><BR>Dawn.<BR>" : before);
    }
}

TEST(ScriptSession, write_failure_names_the_script_by_its_full_path) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    const std::string fullPath = (fs::current_path() / "Script.htm").string();
    Started started;
    ASSERT_TRUE(started.opening.IsOpened());
    const auto writer = MakeScriptWriter(ScriptFormat::ScreenPlay);
    writer->Open(started.session.Output(), CharacterSet::Ascii);
    writer->WriteNarration("Dawn.");
    const std::string before = "<HTML><BR>Dawn.<BR>";
    {
        // Room for the tags of the name and two bytes of it: the disk fills mid-string.
        const test::FileSizeLimit nearlyFull(before.size() + 14);
        try {
            writer->WriteCharacterName("JOHN");
            FAIL() << "a write past the limit must throw";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
            EXPECT_EQ(error.FileName(), fullPath);
            EXPECT_EQ(error.what(), "Disk full while accessing " + fullPath + ".");
            EXPECT_TRUE(writer->IsOpen()) << "a failed write leaves the writer open";
        }
    }
    EXPECT_EQ(ReadAll(dir / "Script.htm"), before + "<BR><CENTER>JO");
    writer->Truncate(static_cast<std::int64_t>(before.size()));
    writer->WriteCharacterName("JOHN");
    writer->Close();
    EXPECT_EQ(ReadAll(dir / "Script.htm"), before + "<BR><CENTER>JOHN</CENTER></HTML>");
}

}  // namespace
}  // namespace velmora
