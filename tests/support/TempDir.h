#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora::test {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes. Optionally made the current directory for its lifetime.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const noexcept { return path_; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const;

    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    // The same in any folder.
    static std::filesystem::path WriteIn(const std::filesystem::path& folder, std::string_view name,
                                         std::string_view bytes);

private:
    std::filesystem::path path_;
};

// Makes a folder the current directory until the object goes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& folder);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path previous_;
};

// The whole content of a file as bytes; empty when it cannot be read.
[[nodiscard]] std::string ReadAll(const std::filesystem::path& file);

}  // namespace velmora::test
