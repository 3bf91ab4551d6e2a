#include "tests/document/ZipBuilder.h"

#include <zip.h>

#include <cstdio>
#include <cstdlib>

namespace velmora::test {
namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "MakeZip: %s failed\n", what);
    std::abort();
}

}  // namespace

std::string MakeZip(const std::vector<ZipMember>& members) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer == nullptr) {
        Fail("zip_source_buffer_create");
    }
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        Fail("zip_open_from_source");
    }
    for (const ZipMember& member : members) {
        zip_source_t* source =
            zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(archive, member.name.c_str(), source, 0);
        if (index < 0) {
            Fail("zip_file_add");
        }
        const zip_int32_t method = member.name == "mimetype" ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0);
    }
    if (zip_close(archive) != 0) {
        Fail("zip_close");
    }
    std::string bytes;
    if (zip_source_open(buffer) != 0 || zip_source_seek(buffer, 0, SEEK_END) != 0) {
        Fail("zip_source_open");
    }
    const zip_int64_t size = zip_source_tell(buffer);
    bytes.resize(static_cast<std::size_t>(size));
    if (zip_source_seek(buffer, 0, SEEK_SET) != 0 ||
        zip_source_read(buffer, bytes.data(), bytes.size()) != size) {
        Fail("zip_source_read");
    }
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

}  // namespace velmora::test
