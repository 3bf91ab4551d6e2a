#include "document/XhtmlReader.h"

#include "document/ParagraphText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace velmora {
namespace {

constexpr std::array<std::string_view, 6> kWrappers = {"html",    "body", "section",
                                                       "article", "main", "div"};

constexpr std::array<std::string_view, 9> kPassedOver = {
    "head", "script", "style", "template", "noscript", "rt", "rp", "svg", "math",
};

constexpr std::array<std::string_view, 41> kBlocks = {
    "html",    "body",       "section", "article", "main",       "div",    "p",      "h1",    "h2",
    "h3",      "h4",         "h5",      "h6",      "hgroup",     "header", "footer", "aside", "nav",
    "address", "blockquote", "pre",     "figure",  "figcaption", "ul",     "ol",     "li",    "dl",
    "dt",      "dd",         "table",   "caption", "thead",      "tbody",  "tfoot",  "tr",    "td",
    "th",      "hr",         "details", "summary", "center",
};

// The named entities of XHTML that books use, as UTF-8. A document's own entities are
// never looked up here: only these names, fixed by XHTML itself.
constexpr std::array<std::pair<std::string_view, std::string_view>, 64> kEntities = {{
    {"nbsp", "\xC2\xA0"},
    {"mdash", "\xE2\x80\x94"},
    {"ndash", "\xE2\x80\x93"},
    {"lsquo", "\xE2\x80\x98"},
    {"rsquo", "\xE2\x80\x99"},
    {"sbquo", "\xE2\x80\x9A"},
    {"ldquo", "\xE2\x80\x9C"},
    {"rdquo", "\xE2\x80\x9D"},
    {"bdquo", "\xE2\x80\x9E"},
    {"hellip", "\xE2\x80\xA6"},
    {"laquo", "\xC2\xAB"},
    {"raquo", "\xC2\xBB"},
    {"lsaquo", "\xE2\x80\xB9"},
    {"rsaquo", "\xE2\x80\xBA"},
    {"copy", "\xC2\xA9"},
    {"reg", "\xC2\xAE"},
    {"trade", "\xE2\x84\xA2"},
    {"shy", ""},
    {"emsp", "\xE2\x80\x83"},
    {"ensp", "\xE2\x80\x82"},
    {"thinsp", "\xE2\x80\x89"},
    {"zwnj", ""},
    {"zwj", ""},
    {"dagger", "\xE2\x80\xA0"},
    {"Dagger", "\xE2\x80\xA1"},
    {"bull", "\xE2\x80\xA2"},
    {"middot", "\xC2\xB7"},
    {"prime", "\xE2\x80\xB2"},
    {"Prime", "\xE2\x80\xB3"},
    {"deg", "\xC2\xB0"},
    {"pound", "\xC2\xA3"},
    {"euro", "\xE2\x82\xAC"},
    {"sect", "\xC2\xA7"},
    {"para", "\xC2\xB6"},
    {"frac12", "\xC2\xBD"},
    {"frac14", "\xC2\xBC"},
    {"frac34", "\xC2\xBE"},
    {"times", "\xC3\x97"},
    {"iexcl", "\xC2\xA1"},
    {"iquest", "\xC2\xBF"},
    {"aacute", "\xC3\xA1"},
    {"agrave", "\xC3\xA0"},
    {"acirc", "\xC3\xA2"},
    {"auml", "\xC3\xA4"},
    {"aelig", "\xC3\xA6"},
    {"ccedil", "\xC3\xA7"},
    {"eacute", "\xC3\xA9"},
    {"egrave", "\xC3\xA8"},
    {"ecirc", "\xC3\xAA"},
    {"euml", "\xC3\xAB"},
    {"iacute", "\xC3\xAD"},
    {"icirc", "\xC3\xAE"},
    {"iuml", "\xC3\xAF"},
    {"ntilde", "\xC3\xB1"},
    {"oacute", "\xC3\xB3"},
    {"ocirc", "\xC3\xB4"},
    {"ouml", "\xC3\xB6"},
    {"oelig", "\xC5\x93"},
    {"uacute", "\xC3\xBA"},
    {"ucirc", "\xC3\xBB"},
    {"uuml", "\xC3\xBC"},
    {"szlig", "\xC3\x9F"},
    {"Eacute", "\xC3\x89"},
    {"OElig", "\xC5\x92"},
}};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Lower(std::string_view name) {
    std::string lower(LocalName(name));
    for (char& byte : lower) {
        byte = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
    }
    return lower;
}

// Text with XHTML's named entities read; unknown names stay as written.
std::string WithEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t amp = text.find('&', i);
        out.append(text.substr(i, amp == std::string_view::npos ? amp : amp - i));
        if (amp == std::string_view::npos) {
            break;
        }
        const std::size_t semicolon = text.find(';', amp);
        const std::string_view name = semicolon == std::string_view::npos
                                          ? std::string_view()
                                          : text.substr(amp + 1, semicolon - amp - 1);
        const auto* entity = std::find_if(kEntities.begin(), kEntities.end(),
                                          [name](const auto& pair) { return pair.first == name; });
        if (entity != kEntities.end()) {
            out.append(entity->second);
            i = semicolon + 1;
        } else {
            out.push_back('&');
            i = amp + 1;
        }
    }
    return out;
}

class XhtmlVisitor : public XmlVisitor {
public:
    explicit XhtmlVisitor(ParagraphText& text) : text_(text) {}

    [[nodiscard]] bool IsWrapper(std::string_view name) const override {
        return Holds(kWrappers, Lower(name));
    }

    bool Enter(const pugi::xml_node& element) override {
        const std::string name = Lower(element.name());
        if (Holds(kPassedOver, name)) {
            return false;
        }
        if (name == "br") {
            text_.LineBreak();
        } else if (Holds(kBlocks, name)) {
            text_.EndParagraph();
            preformatted_ += name == "pre" ? 1 : 0;
        }
        return true;
    }

    void Leave(const pugi::xml_node& element) override {
        const std::string name = Lower(element.name());
        if (Holds(kBlocks, name)) {
            text_.EndParagraph();
            preformatted_ -= name == "pre" && preformatted_ > 0 ? 1 : 0;
        }
    }

    void Text(std::string_view text) override {
        std::string decoded;
        if (text.find('&') != std::string_view::npos) {
            decoded = WithEntities(text);
            text = decoded;
        }
        if (preformatted_ == 0) {
            text_.Text(text, true);
            return;
        }
        std::string_view rest = text;
        for (std::size_t end = rest.find('\n'); end != std::string_view::npos;
             end = rest.find('\n')) {
            text_.Text(rest.substr(0, end), false);
            text_.LineBreak();
            rest.remove_prefix(end + 1);
        }
        text_.Text(rest, false);
    }

private:
    ParagraphText& text_;
    int preformatted_ = 0;
};

}  // namespace

void ReadXhtmlPart(const XmlSource& part, std::string_view kind, std::string_view partName,
                   ParagraphText& text) {
    XhtmlVisitor visitor(text);
    WalkXml(part, visitor, kind, partName);
    text.EndParagraph();
}

}  // namespace velmora
