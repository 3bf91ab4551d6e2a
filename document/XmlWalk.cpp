#include "document/XmlWalk.h"

#include "document/ImportRefusal.h"

#include <pugixml.hpp>

#include <algorithm>
#include <memory>
#include <vector>

namespace velmora {
namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;
// A batch of a wrapper's children is parsed once it holds this much.
constexpr std::size_t kBatch = std::size_t{64} * 1024;
// Largest element parsed whole, and largest part read whole: a parsed tree takes up to
// twenty times its text, so a part built of nothing but tags must not reach the parser
// in one piece. A book's paragraphs, tables and chapters are far smaller.
constexpr std::size_t kMaxWhole = std::size_t{8} << 20;
// Wrappers inside wrappers beyond this are parsed whole like any other element.
constexpr std::size_t kMaxWrappers = 64;
constexpr std::size_t kNone = std::string::npos;

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata;

bool IsSpace(char byte) { return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n'; }

bool IsUtf8Name(std::string_view encoding) {
    std::string lower;
    for (const char byte : encoding) {
        lower.push_back(byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte);
    }
    return lower == "utf-8" || lower == "utf8";
}

// Walks the nodes from first on, and its following siblings, each with what it holds.
void WalkNodes(pugi::xml_node first, XmlVisitor& visitor) {
    const pugi::xml_node top = first.parent();
    pugi::xml_node node = first;
    while (!node.empty()) {
        const pugi::xml_node_type type = node.type();
        if (type == pugi::node_element) {
            if (visitor.Enter(node)) {
                if (!node.first_child().empty()) {
                    node = node.first_child();
                    continue;
                }
                visitor.Leave(node);
            }
        } else if (type == pugi::node_pcdata || type == pugi::node_cdata) {
            visitor.Text(node.value());
        }
        while (node.next_sibling().empty()) {
            node = node.parent();
            if (node == top) {
                return;
            }
            visitor.Leave(node);
        }
        node = node.next_sibling();
    }
}

// The lexer that cuts a part into wrappers and batches of their children. It only finds
// where elements begin and end; pugixml parses every byte of every batch, so a part that
// is not well-formed is refused there if not here.
class Walker {
public:
    Walker(const XmlSource& source, XmlVisitor& visitor, std::string_view kind,
           std::string_view part)
        : source_(source), visitor_(visitor), kind_(kind), part_(part) {}

    void Run() {
        if (!StreamsThrough()) {
            WalkWhole();
            return;
        }
        while (Step()) {
        }
        if (depth_ > 0 || !wrappers_.empty() || !rootSeen_) {
            Refuse();
        }
        FlushBatch();
    }

private:
    struct Wrapper {
        std::string name;
        std::unique_ptr<pugi::xml_document> tag;
    };

    [[noreturn]] void Refuse() const { throw ImportRefusal(NotWellFormed(kind_, part_)); }
    [[noreturn]] void RefuseTooLarge() const {
        throw ImportRefusal("This " + std::string(kind_) + " document holds more in one piece of " +
                            std::string(part_) + " than Velmora reads at once.");
    }
    [[noreturn]] void RefuseEntities() const {
        throw ImportRefusal(DeclaresEntities(kind_, part_));
    }

    bool Fill() {
        if (ended_) {
            return false;
        }
        const std::size_t keep = batchStart_ == kNone ? pos_ : std::min(batchStart_, pos_);
        if (keep > kChunk && keep > window_.size() / 2) {
            window_.erase(0, keep);
            pos_ -= keep;
            if (batchStart_ != kNone) {
                batchStart_ -= keep;
            }
        }
        // What is held unparsed: one element (or one part read whole) past a batch's size.
        const std::size_t held = batchStart_ == kNone ? pos_ : std::min(batchStart_, pos_);
        if (window_.size() - held > kMaxWhole) {
            RefuseTooLarge();
        }
        chunk_.resize(kChunk);
        const std::size_t got = source_(chunk_.data(), kChunk);
        window_.append(chunk_, 0, got);
        ended_ = got == 0;
        return got > 0;
    }

    // At least count bytes from pos_ on, unless the part ends first.
    bool Ensure(std::size_t count) {
        while (window_.size() - pos_ < count) {
            if (!Fill()) {
                return false;
            }
        }
        return true;
    }

    // The offset from pos_ of needle, found at or after offset from; kNone at the end.
    std::size_t Find(std::string_view needle, std::size_t from) {
        for (;;) {
            const std::size_t at = window_.find(needle, pos_ + from);
            if (at != kNone) {
                return at - pos_;
            }
            if (window_.size() - pos_ >= needle.size()) {
                from = window_.size() - pos_ - needle.size() + 1;
            }
            if (!Fill()) {
                return kNone;
            }
        }
    }

    // The offset from pos_ of the '>' that ends the tag starting there; quoted attribute
    // values may hold '>'. Tells whether a '[' came first, outside quotes.
    std::size_t TagEnd(bool& bracket) {
        char quote = 0;
        bracket = false;
        for (std::size_t offset = 1;; ++offset) {
            if (pos_ + offset >= window_.size() && !Fill()) {
                return kNone;
            }
            const char byte = window_[pos_ + offset];
            if (quote != 0) {
                quote = byte == quote ? '\0' : quote;
            } else if (byte == '"' || byte == '\'') {
                quote = byte;
            } else if (byte == '[') {
                bracket = true;
            } else if (byte == '>') {
                return offset;
            }
        }
    }

    // UTF-8 (or ASCII) parts stream through; any other encoding is read whole.
    bool StreamsThrough() {
        Ensure(4);
        const std::string_view start = std::string_view(window_).substr(0, 4);
        if (start.starts_with("\xEF\xBB\xBF")) {
            pos_ = 3;
            return true;
        }
        if (start.starts_with("\xFE\xFF") || start.starts_with("\xFF\xFE") ||
            (start.size() > 1 && (start[0] == '\0' || start[1] == '\0'))) {
            return false;
        }
        if (!start.starts_with("<?xm")) {
            return true;
        }
        const std::size_t end = Find("?>", 0);
        if (end == kNone) {
            return true;  // refused as cut short below
        }
        const std::string_view declaration = std::string_view(window_).substr(pos_, end);
        const std::size_t name = declaration.find("encoding");
        if (name == kNone) {
            return true;
        }
        const std::size_t open = declaration.find_first_of("\"'", name);
        const std::size_t close =
            open == kNone ? kNone : declaration.find(declaration[open], open + 1);
        return close == kNone || IsUtf8Name(declaration.substr(open + 1, close - open - 1));
    }

    void WalkWhole() {
        while (Fill()) {
        }
        pugi::xml_document document;
        const pugi::xml_parse_result parsed =
            document.load_buffer(window_.data(), window_.size(),
                                 kParseOptions | pugi::parse_doctype, pugi::encoding_auto);
        if (!parsed) {
            Refuse();
        }
        for (pugi::xml_node node = document.first_child(); !node.empty();
             node = node.next_sibling()) {
            if (node.type() == pugi::node_doctype &&
                std::string_view(node.value()).find('[') != kNone) {
                RefuseEntities();
            }
        }
        if (!document.document_element().empty()) {
            WalkNodes(document.document_element(), visitor_);
        }
    }

    void StartBatch() {
        if (batchStart_ == kNone) {
            batchStart_ = pos_;
        }
    }

    void FlushBatch() {
        if (batchStart_ == kNone) {
            return;
        }
        // Copied, not parsed in place: in place, a fragment's last character ends its text.
        pugi::xml_document batch;
        const pugi::xml_parse_result parsed =
            batch.load_buffer(window_.data() + batchStart_, pos_ - batchStart_,
                              kParseOptions | pugi::parse_fragment, pugi::encoding_utf8);
        batchStart_ = kNone;
        if (!parsed) {
            Refuse();
        }
        if (!batch.first_child().empty()) {
            WalkNodes(batch.first_child(), visitor_);
        }
    }

    // A child of a wrapper (or the root, when it is none) has ended at pos_.
    void ChildDone() {
        if (wrappers_.empty()) {
            FlushBatch();
            rootDone_ = true;
        } else if (pos_ - batchStart_ >= kBatch) {
            FlushBatch();
        }
    }

    // The name of the start tag at pos_.
    std::string_view TagName(std::size_t from) const {
        const std::string_view tag = std::string_view(window_).substr(pos_ + from);
        const std::size_t end = tag.find_first_of(" \t\r\n/>");
        return tag.substr(0, end);
    }

    // A wrapper's start tag at pos_, shown to the visitor on its own. False when the
    // visitor passes over it: it is then batched like any other child (and passed over
    // there once more).
    bool EnterWrapper(std::size_t end, bool selfClosing) {
        std::string tag = window_.substr(pos_, selfClosing ? end + 1 : end);
        if (!selfClosing) {
            tag += "/>";
        }
        auto document = std::make_unique<pugi::xml_document>();
        if (!document->load_buffer(tag.data(), tag.size(), kParseOptions, pugi::encoding_utf8) ||
            document->first_child().empty()) {
            Refuse();
        }
        const pugi::xml_node element = document->first_child();
        FlushBatch();
        if (!visitor_.Enter(element)) {
            return false;
        }
        rootSeen_ = true;
        if (selfClosing) {
            visitor_.Leave(element);
            rootDone_ = wrappers_.empty();
        } else {
            wrappers_.push_back({element.name(), std::move(document)});
        }
        return true;
    }

    void LeaveWrapper(std::string_view name) {
        FlushBatch();
        if (wrappers_.empty() || wrappers_.back().name != name) {
            Refuse();
        }
        visitor_.Leave(wrappers_.back().tag->first_child());
        wrappers_.pop_back();
        rootDone_ = wrappers_.empty();
    }

    // Text before the next '<': part of a batch, a wrapper's own text, or white space
    // around the root.
    bool SkipText() {
        const std::size_t lt = Find("<", 0);
        const std::size_t length = lt == kNone ? window_.size() - pos_ : lt;
        if (depth_ == 0 && length > 0) {
            if (!wrappers_.empty()) {
                StartBatch();
            } else {
                const std::string_view text = std::string_view(window_).substr(pos_, length);
                if (!std::all_of(text.begin(), text.end(), IsSpace)) {
                    Refuse();
                }
            }
        }
        pos_ += length;
        return lt != kNone;
    }

    // One markup item from pos_; false at the end of the part.
    bool Step() {
        if (!SkipText()) {
            return false;
        }
        Ensure(9);
        // Read before the window can move: Find and TagEnd may refill it.
        const std::string ahead = window_.substr(pos_, 9);
        if (ahead.starts_with("<?")) {
            return Skip(Find("?>", 2), 2);
        }
        if (ahead.starts_with("<!--")) {
            return Skip(Find("-->", 4), 3);
        }
        if (ahead.starts_with("<![CDATA[")) {
            if (depth_ == 0) {
                if (wrappers_.empty()) {
                    Refuse();
                }
                StartBatch();
            }
            return Skip(Find("]]>", 9), 3);
        }
        bool bracket = false;
        const std::size_t end = TagEnd(bracket);
        if (end == kNone) {
            Refuse();
        }
        if (ahead.starts_with("<!")) {
            if (rootSeen_) {
                Refuse();
            }
            if (bracket) {
                RefuseEntities();
            }
            pos_ += end + 1;
            return true;
        }
        if (ahead.starts_with("</")) {
            const std::string_view name = TagName(2);
            if (depth_ > 0) {
                --depth_;
                pos_ += end + 1;
                if (depth_ == 0) {
                    ChildDone();
                }
            } else {
                LeaveWrapper(name);
                pos_ += end + 1;
            }
            return true;
        }
        const bool selfClosing = window_[pos_ + end - 1] == '/';
        if (depth_ > 0) {
            depth_ += selfClosing ? 0 : 1;
            pos_ += end + 1;
            return true;
        }
        if (rootDone_) {
            Refuse();  // a second root
        }
        if (wrappers_.size() < kMaxWrappers && visitor_.IsWrapper(TagName(1)) &&
            EnterWrapper(end, selfClosing)) {
            pos_ += end + 1;
            return true;
        }
        rootSeen_ = true;
        StartBatch();
        pos_ += end + 1;
        if (selfClosing) {
            ChildDone();
        } else {
            depth_ = 1;
        }
        return true;
    }

    bool Skip(std::size_t found, std::size_t length) {
        if (found == kNone) {
            Refuse();
        }
        pos_ += found + length;
        return true;
    }

    const XmlSource& source_;
    XmlVisitor& visitor_;
    std::string_view kind_;
    std::string_view part_;
    std::string window_;
    std::string chunk_;  // what the source gives, before it joins the window
    std::size_t pos_ = 0;
    std::size_t batchStart_ = kNone;
    std::size_t depth_ = 0;  // inside a child being batched
    std::vector<Wrapper> wrappers_;
    bool ended_ = false;
    bool rootSeen_ = false;
    bool rootDone_ = false;
};

}  // namespace

void WalkXml(const XmlSource& source, XmlVisitor& visitor, std::string_view kind,
             std::string_view part) {
    Walker(source, visitor, kind, part).Run();
}

std::unique_ptr<pugi::xml_document> LoadXml(std::string_view bytes, std::string_view kind,
                                            std::string_view part) {
    auto document = std::make_unique<pugi::xml_document>();
    if (!document->load_buffer(bytes.data(), bytes.size(), kParseOptions | pugi::parse_doctype,
                               pugi::encoding_auto)) {
        throw ImportRefusal(NotWellFormed(kind, part));
    }
    for (pugi::xml_node node = document->first_child(); !node.empty(); node = node.next_sibling()) {
        if (node.type() == pugi::node_doctype &&
            std::string_view(node.value()).find('[') != kNone) {
            throw ImportRefusal(DeclaresEntities(kind, part));
        }
    }
    return document;
}

std::string NotWellFormed(std::string_view kind, std::string_view part) {
    return "This " + std::string(kind) + " document is damaged: " + std::string(part) +
           " in it is not well-formed XML.";
}

std::string DeclaresEntities(std::string_view kind, std::string_view part) {
    return "This " + std::string(kind) + " document declares XML entities of its own in " +
           std::string(part) + ", which Velmora does not expand.";
}

std::string_view LocalName(std::string_view name) noexcept {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::optional<std::string> PrefixOf(const pugi::xml_node& element, std::string_view uri) {
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view name = attribute.name();
        if (attribute.value() != uri) {
            continue;
        }
        if (name == "xmlns") {
            return std::string();
        }
        if (name.starts_with("xmlns:")) {
            return std::string(name.substr(6)) + ":";
        }
    }
    return std::nullopt;
}

}  // namespace velmora
