#include "XlsGlobals.h"

#include "BiffTextDecoder.h"
#include "XlsReader.h"
#include "XlsRecordIds.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/NumberFormat.h"
#include "spreadsheet/ReadLimits.h"

#include <string>

namespace orvanto::spreadsheet {

namespace {

using limits::kXlsIndexedEntries;
// Ids from here on are the workbook's own formats, never built-ins.
constexpr int kFirstCustomFormat = 164;
// A FORMAT record: id, character count, flags, then at most two bytes a character.
constexpr std::size_t kMaxFormatRecord = 5 + 2 * limits::kFormatCodeBytes;

// The globals records whose contents matter; the rest, the shared string table above all,
// are only walked past.
bool globalsRecordWanted(std::uint16_t id) {
    switch (id) {
    case biff::kEof:
    case biff::kFilePass:
    case biff::kBof:
    case biff::kCodePage:
    case biff::kDateMode:
    case biff::kWindow1:
    case biff::kBoundSheet:
    case biff::kFormat:
    case biff::kXf:
    case biff::kSupBook:
    case biff::kExternSheet:
    case biff::kExternName:
    case biff::kName:
        return true;
    default:
        return false;
    }
}

std::string offsetText(const BiffRecord& record) {
    return std::to_string(record.offset);
}

core::Failure shortRecord(const BiffRecord& record, const char* what) {
    return loadFailure(core::Status::Damaged, "the workbook globals",
                       std::string("short ") + what + " record at offset " + offsetText(record));
}

} // namespace

FormatKind XlsGlobals::formatOf(std::uint16_t xf) const {
    if (xf >= xfFormats.size()) {
        return FormatKind::General;
    }
    const std::uint16_t id = xfFormats[xf];
    auto code = formatCodes.find(id);
    if (code == formatCodes.end()) {
        return classifyFormat(id, {});
    }
    // A FORMAT record defines its id's format by the code it spells out, whatever a
    // built-in of that number would be: Gnumeric numbers its own formats from 50, where
    // the East Asian date built-ins lie. Classify it as the custom format it is.
    return classifyFormat(kFirstCustomFormat, code->second);
}

namespace {

// The records of the globals substream, one handler each, filling in globals as they come.
class GlobalsReader {
  public:
    explicit GlobalsReader(ReadBudget& budget) : m_budget(budget) {}

    core::Result<void> checkBof(const BiffRecord& bof) {
        if (isExcel2To4Bof(bof.id)) {
            return excel2To4Workbook();
        }
        if (bof.id != biff::kBof) {
            return loadFailure(core::Status::Damaged, "the workbook stream",
                               "it does not start with a BOF record");
        }
        if (bof.data.size() < 4) {
            return shortRecord(bof, "BOF");
        }
        const std::uint16_t version = readU16(bof.data, 0);
        if (version == biff::kBiff8Version) {
            m_globals.biff8 = true;
        } else if (version == biff::kBiff5Version) {
            m_globals.biff8 = false;
        } else {
            return loadFailure(core::Status::UnsupportedFormat, "this BIFF version",
                               "version " + std::to_string(version));
        }
        if (readU16(bof.data, 2) != biff::kGlobalsSubstream) {
            return loadFailure(core::Status::Damaged, "the workbook stream",
                               "it does not start with the workbook globals");
        }
        return {};
    }

    core::Result<void> handle(const BiffRecord& record) {
        switch (record.id) {
        case biff::kFilePass:
            return loadFailure(core::Status::Encrypted);
        case biff::kBof:
            return loadFailure(core::Status::Damaged, "the workbook globals",
                               "unexpected BOF record at offset " + offsetText(record));
        case biff::kCodePage:
            return codePage(record);
        case biff::kDateMode:
            return dateMode(record);
        case biff::kWindow1:
            return window1(record);
        case biff::kBoundSheet:
            return boundSheet(record);
        case biff::kFormat:
            return format(record);
        case biff::kXf:
            return xf(record);
        case biff::kSupBook:
        case biff::kExternSheet:
        case biff::kExternName:
        case biff::kName:
            return keepLinkRecord(record);
        case biff::kSst:
            if (!m_globals.sstOffset) {
                m_globals.sstOffset = record.offset;
            }
            return {};
        default:
            return {};
        }
    }

    // At the EOF record: the format codes and names, now that the code page is known whatever
    // the order. The raw records go back to the budget once their text is kept.
    core::Result<XlsGlobals> finish() {
        BiffTextDecoder text(m_globals.codePage);
        for (const RawFormat& raw : m_rawFormats) {
            auto code = text.readRecordString(raw.data, 2, m_globals.biff8, !m_globals.biff8);
            if (!code || code->size() > limits::kFormatCodeBytes) {
                continue; // longer than Excel allows: damaged, and the cells show general numbers
            }
            if (!m_budget.take(code->size())) {
                return ReadBudget::spent();
            }
            m_globals.formatCodes[raw.id] = std::move(*code);
        }
        auto links = buildLinkTable(m_linkRecords, m_globals.biff8, text, m_budget);
        if (!links) {
            return links.failure();
        }
        m_globals.links = std::move(links).value();
        m_rawFormats = {};
        m_linkRecords = {};
        m_budget.giveBack(m_rawBytes);
        m_rawBytes = 0;
        return std::move(m_globals);
    }

  private:
    core::Result<void> codePage(const BiffRecord& record) {
        if (record.data.size() < 2) {
            return shortRecord(record, "CODEPAGE");
        }
        m_globals.codePage = readU16(record.data, 0);
        return {};
    }

    core::Result<void> dateMode(const BiffRecord& record) {
        if (record.data.size() < 2) {
            return shortRecord(record, "DATEMODE");
        }
        m_globals.date1904 = readU16(record.data, 0) != 0;
        return {};
    }

    core::Result<void> window1(const BiffRecord& record) {
        // Only the first window counts: it is the one Excel opens.
        if (m_window1Seen) {
            return {};
        }
        if (record.data.size() < 12) {
            return shortRecord(record, "WINDOW1");
        }
        m_globals.activeSheet = readU16(record.data, 10);
        m_window1Seen = true;
        return {};
    }

    core::Result<void> boundSheet(const BiffRecord& record) {
        const auto& data = record.data;
        if (data.size() < 6) {
            return shortRecord(record, "BOUNDSHEET");
        }
        if (m_globals.sheets.size() >= kXlsIndexedEntries) {
            return loadFailure(core::Status::TooLarge, "the sheet list",
                               "more than " + std::to_string(kXlsIndexedEntries) + " sheets");
        }
        if (!m_budget.take(sizeof(XlsSheet))) {
            return ReadBudget::spent();
        }
        XlsSheet sheet;
        sheet.offset = readU32(data, 0);
        switch (data[5]) {
        case 0x00:
            sheet.type = XlsSheet::Type::Worksheet;
            break;
        case 0x01:
            sheet.type = XlsSheet::Type::MacroSheet;
            break;
        case 0x02:
            sheet.type = XlsSheet::Type::Chart;
            break;
        default:
            sheet.type = XlsSheet::Type::VbModule;
            break;
        }
        m_globals.sheets.push_back(sheet);
        return keepLinkRecord(record); // for the sheet's name
    }

    // Keeps a record's bytes until the end of the globals, charged to the budget meanwhile
    // with the entry that holds them: tiny records are many entries.
    core::Result<void> keepRaw(const BiffRecord& record) {
        const std::size_t bytes = sizeof(RawBiffRecord) + record.data.size();
        if (!m_budget.take(bytes)) {
            return ReadBudget::spent();
        }
        m_rawBytes += bytes;
        return {};
    }

    core::Result<void> keepLinkRecord(const BiffRecord& record) {
        if (m_linkRecords.size() >= limits::kXlsLinkRecords) {
            return {};
        }
        if (auto kept = keepRaw(record); !kept) {
            return kept;
        }
        m_linkRecords.push_back({record.id, {record.data.begin(), record.data.end()}});
        return {};
    }

    core::Result<void> format(const BiffRecord& record) {
        const auto& data = record.data;
        if (data.size() < 3) {
            return shortRecord(record, "FORMAT");
        }
        if (m_rawFormats.size() >= kXlsIndexedEntries || data.size() > kMaxFormatRecord) {
            return {};
        }
        if (auto kept = keepRaw(record); !kept) {
            return kept;
        }
        m_rawFormats.push_back({readU16(data, 0), {data.begin(), data.end()}});
        return {};
    }

    core::Result<void> xf(const BiffRecord& record) {
        if (record.data.size() < 4) {
            return shortRecord(record, "XF");
        }
        if (m_globals.xfFormats.size() >= kXlsIndexedEntries) {
            return loadFailure(core::Status::TooLarge, "the cell formats",
                               "more than " + std::to_string(kXlsIndexedEntries) + " XF records");
        }
        if (!m_budget.take(sizeof(std::uint16_t))) {
            return ReadBudget::spent();
        }
        m_globals.xfFormats.push_back(readU16(record.data, 2));
        return {};
    }

    // The code page comes before any text in the globals, but keep the raw format codes
    // until the end so their order does not matter.
    struct RawFormat {
        std::uint16_t id;
        std::vector<std::uint8_t> data;
    };

    ReadBudget& m_budget;
    XlsGlobals m_globals;
    std::vector<RawFormat> m_rawFormats;
    std::vector<RawBiffRecord> m_linkRecords;
    std::size_t m_rawBytes = 0; // of both lists, charged until finish()
    bool m_window1Seen = false;
};

} // namespace

core::Result<XlsGlobals> readXlsGlobals(BiffRecordCursor& cursor, ReadBudget& budget) {
    auto first = cursor.next();
    if (!first) {
        return first.failure();
    }
    if (!*first) {
        return loadFailure(core::Status::Damaged, "the workbook stream", "it is empty");
    }
    GlobalsReader reader(budget);
    if (auto bof = reader.checkBof(**first); !bof) {
        return bof.failure();
    }
    for (;;) {
        auto next = cursor.next(globalsRecordWanted);
        if (!next) {
            return next.failure();
        }
        if (!*next) {
            return loadFailure(core::Status::Damaged, "the workbook globals",
                               "they end without an EOF record");
        }
        if ((*next)->id == biff::kEof) {
            return reader.finish();
        }
        if (auto handled = reader.handle(**next); !handled) {
            return handled.failure();
        }
    }
}

} // namespace orvanto::spreadsheet
