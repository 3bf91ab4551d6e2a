#include "fuzz/support/ScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

namespace velmora::fuzz {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "fuzz harness: %s %s\n", what, path.c_str());
    std::abort();
}

std::string MemoryBackedTempFolder() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error)) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path().string();
}

}  // namespace

ScratchFile::ScratchFile(std::string_view name) {
    std::string pattern = MemoryBackedTempFolder() + "/velmora-fuzz-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        Fail("cannot create a folder like", pattern);
    }
    folder_ = buffer.data();
    path_ = folder_ + "/" + std::string(name);
}

ScratchFile::~ScratchFile() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

void ScratchFile::Write(std::string_view bytes) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        Fail("cannot write", path_);
    }
}

std::string ScratchFile::Read() const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        Fail("cannot read", path_);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace velmora::fuzz
