#include "script/ScriptWriter.h"

#include "script/HtmlEscape.h"

namespace velmora {

void ScriptWriter::Open(const std::string& path, std::string_view charsetLabel) {
    isOpen_ = file_.OpenForWriting(path);
    if (!isOpen_) {
        return;
    }
    WriteMarkup("<HTML>");
    if (!charsetLabel.empty()) {
        std::string declaration = R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=)";
        declaration += charsetLabel;
        declaration += "\">";
        WriteMarkup(declaration);
    }
}

void ScriptWriter::Close() {
    if (!isOpen_) {
        return;
    }
    WriteMarkup("</HTML>");
    file_.Close();
    isOpen_ = false;
}

void ScriptWriter::WriteMarkup(std::string_view markup) { file_.Write(markup); }

void ScriptWriter::WriteText(std::string_view text) {
    if (NeedsHtmlEscape(text)) {
        file_.Write(EscapeHtml(text));
    } else {
        file_.Write(text);
    }
}

}  // namespace velmora
