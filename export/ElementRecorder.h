#pragma once

#include "export/ScriptElement.h"
#include "script/ScriptElementSink.h"
#include "script/ScriptFormat.h"
#include "text/CharacterSet.h"

#include <vector>

namespace velmora {

// Keeps the elements the walk writes, each as Script.htm shows it: a parenthetical
// trimmed as the script trims it, a stage play's narration too, a note without the prefix
// the script gives it; an element the script shows as nothing is left out. Texts are
// decoded from the text's character set.
class ElementRecorder final : public ScriptElementSink {
public:
    ElementRecorder(ScriptFormat format, CharacterSet set) : format_(format), set_(set) {}

    void WriteCharacterName(std::string_view typedName) override;
    void WriteParenthetical(std::string_view text) override;
    void WriteDialogue(std::string_view text) override;
    void WriteNarration(std::string_view text) override;
    void WriteNote(std::string_view typedText) override;

    [[nodiscard]] std::vector<ScriptElement>& Elements() noexcept { return elements_; }

private:
    void Add(ElementKind kind, std::string text, bool keepEmpty);

    ScriptFormat format_;
    CharacterSet set_;
    std::vector<ScriptElement> elements_;
};

}  // namespace velmora
