#include "script/ScriptFile.h"

#include "script/ScriptFormat.h"
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
#include <string>
#include <vector>

namespace velmora {
namespace {

using test::CurrentDirectory;
using test::IsLockedElsewhere;
using test::ReadAll;
using test::TempDir;
using Outcome = ScriptOpening::Outcome;

// Opens a new script in the current folder, protecting the given files.
std::unique_ptr<ScriptFile> OpenNew(ScriptOpening& opening,
                                    const std::vector<FileIdentity>& protect = {}) {
    auto file = std::make_unique<ScriptFile>();
    opening = file->OpenNew("Script.htm", protect);
    return file;
}

FileIdentity IdentityOfFile(const std::filesystem::path& path) {
    const auto identity = IdentityOf(path.string());
    EXPECT_TRUE(identity) << path;
    return identity.value_or(FileIdentity{});
}

TEST(ScriptFile, writes_through_and_holds_the_script_until_closed) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    ScriptOpening opening;
    auto file = OpenNew(opening);
    ASSERT_TRUE(opening.IsOpened());
    EXPECT_TRUE(opening.created);
    EXPECT_FALSE(opening.keptBackup);
    const auto writer = MakeScriptWriter(ScriptFormat::StagePlay);
    writer->Open(std::move(file), CharacterSet::Ascii);
    writer->WriteNarration("He waits.");
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD>")
        << "no buffering: the file holds everything so far";
    EXPECT_TRUE(IsLockedElsewhere(dir / "Script.htm"));
    writer->Close();
    EXPECT_FALSE(writer->IsOpen());
    EXPECT_FALSE(IsLockedElsewhere(dir / "Script.htm"));
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR><DD><I>(He waits)</I></DD></HTML>");
}

TEST(ScriptFile, an_earlier_script_is_kept_as_the_backup_and_an_empty_one_is_reused) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    dir.Write("Script.htm.bak", "the oldest script");
    dir.Write("Script.htm", "the earlier script");
    ScriptOpening opening;
    {
        auto file = OpenNew(opening);
        ASSERT_TRUE(opening.IsOpened());
        EXPECT_TRUE(opening.keptBackup);
        EXPECT_FALSE(opening.created);
        file->Write("new");
    }
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "the earlier script") << "one level only";
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "new");

    dir.Write("Script.htm", "");
    {
        auto file = OpenNew(opening);
        ASSERT_TRUE(opening.IsOpened());
        EXPECT_FALSE(opening.keptBackup) << "an empty script is not worth keeping";
        EXPECT_FALSE(opening.created);
    }
    EXPECT_EQ(ReadAll(dir / "Script.htm.bak"), "the earlier script");
}

TEST(ScriptFile, open_fails_while_another_program_has_the_script_and_moves_nothing) {
    const TempDir dir;
    const auto held = dir / "held";
    const auto lockFile = dir / "lockFile";
    const auto folder = dir / "folder";
    std::filesystem::create_directories(held);
    std::filesystem::create_directories(lockFile);
    std::filesystem::create_directories(folder / "Script.htm");
    const auto heldScript = dir.Write("held/Script.htm", "previous script");
    const auto lockedScript = dir.Write("lockFile/Script.htm", "previous script");
    dir.Write("lockFile/.~lock.Script.htm#", ",someone,host,01.01.2026 10:00,someone;");
    File holder;
    ASSERT_TRUE(holder.OpenForReading(heldScript.string()));

    struct Case {
        std::filesystem::path folder;
        OpenFailure failure;
    };
    for (const auto& row :
         {Case{held, OpenFailure::InUse}, Case{lockFile, OpenFailure::WordProcessor},
          Case{folder, OpenFailure::NotAFile}}) {
        SCOPED_TRACE(row.folder.filename().string());
        const CurrentDirectory inFolder(row.folder);
        ScriptOpening opening;
        auto file = OpenNew(opening);
        EXPECT_EQ(opening.outcome, Outcome::Refused);
        EXPECT_EQ(opening.refusal.failure, row.failure);
        EXPECT_FALSE(file->IsOpen());
        EXPECT_FALSE(std::filesystem::exists(row.folder / "Script.htm.bak"));
    }
    EXPECT_EQ(ReadAll(heldScript), "previous script");
    EXPECT_EQ(ReadAll(lockedScript), "previous script");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Script.htm"));
}

TEST(ScriptFile, never_opens_a_file_it_is_made_from_by_any_name_or_link) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    const auto text = dir.Write("novel.txt", "\"Hello.\"\r\n");
    const auto names = dir.Write("names.txt", "JOHN\n");
    const std::vector<FileIdentity> protect = {IdentityOfFile(text), IdentityOfFile(names)};

    struct Case {
        const char* label;
        void (*make)(const std::filesystem::path& text, const std::filesystem::path& names);
        std::size_t index;
        bool backupName;
    };
    const Case cases[] = {
        {"a symbolic link to the text",
         [](const auto& t, const auto&) { std::filesystem::create_symlink(t, "Script.htm"); }, 0,
         false},
        {"a hard link to the text",
         [](const auto& t, const auto&) { std::filesystem::create_hard_link(t, "Script.htm"); }, 0,
         false},
        {"a symbolic link to the names",
         [](const auto&, const auto& n) { std::filesystem::create_symlink(n, "Script.htm"); }, 1,
         false},
        {"a backup name that leads to the text",
         [](const auto& t, const auto&) {
             std::ofstream("Script.htm") << "earlier";
             std::filesystem::create_hard_link(t, "Script.htm.bak");
         },
         0, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.label);
        std::filesystem::remove("Script.htm");
        std::filesystem::remove("Script.htm.bak");
        row.make(text, names);
        ScriptOpening opening;
        auto file = OpenNew(opening, protect);
        EXPECT_EQ(opening.outcome, Outcome::IsProtected);
        EXPECT_EQ(opening.protectedIndex, row.index);
        EXPECT_EQ(opening.backupName, row.backupName);
        EXPECT_FALSE(file->IsOpen());

        ScriptFile existing;
        EXPECT_EQ(existing.OpenExisting("Script.htm", protect).outcome,
                  row.backupName ? Outcome::Opened : Outcome::IsProtected);
    }
    EXPECT_EQ(ReadAll(text), "\"Hello.\"\r\n");
    EXPECT_EQ(ReadAll(names), "JOHN\n");
}

TEST(ScriptFile, an_existing_script_is_kept_and_written_on_at_its_end) {
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    ScriptFile missing;
    const ScriptOpening none = missing.OpenExisting("Script.htm", {});
    EXPECT_EQ(none.outcome, Outcome::Refused);
    EXPECT_EQ(none.refusal.failure, OpenFailure::Missing);
    EXPECT_FALSE(std::filesystem::exists(dir / "Script.htm"));

    dir.Write("Script.htm", "<HTML><BR>Dawn.<BR><BR><CENTER>JO");
    ScriptFile file;
    ASSERT_TRUE(file.OpenExisting("Script.htm", {}).IsOpened());
    EXPECT_EQ(file.Length(), 33);
    file.Truncate(19);
    file.Write("<BR>Dusk.<BR>");
    file.Close();
    EXPECT_EQ(ReadAll(dir / "Script.htm"), "<HTML><BR>Dawn.<BR><BR>Dusk.<BR>");
    EXPECT_FALSE(std::filesystem::exists(dir / "Script.htm.bak"));
}

TEST(ScriptFile, write_failure_names_the_script_by_its_full_path) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    std::filesystem::create_symlink("/dev/full", "Script.htm");
    const std::string fullPath = (std::filesystem::current_path() / "Script.htm").string();
    ScriptOpening opening;
    auto file = OpenNew(opening);
    ASSERT_TRUE(opening.IsOpened());
    EXPECT_FALSE(opening.keptBackup) << "a device is not set aside";
    const auto writer = MakeScriptWriter(ScriptFormat::ScreenPlay);
    try {
        writer->Open(std::move(file), CharacterSet::Ascii);
        FAIL() << "writing \"<HTML>\" to a full device must throw";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Cause(), FileErrorCause::DiskFull);
        EXPECT_EQ(error.FileName(), fullPath);
        EXPECT_EQ(error.what(), "Disk full while accessing " + fullPath + ".");
        EXPECT_TRUE(writer->IsOpen()) << "a failed write leaves the writer open";
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "Script.htm"));
}

TEST(ScriptFile, a_write_failure_can_be_taken_back_to_the_last_whole_element) {
    VELMORA_NEEDS_A_FULL_DISK();
    const TempDir dir;
    const CurrentDirectory here(dir.Path());
    ScriptOpening opening;
    const auto writer = MakeScriptWriter(ScriptFormat::ScreenPlay);
    writer->Open(OpenNew(opening), CharacterSet::Ascii);
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
            EXPECT_EQ(error.FileName(), (dir / "Script.htm").string());
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
