#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct zip;
struct zip_file;

namespace velmora {

// A ZIP archive held in memory, read-only, whose members are unpacked within one budget
// shared by all of them: an archive that unpacks to more is refused as a ZIP bomb. Every
// failure is an ImportRefusal naming the document's kind ("EPUB", "DOCX", "ODT").
class ZipArchive {
public:
    // @throws ImportRefusal when bytes are not a readable ZIP archive.
    ZipArchive(std::string bytes, std::string kind, std::uint64_t unpackBudget);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    [[nodiscard]] bool Has(std::string_view name) const;

    // One member, read bit by bit through Read; the archive must outlive it.
    class Member {
    public:
        Member(ZipArchive& archive, std::string_view name);
        ~Member();
        Member(const Member&) = delete;
        Member& operator=(const Member&) = delete;

        // Up to count bytes; 0 at the end. @throws ImportRefusal.
        std::size_t Read(char* buffer, std::size_t count);

    private:
        ZipArchive& archive_;
        std::string name_;
        zip_file* file_ = nullptr;
    };

    // A whole member. @throws ImportRefusal when it is missing, damaged or over budget.
    [[nodiscard]] std::string ReadAll(std::string_view name);

    [[nodiscard]] const std::string& Kind() const noexcept { return kind_; }

    // Sentences for the refusals every format shares.
    [[nodiscard]] std::string Damaged() const;
    [[nodiscard]] std::string TooBig() const;

private:
    [[noreturn]] void Refuse(int zipError) const;

    std::string bytes_;
    std::string kind_;
    std::uint64_t budget_;
    zip* archive_ = nullptr;
};

}  // namespace velmora
