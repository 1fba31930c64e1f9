#include "XlsLinkTable.h"

#include "BiffRecordCursor.h"
#include "XlsRecordIds.h"

#include <array>
#include <string_view>

namespace orvanto::spreadsheet {

namespace {

constexpr std::uint16_t kSelfBook = 0x0401;  // SUPBOOK of this workbook's own sheets
constexpr std::uint16_t kAddInBook = 0x3A01; // SUPBOOK of the add-in functions
constexpr std::uint16_t kBuiltInName = 0x0020;
constexpr std::size_t kNameText = 14; // NAME: where the name's characters start

// Names Excel defines itself, stored as a one-character code.
constexpr std::array<std::string_view, 14> kBuiltInNames = {
    "Consolidate_Area", "Auto_Open",       "Auto_Close",   "Extract",        "Database",
    "Criteria",         "Print_Area",      "Print_Titles", "Recorder",       "Data_Form",
    "Auto_Activate",    "Auto_Deactivate", "Sheet_Title",  "_FilterDatabase"};

// An encoded file path as Excel shows it in a formula: "C:\dir\[book.xls]".
std::string decodeFilePath(std::string_view encoded) {
    std::string path;
    std::size_t i = 0;
    if (!encoded.empty() && encoded[0] == '\x01') {
        i = 1;
    }
    for (; i < encoded.size(); ++i) {
        switch (encoded[i]) {
        case '\x01': // volume: the drive letter follows, '@' for a network share
            if (i + 1 < encoded.size()) {
                ++i;
                if (encoded[i] == '@') {
                    path += "\\\\";
                } else {
                    path += encoded[i];
                    path += ":\\";
                }
            }
            break;
        case '\x02': // the root of the same volume
        case '\x03': // down one folder
            path += '\\';
            break;
        case '\x04': // up one folder
            path += "..\\";
            break;
        case '\x05': // a long volume name follows its length
            ++i;
            path += "\\\\";
            break;
        case '\x06': // start-up, alternate start-up and library folders
        case '\x07':
        case '\x08':
            break;
        default:
            path += encoded[i];
            break;
        }
    }
    const std::size_t slash = path.find_last_of('\\');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name) + "[" + path.substr(name) + "]";
}

class LinkTableBuilder {
  public:
    LinkTableBuilder(bool biff8, const BiffTextDecoder& text, ReadBudget& budget)
        : m_biff8(biff8), m_text(text), m_budget(budget) {}

    void add(const RawBiffRecord& record) {
        if (m_spent) {
            return;
        }
        switch (record.id) {
        case biff::kBoundSheet:
            boundSheet(record.data);
            break;
        case biff::kSupBook:
            supBook(record.data);
            break;
        case biff::kExternSheet:
            if (m_biff8) {
                sheetRanges(record.data);
            } else {
                biff5ExternSheet(record.data);
            }
            break;
        case biff::kExternName:
            externName(record.data);
            break;
        case biff::kName:
            name(record.data);
            break;
        default:
            break;
        }
    }

    core::Result<XlsLinkTable> take() {
        if (m_spent) {
            return ReadBudget::spent();
        }
        return std::move(m_table);
    }

  private:
    std::string shortString(std::span<const std::uint8_t> data, std::size_t at) const {
        if (data.size() <= at) {
            return {};
        }
        return m_text.readCharacters(data, at + 1, data[at], m_biff8).value_or("");
    }

    // Whether bytes more may be kept; once they may not, the table is spent.
    bool charge(std::size_t bytes) {
        m_spent = m_spent || !m_budget.take(bytes);
        return !m_spent;
    }

    void keep(std::vector<std::string>& list, std::string text) {
        if (charge(sizeof(std::string) + text.size())) {
            list.push_back(std::move(text));
        }
    }

    void keep(XlsLinkTable::Book book) {
        std::size_t bytes = sizeof(book) + book.file.size();
        for (const auto& sheet : book.sheets) {
            bytes += sizeof(sheet) + sheet.size();
        }
        if (charge(bytes)) {
            m_table.books.push_back(std::move(book));
        }
    }

    void boundSheet(std::span<const std::uint8_t> data) {
        keep(m_table.sheets, shortString(data, 6));
    }

    void supBook(std::span<const std::uint8_t> data) {
        XlsLinkTable::Book book;
        if (data.size() >= 4) {
            const std::uint16_t sheetCount = readU16(data, 0);
            const std::uint16_t marker = readU16(data, 2);
            if (marker == kAddInBook) {
                book.kind = XlsLinkTable::Book::Kind::AddIn;
            } else if (marker != kSelfBook) {
                book.kind = XlsLinkTable::Book::Kind::External;
                std::size_t at = 0;
                const auto path = m_text.readCharacters(data, 4, marker, true, &at);
                book.file = decodeFilePath(path.value_or(""));
                for (std::uint16_t i = 0; path && i < sheetCount && at + 2 <= data.size(); ++i) {
                    const std::uint16_t length = readU16(data, at);
                    auto sheet = m_text.readCharacters(data, at + 2, length, true, &at);
                    if (!sheet) {
                        break;
                    }
                    book.sheets.push_back(std::move(*sheet));
                }
            }
        }
        keep(std::move(book));
    }

    void sheetRanges(std::span<const std::uint8_t> data) {
        if (data.size() < 2) {
            return;
        }
        const std::size_t count = std::min<std::size_t>(readU16(data, 0), (data.size() - 2) / 6);
        for (std::size_t i = 0; i < count && charge(sizeof(XlsLinkTable::SheetRange)); ++i) {
            const std::size_t at = 2 + i * 6;
            m_table.sheetRanges.push_back(
                {readU16(data, at), readU16(data, at + 2), readU16(data, at + 4)});
        }
    }

    // BIFF5 has no SUPBOOK: each EXTERNSHEET names one sheet, of this file or another.
    void biff5ExternSheet(std::span<const std::uint8_t> data) {
        XlsLinkTable::Book book;
        if (data.size() >= 2 && data[0] >= 1) {
            const std::uint8_t type = data[1];
            const std::string text =
                m_text.readCharacters(data, 2, data[0] - 1u, false).value_or("");
            if (type == ':') {
                book.kind = XlsLinkTable::Book::Kind::AddIn;
            } else if (type == 0x03) {
                book.sheets.push_back(text); // a sheet of this workbook
            } else if (type == 0x01) {
                book.kind = XlsLinkTable::Book::Kind::External;
                book.file = decodeFilePath(text);
            }
        }
        keep(std::move(book));
    }

    void externName(std::span<const std::uint8_t> data) {
        if (!m_table.books.empty()) {
            keep(m_table.books.back().names, shortString(data, 6));
        }
    }

    void name(std::span<const std::uint8_t> data) {
        std::string text;
        if (data.size() >= kNameText) {
            if ((readU16(data, 0) & kBuiltInName) != 0) {
                auto code = m_text.readCharacters(data, kNameText, 1, m_biff8);
                if (code && code->size() == 1 &&
                    static_cast<unsigned char>((*code)[0]) < kBuiltInNames.size()) {
                    text = kBuiltInNames[static_cast<unsigned char>((*code)[0])];
                }
            } else {
                text =
                    m_text.readCharacters(data, kNameText, nameLength(data), m_biff8).value_or("");
            }
        }
        keep(m_table.names, std::move(text));
    }

    // Characters of a NAME record's name. BIFF5 counts bytes, but Gnumeric counts the
    // characters of a double-byte name: take the bytes the record holds for it when they
    // are more, up to two a character.
    std::size_t nameLength(std::span<const std::uint8_t> data) const {
        const std::size_t count = data[3];
        if (m_biff8) {
            return count;
        }
        std::size_t rest = data.size() - kNameText;
        const std::size_t tails = readU16(data, 4) + data[10] + data[11] + data[12] + data[13];
        rest = rest > tails ? rest - tails : 0;
        return rest > count && rest <= 2 * count ? rest : count;
    }

    const bool m_biff8;
    const BiffTextDecoder& m_text;
    ReadBudget& m_budget;
    bool m_spent = false;
    XlsLinkTable m_table;
};

} // namespace

core::Result<XlsLinkTable> buildLinkTable(const std::vector<RawBiffRecord>& records, bool biff8,
                                          const BiffTextDecoder& text, ReadBudget& budget) {
    LinkTableBuilder builder(biff8, text, budget);
    for (const RawBiffRecord& record : records) {
        builder.add(record);
    }
    return builder.take();
}

} // namespace orvanto::spreadsheet
