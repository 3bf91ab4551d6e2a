#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Names are kept in capitals ("MR. PALMER"). Upper-casing touches only what is sure to be a
// letter in the text's character set.

// The ASCII letters a to z upper-cased; every other byte kept, so bytes of any character set
// pass unchanged.
[[nodiscard]] std::string UpperCaseAscii(std::string_view bytes);

// The ASCII letters and, of UTF-8, the accented letters of Western names (U+00E0 to U+00FE
// but for the division sign) upper-cased: "Zoë" becomes "ZOË".
[[nodiscard]] std::string UpperCaseWestern(std::string_view utf8);

}  // namespace velmora
