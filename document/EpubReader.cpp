#include "document/EpubReader.h"

#include "document/ImportRefusal.h"
#include "document/ParagraphText.h"
#include "document/XhtmlReader.h"
#include "document/ZipArchive.h"

#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace velmora {
namespace {

constexpr std::string_view kKind = "EPUB";
constexpr std::string_view kContainer = "META-INF/container.xml";
constexpr std::string_view kEncryption = "META-INF/encryption.xml";
constexpr std::string_view kPackageType = "application/oebps-package+xml";

int HexValue(char byte) {
    if (byte >= '0' && byte <= '9') {
        return byte - '0';
    }
    if (byte >= 'a' && byte <= 'f') {
        return byte - 'a' + 10;
    }
    if (byte >= 'A' && byte <= 'F') {
        return byte - 'A' + 10;
    }
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Every element below root (at any depth) with the local name, in document order.
std::vector<pugi::xml_node> Elements(const pugi::xml_node& root, std::string_view local) {
    std::vector<pugi::xml_node> found;
    pugi::xml_node node = root.first_child();
    while (!node.empty()) {
        if (node.type() == pugi::node_element && LocalName(node.name()) == local) {
            found.push_back(node);
        }
        if (!node.first_child().empty()) {
            node = node.first_child();
            continue;
        }
        while (node.next_sibling().empty()) {
            node = node.parent();
            if (node == root) {
                return found;
            }
        }
        node = node.next_sibling();
    }
    return found;
}

struct Item {
    std::string path;
    std::string mediaType;
};

// The package document named by the container.
std::string PackagePath(ZipArchive& archive) {
    if (!archive.Has(kContainer)) {
        throw ImportRefusal(
            "This EPUB document has no META-INF/container.xml, so Velmora cannot find its book.");
    }
    const auto container = LoadXml(archive.ReadAll(kContainer), kKind, kContainer);
    std::string first;
    for (const pugi::xml_node rootfile : Elements(*container, "rootfile")) {
        std::string path = PercentDecoded(rootfile.attribute("full-path").value());
        if (path.empty()) {
            continue;
        }
        if (std::string_view(rootfile.attribute("media-type").value()) == kPackageType) {
            return path;
        }
        first = first.empty() ? path : first;
    }
    if (first.empty()) {
        throw ImportRefusal(
            "This EPUB document's META-INF/container.xml names no package, so "
            "Velmora cannot find its book.");
    }
    return first;
}

// The content documents of the spine, in reading order (those marked linear="no", notes
// and the like reached only by links, left out).
std::vector<std::string> ReadingOrder(ZipArchive& archive, const std::string& packagePath) {
    const auto package = LoadXml(archive.ReadAll(packagePath), kKind, packagePath);
    std::map<std::string, Item, std::less<>> manifest;
    for (const pugi::xml_node item : Elements(*package, "item")) {
        manifest.emplace(item.attribute("id").value(),
                         Item{ResolveHref(packagePath, item.attribute("href").value()),
                              item.attribute("media-type").value()});
    }
    std::vector<std::string> documents;
    for (const pugi::xml_node itemref : Elements(*package, "itemref")) {
        if (std::string_view(itemref.attribute("linear").value()) == "no") {
            continue;
        }
        const auto item = manifest.find(std::string_view(itemref.attribute("idref").value()));
        if (item == manifest.end()) {
            throw ImportRefusal(
                "This EPUB document's reading order names an item its package "
                "does not list.");
        }
        const std::string& type = item->second.mediaType;
        if (type == "application/xhtml+xml" || type == "text/html" || type.empty()) {
            documents.push_back(item->second.path);
        }
    }
    return documents;
}

// The members whose content is encrypted (fonts obfuscated by a publisher are too).
std::set<std::string, std::less<>> Encrypted(ZipArchive& archive) {
    std::set<std::string, std::less<>> encrypted;
    if (!archive.Has(kEncryption)) {
        return encrypted;
    }
    const auto encryption = LoadXml(archive.ReadAll(kEncryption), kKind, kEncryption);
    for (const pugi::xml_node reference : Elements(*encryption, "CipherReference")) {
        encrypted.insert(ResolveHref("", reference.attribute("URI").value()));
    }
    return encrypted;
}

}  // namespace

std::string ResolveHref(std::string_view base, std::string_view href) {
    href = href.substr(0, href.find('#'));
    std::vector<std::string> segments;
    const std::string decoded = PercentDecoded(href);
    std::string joined;
    if (!decoded.starts_with('/')) {
        const std::size_t slash = base.rfind('/');
        joined = slash == std::string_view::npos ? std::string()
                                                 : std::string(base.substr(0, slash + 1));
    }
    joined += decoded;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        const std::string segment = joined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& segment : segments) {
        path += (path.empty() ? "" : "/") + segment;
    }
    return path;
}

void ReadEpub(ZipArchive& archive, ParagraphText& text) {
    const std::string packagePath = PackagePath(archive);
    if (!archive.Has(packagePath)) {
        throw ImportRefusal("This EPUB document has no " + packagePath +
                            ", the package its container names.");
    }
    const std::vector<std::string> documents = ReadingOrder(archive, packagePath);
    const auto encrypted = Encrypted(archive);
    for (const std::string& document : documents) {
        if (encrypted.contains(document)) {
            throw ImportRefusal(
                "This EPUB document is protected by DRM: its text is "
                "encrypted, so Velmora cannot read it.");
        }
        if (!archive.Has(document)) {
            throw ImportRefusal("This EPUB document's reading order names " + document +
                                ", which the document does not hold.");
        }
    }
    for (const std::string& document : documents) {
        ZipArchive::Member member(archive, document);
        ReadXhtmlPart(
            [&member](char* buffer, std::size_t count) { return member.Read(buffer, count); },
            kKind, document, text);
    }
}

}  // namespace velmora
