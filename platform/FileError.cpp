#include "platform/FileError.h"

#include "platform/FileErrorCauses.h"

#include <utility>

namespace velmora {

FileError::FileError(FileErrorCause cause, std::string fileName)
    : std::runtime_error(FileErrorMessage(cause, fileName)), cause_(cause),
      fileName_(std::move(fileName)) {}

}  // namespace velmora
