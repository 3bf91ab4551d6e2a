#include "hint/SpeechTagReader.h"

#include "hint/Words.h"
#include "text/Marks.h"

#include <utility>

namespace velmora {
namespace {

bool IsVerb(const Token& token) { return IsSpeechVerb(token.word); }

// "hastily", "gravely": a word that may stand between a speaker and the verb.
bool IsAdverb(const Token& token) {
    return !token.capital && token.word.size() > 4 && token.word.ends_with("ly");
}

// The speaker named after the verb: "said he", "cried the old man", "said poor Marianne".
std::optional<Phrase> PhraseAfterVerb(const std::vector<Token>& tokens, std::size_t at,
                                      std::size_t limit) {
    if (auto phrase = PhraseAt(tokens, at, limit)) {
        return phrase;
    }
    // "put in Freddy", "cried out Mrs. Lynde": the verb's particle comes first.
    const bool particle = at < limit && (tokens[at].word == "in" || tokens[at].word == "out" ||
                                         tokens[at].word == "up" || tokens[at].word == "on");
    if (particle && !EndsClause(tokens[at]) && at + 1 < limit &&
        (tokens[at + 1].capital || IsPronoun(tokens[at + 1].word))) {
        return PhraseAt(tokens, at + 1, limit);
    }
    for (std::size_t i = at; i < limit && i < at + 2; ++i) {
        if (EndsClause(tokens[i]) || IsPhraseStop(tokens[i].word)) {
            break;
        }
        if (i + 1 < limit && tokens[i + 1].capital) {
            return PhraseAt(tokens, i + 1, limit);
        }
    }
    return std::nullopt;
}

// "to Mr. Palmer" right after the speaker, or the name a verb takes ("he asked Edward").
std::optional<Phrase> ListenerAt(const std::vector<Token>& tokens, std::size_t at,
                                 std::size_t limit) {
    if (at < limit && tokens[at].word == "to" && at + 1 < limit && tokens[at + 1].capital) {
        ++at;
    }
    if (at < limit && tokens[at].capital) {
        auto phrase = PhraseAt(tokens, at, limit);
        if (phrase && phrase->name) {
            return phrase;
        }
    }
    return std::nullopt;
}

// The tag in the narration that follows a quotation, "said Elinor" or "Elinor said".
std::optional<Tag> TagAfter(const std::vector<Token>& tokens, std::size_t from) {
    std::size_t limit = from;
    while (limit < tokens.size() && tokens[limit].segment == tokens[from].segment &&
           limit - from < 12) {
        ++limit;
        if (EndsSentence(tokens[limit - 1])) {
            break;
        }
    }
    // "was Mr. Palmer's reply", "was her answer": the speech is named as the speaker's.
    if (tokens[from].word == "was" && from + 2 < limit) {
        if ((tokens[from + 1].word == "his" || tokens[from + 1].word == "her") &&
            !tokens[from + 2].possessive) {
            Phrase pronoun{from + 1, from + 2, tokens[from + 1].word == "his" ? "he" : "she", true,
                           false};
            return Tag{pronoun, true, std::nullopt};
        }
        if (auto phrase = PhraseAt(tokens, from + 1, limit);
            phrase && phrase->name && tokens[phrase->last - 1].possessive && phrase->last < limit &&
            !tokens[phrase->last].capital) {
            return Tag{*phrase, true, std::nullopt};
        }
    }
    // A speech that breaks off mid-sentence is followed by its tag, so a past tense among the
    // words after it is a verb of speech even when it is not a usual one ("queried Anne").
    const char broken = from > 0 ? tokens[from - 1].after : '\0';
    const auto isTagVerb = [&](std::size_t v) {
        if (IsVerb(tokens[v])) {
            return true;
        }
        const Token& word = tokens[v];
        const bool pastTense = !word.capital && word.word.size() > 4 && word.word.ends_with("ed");
        const bool midSentence = broken == ',' || broken == '-' ||
                                 ((broken == '!' || broken == '?') && !tokens[from].capital);
        return pastTense && midSentence;
    };
    for (std::size_t v = from; v < limit && v - from < 6; ++v) {
        if (!isTagVerb(v)) {
            continue;
        }
        if (v == from ||
            (v == from + 1 && !IsPronoun(tokens[from].word) && !tokens[from].capital)) {
            // "said he", "then said Elinor"
            if (auto phrase = PhraseAfterVerb(tokens, v + 1, limit)) {
                return Tag{*phrase, true, ListenerAt(tokens, phrase->last, limit)};
            }
        }
        if (auto phrase = PhraseAt(tokens, from, v)) {
            if (phrase->last == v || (phrase->last + 1 == v && IsAdverb(tokens[v - 1])) ||
                (phrase->last < v && EndsClause(tokens[phrase->last - 1]))) {
                return Tag{*phrase, true, ListenerAt(tokens, v + 1, limit)};
            }
        }
        if (auto phrase = PhraseAfterVerb(tokens, v + 1, limit)) {
            return Tag{*phrase, true, ListenerAt(tokens, phrase->last, limit)};
        }
        return std::nullopt;
    }
    if (auto phrase = PhraseAt(tokens, from, limit)) {
        if (!phrase->pronoun || phrase->last < limit) {
            return Tag{*phrase, false, std::nullopt};
        }
    }
    return std::nullopt;
}

// The tag in the sentence that leads into a quotation, "Elinor turned to him and said:".
std::optional<Tag> TagBefore(const std::vector<Token>& tokens, std::size_t quoteStart) {
    if (quoteStart == 0) {
        return std::nullopt;
    }
    // The sentence running into the quotation, or else the whole sentence before it.
    std::size_t first = quoteStart - 1;
    while (first > 0 && (!EndsSentence(tokens[first - 1]) || tokens[first - 1].after == ';') &&
           quoteStart - first < 30) {
        --first;
    }
    std::size_t verb = quoteStart;
    std::optional<Phrase> listener;
    for (std::size_t i = first; i < quoteStart; ++i) {
        if (IsVerb(tokens[i])) {
            verb = i;
        }
        if (!listener && i > first && (tokens[i].word == "to" || IsVerb(tokens[i]))) {
            listener = ListenerAt(tokens, tokens[i].word == "to" ? i : i + 1, quoteStart);
        }
    }
    const bool spoken = verb < quoteStart;
    // The speaker just before the verb ("in the crowd I said:", "and Mr. Palmer added,"),
    // else whoever the sentence begins with.
    // "he hastily exclaimed": an adverb may come between the speaker and the verb.
    const std::size_t subjectEnd = verb > first + 1 && IsAdverb(tokens[verb - 1]) ? verb - 1 : verb;
    if (spoken && subjectEnd > first) {
        std::size_t start = subjectEnd - 1;
        while (start > first && !IsPronoun(tokens[subjectEnd - 1].word) &&
               tokens[start - 1].capital && !EndsClause(tokens[start - 1])) {
            --start;
        }
        const Token& before = tokens[subjectEnd - 1];
        if ((IsPronoun(before.word) || before.capital) && !IsNotName(before.word) &&
            !EndsClause(before)) {
            if (auto phrase = PhraseAt(tokens, start, subjectEnd)) {
                return Tag{*phrase, true, listener};
            }
        }
    }
    if (auto phrase = PhraseAt(tokens, first, quoteStart)) {
        return Tag{*phrase, spoken && phrase->last == subjectEnd, listener,
                   phrase->last != subjectEnd};
    }
    return std::nullopt;
}

// True when narration ends leading into the speech after it: on a comma, colon or dash.
bool LeadsIn(std::string_view gap) {
    return gap.back() == ':' || gap.back() == ',' || gap.back() == '-';
}

}  // namespace

std::optional<Tag> FindTag(const Paragraph& paragraph) {
    const auto& tokens = paragraph.tokens;
    std::optional<Tag> after;
    if (paragraph.afterQuote < tokens.size() && tokens[paragraph.afterQuote].segment == 2) {
        after = TagAfter(tokens, paragraph.afterQuote);
    }
    std::optional<Tag> before = TagBefore(tokens, paragraph.quoteStart);
    if (after && after->spoken) {
        return after;
    }
    if (before && before->spoken) {
        return before;
    }
    // A tag further on: "Mrs. B. followed me. \"Don't,\" she said."
    for (std::size_t i = paragraph.afterQuote; i < tokens.size() && tokens[i].segment < 7; ++i) {
        if (i > 0 && tokens[i].segment % 2 == 0 && tokens[i].segment != tokens[i - 1].segment &&
            tokens[i].segment > 2) {
            if (auto later = TagAfter(tokens, i); later && later->spoken) {
                return later;
            }
        }
    }
    return before ? before : after;
}

TagReading ReadTag(const Paragraph& paragraph, std::string_view text, std::string_view gap,
                   std::size_t end) {
    TagReading reading{std::nullopt, FindTag(paragraph)};
    if ((reading.tag && reading.tag->spoken) || !paragraph.startsWithQuote || gap.empty() ||
        !LeadsIn(gap)) {
        return reading;
    }
    const std::size_t lastBreak = gap.rfind(kParagraphBreak);
    const std::string_view lead = lastBreak == std::string_view::npos ? gap : gap.substr(lastBreak);
    Paragraph joined =
        ReadParagraph(text, static_cast<std::size_t>(lead.data() - text.data()), end);
    if (joined.quoteStart > 0 && joined.quoteStart < joined.tokens.size()) {
        reading.tag = FindTag(joined);
        reading.joined = std::move(joined);
    }
    return reading;
}

}  // namespace velmora
