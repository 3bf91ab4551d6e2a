#pragma once

#include "platform/File.h"

#include <string>
#include <string_view>

namespace velmora {

// Owns the script file and writes it as it goes: every tag and every text is handed to the
// file the moment it is produced, so the file always holds everything generated so far.
// A script format derives from this and gives each of the four elements its markup.
class ScriptWriter {
public:
    ScriptWriter() = default;
    virtual ~ScriptWriter() = default;
    ScriptWriter(const ScriptWriter&) = delete;
    ScriptWriter& operator=(const ScriptWriter&) = delete;

    // Creates or empties the script and writes "<HTML>", followed by a character-set
    // declaration when a label ("utf-8", "windows-1252") is given. Success shows in IsOpen().
    // @throws FileError when the opening markup cannot be written.
    void Open(const std::string& path, std::string_view charsetLabel = {});

    [[nodiscard]] bool IsOpen() const noexcept { return isOpen_; }

    // Writes "</HTML>" and closes the script. Does nothing when it is not open.
    // @throws FileError on a write or close failure.
    void Close();

    // The element operations; each writes the format's markup around the escaped text.
    // @throws FileError on a write failure.
    virtual void WriteCharacterName(std::string_view name) = 0;
    virtual void WriteParenthetical(std::string_view text) = 0;
    virtual void WriteDialogue(std::string_view text) = 0;
    virtual void WriteNarration(std::string_view text) = 0;

protected:
    // Writes markup exactly as given.
    void WriteMarkup(std::string_view markup);
    // Writes text from the novel, with "&", "<" and ">" escaped.
    void WriteText(std::string_view text);

private:
    File file_;
    bool isOpen_ = false;
};

}  // namespace velmora
