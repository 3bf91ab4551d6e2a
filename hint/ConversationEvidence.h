#pragma once

#include "hint/Situation.h"
#include "hint/SlotEvidence.h"

namespace velmora {

// The conversation before the paragraph: who spoke the last lines, and whether the last
// speech runs on into it.
[[nodiscard]] Conversation ReadConversation(const std::vector<SlotName>& slots,
                                            const std::vector<ConfirmedLine>& history,
                                            const Paragraph& paragraph, std::string_view gap);

// Turn-taking, the last speaker, a speech running on, narration between, the last line's
// listener and the answer to a question.
void MarkConversation(const Situation& situation, SlotEvidence& evidence);

}  // namespace velmora
