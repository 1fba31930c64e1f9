#include "OleSectorMap.h"

#include "spreadsheet/LittleEndian.h"
#include "spreadsheet/ReadLimits.h"
#include "spreadsheet/TextMatch.h"

#include <algorithm>

namespace orvanto::spreadsheet {

namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFF9;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::size_t kEntrySize = 128;
constexpr unsigned kStreamEntry = 2;
constexpr unsigned kRootEntry = 5;

} // namespace

OleSectorMap::OleSectorMap(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {
    m_headerComplete = bytes.size() >= kHeaderSize;
    if (!m_headerComplete) {
        return;
    }
    const unsigned shift = readU16(bytes, 0x1E);
    if (shift != 9 && shift != 12) {
        m_sectorSize = 0; // nothing below can be trusted
        return;
    }
    m_sectorSize = std::size_t{1} << shift;
    const std::size_t sectors = bytes.size() / m_sectorSize;
    m_sectorsInFile = static_cast<std::uint32_t>(
        std::min<std::size_t>(sectors == 0 ? 0 : sectors - 1, kLastRegularSector));
    const std::uint32_t fatSectors = readU32(bytes, 0x2C);
    const std::size_t perSector = m_sectorSize / 4;
    m_fatReach = std::uint64_t{fatSectors} * perSector;
    m_directoryStart = readU32(bytes, 0x30);
    m_miniCutoff = readU32(bytes, 0x38);
    m_miniFatStart = readU32(bytes, 0x3C);
    m_miniFatSectors = readU32(bytes, 0x40);

    for (std::size_t i = 0; i < kHeaderFatSlots && m_fat.size() < fatSectors; ++i) {
        m_fat.push_back(readU32(bytes, 0x4C + 4 * i));
    }
    // Further FAT sectors are listed in DIFAT sectors, each ending with the next one's number.
    std::uint32_t difat = readU32(bytes, 0x44);
    std::vector<bool> seen(m_sectorsInFile, false);
    while (m_fat.size() < fatSectors && difat <= kLastRegularSector) {
        if (!present(difat)) {
            m_missingDifat = difat;
            break;
        }
        if (seen[difat]) {
            break; // a loop
        }
        seen[difat] = true;
        m_difat.push_back(difat);
        const std::size_t at = (std::size_t{difat} + 1) * m_sectorSize;
        for (std::size_t i = 0; i + 1 < perSector && m_fat.size() < fatSectors; ++i) {
            m_fat.push_back(readU32(bytes, at + 4 * i));
        }
        difat = readU32(bytes, at + m_sectorSize - 4);
    }
}

std::optional<std::uint32_t> OleSectorMap::fatEntry(std::uint32_t sector) const {
    const std::size_t perSector = m_sectorSize / 4;
    const std::size_t index = sector / perSector;
    if (index >= m_fat.size() || !present(m_fat[index])) {
        return std::nullopt;
    }
    return readU32(m_bytes,
                   (std::size_t{m_fat[index]} + 1) * m_sectorSize + 4 * (sector % perSector));
}

bool OleSectorMap::pastEndButDeclared(std::uint32_t sector,
                                      std::optional<std::uint32_t> expected) const {
    if (sector > kLastRegularSector || sector >= m_fatReach) {
        return false; // a number no FAT slot stands for: damage, not a cut
    }
    const auto entry = fatEntry(sector);
    if (!entry) {
        return declaresMoreThanFile(); // its FAT slot is past the end as well
    }
    return expected ? *entry == *expected : *entry != kFree;
}

bool OleSectorMap::declaresMoreThanFile() const {
    if (!m_declaresMore) {
        m_declaresMore = countDeclaredSectors() > m_sectorsInFile;
    }
    return *m_declaresMore;
}

std::uint64_t OleSectorMap::countDeclaredSectors() const {
    const std::vector<Entry> entries = directory();
    if (entries.empty()) {
        // Not even the directory's first sector is there: a cut if the header could have
        // meant the sector it names.
        const bool plausible =
            m_directoryStart <= kLastRegularSector && m_directoryStart < m_fatReach;
        return plausible ? std::uint64_t{m_sectorsInFile} + 1 : 0;
    }
    // Sectors the streams, the FAT, the DIFAT, the mini FAT and one directory sector need,
    // each stream counted up to a size no file can reach, so the sum cannot overflow.
    constexpr std::uint64_t kMaxCounted = std::uint64_t{1} << 40;
    std::uint64_t needed = m_fatReach / (m_sectorSize / 4) + m_difat.size() + m_miniFatSectors + 1;
    for (const Entry& entry : entries) {
        if (entry.type == kRootEntry || (entry.type == kStreamEntry && !usesMiniStream(entry))) {
            needed += (std::min(entry.size, kMaxCounted) + m_sectorSize - 1) / m_sectorSize;
        }
    }
    return needed;
}

bool OleSectorMap::chainCutShort(std::uint32_t start) const {
    std::uint32_t sector = start;
    for (std::uint32_t steps = 0; steps <= m_sectorsInFile; ++steps) {
        if (sector > kLastRegularSector) {
            return false;
        }
        if (!present(sector)) {
            return pastEndButDeclared(sector, std::nullopt);
        }
        const auto next = fatEntry(sector);
        if (!next) {
            // The FAT sector holding its slot is past the end (or not listed at all).
            return sector < m_fatReach && declaresMoreThanFile();
        }
        sector = *next;
    }
    return false; // a loop
}

template <class Visit> bool OleSectorMap::walk(std::uint32_t start, Visit visit) const {
    std::uint32_t sector = start;
    for (std::uint32_t steps = 0; sector != kEndOfChain; ++steps) {
        if (sector > kLastRegularSector || !present(sector) || steps > m_sectorsInFile) {
            return false;
        }
        if (!visit(sector)) {
            return true; // the visitor has seen the rest already
        }
        const auto next = fatEntry(sector);
        if (!next) {
            return false;
        }
        sector = *next;
    }
    return true;
}

std::vector<OleSectorMap::Entry> OleSectorMap::directory() const {
    std::vector<Entry> entries;
    walk(m_directoryStart, [&](std::uint32_t sector) {
        const std::size_t base = (std::size_t{sector} + 1) * m_sectorSize;
        for (std::size_t at = base; at < base + m_sectorSize; at += kEntrySize) {
            Entry entry;
            const std::size_t nameBytes = std::min<std::size_t>(readU16(m_bytes, at + 0x40), 64);
            for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
                entry.name.push_back(static_cast<char16_t>(readU16(m_bytes, at + i)));
            }
            while (!entry.name.empty() && entry.name.back() == 0) {
                entry.name.pop_back();
            }
            entry.type = m_bytes[at + 0x42];
            entry.start = readU32(m_bytes, at + 0x74);
            entry.size = readU32(m_bytes, at + 0x78);
            if (m_sectorSize != kHeaderSize) {
                entry.size |= std::uint64_t{readU32(m_bytes, at + 0x7C)} << 32;
            }
            entries.push_back(std::move(entry));
        }
        return true;
    });
    return entries;
}

const OleSectorMap::Entry* OleSectorMap::findEntry(const std::vector<Entry>& entries,
                                                   std::string_view name) const {
    for (const Entry& entry : entries) {
        if (entry.type != kStreamEntry || entry.name.size() != name.size()) {
            continue;
        }
        std::string ascii;
        for (const char16_t c : entry.name) {
            ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        if (equalsIgnoringCase(ascii, name)) {
            return &entry;
        }
    }
    return nullptr;
}

bool OleSectorMap::containerCutShort() const {
    if (!m_headerComplete) {
        return true;
    }
    if (m_sectorSize == 0) {
        return false;
    }
    if (m_missingDifat && pastEndButDeclared(*m_missingDifat, kDifatSector)) {
        return true;
    }
    for (const std::uint32_t sector : m_fat) {
        if (!present(sector) && pastEndButDeclared(sector, kFatSector)) {
            return true;
        }
    }
    return chainCutShort(m_directoryStart) ||
           (m_miniFatSectors > 0 && chainCutShort(m_miniFatStart));
}

bool OleSectorMap::streamCutShort(std::string_view name) const {
    if (containerCutShort()) {
        return true;
    }
    if (m_sectorSize == 0) {
        return false;
    }
    const std::vector<Entry> entries = directory();
    const Entry* stream = findEntry(entries, name);
    if (stream == nullptr) {
        return false;
    }
    if (!usesMiniStream(*stream)) {
        return chainCutShort(stream->start);
    }
    const auto root = std::ranges::find(entries, kRootEntry, &Entry::type);
    return root != entries.end() && chainCutShort(root->start);
}

std::optional<std::vector<std::uint8_t>> OleSectorMap::withUnusedGarbageCleared() const {
    if (!m_headerComplete || m_sectorSize == 0 || m_bytes.size() > limits::kXlsRepairedFileBytes) {
        return std::nullopt;
    }
    const std::size_t perSector = m_sectorSize / 4;
    struct Slot {
        std::uint64_t sector; // whose next sector the slot names
        std::size_t at;       // where the slot is in the file
    };
    std::vector<Slot> garbage;
    for (std::size_t index = 0; index < m_fat.size(); ++index) {
        if (!present(m_fat[index])) {
            continue;
        }
        const std::size_t base = (std::size_t{m_fat[index]} + 1) * m_sectorSize;
        for (std::size_t slot = 0; slot < perSector; ++slot) {
            const std::uint32_t value = readU32(m_bytes, base + 4 * slot);
            if (value >= m_fatReach && value < kDifatSector) {
                garbage.push_back({index * perSector + slot, base + 4 * slot});
            }
        }
    }
    if (garbage.empty()) {
        return std::nullopt;
    }

    // Every sector whose slot some chain reads: the directory, the mini FAT, the DIFAT and
    // the streams of the directory (the root's is the mini stream).
    std::vector<bool> used(m_sectorsInFile, false);
    auto mark = [&](std::uint32_t start) {
        return walk(start, [&](std::uint32_t sector) {
            if (used[sector]) {
                return false;
            }
            used[sector] = true;
            return true;
        });
    };
    mark(m_directoryStart);
    if (m_miniFatSectors > 0) {
        mark(m_miniFatStart);
    }
    for (const std::uint32_t sector : m_difat) {
        used[sector] = true;
    }
    for (const Entry& entry : directory()) {
        if (entry.type == kRootEntry || (entry.type == kStreamEntry && !usesMiniStream(entry))) {
            mark(entry.start);
        }
    }
    for (const Slot& slot : garbage) {
        if (slot.sector < used.size() && used[slot.sector]) {
            return std::nullopt; // a chain in use runs into it: the file is damaged
        }
    }
    std::vector<std::uint8_t> copy(m_bytes.begin(), m_bytes.end());
    for (const Slot& slot : garbage) {
        std::fill_n(copy.begin() + static_cast<std::ptrdiff_t>(slot.at), 4, std::uint8_t{0xFF});
    }
    return copy;
}

} // namespace orvanto::spreadsheet
