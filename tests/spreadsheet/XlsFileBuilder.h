// Builds small .xls files in memory for tests: BIFF records, a workbook stream with its
// sheets, and the OLE2 container around it (512-byte sectors, no mini stream).
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvanto::spreadsheet::testing {

using Bytes = std::vector<std::uint8_t>;

// Appends little-endian values; chains so a payload reads like its layout.
class Payload {
  public:
    Payload& u8(unsigned v) {
        m_bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Payload& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Payload& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Payload& f64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    Payload& bytes(const Bytes& b) {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
        return *this;
    }
    Payload& latin1(std::string_view s) {
        for (char c : s) {
            u8(static_cast<unsigned char>(c));
        }
        return *this;
    }
    Payload& utf16(std::u16string_view s) {
        for (char16_t c : s) {
            u16(c);
        }
        return *this;
    }
    // BIFF8 string with a 16-bit length and flags: compressed when every unit fits a byte.
    Payload& string8(std::u16string_view s) {
        const bool wide = std::ranges::any_of(s, [](char16_t c) { return c > 0xFF; });
        u16(static_cast<unsigned>(s.size())).u8(wide ? 1 : 0);
        if (wide) {
            return utf16(s);
        }
        for (char16_t c : s) {
            u8(c);
        }
        return *this;
    }
    Bytes take() { return std::move(m_bytes); }
    const Bytes& get() const { return m_bytes; }

  private:
    Bytes m_bytes;
};

inline Bytes record(std::uint16_t id, const Bytes& payload) {
    Payload p;
    p.u16(id).u16(static_cast<unsigned>(payload.size())).bytes(payload);
    return p.take();
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes cellHeader(unsigned row, unsigned column, unsigned xf = 0) {
    return Payload().u16(row).u16(column).u16(xf).take();
}

inline Bytes numberRecord(unsigned row, unsigned column, double v, unsigned xf = 0) {
    return record(0x0203, Payload().bytes(cellHeader(row, column, xf)).f64(v).take());
}
inline Bytes rkRecord(unsigned row, unsigned column, std::uint32_t rk, unsigned xf = 0) {
    return record(0x027E, Payload().bytes(cellHeader(row, column, xf)).u32(rk).take());
}
inline Bytes labelSstRecord(unsigned row, unsigned column, std::uint32_t index) {
    return record(0x00FD, Payload().bytes(cellHeader(row, column)).u32(index).take());
}
inline Bytes boolErrRecord(unsigned row, unsigned column, unsigned value, bool error) {
    return record(0x0205,
                  Payload().bytes(cellHeader(row, column)).u8(value).u8(error ? 1 : 0).take());
}
// A FORMULA record with the given 8-byte cached result and tokens; id may be one of the
// older FORMULA ids some writers put in BIFF8 sheets.
inline Bytes formulaRecord(unsigned row, unsigned column, const Bytes& result, const Bytes& tokens,
                           unsigned xf = 0, std::uint16_t id = 0x0006) {
    return record(id, Payload()
                          .bytes(cellHeader(row, column, xf))
                          .bytes(result)
                          .u16(0)
                          .u32(0)
                          .u16(static_cast<unsigned>(tokens.size()))
                          .bytes(tokens)
                          .take());
}
// Cached result of kind 0 text, 1 boolean, 2 error, 3 empty text.
inline Bytes specialResult(unsigned kind, unsigned value = 0) {
    return Payload().u8(kind).u8(0).u8(value).u8(0).u16(0).u16(0xFFFF).take();
}

struct SheetContent {
    unsigned type = 0; // BOUNDSHEET type: 0 worksheet, 1 macro sheet, 2 chart, 6 VB module
    Bytes records;     // everything between the sheet's BOF and EOF
    unsigned bofType = 0x10;
};

// A workbook stream: globals (BOF, extra records, one BOUNDSHEET a sheet, EOF), then sheets.
inline Bytes workbookStream(const Bytes& globals, const std::vector<SheetContent>& sheets,
                            bool biff8 = true) {
    const unsigned version = biff8 ? 0x0600 : 0x0500;
    auto bof = [&](unsigned type) {
        Payload p;
        p.u16(version).u16(type).u16(0x0DBB).u16(0x07CC);
        if (biff8) {
            p.u32(0).u32(6);
        }
        return record(0x0809, p.take());
    };
    auto boundSheet = [&](std::uint32_t offset, unsigned type, std::size_t index) {
        const std::string name = "Sheet" + std::to_string(index + 1);
        Payload p;
        p.u32(offset).u8(0).u8(type).u8(static_cast<unsigned>(name.size()));
        if (biff8) {
            p.u8(0);
        }
        return record(0x0085, p.latin1(name).take());
    };
    std::size_t globalsSize = bof(5).size() + globals.size() + record(0x000A, {}).size();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        globalsSize += boundSheet(0, 0, i).size();
    }
    Bytes stream = bof(5) + globals;
    std::uint32_t offset = static_cast<std::uint32_t>(globalsSize);
    Bytes body;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        stream = stream + boundSheet(offset, sheets[i].type, i);
        Bytes sheet = bof(sheets[i].bofType) + sheets[i].records + record(0x000A, {});
        offset += static_cast<std::uint32_t>(sheet.size());
        body = body + sheet;
    }
    return stream + record(0x000A, {}) + body;
}

// Where oleFile put things, for tests that damage the container.
struct OleLayout {
    std::size_t fatSectors = 0;
    std::size_t directorySector = 0;
    std::vector<std::size_t> streamStart; // first sector of each stream
};

inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::size_t kSector = 512;
inline std::size_t sectorOffset(std::size_t sector) {
    return kSector * (sector + 1);
}

// An OLE2 compound file holding the given streams in its root storage. The header's
// mini-stream cutoff is 0, so every stream, however short, lives in ordinary sectors.
inline Bytes oleFile(std::vector<std::pair<std::u16string, Bytes>> streams,
                     OleLayout* layout = nullptr, std::size_t sectorSize = kSector) {
    // 512-byte sectors (version 3) or 4096-byte ones (version 4, for streams over 7 MB).
    const std::size_t entriesPerSector = sectorSize / 4;
    auto startOf = [&](std::size_t sector) { return sectorSize * (sector + 1); };
    std::size_t dataSectors = 0;
    for (const auto& [name, data] : streams) {
        dataSectors += (data.size() + sectorSize - 1) / sectorSize;
    }
    const std::size_t entriesPerDirectorySector = sectorSize / 128;
    const std::size_t directorySectors =
        (streams.size() + entriesPerDirectorySector) / entriesPerDirectorySector;
    std::size_t fatSectors = 1;
    while (fatSectors * entriesPerSector < fatSectors + directorySectors + dataSectors) {
        ++fatSectors;
    }
    const std::size_t total = fatSectors + directorySectors + dataSectors;
    Bytes file(sectorSize * (total + 1), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    auto put16 = [&](std::size_t at, unsigned v) {
        file[at] = static_cast<std::uint8_t>(v);
        file[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    const std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(signature), std::end(signature), file.begin());
    put16(0x18, 0x3E);
    put16(0x1A, sectorSize == kSector ? 3 : 4);
    put16(0x1C, 0xFFFE);
    put16(0x1E, sectorSize == kSector ? 9 : 12);
    put16(0x20, 6);
    if (sectorSize != kSector) {
        put32(0x28, static_cast<std::uint32_t>(directorySectors));
    }
    put32(0x2C, static_cast<std::uint32_t>(fatSectors));
    put32(0x30, static_cast<std::uint32_t>(fatSectors)); // directory follows the FAT
    put32(0x38, 0);
    put32(0x3C, kEndOfChain);
    put32(0x44, kEndOfChain);
    for (std::size_t i = 0; i < 109; ++i) {
        put32(0x4C + 4 * i, i < fatSectors ? static_cast<std::uint32_t>(i) : 0xFFFFFFFF);
    }
    auto setFat = [&](std::size_t sector, std::uint32_t next) {
        put32(startOf(sector / entriesPerSector) + 4 * (sector % entriesPerSector), next);
    };
    for (std::size_t i = 0; i < fatSectors * entriesPerSector; ++i) {
        setFat(i, 0xFFFFFFFF);
    }
    for (std::size_t i = 0; i < fatSectors; ++i) {
        setFat(i, 0xFFFFFFFD);
    }
    auto chain = [&](std::size_t first, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            setFat(first + i,
                   i + 1 < count ? static_cast<std::uint32_t>(first + i + 1) : kEndOfChain);
        }
    };
    chain(fatSectors, directorySectors);

    auto entry = [&](std::size_t index, std::u16string_view name, unsigned type,
                     std::uint32_t child, std::uint32_t right, std::uint32_t start,
                     std::uint64_t size) {
        const std::size_t base = startOf(fatSectors) + 128 * index;
        for (std::size_t i = 0; i < name.size(); ++i) {
            put16(base + 2 * i, name[i]);
        }
        put16(base + 0x40, static_cast<unsigned>(2 * (name.size() + 1)));
        file[base + 0x42] = static_cast<std::uint8_t>(type);
        file[base + 0x43] = 1; // black
        put32(base + 0x44, 0xFFFFFFFF);
        put32(base + 0x48, right);
        put32(base + 0x4C, child);
        put32(base + 0x74, start);
        put32(base + 0x78, static_cast<std::uint32_t>(size));
    };
    entry(0, u"Root Entry", 5, streams.empty() ? 0xFFFFFFFF : 1, 0xFFFFFFFF, kEndOfChain, 0);
    if (layout != nullptr) {
        layout->fatSectors = fatSectors;
        layout->directorySector = fatSectors;
        layout->streamStart.clear();
    }
    std::size_t next = fatSectors + directorySectors;
    for (std::size_t i = 0; i < streams.size(); ++i) {
        const auto& [name, data] = streams[i];
        const std::size_t count = (data.size() + sectorSize - 1) / sectorSize;
        entry(i + 1, name, 2, 0xFFFFFFFF,
              i + 1 < streams.size() ? static_cast<std::uint32_t>(i + 2) : 0xFFFFFFFF,
              static_cast<std::uint32_t>(next), data.size());
        chain(next, count);
        std::copy(data.begin(), data.end(),
                  file.begin() + static_cast<std::ptrdiff_t>(startOf(next)));
        if (layout != nullptr) {
            layout->streamStart.push_back(next);
        }
        next += count;
    }
    return file;
}

inline Bytes xlsFile(const Bytes& stream, std::u16string name = u"Workbook") {
    return oleFile({{std::move(name), stream}});
}

} // namespace orvanto::spreadsheet::testing
