// Learns the weights of the speaker hint's evidence from annotated novels, and measures the
// weights by cross-validation by novel: each novel in turn is left out, the weights are tuned
// on the others, and the novel left out is guessed with them.
//
// usage: hint_train [--rounds N] --folder DIR
//   DIR   a folder of novels: every NAME.txt beside a NAME.speakers.txt
//
// It prints the hint's accuracy per novel with the weights of hint/Evidence.h, the same
// novels each guessed with weights tuned on the others, and the weights tuned on all of them,
// as the weight column of the table in hint/Evidence.h.
//
// Tuning is coordinate ascent on the number of lines guessed right: one weight at a time is
// set to the value, of all integers, that gets most lines right with the others fixed
// (exactly, by sweeping the bounds each line puts on that weight), preferring the value
// nearest the weight it had, kept a margin inside the best range. Rounds repeat until no
// weight moves. A line whose evidence is the same whatever the weights (each line is named as
// the annotators named it) is replayed once and weighed many times.
// Exit status: 0, 2 on bad usage, 77 when the folder holds no annotated novel.

#include "hint/Evidence.h"
#include "hint/SpeakerHinter.h"
#include "text/NameSlots.h"
#include "tools/HintReplay.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using velmora::kEvidence;
using velmora::kEvidenceCount;
using Weights = std::array<long, kEvidenceCount>;

// The evidence of one line, as the weights see it.
struct Line {
    int truth = 0;  // index into slots of the speaker's slot; -1 when no guess can be right
    std::vector<std::vector<std::uint8_t>> slots;  // for each slot not empty: its evidence
};

struct Novel {
    std::string name;
    std::vector<Line> lines;
};

Novel Collect(const std::string& folder, const std::string& name, int& status) {
    Novel novel{name, {}};
    const auto visit = [&novel](const velmora::ReplayedLine& replayed,
                                const velmora::SpeakerHinter& hinter) {
        const velmora::HintEvidence weighed =
            hinter.Weigh(replayed.slots, replayed.text, replayed.begin, replayed.end);
        Line line;
        // An offered new name gives no slot, so no weights can make the line right.
        line.truth = weighed.newName.empty() ? -1 : -2;
        for (std::size_t k = 0; k < replayed.slots.size(); ++k) {
            if (replayed.slots[k].find_first_not_of(" \t\r\n") == std::string::npos) {
                continue;
            }
            std::vector<std::uint8_t> kinds;
            for (const velmora::EvidenceKind& kind : kEvidence) {
                if (weighed.slots.Of(velmora::SlotNumber(k)).Has(kind.id)) {
                    kinds.push_back(static_cast<std::uint8_t>(kind.id));
                }
            }
            if (line.truth == -1 && replayed.slot == velmora::SlotNumber(k)) {
                line.truth = static_cast<int>(line.slots.size());
            }
            line.slots.push_back(std::move(kinds));
        }
        line.truth = std::max(line.truth, -1);
        novel.lines.push_back(std::move(line));
    };
    status = velmora::ReplayNovel(folder + "/" + name + ".txt",
                                  folder + "/" + name + ".speakers.txt", visit);
    return novel;
}

long Score(const std::vector<std::uint8_t>& kinds, const Weights& weights) {
    long score = 0;
    for (const std::uint8_t kind : kinds) {
        score += weights[kind];
    }
    return score;
}

// True when the hint guesses the line right: the speaker's slot has the most weight, above
// nothing, and no earlier slot has as much.
bool Right(const Line& line, const Weights& weights) {
    if (line.truth < 0) {
        return false;
    }
    const auto truth = static_cast<std::size_t>(line.truth);
    const long mine = Score(line.slots[truth], weights);
    if (mine <= 0) {
        return false;
    }
    for (std::size_t k = 0; k < line.slots.size(); ++k) {
        const long other = k == truth ? 0 : Score(line.slots[k], weights);
        if (k != truth && (other > mine || (k < truth && other == mine))) {
            return false;
        }
    }
    return true;
}

int CountRight(const std::vector<const Novel*>& novels, const Weights& weights) {
    int right = 0;
    for (const Novel* novel : novels) {
        for (const Line& line : novel->lines) {
            right += Right(line, weights) ? 1 : 0;
        }
    }
    return right;
}

constexpr long kLimit = 3000;  // weights stay within -kLimit..kLimit

// The integers w with a + b * w > 0 (strict) or >= 0, as [low, high]; empty when low > high.
void Bound(long a, long b, bool strict, long& low, long& high) {
    const long need = strict ? 1 : 0;  // a + b * w >= need
    if (b == 0) {
        if (a < need) {
            low = kLimit + 1;
            high = -kLimit - 1;
        }
        return;
    }
    // b * w >= need - a
    const long c = need - a;
    if (b > 0) {
        const long w = c >= 0 ? (c + b - 1) / b : -((-c) / b);  // ceil(c / b)
        low = std::max(low, w);
    } else {
        const long d = -b;                                       // w <= -c / d
        const long w = -c >= 0 ? (-c) / d : -((c + d - 1) / d);  // floor(-c / d)
        high = std::min(high, w);
    }
}

// Sets weights[kind] to the value that gets most lines right with the others fixed; returns
// true when it moved.
bool Tune(const std::vector<const Novel*>& novels, Weights& weights, std::size_t kind) {
    std::vector<std::pair<long, int>> events;  // (value, +1 opens / -1 closes after value)
    for (const Novel* novel : novels) {
        for (const Line& line : novel->lines) {
            if (line.truth < 0) {
                continue;
            }
            bool uses = false;
            for (const auto& kinds : line.slots) {
                uses = uses || std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
            }
            if (!uses) {
                continue;  // right or wrong whatever the weight
            }
            // Each slot's score is base + count * w.
            Weights without = weights;
            without[kind] = 0;
            const auto truth = static_cast<std::size_t>(line.truth);
            const auto part = [&](std::size_t k, long& base, long& count) {
                base = Score(line.slots[k], without);
                count =
                    static_cast<long>(std::count(line.slots[k].begin(), line.slots[k].end(), kind));
            };
            long mineBase = 0;
            long mineCount = 0;
            part(truth, mineBase, mineCount);
            long low = -kLimit;
            long high = kLimit;
            Bound(mineBase, mineCount, true, low, high);
            for (std::size_t k = 0; k < line.slots.size() && low <= high; ++k) {
                if (k == truth) {
                    continue;
                }
                long base = 0;
                long count = 0;
                part(k, base, count);
                Bound(mineBase - base, mineCount - count, k < truth, low, high);
            }
            if (low <= high) {
                events.emplace_back(low, 1);
                events.emplace_back(high + 1, -1);
            }
        }
    }
    std::sort(events.begin(), events.end());
    // The ranges of values with the most lines right.
    int open = 0;
    int best = -1;
    std::vector<std::pair<long, long>> ranges;
    long previous = -kLimit;
    const auto close = [&](long upTo) {
        if (upTo <= previous) {
            return;
        }
        if (open > best) {
            best = open;
            ranges.clear();
        }
        if (open == best) {
            ranges.emplace_back(previous, upTo - 1);
        }
    };
    for (const auto& [value, change] : events) {
        close(value);
        previous = std::max(previous, value);
        open += change;
    }
    close(kLimit + 1);
    const long current = weights[kind];
    long chosen = current;
    long distance = std::numeric_limits<long>::max();
    for (const auto& [low, high] : ranges) {
        const long margin = std::min<long>((high - low) / 4, 50);
        const long value = std::clamp(current, low + margin, high - margin);
        if (std::abs(value - current) < distance) {
            distance = std::abs(value - current);
            chosen = value;
        }
    }
    weights[kind] = chosen;
    return chosen != current;
}

Weights Train(const std::vector<const Novel*>& novels, Weights weights, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        bool moved = false;
        for (std::size_t kind = 0; kind < kEvidenceCount; ++kind) {
            moved = Tune(novels, weights, kind) || moved;
        }
        if (!moved) {
            break;
        }
    }
    return weights;
}

double Percent(int part, std::size_t whole) {
    return whole == 0 ? 0.0 : 100.0 * part / static_cast<double>(whole);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    int rounds = 8;
    if (args.size() >= 2 && args[0] == "--rounds") {
        rounds = std::stoi(std::string(args[1]));
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2 || args[0] != "--folder") {
        std::fprintf(stderr, "usage: hint_train [--rounds N] --folder DIR\n");
        return 2;
    }
    const std::string folder(args[1]);
    const std::vector<std::string> names = velmora::AnnotatedNovels(folder);
    if (names.empty()) {
        std::fprintf(stderr, "no NAME.speakers.txt in %s\n", folder.c_str());
        return velmora::kMissingFile;
    }
    std::vector<Novel> novels;
    for (const std::string& name : names) {
        int status = 0;
        novels.push_back(Collect(folder, name, status));
        if (status != 0) {
            return status;
        }
    }
    Weights table{};
    for (const velmora::EvidenceKind& kind : kEvidence) {
        table[static_cast<std::size_t>(kind.id)] = kind.weight;
    }

    std::printf("%-28s %6s %8s %8s\n", "novel", "lines", "table%", "held-out%");
    int tableRight = 0;
    int heldOutRight = 0;
    std::size_t lines = 0;
    for (std::size_t n = 0; n < novels.size(); ++n) {
        std::vector<const Novel*> others;
        for (std::size_t m = 0; m < novels.size(); ++m) {
            if (m != n) {
                others.push_back(&novels[m]);
            }
        }
        const Weights tuned = Train(others, table, rounds);
        const int withTable = CountRight({&novels[n]}, table);
        const int heldOut = CountRight({&novels[n]}, tuned);
        std::printf("%-28s %6zu %8.1f %8.1f\n", novels[n].name.c_str(), novels[n].lines.size(),
                    Percent(withTable, novels[n].lines.size()),
                    Percent(heldOut, novels[n].lines.size()));
        tableRight += withTable;
        heldOutRight += heldOut;
        lines += novels[n].lines.size();
    }
    std::printf("%-28s %6zu %8.1f %8.1f\n", "pooled", lines, Percent(tableRight, lines),
                Percent(heldOutRight, lines));
    std::printf("right: %d of %zu with the table's weights, %d of %zu held out\n", tableRight,
                lines, heldOutRight, lines);

    std::vector<const Novel*> all;
    all.reserve(novels.size());
    for (const Novel& novel : novels) {
        all.push_back(&novel);
    }
    const Weights tuned = Train(all, table, rounds);
    std::printf("\ntuned on all %zu novels: %.1f%% right in-sample\n", novels.size(),
                Percent(CountRight(all, tuned), lines));
    for (const velmora::EvidenceKind& kind : kEvidence) {
        std::printf("%-16s %6ld  (table %ld)\n", std::string(kind.name).c_str(),
                    tuned[static_cast<std::size_t>(kind.id)], static_cast<long>(kind.weight));
    }
    return 0;
}
