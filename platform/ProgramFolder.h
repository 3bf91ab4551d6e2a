#pragma once

#include <string>

namespace velmora {

// The folder the running program's file is in, where the Windows build ships what the
// program needs beside it (the PDF's fonts); empty when the system does not say.
[[nodiscard]] std::string ProgramFolder();

}  // namespace velmora
