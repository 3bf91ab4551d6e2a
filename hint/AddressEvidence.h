#pragma once

#include "hint/LearnedCounts.h"
#include "hint/Situation.h"
#include "hint/SlotEvidence.h"
#include "hint/SlotNames.h"
#include "hint/Tokenizer.h"

#include <string>
#include <vector>

namespace velmora {

// Words a speech sets off on their own ("Yes, papa;", "Come on, darling."): forms of
// address, which tell a speaker apart when only one uses them.
[[nodiscard]] std::vector<std::string> SetOffWords(const std::vector<Token>& tokens);

// The slots a speech addresses: quoted names set off like a form of address ("Elinor, you
// know", "my dear Mr. Palmer!"), by a slot's name or by a name the user has given one
// ("Cecil" for MR. VYSE, once it has stood for him twice and nearly always).
[[nodiscard]] std::vector<int> Vocatives(const std::vector<Token>& tokens,
                                         const std::vector<SlotName>& slots,
                                         const LearnedCounts& counts);

// Whom the speech addresses (not its speaker), whom it talks about (seldom its speaker), and
// a form of address only one speaker uses. Returns the slots addressed.
std::vector<int> MarkAddress(const Situation& situation, SlotEvidence& evidence);

}  // namespace velmora
