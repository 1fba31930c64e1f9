#include "WorksheetPart.h"

#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "XmlPartParser.h"

#include <algorithm>

namespace orvanto::spreadsheet {

namespace {

std::string cellName(int row, int column) {
    std::string letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return letters + std::to_string(row);
}

class WorksheetHandler : public XmlHandler {
  public:
    WorksheetHandler(WorksheetPart::Wanted wanted, bool date1904,
                     std::vector<WorksheetPart::Cell>& out)
        : m_wanted(wanted), m_lastRow(std::max(wanted.markerRows, wanted.gridRows)),
          m_date1904(date1904), m_out(out) {}

    void startElement(std::string_view ns, std::string_view name,
                      const char** attributes) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "sheetData") {
            m_inSheetData = true;
        } else if (!m_inSheetData) {
            return;
        } else if (name == "row") {
            startRow(attributes);
        } else if (name == "c") {
            startCell(attributes);
        } else if (!m_inCell) {
            return;
        } else if (name == "v") {
            capture(m_value);
        } else if (name == "f") {
            capture(m_formula);
        } else if (name == "is") {
            m_inInline = true;
        } else if (name == "rPh") {
            ++m_phoneticDepth;
        } else if (name == "t" && m_inInline && m_phoneticDepth == 0) {
            capture(m_inline);
        }
    }

    void endElement(std::string_view ns, std::string_view name) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "sheetData") {
            finish(); // nothing after the cells is needed
        } else if (name == "c") {
            endCell();
        } else if (name == "v" || name == "f" || name == "t") {
            m_capture = nullptr;
        } else if (name == "is") {
            m_inInline = false;
        } else if (name == "rPh" && m_phoneticDepth > 0) {
            --m_phoneticDepth;
        }
    }

    void characters(std::string_view text) override {
        if (m_capture == nullptr) {
            return;
        }
        if (m_capture->size() + text.size() > WorksheetPart::kMaxTextBytes) {
            fail("text of cell " + cellName(m_row, m_column) + " longer than " +
                 std::to_string(WorksheetPart::kMaxTextBytes) + " bytes");
            return;
        }
        m_capture->append(text);
    }

  private:
    bool wanted(int row, int column) const {
        return (column == 2 && row <= m_wanted.markerRows) ||
               (column >= 3 && column <= 9 && row <= m_wanted.gridRows);
    }

    void startRow(const char** attributes) {
        if (const auto r = attribute(attributes, "r")) {
            const auto row = ooxml::parseRowNumber(*r);
            if (!row) {
                fail("invalid row number \"" + std::string(*r) + "\"");
                return;
            }
            m_currentRow = *row;
        } else {
            ++m_currentRow; // rows without a number follow the previous one
        }
        m_lastColumn = 0;
        // Rows come in ascending order, so every wanted cell has been seen.
        if (m_currentRow > m_lastRow) {
            finish();
        }
    }

    void startCell(const char** attributes) {
        if (const auto r = attribute(attributes, "r")) {
            const auto ref = ooxml::parseCellReference(*r);
            if (!ref) {
                fail("invalid cell reference \"" + std::string(*r) + "\"");
                return;
            }
            m_row = ref->row;
            m_column = ref->column;
        } else {
            // A cell without a reference stands right of the previous one.
            m_row = std::max(m_currentRow, 1);
            m_column = m_lastColumn + 1;
            if (m_column > ooxml::kMaxColumns) {
                fail("more than " + std::to_string(ooxml::kMaxColumns) + " cells in row " +
                     std::to_string(m_row));
                return;
            }
        }
        m_lastColumn = m_column;
        m_inCell = wanted(m_row, m_column);
        if (!m_inCell) {
            return;
        }
        m_type = std::string(attribute(attributes, "t").value_or("n"));
        m_style = 0;
        if (const auto s = attribute(attributes, "s")) {
            const auto style = ooxml::parseIndex(*s);
            if (!style) {
                fail("invalid style index \"" + std::string(*s) + "\" in cell " +
                     cellName(m_row, m_column));
                return;
            }
            m_style = *style;
        }
        m_value.clear();
        m_formula.clear();
        m_inline.clear();
        m_hasValue = false;
        m_inInline = false;
        m_phoneticDepth = 0;
    }

    void capture(std::string& target) {
        m_capture = &target;
        if (&target == &m_value) {
            m_hasValue = true;
        }
    }

    void endCell() {
        if (!m_inCell) {
            return;
        }
        m_inCell = false;
        m_capture = nullptr;
        WorksheetPart::Cell cell;
        cell.row = m_row;
        cell.column = m_column;
        cell.style = m_style;
        if (!m_formula.empty()) {
            cell.value.formula = "=" + m_formula;
        }
        if (!convertValue(cell)) {
            return;
        }
        // Bounds what a crafted part can make us keep: a cell repeated millions of
        // times, or long texts in every kept cell.
        if (m_out.size() == WorkbookCells::kMaxKeptCells) {
            fail("cell " + cellName(m_row, m_column) + " is given more than once");
            return;
        }
        m_keptTextBytes += cell.value.text.size() + cell.value.formula.size();
        if (m_keptTextBytes > WorkbookCells::kMaxTextBytes) {
            fail("the cells read hold more than " +
                 std::to_string(WorkbookCells::kMaxTextBytes >> 20) + " MiB of text");
            return;
        }
        m_out.push_back(std::move(cell));
    }

    bool invalid(const std::string& what) {
        fail("invalid " + what + " \"" + m_value + "\" in cell " + cellName(m_row, m_column));
        return false;
    }

    bool convertValue(WorksheetPart::Cell& cell) {
        CellValue& value = cell.value;
        if (m_type == "inlineStr") {
            // Some writers put an inline string's text in <v> instead of <is>.
            value.kind = CellValue::Kind::String;
            value.text = ooxml::decodeEscapes(m_inline.empty() ? m_value : m_inline);
            return true;
        }
        if (m_type == "str") {
            // A formula's string result; empty when the formula gives "".
            value.kind = CellValue::Kind::String;
            value.text = ooxml::decodeEscapes(m_value);
            return true;
        }
        if (!m_hasValue) {
            return true; // no cached value: an empty cell, perhaps with a formula
        }
        if (m_type == "n") {
            const auto number = ooxml::parseNumber(m_value);
            if (!number) {
                return m_value.empty() || invalid("number");
            }
            value.kind = CellValue::Kind::Number;
            value.number = *number;
        } else if (m_type == "s") {
            const auto index = ooxml::parseIndex(m_value);
            if (!index) {
                return invalid("shared string index");
            }
            value.kind = CellValue::Kind::String;
            cell.sharedString = *index;
        } else if (m_type == "b") {
            const auto boolean = ooxml::parseBoolean(m_value);
            if (!boolean) {
                return invalid("boolean");
            }
            value.kind = CellValue::Kind::Boolean;
            value.boolean = *boolean;
        } else if (m_type == "e") {
            value.kind = CellValue::Kind::Error;
            value.text = m_value;
        } else if (m_type == "d") {
            const auto serial = ooxml::parseIsoDate(m_value, m_date1904);
            if (!serial) {
                return invalid("date");
            }
            value.kind = CellValue::Kind::Number;
            value.number = *serial;
        } else {
            fail("unknown cell type \"" + m_type + "\" in cell " + cellName(m_row, m_column));
            return false;
        }
        return true;
    }

    const WorksheetPart::Wanted m_wanted;
    const int m_lastRow;
    const bool m_date1904;
    std::vector<WorksheetPart::Cell>& m_out;

    bool m_inSheetData = false;
    int m_currentRow = 0;
    int m_lastColumn = 0;

    bool m_inCell = false;
    int m_row = 0;
    int m_column = 0;
    std::string m_type;
    long long m_style = 0;
    std::string m_value;
    std::string m_formula;
    std::string m_inline;
    bool m_hasValue = false;
    bool m_inInline = false;
    int m_phoneticDepth = 0;
    std::string* m_capture = nullptr;
    std::size_t m_keptTextBytes = 0;
};

} // namespace

core::Result<std::vector<WorksheetPart::Cell>> WorksheetPart::read(const ZipArchive& archive,
                                                                   const std::string& path,
                                                                   Wanted wanted, bool date1904) {
    if (!archive.contains(path)) {
        return core::errors::loadFailure("sheet part " + path + " missing");
    }
    std::vector<Cell> cells;
    WorksheetHandler handler(wanted, date1904, cells);
    if (auto failure = XmlPartParser::parse(archive, path, handler)) {
        return *failure;
    }
    return cells;
}

} // namespace orvanto::spreadsheet
