// The sector chains of an OLE2 compound file, read from its header, FAT and directory
// alone: to tell a file cut short from a damaged one, and to clear garbage that lies in
// FAT slots no chain uses (which libgsf refuses and lenient readers ignore).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::spreadsheet {

class OleSectorMap {
  public:
    // bytes must outlive the map.
    explicit OleSectorMap(std::span<const std::uint8_t> bytes);

    // Whether the file ends before what the container itself needs: its header, a FAT or
    // DIFAT sector, the directory or the mini-stream tables. Only a link that the rest of
    // the file agrees with counts: a sector past the end that the FAT marks as in use (or
    // whose FAT entry is itself cut off), never a wild number.
    bool containerCutShort() const;
    // The same for the container and the stream named name (ASCII, any case) as well.
    bool streamCutShort(std::string_view name) const;

    // A copy of the file whose FAT slots that hold neither a sector of the FAT's reach nor
    // a marker are set free, when every such slot lies outside all chains the directory
    // uses; nothing when there is no such slot or one lies on a used chain.
    std::optional<std::vector<std::uint8_t>> withUnusedGarbageCleared() const;

  private:
    struct Entry {
        std::u16string name;
        unsigned type = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };

    std::optional<std::uint32_t> fatEntry(std::uint32_t sector) const;
    bool present(std::uint32_t sector) const { return sector < m_sectorsInFile; }
    bool pastEndButDeclared(std::uint32_t sector, std::optional<std::uint32_t> expected) const;
    bool chainCutShort(std::uint32_t start) const;
    // Whether the streams of the directory's readable part, with the FAT and the other
    // tables, need more sectors than the file has: what tells a file cut inside its FAT
    // from a FAT sector number gone wrong.
    bool declaresMoreThanFile() const;
    std::uint64_t countDeclaredSectors() const;
    // Calls visit for every sector of the chain while it stays inside the file; false when
    // it leaves the file, loops or meets a slot that is not a sector or its end.
    template <class Visit> bool walk(std::uint32_t start, Visit visit) const;
    std::vector<Entry> directory() const;
    const Entry* findEntry(const std::vector<Entry>& entries, std::string_view name) const;
    bool usesMiniStream(const Entry& entry) const { return entry.size < m_miniCutoff; }

    std::span<const std::uint8_t> m_bytes;
    bool m_headerComplete = false;
    std::size_t m_sectorSize = 512;
    std::uint32_t m_sectorsInFile = 0;           // whole sectors after the header
    std::uint64_t m_fatReach = 0;                // sectors the FAT has slots for
    std::vector<std::uint32_t> m_fat;            // sectors holding the FAT, in order
    std::vector<std::uint32_t> m_difat;          // sectors holding the DIFAT beyond the header
    std::optional<std::uint32_t> m_missingDifat; // a DIFAT sector past the end
    mutable std::optional<bool> m_declaresMore;  // worked out once, when first asked
    std::uint32_t m_directoryStart = 0;
    std::uint32_t m_miniFatStart = 0;
    std::uint32_t m_miniFatSectors = 0;
    std::uint32_t m_miniCutoff = 4096;
};

} // namespace orvanto::spreadsheet
