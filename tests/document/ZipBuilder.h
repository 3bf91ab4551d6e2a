#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

// One member of an archive made for a test: its name and bytes.
struct ZipMember {
    std::string name;
    std::string bytes;
};

// A ZIP archive in memory, made with libzip as document producers make theirs (deflated,
// the first member stored when it is "mimetype"). Aborts the test program on failure.
[[nodiscard]] std::string MakeZip(const std::vector<ZipMember>& members);

}  // namespace velmora::test
