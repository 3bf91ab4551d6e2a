#include "platform/UserPaper.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <langinfo.h>
#include <clocale>
#include <cstdint>
#endif

namespace velmora {
namespace {

// The territories whose locales print on US Letter.
constexpr std::array<std::string_view, 14> kLetterTerritories = {
    "US", "CA", "MX", "PR", "GT", "SV", "NI", "CR", "PA", "DO", "VE", "CO", "CL", "PH"};

// A4 is 210 mm wide; Letter is 216.
constexpr unsigned kA4Width = 210;

#ifndef _WIN32
// The locale LC_PAPER is taken from, as the C library chooses it.
std::string_view PaperLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(variable);  // NOLINT(concurrency-mt-unsafe)
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

bool IsCLocale(std::string_view name) {
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}
#endif

}  // namespace

bool TerritoryUsesA4(std::string_view localeName) noexcept {
    const std::size_t underscore = localeName.find('_');
    if (underscore == std::string_view::npos) {
        return false;
    }
    const std::string_view territory = localeName.substr(underscore + 1, 2);
    return territory.size() == 2 && std::find(kLetterTerritories.begin(), kLetterTerritories.end(),
                                              territory) == kLetterTerritories.end();
}

#ifdef _WIN32
bool UserPaperIsA4() noexcept {
    constexpr DWORD kA4 = 9;  // DMPAPER_A4
    DWORD paper = 0;
    const int got =
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IPAPERSIZE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&paper), sizeof(paper) / sizeof(WCHAR));
    return got != 0 && paper == kA4;
}
#else
bool UserPaperIsA4() noexcept {
    const std::string_view name = PaperLocaleName();
    if (IsCLocale(name)) {
        return false;
    }
    locale_t locale = ::newlocale(LC_PAPER_MASK, "", nullptr);
    if (locale == nullptr) {
        return TerritoryUsesA4(name);  // a locale the system lacks
    }
    // The C library gives the width in millimetres as the pointer's value.
    const auto width = static_cast<unsigned>(
        reinterpret_cast<std::uintptr_t>(::nl_langinfo_l(_NL_PAPER_WIDTH, locale)));
    ::freelocale(locale);
    return width == kA4Width;
}
#endif

}  // namespace velmora
