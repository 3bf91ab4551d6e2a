#pragma once

#include "conversion/EarlierRun.h"
#include "platform/File.h"
#include "text/CharacterSet.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A script read back from its file as it stands, with what it was made from: all the exports
// need to make it again.
struct ScriptReadBack {
    // What the file holds: a script of the text (finished or not, with its format, names and
    // notes), or why it is none.
    EarlierRun run;
    // The text as the conversion read it, typographic quotes straightened when they were.
    std::string_view text;
    CharacterSet set = CharacterSet::Ascii;
    std::string textName;    // the text file's name, as it was opened
    std::string scriptPath;  // the script's full path: the exports go beside it
    // The files an export must never be written over: the text, a names file, the script.
    std::vector<FileIdentity> protect;
};

}  // namespace velmora
