#include "conversion/Cast.h"

#include "text/UpperCase.h"

#include <unordered_set>

namespace velmora {

void Cast::Add(std::string_view name) {
    if (name.find_first_not_of(' ') != std::string_view::npos) {
        uses_.emplace_back(name);
    }
}

void Cast::TakeBackTo(std::size_t count) {
    if (count < uses_.size()) {
        uses_.resize(count);
    }
}

std::vector<std::string> Cast::Names() const {
    std::vector<std::string> names;
    std::unordered_set<std::string_view> seen;
    for (std::size_t use = uses_.size(); use-- > 0;) {  // the most recent first
        if (seen.insert(uses_[use]).second) {
            names.push_back(uses_[use]);
        }
    }
    return names;
}

std::vector<std::string> Cast::Completions(std::string_view prefix) const {
    std::vector<std::string> matching;
    if (prefix.empty()) {
        return matching;
    }
    const std::string wanted = UpperCaseWestern(prefix);
    for (std::string& name : Names()) {
        if (name.size() >= prefix.size() &&
            UpperCaseWestern(std::string_view(name).substr(0, prefix.size())) == wanted) {
            matching.push_back(std::move(name));
        }
    }
    return matching;
}

}  // namespace velmora
