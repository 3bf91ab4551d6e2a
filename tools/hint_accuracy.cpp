// Replays the naming of a text's lines of dialogue, as a user would do it, and reports how
// often the speaker hint offered the right name slot.
//
// usage: hint_accuracy [--verbose] [--not-dialogue] TEXT SPEAKERS
//        hint_accuracy [--verbose] [--not-dialogue] --folder DIR [--floors FLOORS]
//   TEXT      the novel, walked paragraph by paragraph as the conversion walks it
//   SPEAKERS  one name per line of dialogue, in order, optionally followed by a tab, "# " and
//             the start of the paragraph (checked); lines starting with '#' are comments
//   DIR       a folder of novels: every NAME.txt beside a NAME.speakers.txt, reported as a
//             table with the figures of all of them pooled
//   FLOORS    the lowest right % accepted for each novel (and "pooled"): lines of a name, a tab
//             and a percentage; '#' starts a comment. Below a floor the run fails.
//
// The user types each new name into the next free slot (once all are full, over the slot
// used longest ago) and presses the button of the slot holding the line's name. The hint
// learns each line's speaker once it is named, as it does in the window. A NARRATOR line is
// right when the hint names the slot holding NARRATOR or guesses "Not Dialogue"; with
// --not-dialogue the user writes every NARRATOR line with "Not Dialogue" instead of a slot.
//
// Keystrokes per line model that user: Enter on a right hint, one click on any other slot
// (or on "Not Dialogue"), and a new name typed in full (its letters and Enter). With the
// placeholder, a new name the hint offers rightly costs only the Enter. Exit status: 0 on success,
// 1 when the speakers do not fit the text or a novel is below its floor, 2 on bad usage, 77 when a
// file cannot be read (so a test run without the corpus is skipped).

#include "hint/SlotNames.h"
#include "hint/SpeakerHinter.h"
#include "tools/HintReplay.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kUsageError = 2;
using velmora::kMissingFile;

struct Tally {
    int lines = 0;
    int right = 0;
    int given = 0;
    int newNames = 0;
    int newNamesOffered = 0;  // new names the hint offered rightly
    long keys = 0;            // without the placeholder
    long keysWithPlaceholder = 0;

    void Add(const Tally& other) {
        lines += other.lines;
        right += other.right;
        given += other.given;
        newNames += other.newNames;
        newNamesOffered += other.newNamesOffered;
        keys += other.keys;
        keysWithPlaceholder += other.keysWithPlaceholder;
    }
};

double Share(double part, double whole) { return whole == 0 ? 0.0 : part / whole; }

std::string Percent(int part, int whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", 100.0 * Share(part, whole));
    return text;
}

// How a run replays the naming.
struct Options {
    bool verbose = false;
    bool notDialogue = false;  // NARRATOR lines are written with "Not Dialogue"
};

// Replays one novel; returns the exit status.
int Replay(const std::string& textFile, const std::string& speakersFile, const Options& options,
           Tally& tally) {
    const auto visit = [&](const velmora::ReplayedLine& line,
                           const velmora::SpeakerHinter& hinter) {
        const velmora::SpeakerGuess guess =
            hinter.Guess(line.slots, line.text, line.begin, line.end);
        const std::string& name = line.annotation->speaker;
        const int hint = guess.slot;
        const std::string hinted = guess.notDialogue ? "NOT DIALOGUE"
                                   : hint == 0       ? "-"
                                               : line.slots[static_cast<std::size_t>(hint - 1)];
        const bool isRight =
            (hint != 0 && hinted == name) || (guess.notDialogue && velmora::IsNarrator(name));
        tally.right += isRight ? 1 : 0;
        tally.given += hint != 0 || guess.notDialogue ? 1 : 0;

        const bool isNew = line.slot == 0 && !line.notDialogue;
        const bool offered = isNew && guess.newName == name;
        if (options.verbose) {
            std::string start(line.paragraph.substr(0, 200));
            std::replace_if(
                start.begin(), start.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
            std::printf("%4d\t%s\t%s\t%s\t%s\t%s%s\t%s\n", line.index + 1, name.c_str(),
                        hinted.c_str(), guess.rule, isRight ? "right" : "WRONG",
                        guess.newName.empty() ? "" : "new ", guess.newName.c_str(), start.c_str());
        }
        const long typed = static_cast<long>(name.size()) + 1;
        tally.keys += isNew && !isRight ? typed : 1;
        tally.keysWithPlaceholder += isNew && !offered && !isRight ? typed : 1;
        if (isNew) {
            ++tally.newNames;
            tally.newNamesOffered += offered ? 1 : 0;
        }
        ++tally.lines;
    };
    return velmora::ReplayNovel(textFile, speakersFile, visit, options.notDialogue);
}

// The floors of FLOORS by name; false when the file cannot be read or a line is not a name, a
// tab and a percentage.
bool ReadFloors(const std::string& file, std::map<std::string, double>& floors) {
    return velmora::ForEachTableLine(file, [&floors](const std::string& line) {
        const std::size_t tab = line.find('\t');
        std::istringstream percent(tab == std::string::npos ? "" : line.substr(tab + 1));
        double floor = 0;
        if (!(percent >> floor)) {
            return false;
        }
        floors[line.substr(0, tab)] = floor;
        return true;
    });
}

// True when the tally reaches label's floor (or it has none); says so when it does not.
bool ReachesFloor(const std::string& label, const Tally& t, std::map<std::string, double>& floors) {
    const auto found = floors.find(label);
    if (found == floors.end()) {
        return true;
    }
    const double right = 100.0 * Share(t.right, t.lines);
    const double floor = found->second;
    floors.erase(found);
    if (right + 1e-9 >= floor) {
        return true;
    }
    std::fprintf(stderr,
                 "%s: the hint is right on %.2f%% of the lines, below its floor of %.1f%%\n",
                 label.c_str(), right, floor);
    return false;
}

void PrintRow(const std::string& label, const Tally& t) {
    std::printf("%-20s %6d %7.1f %7.1f %8d %8d %9.3f %9.3f\n", label.c_str(), t.lines,
                100.0 * Share(t.right, t.lines), 100.0 * Share(t.right, t.given), t.newNames,
                t.newNamesOffered, Share(static_cast<double>(t.keys), t.lines),
                Share(static_cast<double>(t.keysWithPlaceholder), t.lines));
}

int RunFolder(const std::filesystem::path& folder, const Options& options,
              const std::string& floorsFile) {
    constexpr std::string_view kSuffix = ".speakers.txt";
    std::map<std::string, double> floors;
    if (!floorsFile.empty() && !ReadFloors(floorsFile, floors)) {
        std::fprintf(stderr, "cannot read the floors in %s\n", floorsFile.c_str());
        return kUsageError;
    }
    const std::vector<std::string> novels = velmora::AnnotatedNovels(folder.string());
    if (novels.empty()) {
        std::fprintf(stderr, "no NAME.speakers.txt in %s\n", folder.string().c_str());
        return kMissingFile;
    }
    std::printf("%-20s %6s %7s %7s %8s %8s %9s %9s\n", "novel", "lines", "right%", "given%", "new",
                "offered", "keys/line", "with new");
    Tally pooled;
    bool reached = true;
    for (const std::string& novel : novels) {
        Tally tally;
        const int status =
            Replay((folder / (novel + ".txt")).string(),
                   (folder / (novel + std::string(kSuffix))).string(), options, tally);
        if (status != 0) {
            return status;
        }
        PrintRow(novel, tally);
        reached = ReachesFloor(novel, tally, floors) && reached;
        pooled.Add(tally);
    }
    PrintRow("pooled", pooled);
    reached = ReachesFloor("pooled", pooled, floors) && reached;
    for (const auto& [name, floor] : floors) {
        std::fprintf(stderr, "%s has a floor of %.1f%% but is not in %s\n", name.c_str(), floor,
                     folder.string().c_str());
        reached = false;
    }
    return reached ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    Options options;
    const auto flag = [&args](std::string_view name) {
        const bool given = !args.empty() && args.front() == name;
        if (given) {
            args.erase(args.begin());
        }
        return given;
    };
    options.verbose = flag("--verbose");
    options.notDialogue = flag("--not-dialogue");
    if ((args.size() == 2 || (args.size() == 4 && args[2] == "--floors")) &&
        args[0] == "--folder") {
        return RunFolder(std::filesystem::path(args[1]), options,
                         args.size() == 4 ? std::string(args[3]) : std::string());
    }
    if (args.size() != 2) {
        std::fprintf(stderr,
                     "usage: hint_accuracy [--verbose] [--not-dialogue] TEXT SPEAKERS\n"
                     "       hint_accuracy [--verbose] [--not-dialogue] --folder DIR "
                     "[--floors FLOORS]\n");
        return kUsageError;
    }
    Tally tally;
    const int status = Replay(std::string(args[0]), std::string(args[1]), options, tally);
    if (status != 0) {
        return status;
    }
    const int known = tally.lines - tally.newNames;
    std::printf("lines of dialogue: %d (%d of them by a speaker not yet in a slot)\n", tally.lines,
                tally.newNames);
    std::printf("hint right: %d of %d (%s)\n", tally.right, tally.lines,
                Percent(tally.right, tally.lines).c_str());
    std::printf("hint given: %d; right when given: %d of %d (%s)\n", tally.given, tally.right,
                tally.given, Percent(tally.right, tally.given).c_str());
    std::printf("right when the speaker already had a slot: %d of %d (%s)\n", tally.right, known,
                Percent(tally.right, known).c_str());
    std::printf("keystrokes per line: %.3f, with new names offered: %.3f\n",
                Share(static_cast<double>(tally.keys), tally.lines),
                Share(static_cast<double>(tally.keysWithPlaceholder), tally.lines));
    return 0;
}
