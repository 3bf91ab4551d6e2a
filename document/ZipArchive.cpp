#include "document/ZipArchive.h"

#include "document/ImportRefusal.h"

#include <zip.h>

#include <utility>

namespace velmora {

ZipArchive::ZipArchive(std::string bytes, std::string kind, std::uint64_t unpackBudget)
    : bytes_(std::move(bytes)), kind_(std::move(kind)), budget_(unpackBudget) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        throw ImportRefusal(Damaged());
    }
    archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    int code = zip_error_code_zip(&error);
    if (code == ZIP_ER_NOZIP && bytes_.starts_with("PK\x03\x04")) {
        code = ZIP_ER_INCONS;  // a ZIP archive's start without its end: cut short
    }
    zip_error_fini(&error);
    if (archive_ == nullptr) {
        zip_source_free(source);
        Refuse(code);
    }
}

ZipArchive::~ZipArchive() {
    if (archive_ != nullptr) {
        zip_discard(archive_);
    }
}

std::string ZipArchive::Damaged() const {
    return "This " + kind_ + " document is damaged or cut short, so Velmora cannot unpack it.";
}

std::string ZipArchive::TooBig() const {
    return "This " + kind_ +
           " document unpacks to far more than its own size, as a ZIP bomb does, so Velmora "
           "stopped reading it.";
}

void ZipArchive::Refuse(int zipError) const {
    switch (zipError) {
    case ZIP_ER_NOZIP:
        throw ImportRefusal("This file is not a ZIP archive, as every " + kind_ +
                            " document is, so Velmora cannot read it as one.");
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        throw ImportRefusal("This " + kind_ + " document is protected with a password.");
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_MULTIDISK:
        throw ImportRefusal("This " + kind_ +
                            " document is packed in a way Velmora cannot unpack.");
    case ZIP_ER_MEMORY:
        throw ImportRefusal("There is not enough memory to unpack this " + kind_ + " document.");
    default:
        throw ImportRefusal(Damaged());
    }
}

bool ZipArchive::Has(std::string_view name) const {
    return zip_name_locate(archive_, std::string(name).c_str(), 0) >= 0;
}

ZipArchive::Member::Member(ZipArchive& archive, std::string_view name)
    : archive_(archive), name_(name) {
    const zip_int64_t index = zip_name_locate(archive_.archive_, name_.c_str(), 0);
    if (index < 0) {
        throw ImportRefusal("This " + archive_.kind_ + " document has no " + name_ +
                            ", which it needs.");
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_.archive_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > archive_.budget_) {
        throw ImportRefusal(archive_.TooBig());
    }
    file_ = zip_fopen_index(archive_.archive_, static_cast<zip_uint64_t>(index), 0);
    if (file_ == nullptr) {
        archive_.Refuse(zip_error_code_zip(zip_get_error(archive_.archive_)));
    }
}

ZipArchive::Member::~Member() { zip_fclose(file_); }

std::size_t ZipArchive::Member::Read(char* buffer, std::size_t count) {
    const zip_int64_t got = zip_fread(file_, buffer, count);
    if (got < 0) {
        archive_.Refuse(zip_error_code_zip(zip_file_get_error(file_)));
    }
    const auto read = static_cast<std::uint64_t>(got);
    if (read > archive_.budget_) {
        throw ImportRefusal(archive_.TooBig());
    }
    archive_.budget_ -= read;
    return static_cast<std::size_t>(read);
}

std::string ZipArchive::ReadAll(std::string_view name) {
    Member member(*this, name);
    std::string bytes;
    constexpr std::size_t kChunk = std::size_t{64} * 1024;
    for (;;) {
        const std::size_t size = bytes.size();
        bytes.resize(size + kChunk);
        const std::size_t got = member.Read(bytes.data() + size, kChunk);
        bytes.resize(size + got);
        if (got == 0) {
            return bytes;
        }
    }
}

}  // namespace velmora
