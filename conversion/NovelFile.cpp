#include "conversion/NovelFile.h"

#include "conversion/Explanations.h"
#include "document/DocumentImport.h"
#include "text/TextReader.h"

#include <utility>

namespace velmora {

std::optional<std::string> LoadNovel(const std::string& name, TextReader& reader) {
    const auto kind = DocumentKindOf(name);
    if (!kind) {
        reader.Load(name);
        if (reader.IsLoaded()) {
            return std::nullopt;
        }
        const auto& failure = reader.LastFailure();
        return TextLoadProblem(name, failure.refusal, failure.tooLarge);
    }
    reader = TextReader();
    DocumentImport import = ImportDocument(name, *kind);
    switch (import.outcome) {
    case DocumentImport::Outcome::Imported:
        reader.Assign(std::move(import.text), *import.identity);
        return std::nullopt;
    case DocumentImport::Outcome::NotOpened:
        return TextLoadProblem(name, import.openRefusal, false);
    case DocumentImport::Outcome::Refused:
        break;
    }
    return std::move(import.reason);
}

bool IsDocumentName(const std::string& name) noexcept { return DocumentKindOf(name).has_value(); }

}  // namespace velmora
