// Replays the naming of a text's lines of dialogue, as a user would do it, and reports how
// often the speaker hint offered the right name slot.
//
// usage: hint_accuracy [--verbose] TEXT SPEAKERS
//        hint_accuracy [--verbose] --folder DIR
//   TEXT      the novel, walked paragraph by paragraph as the conversion walks it
//   SPEAKERS  one name per line of dialogue, in order, optionally followed by a tab, "# " and
//             the start of the paragraph (checked); lines starting with '#' are comments
//   DIR       a folder of novels: every NAME.txt beside a NAME.speakers.txt, reported as a
//             table with the figures of all of them pooled
//
// The user types each new name into the next free slot (once all are full, over the slot
// used longest ago) and presses the button of the slot holding the line's name. The hint
// learns each line's speaker once it is named, as it does in the window.
//
// Keystrokes per line model that user: Enter on a right hint, one click on any other slot,
// and a new name typed in full (its letters and Enter). With the placeholder, a new name the
// hint offers rightly costs only the Enter.
// Exit status: 0 on success, 1 when the speakers do not fit the text, 2 on bad usage,
// 77 when a file cannot be read (so a test run without the corpus is skipped).

#include "conversion/ConversionView.h"
#include "hint/SpeakerHinter.h"
#include "text/QuoteSplitter.h"
#include "text/TextReader.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kUsageError = 2;
constexpr int kMissingFile = 77;

struct Speaker {
    std::string name;
    std::string paragraphStart;  // empty when the line gives none
};

bool ReadSpeakers(const std::string& file, std::vector<Speaker>& speakers) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        Speaker speaker;
        const std::size_t tab = line.find('\t');
        speaker.name = line.substr(0, tab);
        if (tab != std::string::npos) {
            std::string_view comment = std::string_view(line).substr(tab + 1);
            if (comment.starts_with("# ")) {
                speaker.paragraphStart = comment.substr(2);
            }
        }
        speakers.push_back(std::move(speaker));
    }
    return true;
}

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

// Replays one novel; returns the exit status.
int Replay(const std::string& textFile, const std::string& speakersFile, bool verbose,
           Tally& tally) {
    std::vector<Speaker> speakers;
    if (!ReadSpeakers(speakersFile, speakers)) {
        std::fprintf(stderr, "cannot read %s\n", speakersFile.c_str());
        return kMissingFile;
    }
    velmora::TextReader reader;
    reader.Load(textFile);
    if (!reader.IsLoaded()) {
        std::fprintf(stderr, "cannot read %s\n", textFile.c_str());
        return kMissingFile;
    }

    constexpr auto kSlots = static_cast<std::size_t>(velmora::ConversionView::kNameSlots);
    std::vector<std::string> slots(kSlots);
    std::vector<int> lastUse(kSlots, -1);  // line index at which each slot was last pressed
    velmora::SpeakerHinter hinter;
    const std::string_view text = reader.Text();

    std::string paragraph;
    while (tally.lines < static_cast<int>(speakers.size()) && reader.ReadParagraph(paragraph)) {
        if (velmora::ExtractDialogue(paragraph).empty()) {
            continue;
        }
        const Speaker& speaker = speakers[static_cast<std::size_t>(tally.lines)];
        if (!paragraph.starts_with(speaker.paragraphStart)) {
            std::fprintf(stderr, "line %d: expected a paragraph starting \"%s\", found \"%.60s\"\n",
                         tally.lines + 1, speaker.paragraphStart.c_str(), paragraph.c_str());
            return 1;
        }
        const std::size_t begin = reader.ParagraphBegin();
        const std::size_t end = begin + paragraph.size();
        const velmora::SpeakerGuess guess = hinter.Guess(slots, text, begin, end);

        const int hint = guess.slot;
        const std::string hinted = hint == 0 ? "-" : slots[static_cast<std::size_t>(hint - 1)];
        const bool isRight = hint != 0 && hinted == speaker.name;
        tally.right += isRight ? 1 : 0;
        tally.given += hint != 0 ? 1 : 0;

        auto found = std::find(slots.begin(), slots.end(), speaker.name);
        const bool isNew = found == slots.end();
        const bool offered = isNew && guess.newName == speaker.name;
        if (verbose) {
            std::string start = paragraph.substr(0, 200);
            std::replace_if(
                start.begin(), start.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
            std::printf("%4d\t%s\t%s\t%s\t%s\t%s%s\t%s\n", tally.lines + 1, speaker.name.c_str(),
                        hinted.c_str(), guess.rule, isRight ? "right" : "WRONG",
                        guess.newName.empty() ? "" : "new ", guess.newName.c_str(), start.c_str());
        }
        const long typed = static_cast<long>(speaker.name.size()) + 1;
        tally.keys += isNew ? typed : 1;
        tally.keysWithPlaceholder += isNew && !offered ? typed : 1;
        if (isNew) {
            ++tally.newNames;
            tally.newNamesOffered += offered ? 1 : 0;
            found = std::find(slots.begin(), slots.end(), std::string());
            if (found == slots.end()) {
                found = slots.begin() +
                        (std::min_element(lastUse.begin(), lastUse.end()) - lastUse.begin());
            }
            *found = speaker.name;
        }
        const auto index = static_cast<std::size_t>(found - slots.begin());
        lastUse[index] = tally.lines;
        hinter.Confirm(slots, text, begin, end, static_cast<int>(index) + 1);
        ++tally.lines;
    }
    if (tally.lines < static_cast<int>(speakers.size())) {
        std::fprintf(stderr, "the text has only %d lines of dialogue for %zu speakers\n",
                     tally.lines, speakers.size());
        return 1;
    }
    return 0;
}

void PrintRow(const std::string& label, const Tally& t) {
    std::printf("%-20s %6d %7.1f %7.1f %8d %8d %9.3f %9.3f\n", label.c_str(), t.lines,
                100.0 * Share(t.right, t.lines), 100.0 * Share(t.right, t.given), t.newNames,
                t.newNamesOffered, Share(static_cast<double>(t.keys), t.lines),
                Share(static_cast<double>(t.keysWithPlaceholder), t.lines));
}

int RunFolder(const std::filesystem::path& folder, bool verbose) {
    constexpr std::string_view kSuffix = ".speakers.txt";
    std::vector<std::string> novels;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > kSuffix.size() && file.ends_with(kSuffix)) {
            novels.push_back(file.substr(0, file.size() - kSuffix.size()));
        }
    }
    if (error || novels.empty()) {
        std::fprintf(stderr, "no NAME.speakers.txt in %s\n", folder.string().c_str());
        return kMissingFile;
    }
    std::sort(novels.begin(), novels.end());
    std::printf("%-20s %6s %7s %7s %8s %8s %9s %9s\n", "novel", "lines", "right%", "given%", "new",
                "offered", "keys/line", "with new");
    Tally pooled;
    for (const std::string& novel : novels) {
        Tally tally;
        const int status =
            Replay((folder / (novel + ".txt")).string(),
                   (folder / (novel + std::string(kSuffix))).string(), verbose, tally);
        if (status != 0) {
            return status;
        }
        PrintRow(novel, tally);
        pooled.Add(tally);
    }
    PrintRow("pooled", pooled);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    const bool verbose = !args.empty() && args.front() == "--verbose";
    if (verbose) {
        args.erase(args.begin());
    }
    if (args.size() == 2 && args[0] == "--folder") {
        return RunFolder(std::filesystem::path(args[1]), verbose);
    }
    if (args.size() != 2) {
        std::fprintf(stderr,
                     "usage: hint_accuracy [--verbose] TEXT SPEAKERS\n"
                     "       hint_accuracy [--verbose] --folder DIR\n");
        return kUsageError;
    }
    Tally tally;
    const int status = Replay(std::string(args[0]), std::string(args[1]), verbose, tally);
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
