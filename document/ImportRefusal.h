#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// Why a document cannot be read, in one plain sentence for the user. Thrown inside the
// document layer only; ReadDocument and ImportDocument turn it into their result.
class ImportRefusal : public std::runtime_error {
public:
    explicit ImportRefusal(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace velmora
