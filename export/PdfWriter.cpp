#include "export/PdfWriter.h"

#include "export/ExportProblem.h"
#include "export/PdfFonts.h"
#include "export/PdfLayout.h"
#include "text/Encoding.h"
#include "text/Utf8.h"

#include <hpdf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <new>
#include <string_view>

namespace velmora {
namespace {

// The PDF's own Courier in each style, for the characters of Windows-1252.
constexpr std::array<const char*, 3> kCourier = {"Courier", "Courier-Oblique", "Courier-Bold"};
constexpr const char* kCourierEncoding = "WinAnsiEncoding";

std::size_t StyleIndex(TextStyle style) { return static_cast<std::size_t>(style); }

// The library reports errors through a callback, which must not throw through its C
// frames: the first error is kept and thrown once the call has returned.
struct ErrorRecord {
    HPDF_STATUS error = HPDF_OK;
    HPDF_STATUS detail = 0;
};

void RecordError(HPDF_STATUS error, HPDF_STATUS detail, void* data) {
    auto* record = static_cast<ErrorRecord*>(data);
    if (record->error == HPDF_OK) {
        record->error = error;
        record->detail = detail;
    }
}

struct DocFree {
    void operator()(HPDF_Doc doc) const { HPDF_Free(doc); }
};
using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocFree>;

// A run of one line's text that one font draws.
struct Run {
    bool fallback = false;
    std::size_t begin = 0;  // characters before it in the line
    std::string bytes;      // Windows-1252 for Courier, UTF-8 for the fallback
};

std::vector<Run> RunsOf(std::string_view text) {
    std::vector<Run> runs;
    std::size_t count = 0;
    while (!text.empty()) {
        const Utf8Step step = DecodeUtf8(text);
        const auto byte = step.valid ? Windows1252Byte(step.character) : std::nullopt;
        const bool fallback = !byte.has_value();
        if (runs.empty() || runs.back().fallback != fallback) {
            runs.push_back({fallback, count, {}});
        }
        if (fallback && step.valid && step.character > 0xFFFF) {
            // The library's UTF-8 reaches only as far as U+FFFF: past it, the replacement
            // character shows where a character was rather than nothing.
            runs.back().bytes += "\xEF\xBF\xBD";
        } else if (fallback) {
            runs.back().bytes += text.substr(0, step.length);
        } else {
            runs.back().bytes += *byte;
        }
        text.remove_prefix(step.length);
        ++count;
    }
    return runs;
}

class PdfMaker {
public:
    PdfMaker(const PdfFonts& fonts) : fonts_(fonts) {
        doc_.reset(HPDF_New(RecordError, &errors_));
        if (!doc_) {
            throw std::bad_alloc();
        }
        HPDF_SetCompressionMode(doc_.get(), HPDF_COMP_ALL);
        HPDF_UseUTFEncodings(doc_.get());
        Check();
    }

    void SetTitle(const std::string& title) {
        HPDF_SetInfoAttr(doc_.get(), HPDF_INFO_CREATOR, "Velmora");
        const bool ascii = std::all_of(title.begin(), title.end(), [](char byte) {
            return static_cast<unsigned char>(byte) >= 0x20 &&
                   static_cast<unsigned char>(byte) < 0x7F;
        });
        if (ascii && !title.empty()) {
            HPDF_SetInfoAttr(doc_.get(), HPDF_INFO_TITLE, title.c_str());
        }
        Check();
    }

    void AddPage(const LaidOutPage& laidOut, double width, double height) {
        HPDF_Page page = HPDF_AddPage(doc_.get());
        Check();
        HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(width));
        HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(height));
        HPDF_Page_BeginText(page);
        HPDF_Font current = nullptr;
        for (const PlacedLine& line : laidOut.lines) {
            for (const Run& run : RunsOf(line.text)) {
                HPDF_Font font = run.fallback ? FallbackFont(line.style) : Courier(line.style);
                if (font != current) {
                    HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(kFontSize));
                    current = font;
                }
                const double x = line.x + static_cast<double>(run.begin) * kCharacterWidth;
                HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(x),
                                  static_cast<HPDF_REAL>(height - line.y), run.bytes.c_str());
            }
        }
        HPDF_Page_EndText(page);
        Check();
    }

    std::string Bytes() {
        HPDF_SaveToStream(doc_.get());
        Check();
        std::string out(HPDF_GetStreamSize(doc_.get()), '\0');
        std::size_t filled = 0;
        while (filled < out.size()) {
            auto size = static_cast<HPDF_UINT32>(out.size() - filled);
            const HPDF_STATUS status = HPDF_ReadFromStream(
                doc_.get(), reinterpret_cast<HPDF_BYTE*>(out.data() + filled), &size);
            filled += size;
            if (status == HPDF_STREAM_EOF || size == 0) {
                break;
            }
            Check();
        }
        out.resize(filled);
        return out;
    }

private:
    void Check() {
        if (errors_.error == HPDF_OK) {
            return;
        }
        if (errors_.error == HPDF_FAILD_TO_ALLOC_MEM) {
            throw std::bad_alloc();
        }
        std::array<char, 96> code{};
        std::snprintf(code.data(), code.size(), "0x%04X, %u", static_cast<unsigned>(errors_.error),
                      static_cast<unsigned>(errors_.detail));
        throw ExportProblem(std::string("The PDF could not be made (PDF library error ") +
                            code.data() + ").");
    }

    HPDF_Font Courier(TextStyle style) {
        HPDF_Font& font = courier_.at(StyleIndex(style));
        if (font == nullptr) {
            font = HPDF_GetFont(doc_.get(), kCourier.at(StyleIndex(style)), kCourierEncoding);
            Check();
        }
        return font;
    }

    // Loaded only when a character needs it: a script Courier can draw embeds no font.
    HPDF_Font FallbackFont(TextStyle style) {
        HPDF_Font& font = fallback_.at(StyleIndex(style));
        if (font != nullptr) {
            return font;
        }
        const std::string* file = &fonts_.regular;
        if (style == TextStyle::Italic && !fonts_.italic.empty()) {
            file = &fonts_.italic;
        } else if (style == TextStyle::Bold && !fonts_.bold.empty()) {
            file = &fonts_.bold;
        }
        if (file->empty()) {
            throw ExportProblem(std::string("The script holds characters Courier cannot draw, and "
                                            "the font that draws them (") +
                                kFallbackFontFile + ") was not found.");
        }
        const char* name = HPDF_LoadTTFontFromFile(doc_.get(), file->c_str(), HPDF_TRUE);
        if (name == nullptr || errors_.error != HPDF_OK) {
            throw ExportProblem("The font " + *file + " could not be read.");
        }
        font = HPDF_GetFont(doc_.get(), name, "UTF-8");
        Check();
        KeepComponents(font);
        return font;
    }

    // The library embeds only the glyphs a script uses, and misses the parts a composed
    // glyph is drawn from ("Ύ" is an Upsilon and a tonos): it would print nothing for it.
    // Measuring every character of the scripts the font serves keeps those parts.
    static void KeepComponents(HPDF_Font font) {
        static const std::string kServed = [] {
            std::string characters;
            for (char32_t character = 0xA0; character < 0x3000; ++character) {
                AppendUtf8(characters, character);
            }
            return characters;
        }();
        (void)HPDF_Font_TextWidth(font, reinterpret_cast<const HPDF_BYTE*>(kServed.data()),
                                  static_cast<HPDF_UINT>(kServed.size()));
    }

    const PdfFonts& fonts_;
    ErrorRecord errors_;
    Document doc_;
    std::array<HPDF_Font, 3> courier_{};
    std::array<HPDF_Font, 3> fallback_{};
};

}  // namespace

std::string WritePdf(const ScriptLayout& layout, const PdfFonts& fonts, const std::string& title) {
    PdfMaker maker(fonts);
    maker.SetTitle(title);
    for (const LaidOutPage& page : layout.pages) {
        maker.AddPage(page, layout.width, layout.height);
    }
    return maker.Bytes();
}

}  // namespace velmora
