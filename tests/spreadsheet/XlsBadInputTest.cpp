// Damaged, hostile and mislabelled .xls input: each is a clean load failure with its reason,
// never a crash, a hang or a huge allocation.
#include "TestFiles.h"
#include "XlsFileBuilder.h"
#include "spreadsheet/xls/XlsReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvanto::spreadsheet {
namespace {

using namespace testing;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string dataFile(const std::string& name) {
    return std::string(ORVANTO_TEST_DATA) + "/" + name;
}

using core::Status;

void expectLoadFailure(const core::Result<WorkbookCells>& result, Status status) {
    ASSERT_FALSE(result.ok()) << "loaded";
    EXPECT_EQ(result.failure().status, status) << result.failure().detail;
    EXPECT_TRUE(isOneShortLine(result.failure())) << result.failure().detail;
}

struct BadFile {
    std::string name;
    Status status;
};

class XlsBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(XlsBadFile, FailsWithItsReason) {
    const auto& c = GetParam();
    const Bytes bytes = readFile(dataFile("bad/" + c.name));
    ASSERT_FALSE(bytes.empty()) << c.name;
    expectLoadFailure(readXls(bytes), c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Committed, XlsBadFile,
    ::testing::Values(BadFile{"xls-truncated.xls", Status::Truncated},
                      BadFile{"xls-fat-loop.xls", Status::Damaged},
                      BadFile{"xls-sector-out-of-range.xls", Status::Damaged},
                      BadFile{"xls-no-workbook-stream.xls", Status::NotAWorkbook},
                      BadFile{"xls-sst-index-billions.xls", Status::Damaged},
                      BadFile{"xls-record-past-end.xls", Status::Damaged},
                      BadFile{"xls-encrypted.xls", Status::Encrypted},
                      BadFile{"xls-biff4.xls", Status::UnsupportedFormat},
                      BadFile{"xls-byte-flipped.xls", Status::Damaged},
                      BadFile{"xls-xlsx-renamed.xls", Status::NotAWorkbook},
                      BadFile{"xls-html-page.xls", Status::NotAWorkbook},
                      BadFile{"xls-excel2-worksheet.xls", Status::UnsupportedFormat},
                      BadFile{"xls-excel3-worksheet.xls", Status::UnsupportedFormat},
                      BadFile{"xls-excel4-worksheet.xls", Status::UnsupportedFormat}),
    [](const auto& p) {
        std::string name = p.param.name.substr(4, p.param.name.size() - 8);
        for (char& ch : name) {
            ch = ch == '-' ? '_' : ch;
        }
        return name;
    });

TEST(XlsBadInput, DeclaredStringCountIsNotTrusted) {
    // The table claims four billion strings; the cells that use it still read as saved.
    auto damaged = readXls(readFile(dataFile("bad/xls-sst-billions-declared.xls")));
    auto good = readXls(readFile(dataFile("samples/cells-lo.xls")));
    ASSERT_TRUE(damaged.ok()) << damaged.failure().detail;
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(damaged->grid, good->grid);
    EXPECT_EQ(damaged->markerColumn, good->markerColumn);
}

const std::vector<std::string> kGoodSamples = {"samples/cells-lo.xls", "samples/cells-gnumeric.xls",
                                               "samples/cells-gnumeric-biff5.xls",
                                               "samples/long-string-lo.xls"};

// Whatever a damaged file gives, it is either cells or a load failure with a reason.
void expectCleanOutcome(const core::Result<WorkbookCells>& result, const std::string& what) {
    if (!result.ok()) {
        EXPECT_TRUE(core::isLoadFailure(result.failure().status)) << what;
        EXPECT_FALSE(result.failure().detail.empty()) << what;
    }
}

TEST(XlsBadInput, EveryTruncationIsCleanAndShortFilesFail) {
    for (const auto& name : kGoodSamples) {
        const Bytes whole = readFile(dataFile(name));
        ASSERT_FALSE(whole.empty());
        for (const std::size_t length : truncationLengths(whole.size())) {
            const Bytes cut = truncatedCopy(whole, length);
            auto result = readXls(cut);
            expectCleanOutcome(result, name + " cut at " + std::to_string(length));
            if (length < 1024) { // not even the header, FAT and directory
                EXPECT_FALSE(result.ok()) << name << " cut at " << length;
            }
        }
    }
}

// A cut inside the container is named as truncated, whatever part the cut removed.
TEST(XlsBadInput, CutsInsideTheContainerAreNamedAsTruncated) {
    for (const auto& name : kGoodSamples) {
        const Bytes whole = readFile(dataFile(name));
        for (const std::size_t length : {std::size_t{4}, std::size_t{100}, std::size_t{511},
                                         std::size_t{1500}, whole.size() / 2}) {
            const auto result = readXls(truncatedCopy(whole, length));
            ASSERT_FALSE(result.ok()) << name << " cut at " << length;
            EXPECT_EQ(result.failure().status, Status::Truncated)
                << name << " cut at " << length << ": " << result.failure().detail;
        }
    }
}

TEST(XlsBadInput, FlippedBytesAreCleanFailuresOrCells) {
    std::uint32_t seed = 12345;
    auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (const auto& name : kGoodSamples) {
        const Bytes whole = readFile(dataFile(name));
        for (int round = 0; round < 300; ++round) {
            Bytes damaged = whole;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i) {
                damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
            }
            expectCleanOutcome(readXls(damaged), name + " round " + std::to_string(round));
        }
    }
}

// --- crafted containers and streams ---------------------------------------------------

Bytes oneSheet(const Bytes& globals = {}, const Bytes& cells = {}) {
    return workbookStream(globals, {{0, cells}});
}

void setFat(Bytes& file, std::size_t sector, std::uint32_t next) {
    const std::size_t at = sectorOffset(0) + 4 * sector;
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::uint8_t>(next >> (8 * i));
    }
}

TEST(XlsBadInput, FatChainLoopsAndWildSectorsFail) {
    const Bytes stream = oneSheet({}, Bytes(9000, 0) /* padding cells */);
    OleLayout layout;
    const Bytes good = oleFile({{u"Workbook", stream}}, &layout);
    const std::size_t first = layout.streamStart[0];

    struct Damage {
        std::size_t sector;
        std::uint32_t next;
    };
    for (const Damage& d : {Damage{first, static_cast<std::uint32_t>(first)},     // self loop
                            Damage{first + 3, static_cast<std::uint32_t>(first)}, // back loop
                            Damage{first, 0x7FFFFFF0u},                           // far away
                            Damage{first + 1, 0xFFFFFFFFu}}) {                    // free sector
        Bytes file = good;
        setFat(file, d.sector, d.next);
        auto result = readXls(file);
        ASSERT_FALSE(result.ok()) << "sector " << d.sector << " -> " << d.next << " (first "
                                  << first << ")";
        EXPECT_TRUE(core::isLoadFailure(result.failure().status));
    }
}

TEST(XlsBadInput, DirectoryChainLoopEnds) {
    // The one directory sector points back at itself: everything is still there, so a
    // reader may load it, but it must not go round for ever.
    OleLayout layout;
    Bytes file = oleFile({{u"Workbook", oneSheet({}, numberRecord(0, 2, 7))}}, &layout);
    setFat(file, layout.directorySector, static_cast<std::uint32_t>(layout.directorySector));
    auto result = readXls(file);
    if (result.ok()) {
        EXPECT_EQ(result->grid[0][0].number, 7);
    } else {
        EXPECT_TRUE(core::isLoadFailure(result.failure().status));
    }
}

TEST(XlsBadInput, StreamLargerThanTheFileFails) {
    OleLayout layout;
    Bytes file = oleFile({{u"Workbook", oneSheet()}}, &layout);
    // Directory entry 1 is the stream; claim 300 MB for it.
    const std::size_t sizeField = sectorOffset(layout.directorySector) + 128 + 0x78;
    const std::uint32_t huge = 300u * 1024 * 1024;
    for (int i = 0; i < 4; ++i) {
        file[sizeField + i] = static_cast<std::uint8_t>(huge >> (8 * i));
    }
    auto result = readXls(file);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(core::isLoadFailure(result.failure().status));
}

struct CraftedCase {
    std::string what;
    Bytes stream;
    Status status;
};

class XlsBadStream : public ::testing::TestWithParam<CraftedCase> {};

TEST_P(XlsBadStream, FailsWithItsReason) {
    expectLoadFailure(readXls(xlsFile(GetParam().stream)), GetParam().status);
}

Bytes bof(unsigned version, unsigned type) {
    return record(0x0809, Payload().u16(version).u16(type).u32(0).u32(0).u32(0).take());
}

Bytes boundSheet(std::uint32_t offset) {
    return record(0x0085, Payload().u32(offset).u16(0).u8(1).u8(0).latin1("S").take());
}

const Bytes kEof = record(0x000A, {});

INSTANTIATE_TEST_SUITE_P(
    Crafted, XlsBadStream,
    ::testing::Values(
        CraftedCase{"empty_stream", {}, Status::Damaged},
        CraftedCase{"not_bof", record(0x0042, Payload().u16(936).take()), Status::Damaged},
        CraftedCase{"biff2", record(0x0009, Payload().u16(2).u16(0x10).take()),
                    Status::UnsupportedFormat},
        CraftedCase{"unknown_version", bof(0x0300, 5) + kEof, Status::UnsupportedFormat},
        CraftedCase{"sheet_first", bof(0x0600, 0x10) + kEof, Status::Damaged},
        CraftedCase{"header_cut", bof(0x0600, 5) + Bytes{0x42, 0x00}, Status::Damaged},
        CraftedCase{"no_globals_eof", bof(0x0600, 5) + boundSheet(0), Status::Damaged},
        CraftedCase{"filepass",
                    bof(0x0600, 5) + record(0x002F, Payload().u16(0).u32(0).take()) + kEof,
                    Status::Encrypted},
        CraftedCase{"no_sheets", bof(0x0600, 5) + kEof, Status::NoWorksheet},
        CraftedCase{"sheet_offset_past_end", bof(0x0600, 5) + boundSheet(0x7FFFFFF0) + kEof,
                    Status::Damaged},
        CraftedCase{"sheet_offset_not_bof", bof(0x0600, 5) + boundSheet(20) + kEof,
                    Status::Damaged},
        CraftedCase{"short_window1", bof(0x0600, 5) + record(0x003D, Bytes(4, 0)) + kEof,
                    Status::Damaged},
        CraftedCase{
            "label_longer_than_record",
            oneSheet(
                {},
                record(0x0204,
                       Payload().bytes(cellHeader(0, 2)).u16(500).u8(0).latin1("short").take())),
            Status::Damaged},
        CraftedCase{"number_cut", oneSheet({}, record(0x0203, cellHeader(0, 2))), Status::Damaged},
        CraftedCase{"labelsst_without_sst", oneSheet({}, labelSstRecord(0, 2, 0)),
                    Status::MissingPart},
        CraftedCase{
            "sst_string_cut",
            oneSheet(record(0x00FC, Payload().u32(1).u32(1).u16(50).u8(0).latin1("abc").take()),
                     labelSstRecord(0, 2, 0)),
            Status::Damaged},
        CraftedCase{"sst_half_character",
                    oneSheet(record(0x00FC, Payload().u32(1).u32(1).u16(2).u8(1).u8(0x41).take()),
                             labelSstRecord(0, 2, 0)),
                    Status::Damaged},
        CraftedCase{
            "sst_runs_past_end",
            oneSheet(record(0x00FC,
                            Payload().u32(1).u32(1).u16(1).u8(0x08).u16(0xFFFF).latin1("a").take()),
                     labelSstRecord(0, 2, 0)),
            Status::Damaged},
        CraftedCase{"formula_result_kind", oneSheet({}, formulaRecord(0, 2, specialResult(9), {})),
                    Status::Damaged}),
    [](const auto& p) { return p.param.what; });

// A password-protected .xlsx or .xlsb is an OLE2 file holding the encrypted package, as
// Excel writes it with agile encryption: named as encrypted, like an encrypted .xls.
TEST(XlsBadInput, PasswordProtectedXlsxIsNamedAsEncrypted) {
    const std::string agile = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                              "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/"
                              "encryption\"><keyData saltSize=\"16\" blockSize=\"16\" "
                              "keyBits=\"256\" cipherAlgorithm=\"AES\"/></encryption>";
    const Bytes info = Payload().u16(4).u16(4).u32(0x40).latin1(agile).take();
    const Bytes package = Payload().u32(9000).u32(0).bytes(Bytes(9000, 0x5C)).take();
    const Bytes file = oleFile({{u"EncryptionInfo", info}, {u"EncryptedPackage", package}});
    expectLoadFailure(readXls(file), Status::Encrypted);
    // Without the package it is some other OLE2 file.
    expectLoadFailure(readXls(oleFile({{u"EncryptionInfo", info}})), Status::NotAWorkbook);
}

// Excel 4.0 could keep its BIFF4 stream in an OLE2 file: named, not read.
TEST(XlsBadInput, Excel4StreamInsideOle2IsNamed) {
    const Bytes stream = record(0x0409, Payload().u16(0).u16(0x0100).u16(0).take()) +
                         numberRecord(2, 1, 7) + record(0x000A, {});
    expectLoadFailure(readXls(xlsFile(stream, u"Book")), Status::UnsupportedFormat);
}

TEST(XlsBadInput, OneHugeStringCopiedIntoEveryCellIsRefused) {
    // 120 KB of shared string, 180 KB as UTF-8, asked for by all 1,614 kept cells: about
    // 290 MB of text from a file of 150 KB.
    const std::u16string half(30000, u'课');
    const Bytes table =
        record(0x00FC, Payload().u32(1).u32(1).u16(60000).u8(1).utf16(half).take()) +
        record(0x003C, Payload().u8(1).utf16(half).take());
    Bytes cells;
    for (unsigned row = 0; row < WorkbookCells::kGridRows; ++row) {
        for (unsigned column = 1; column <= 8; ++column) {
            cells = cells + labelSstRecord(row, column, 0);
        }
    }
    expectLoadFailure(readXls(xlsFile(oneSheet(table, cells))), Status::TooLarge);

    // The same string in a few cells is fine.
    auto few = readXls(xlsFile(oneSheet(table, labelSstRecord(0, 1, 0) + labelSstRecord(5, 8, 0))));
    ASSERT_TRUE(few.ok()) << few.failure().detail;
    EXPECT_EQ(few->grid[5][6].text.size(), 180000u);
}

// The names of the globals and the texts of the cells draw on one budget: 3.4 MB of names
// (twice that while their records are decoded) and 5.6 MB of cell text (one shared string
// in 700 cells) each load, both together are more than the 8 MiB a read may keep.
TEST(XlsBadInput, NamesAndCellsShareOneBudget) {
    const auto append = [](Bytes& to, const Bytes& more) {
        to.insert(to.end(), more.begin(), more.end());
    };
    const std::string name(255, 'N');
    Bytes names;
    for (int i = 0; i < 12000; ++i) {
        // options, key, name length, formula size, 0, sheet, four text lengths, flags, name
        append(names, record(0x0018, Payload()
                                         .u16(0)
                                         .u8(0)
                                         .u8(255)
                                         .u16(0)
                                         .u16(0)
                                         .u16(0)
                                         .u32(0)
                                         .u8(0)
                                         .latin1(name)
                                         .take()));
    }
    const std::string text(8000, 'x');
    const Bytes table =
        record(0x00FC, Payload().u32(700).u32(1).u16(8000).u8(0).latin1(text).take());
    Bytes cells;
    for (unsigned i = 0; i < 700; ++i) {
        append(cells, labelSstRecord(i / 7, 2 + i % 7, 0));
    }
    const auto namesAlone = readXls(xlsFile(oneSheet(names + table, numberRecord(0, 2, 7))));
    ASSERT_TRUE(namesAlone.ok()) << namesAlone.failure().detail;
    const auto cellsAlone = readXls(xlsFile(oneSheet(table, cells)));
    ASSERT_TRUE(cellsAlone.ok()) << cellsAlone.failure().detail;
    EXPECT_EQ(cellsAlone->grid[99][6].text, text);
    expectLoadFailure(readXls(xlsFile(oneSheet(names + table, cells))), Status::TooLarge);
}

TEST(XlsBadInput, ManyRecordsForOneCellKeepOneValue) {
    // Thousands of shared-string cells at one address: the last one wins, and the table
    // is asked for that one string only.
    Bytes cells;
    for (std::uint32_t i = 0; i < 5000; ++i) {
        cells = cells + labelSstRecord(0, 2, i);
    }
    cells = cells + labelSstRecord(0, 2, 1);
    const Bytes table =
        record(0x00FC, Payload().u32(2).u32(2).string8(u"zero").string8(u"one").take());
    auto result = readXls(xlsFile(oneSheet(table, cells)));
    ASSERT_TRUE(result.ok()) << result.failure().detail;
    EXPECT_EQ(result->grid[0][0].text, "one");
}

// --- truncated or damaged -------------------------------------------------------------

// Phrases libgsf words its reasons with; none may reach a message.
const char* const kLibraryPhrases[] = {
    "OLE2 signature",         "block sizes",    "Insufficient memory", "reading directory",
    "OLE2 file is invalid",   "Root directory", "duplicate input",     "Small-block",
    "block allocation table", "metabat",        "access child",        "get child"};

void expectOurWording(const core::Failure& failure, const std::string& what) {
    for (const char* phrase : kLibraryPhrases) {
        EXPECT_EQ(failure.detail.find(phrase), std::string::npos) << what << ": " << failure.detail;
    }
}

void put32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A workbook stream over several sectors, a second stream, and a third whose directory
// entry is gone (type 0) while its sectors stay: free sectors inside the file.
struct Container {
    Bytes file;
    OleLayout layout;
};

Container container() {
    Container c;
    const Bytes stream = oneSheet({}, numberRecord(0, 2, 7) + Bytes(3000, 0));
    c.file = oleFile({{u"Workbook", stream}, {u"Other", Bytes(1500, 7)}, {u"Gone", Bytes(1500, 9)}},
                     &c.layout);
    const std::size_t goneEntry = sectorOffset(c.layout.directorySector) + 3 * 128;
    c.file[goneEntry + 0x42] = 0;
    for (std::size_t s = c.layout.streamStart[2]; s < c.layout.streamStart[2] + 3; ++s) {
        setFat(c.file, s, 0xFFFFFFFF);
    }
    return c;
}

struct ContainerCase {
    std::string what;
    void (*damage)(Container&);
    std::optional<Status> status; // none: it loads, with the workbook's cells
};

class XlsContainerDamage : public ::testing::TestWithParam<ContainerCase> {};

TEST_P(XlsContainerDamage, IsTruncatedOnlyWhenShorterThanDeclared) {
    Container c = container();
    const std::size_t original = c.file.size();
    GetParam().damage(c);
    const auto result = readXls(c.file);
    if (!GetParam().status) {
        ASSERT_TRUE(result.ok()) << result.failure().detail;
        EXPECT_EQ(result->grid[0][0].number, 7);
        return;
    }
    ASSERT_FALSE(result.ok()) << "loaded";
    EXPECT_EQ(result.failure().status, *GetParam().status) << result.failure().detail;
    EXPECT_TRUE(isOneShortLine(result.failure())) << result.failure().detail;
    expectOurWording(result.failure(), GetParam().what);
    if (c.file.size() >= original) {
        EXPECT_NE(result.failure().status, Status::Truncated);
    }
}

constexpr std::uint32_t kWild = 0x7FFFFFF0;
constexpr std::uint32_t kPastEndFree = 100; // a FAT slot that no sector of the file has

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsContainerDamage,
    ::testing::Values(
        ContainerCase{"garbage_in_free_slot_inside",
                      [](Container& c) { setFat(c.file, c.layout.streamStart[2] + 1, kWild); },
                      std::nullopt},
        ContainerCase{"garbage_in_free_slot_past_end",
                      [](Container& c) { setFat(c.file, 120, 0x5A5A5A5A); }, std::nullopt},
        ContainerCase{"garbage_in_used_slot",
                      [](Container& c) { setFat(c.file, c.layout.streamStart[0] + 1, kWild); },
                      Status::Damaged},
        ContainerCase{
            "chain_to_free_sector_past_end",
            [](Container& c) { setFat(c.file, c.layout.streamStart[0] + 1, kPastEndFree); },
            Status::Damaged},
        ContainerCase{"directory_start_wild", [](Container& c) { put32(c.file, 0x30, kWild); },
                      Status::Damaged},
        ContainerCase{"directory_start_free_past_end",
                      [](Container& c) { put32(c.file, 0x30, kPastEndFree); }, Status::Damaged},
        ContainerCase{"fat_sector_wild", [](Container& c) { put32(c.file, 0x4C, kWild); },
                      Status::Damaged},
        ContainerCase{"directory_zeroed",
                      [](Container& c) {
                          std::fill_n(c.file.begin() + static_cast<std::ptrdiff_t>(
                                                           sectorOffset(c.layout.directorySector)),
                                      kSector, 0);
                      },
                      Status::Damaged},
        ContainerCase{"sector_size_impossible", [](Container& c) { c.file[0x1E] = 20; },
                      Status::Damaged},
        ContainerCase{
            "cut_inside_the_workbook_stream",
            [](Container& c) { c.file.resize(sectorOffset(c.layout.streamStart[0] + 3) + 100); },
            Status::Truncated},
        ContainerCase{"cut_with_garbage_in_free_slot",
                      [](Container& c) {
                          setFat(c.file, 120, kWild);
                          c.file.resize(sectorOffset(c.layout.streamStart[0] + 2));
                      },
                      Status::Truncated},
        ContainerCase{
            "cut_before_the_directory",
            [](Container& c) { c.file.resize(sectorOffset(c.layout.directorySector) + 17); },
            Status::Truncated}),
    [](const auto& p) { return p.param.what; });

// A file at least as long as it was is never called truncated, whatever one byte of its
// header or FAT says: the cut is a guess there, the damage is what is known.
TEST(XlsBadInput, NoFullLengthFileIsCalledTruncated) {
    for (const auto& name : kGoodSamples) {
        const Bytes whole = readFile(dataFile(name));
        const std::size_t fatSector = whole[0x4C] | whole[0x4D] << 8;
        // The header's sizes, counts and first sector numbers with three changes each;
        // every byte of the first FAT sector, used slots and unused ones, with one.
        std::vector<std::pair<std::size_t, unsigned>> changes;
        for (std::size_t at = 0x18; at < 0x8C; ++at) {
            for (const unsigned mask : {0x01u, 0x5Au, 0xFFu}) {
                changes.emplace_back(at, mask);
            }
        }
        for (std::size_t at = 0; at < kSector; ++at) {
            changes.emplace_back(sectorOffset(fatSector) + at, 0x5Au);
        }
        for (const auto& [at, mask] : changes) {
            Bytes damaged = whole;
            damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ mask);
            const auto result = readXls(damaged);
            if (!result.ok()) {
                EXPECT_NE(result.failure().status, Status::Truncated)
                    << name << " byte " << at << " ^ " << mask << ": " << result.failure().detail;
                expectOurWording(result.failure(), name);
            }
        }
    }
}

} // namespace
} // namespace orvanto::spreadsheet
