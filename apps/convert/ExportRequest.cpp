#include "apps/convert/ExportRequest.h"

#include "export/Export.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

constexpr std::string_view kExportOption = "--export";
constexpr std::string_view kPaperOption = "--paper=";
constexpr std::array<ExportFormat, 3> kAllFormats = {ExportFormat::Fountain, ExportFormat::Fdx,
                                                     ExportFormat::Pdf};

void Add(std::vector<ExportFormat>& formats, ExportFormat format) {
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) {
        formats.push_back(format);
    }
}

// The formats LIST names; an error when one of them is none.
std::string ReadList(std::string_view list, std::vector<ExportFormat>& formats) {
    if (list.empty()) {
        return "option '--export' needs a list: fountain, fdx, pdf (comma-separated) or all";
    }
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        if (name == "all") {
            for (const ExportFormat format : kAllFormats) {
                Add(formats, format);
            }
        } else if (const auto format = ExportFormatNamed(name)) {
            Add(formats, *format);
        } else {
            return "option '--export' takes fountain, fdx, pdf (comma-separated) or all, not '" +
                   std::string(name) + "'";
        }
        if (comma == std::string_view::npos) {
            return {};
        }
        list.remove_prefix(comma + 1);
    }
}

}  // namespace

bool ReadExportOption(std::string_view argument, ExportRequest& request, std::string& error) {
    error.clear();
    if (argument == "--existing") {
        request.existing = true;
        return true;
    }
    if (argument.starts_with(kPaperOption)) {
        const std::string_view paper = argument.substr(kPaperOption.size());
        if (paper == "a4") {
            request.paper = PaperSize::A4;
        } else if (paper == "letter") {
            request.paper = PaperSize::Letter;
        } else {
            error = "option '--paper' takes a4 or letter";
        }
        return true;
    }
    if (argument == kExportOption) {
        error = "option '--export' needs a list: --export=fountain,fdx,pdf or --export=all";
        return true;
    }
    if (argument.starts_with(kExportOption) && argument[kExportOption.size()] == '=') {
        error = ReadList(argument.substr(kExportOption.size() + 1), request.formats);
        return true;
    }
    return false;
}

std::string ExportOptionsConflict(const ExportRequest& request, bool namesGiven,
                                  bool continueGiven) {
    if (!request.existing) {
        return {};
    }
    if (request.formats.empty()) {
        return "option '--existing' needs '--export=LIST'";
    }
    if (namesGiven || continueGiven) {
        return std::string("option '--existing' changes no script, so it takes no '") +
               (namesGiven ? "--names" : "--continue") + "'";
    }
    return {};
}

}  // namespace velmora
