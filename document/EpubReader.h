#pragma once

#include <string>
#include <string_view>

namespace velmora {

class ParagraphText;
class ZipArchive;

// The text of an EPUB (2 or 3) archive in reading order: META-INF/container.xml names the
// package, whose spine lists the content documents, each read as XhtmlReader does.
// Refuses an EPUB whose content is encrypted (DRM), or whose spine names a file it does
// not hold.
// @throws ImportRefusal
void ReadEpub(ZipArchive& archive, ParagraphText& text);

// A path as the archive names it: href resolved against the folder of the file that holds
// it (base, a member name), its fragment dropped, %XX escapes read, "." and ".." followed.
[[nodiscard]] std::string ResolveHref(std::string_view base, std::string_view href);

}  // namespace velmora
