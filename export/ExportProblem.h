#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// An export that cannot be made for a reason other than a file's failure (FileError):
// a font it needs is missing, or the PDF library refused. what() says why, for the user.
class ExportProblem : public std::runtime_error {
public:
    explicit ExportProblem(const std::string& why) : std::runtime_error(why) {}
};

}  // namespace velmora
