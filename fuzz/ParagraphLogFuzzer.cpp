// The paragraph log over arbitrary text: each logged line is a piece of the text holding no
// CR, the pieces follow one another without overlap and never add up to more than the
// text, one empty line closes the paragraph, and the log is scrolled once, to its end.
#include "conversion/ConversionView.h"
#include "conversion/ParagraphLog.h"
#include "fuzz/support/Check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Records the log; any other window operation is a finding.
class LogOnlyView final : public velmora::ConversionView {
public:
    std::vector<std::string> lines;
    std::vector<int> scrolls;

    void SetStatus(std::string_view /*text*/) override { Unexpected(); }
    void SetDialogueField(std::string_view /*text*/) override { Unexpected(); }
    std::string GetNameField(int /*slot*/) override { Unexpected(); }
    void SetNameField(int /*slot*/, std::string_view /*name*/) override { Unexpected(); }
    std::string GetNoteField() override { Unexpected(); }
    void SetNoteField(std::string_view /*text*/) override { Unexpected(); }
    bool IsScreenPlaySelected() override { Unexpected(); }
    void DisableOpenControls() override { Unexpected(); }
    std::optional<std::string> ChooseTextFile() override { Unexpected(); }
    void AppendLogLine(std::string_view text) override { lines.emplace_back(text); }
    int LogLineCount() override { return static_cast<int>(lines.size()); }
    void ScrollLogTo(int index) override { scrolls.push_back(index); }
    void TruncateLog(int /*count*/) override { Unexpected(); }
    void Explain(std::string_view /*line*/) override { Unexpected(); }
    void BeginWaitCursor() override { Unexpected(); }
    void EndWaitCursor() override { Unexpected(); }
    bool AskYesNo(std::string_view /*question*/) override { Unexpected(); }
    bool AskToContinue(std::string_view /*question*/) override { Unexpected(); }
    bool AskToStartAnew(std::string_view /*question*/) override { Unexpected(); }
    void ShowSpeakerHint(int /*slot*/, int /*lastSlot*/, std::string_view /*newName*/) override {
        Unexpected();
    }
    void ShowNotDialogueHint() override { Unexpected(); }

private:
    [[noreturn]] static void Unexpected() {
        std::fprintf(stderr, "the paragraph log used a window operation other than the log\n");
        std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LogOnlyView view;
    velmora::LogParagraph(view, text);

    VELMORA_FUZZ_CHECK(view.lines.size() >= 2);
    VELMORA_FUZZ_CHECK(view.lines.back().empty());
    VELMORA_FUZZ_CHECK(view.scrolls.size() == 1);
    VELMORA_FUZZ_CHECK(view.scrolls.front() == static_cast<int>(view.lines.size()) - 1);

    std::size_t from = 0;
    std::size_t total = 0;
    for (std::size_t i = 0; i + 1 < view.lines.size(); ++i) {
        const std::string& piece = view.lines[i];
        VELMORA_FUZZ_CHECK(piece.find('\r') == std::string::npos);
        const std::size_t at = text.find(piece, from);
        VELMORA_FUZZ_CHECK(at != std::string_view::npos);
        from = at + piece.size();
        total += piece.size();
    }
    VELMORA_FUZZ_CHECK(total <= text.size());

    // At most one line per CR-ended line, one for what follows the last CR, and the blank.
    std::size_t breaks = 0;
    for (const char byte : text) {
        breaks += byte == '\r' ? 1 : 0;
    }
    VELMORA_FUZZ_CHECK(view.lines.size() <= breaks + 2);
    if (breaks == 0) {
        VELMORA_FUZZ_CHECK(view.lines.front() == text);
    }
    return 0;
}
