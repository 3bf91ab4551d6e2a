#include "text/UpperCase.h"

#include <algorithm>

namespace velmora {

std::string UpperCaseAscii(std::string_view bytes) {
    std::string result(bytes);
    std::transform(result.begin(), result.end(), result.begin(), [](char byte) {
        return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
    });
    return result;
}

std::string UpperCaseWestern(std::string_view utf8) {
    std::string result = UpperCaseAscii(utf8);
    for (std::size_t i = 0; i + 1 < result.size(); ++i) {
        const auto lead = static_cast<unsigned char>(result[i]);
        const auto next = static_cast<unsigned char>(result[i + 1]);
        if (lead == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            result[i + 1] = static_cast<char>(next - 0x20);
        }
    }
    return result;
}

}  // namespace velmora
