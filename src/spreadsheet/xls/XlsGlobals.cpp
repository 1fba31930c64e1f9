#include "XlsGlobals.h"

#include "BiffTextDecoder.h"
#include "XlsRecordIds.h"
#include "spreadsheet/NumberFormat.h"

#include <string>

namespace orvanto::spreadsheet {

namespace {

// Sheet and XF indexes are 16-bit; more entries than that can only come from a damaged file.
constexpr std::size_t kMaxEntries = 0x10000;
// Ids from here on are the workbook's own formats, never built-ins.
constexpr int kFirstCustomFormat = 164;
// Excel's own limit for a format code; longer ones are damaged and not kept.
constexpr std::size_t kMaxFormatCode = 255;

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
        return true;
    default:
        return false;
    }
}

std::string offsetText(const BiffRecord& record) {
    return std::to_string(record.offset);
}

core::Failure shortRecord(const BiffRecord& record, const char* what) {
    return core::errors::loadFailure(std::string("short ") + what + " record at offset " +
                                     offsetText(record));
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

core::Result<XlsGlobals> readXlsGlobals(BiffRecordCursor& cursor) {
    auto first = cursor.next();
    if (!first) {
        return first.failure();
    }
    if (!*first) {
        return core::errors::loadFailure("empty workbook stream");
    }
    const BiffRecord bof = **first;
    if (bof.id == biff::kBofBiff2 || bof.id == biff::kBofBiff3 || bof.id == biff::kBofBiff4) {
        return core::errors::loadFailure("BIFF version not supported");
    }
    if (bof.id != biff::kBof) {
        return core::errors::loadFailure("workbook stream does not start with a BOF record");
    }
    if (bof.data.size() < 4) {
        return shortRecord(bof, "BOF");
    }
    XlsGlobals globals;
    const std::uint16_t version = readU16(bof.data, 0);
    if (version == biff::kBiff8Version) {
        globals.biff8 = true;
    } else if (version == biff::kBiff5Version) {
        globals.biff8 = false;
    } else {
        return core::errors::loadFailure("BIFF version not supported");
    }
    if (readU16(bof.data, 2) != biff::kGlobalsSubstream) {
        return core::errors::loadFailure("workbook stream does not start with workbook globals");
    }

    // The code page comes before any text in the globals, but keep the raw format codes
    // until the end so their order does not matter.
    struct RawFormat {
        std::uint16_t id;
        std::vector<std::uint8_t> data;
    };
    std::vector<RawFormat> rawFormats;
    bool window1Seen = false;
    for (;;) {
        auto next = cursor.next(globalsRecordWanted);
        if (!next) {
            return next.failure();
        }
        if (!*next) {
            return core::errors::loadFailure("workbook globals end without an EOF record");
        }
        const BiffRecord& record = **next;
        const auto& data = record.data;
        switch (record.id) {
        case biff::kEof: {
            BiffTextDecoder text(globals.codePage);
            for (const RawFormat& raw : rawFormats) {
                auto code = text.readRecordString(raw.data, 2, globals.biff8, !globals.biff8);
                if (code && code->size() <= kMaxFormatCode * 4) {
                    globals.formatCodes[raw.id] = std::move(*code);
                }
            }
            return globals;
        }
        case biff::kFilePass:
            return core::errors::loadFailure("workbook is encrypted");
        case biff::kBof:
            return core::errors::loadFailure(
                "unexpected BOF record in workbook globals at offset " + offsetText(record));
        case biff::kCodePage:
            if (data.size() < 2) {
                return shortRecord(record, "CODEPAGE");
            }
            globals.codePage = readU16(data, 0);
            break;
        case biff::kDateMode:
            if (data.size() < 2) {
                return shortRecord(record, "DATEMODE");
            }
            globals.date1904 = readU16(data, 0) != 0;
            break;
        case biff::kWindow1:
            // Only the first window counts: it is the one Excel opens.
            if (!window1Seen) {
                if (data.size() < 12) {
                    return shortRecord(record, "WINDOW1");
                }
                globals.activeSheet = readU16(data, 10);
                window1Seen = true;
            }
            break;
        case biff::kBoundSheet: {
            if (data.size() < 6) {
                return shortRecord(record, "BOUNDSHEET");
            }
            if (globals.sheets.size() >= kMaxEntries) {
                return core::errors::loadFailure("too many sheets");
            }
            XlsSheet sheet;
            sheet.offset = readU32(data, 0);
            sheet.hidden = (data[4] & 0x03) != 0;
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
            globals.sheets.push_back(sheet);
            break;
        }
        case biff::kFormat:
            if (data.size() < 3) {
                return shortRecord(record, "FORMAT");
            }
            if (rawFormats.size() < kMaxEntries && data.size() <= kMaxFormatCode * 2 + 5) {
                rawFormats.push_back({readU16(data, 0), {data.begin(), data.end()}});
            }
            break;
        case biff::kXf:
            if (data.size() < 4) {
                return shortRecord(record, "XF");
            }
            if (globals.xfFormats.size() >= kMaxEntries) {
                return core::errors::loadFailure("too many XF records");
            }
            globals.xfFormats.push_back(readU16(data, 2));
            break;
        case biff::kSst:
            if (!globals.sstOffset) {
                globals.sstOffset = record.offset;
            }
            break;
        default:
            break;
        }
    }
}

} // namespace orvanto::spreadsheet
