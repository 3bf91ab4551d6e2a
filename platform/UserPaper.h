#pragma once

#include <string_view>

namespace velmora {

// Whether the user's locale prints on A4 rather than US Letter: the paper size the locale's
// own settings give (LC_PAPER here, the regional settings on Windows). A session in the C
// locale has chosen nothing, so it gets Letter, as does a locale that says nothing.
[[nodiscard]] bool UserPaperIsA4() noexcept;

// The paper of a locale named as in the environment ("de_DE.UTF-8", "en_US", "C"), from its
// territory alone, for a locale the system does not have: A4 but in the Americas' Letter
// countries and the Philippines; Letter for the C locale and a name without a territory.
[[nodiscard]] bool TerritoryUsesA4(std::string_view localeName) noexcept;

}  // namespace velmora
