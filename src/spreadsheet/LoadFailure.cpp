#include "LoadFailure.h"

#include "ReadLimits.h"

namespace orvanto::spreadsheet {

namespace {

// Longest where or detail kept in a description; part names come from the file.
constexpr std::size_t kMaxPiece = 160;

std::size_t utf8SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// Escapes control characters and cuts after limit characters, marking the cut.
std::string oneLine(std::string_view text, std::size_t limit) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == limit) {
            out += "...";
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            const std::size_t length = std::min(utf8SequenceLength(c), text.size() - i);
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out;
}

std::string headline(core::Status status, const std::string& where) {
    using core::Status;
    const std::string subject = where.empty() ? "the workbook" : where;
    switch (status) {
    case Status::FileNotFound:
        return "file not found";
    case Status::NotAFile:
        return "is a directory, not a workbook";
    case Status::CannotOpen:
        return "cannot be opened";
    case Status::Empty:
        return "file is empty";
    case Status::NotAWorkbook:
        return "not an Excel workbook";
    case Status::Truncated:
        return "the file is truncated" + (where.empty() ? "" : " (" + where + " is cut short)");
    case Status::Damaged:
        return subject + " is damaged";
    case Status::MissingPart:
        return subject + " is missing";
    case Status::Encrypted:
        return "the workbook is encrypted (password-protected); save it without a password";
    case Status::UnsupportedFormat:
        return subject + " is not read; save it in Excel 97-2003 (.xls) or .xlsx format";
    case Status::NoWorksheet:
        return subject + " has no worksheet";
    case Status::TooLarge:
        return subject + " is too large";
    case Status::NoTimetable:
        return "no timetable found";
    default: // not a status of the readers
        break;
    }
    return subject + " cannot be read";
}

} // namespace

core::Failure loadFailure(core::Status status, std::string_view where, std::string_view detail) {
    std::string description = headline(status, oneLine(where, kMaxPiece));
    if (!detail.empty()) {
        description += ": " + oneLine(detail, kMaxPiece);
    }
    return core::errors::loadFailure(status, std::move(description));
}

core::Failure partFailure(core::Status status, std::string_view part, std::string_view detail) {
    core::Failure failure = loadFailure(status, part, detail);
    failure.subject = oneLine(part, kMaxPiece);
    return failure;
}

core::Failure tooMuchKeptText() {
    return loadFailure(core::Status::TooLarge, "the text of the cells read",
                       "more than " + std::to_string(limits::kKeptBytes >> 20) + " MiB");
}

std::string quoted(std::string_view value) {
    // Appended piece by piece: GCC 12 warns (-Wrestrict, falsely) on "literal" + temporary.
    std::string text = "\"";
    text += oneLine(value, kMaxQuoted);
    text += '"';
    return text;
}

std::string escapedName(std::string_view name) {
    return oneLine(name, kMaxPiece);
}

} // namespace orvanto::spreadsheet
