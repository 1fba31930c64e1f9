#include "WorksheetPart.h"

#include "OoxmlFormula.h"
#include "OoxmlNamespaces.h"
#include "OoxmlValues.h"
#include "XmlPartParser.h"
#include "spreadsheet/CellAddress.h"
#include "spreadsheet/LoadFailure.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace orvanto::spreadsheet {

namespace {

class WorksheetHandler : public XmlHandler {
  public:
    WorksheetHandler(WorksheetPart::Contents& out, KeptRegion region, bool date1904,
                     ReadBudget& budget)
        : m_region(region), m_lastRow(region.lastRow()), m_date1904(date1904), m_out(out.cells),
          m_merges(out.merges), m_budget(budget) {}

    void startElement(std::string_view ns, std::string_view name,
                      const char** attributes) override {
        if (!ooxml::isSpreadsheetMl(ns)) {
            return;
        }
        if (name == "sheetData") {
            m_inSheetData = true;
        } else if (name == "mergeCell" && m_afterSheetData) {
            addMerge(attributes);
        } else if (!m_inSheetData) {
            return;
        } else if (name == "row") {
            startRow(attributes);
        } else if (name == "c") {
            startCell(attributes);
        } else if (name == "f" && m_inAnyCell) {
            startFormula(attributes);
        } else if (!m_inCell) {
            return;
        } else if (name == "v") {
            capture(m_value);
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
            // Nothing after the cells is needed, but the merged ranges of a whole sheet.
            m_inSheetData = false;
            m_afterSheetData = true;
            if (!m_region.isWholeSheet()) {
                finish();
            }
        } else if (name == "mergeCells") {
            finish();
        } else if (name == "c") {
            endCell();
            m_inAnyCell = false;
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
        if (m_capture->size() + text.size() > limits::kStringBytes) {
            fail(core::Status::TooLarge, "text of cell " + cellName(m_row, m_column) +
                                             " longer than " +
                                             std::to_string(limits::kStringBytes) + " bytes");
            return;
        }
        m_capture->append(text);
    }

  private:
    bool wanted(int row, int column) const { return m_region.keeps(row, column); }

    void addMerge(const char** attributes) {
        const auto ref = attribute(attributes, "ref");
        const auto range = ref ? parseRange(*ref) : std::nullopt;
        if (!range || m_merges.size() >= limits::kMergedRanges) {
            return; // a merge is layout, not content: a bad one loses nothing
        }
        if (!m_budget.take(sizeof(MergedRange))) {
            fail(ReadBudget::spent());
            return;
        }
        m_merges.push_back(
            {range->first.row, range->last.row, range->first.column, range->last.column});
    }

    void startRow(const char** attributes) {
        if (const auto r = attribute(attributes, "r")) {
            const auto row = ooxml::parseRowNumber(*r);
            if (!row) {
                fail(core::Status::Damaged, "invalid row number " + quoted(*r));
                return;
            }
            m_currentRow = *row;
        } else {
            ++m_currentRow; // rows without a number follow the previous one
        }
        m_lastColumn = 0;
        // Rows come in ascending order, so every wanted cell has been seen; a whole sheet is
        // read on for its merged ranges, which follow the cells.
        if (m_currentRow > m_lastRow && !m_region.isWholeSheet()) {
            finish();
        }
    }

    void startCell(const char** attributes) {
        if (const auto r = attribute(attributes, "r")) {
            const auto ref = ooxml::parseCellReference(*r);
            if (!ref) {
                fail(core::Status::Damaged, "invalid cell reference " + quoted(*r));
                return;
            }
            m_row = ref->row;
            m_column = ref->column;
        } else {
            // A cell without a reference stands right of the previous one.
            m_row = std::max(m_currentRow, 1);
            m_column = m_lastColumn + 1;
            if (m_column > ooxml::kMaxColumns) {
                fail(core::Status::Damaged, "more than " + std::to_string(kMaxColumns) +
                                                " cells in row " + std::to_string(m_row));
                return;
            }
        }
        m_lastColumn = m_column;
        m_inAnyCell = true;
        m_inCell = wanted(m_row, m_column);
        m_formula.clear();
        m_formulaKind = FormulaKind::None;
        m_sharedIndex.reset();
        m_formulaRange.reset();
        if (!m_inCell) {
            return;
        }
        m_type = std::string(attribute(attributes, "t").value_or("n"));
        m_style = 0;
        if (const auto s = attribute(attributes, "s")) {
            const auto style = ooxml::parseIndex(*s);
            if (!style) {
                fail(core::Status::Damaged,
                     "invalid style index " + quoted(*s) + " in cell " + cellName(m_row, m_column));
                return;
            }
            m_style = *style;
        }
        m_value.clear();
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
        m_capture = nullptr;
        if (!rememberGroupFormula() || !m_inCell) {
            return;
        }
        m_inCell = false;
        WorksheetPart::Cell cell;
        cell.row = m_row;
        cell.column = m_column;
        cell.style = m_style;
        setFormula(cell.value);
        if (!convertValue(cell)) {
            return;
        }
        // Bounds what a crafted part can make us keep: a cell repeated millions of
        // times, or long texts in every kept cell.
        if (m_out.size() == maxKeptCells()) {
            if (m_region.isWholeSheet()) {
                fail(core::Status::TooLarge,
                     "more than " + std::to_string(maxKeptCells()) + " cells in one sheet");
            } else {
                fail(core::Status::Damaged,
                     "cell " + cellName(m_row, m_column) + " is given more than once");
            }
            return;
        }
        if (!m_budget.take(cell.value.text.size() + cell.value.formula.size())) {
            fail(ReadBudget::spent());
            return;
        }
        m_out.push_back(std::move(cell));
    }

    // A formula element: kept for a kept cell, and for the first cell of a shared or array
    // formula whose range may reach kept cells.
    void startFormula(const char** attributes) {
        const std::string_view type = attribute(attributes, "t").value_or("normal");
        m_formulaKind = type == "shared"      ? FormulaKind::Shared
                        : type == "array"     ? FormulaKind::Array
                        : type == "dataTable" ? FormulaKind::DataTable
                                              : FormulaKind::Normal;
        if (const auto si = attribute(attributes, "si")) {
            m_sharedIndex = ooxml::parseIndex(*si);
        }
        if (const auto ref = attribute(attributes, "ref")) {
            m_formulaRange = parseRange(*ref);
        }
        const bool groupMaster =
            (m_formulaKind == FormulaKind::Shared || m_formulaKind == FormulaKind::Array) &&
            m_formulaRange && reachesKeptCells(*m_formulaRange);
        if (m_inCell || groupMaster) {
            capture(m_formula);
        }
    }

    struct Range {
        ooxml::CellReference first;
        ooxml::CellReference last;
        bool contains(int row, int column) const {
            return row >= first.row && row <= last.row && column >= first.column &&
                   column <= last.column;
        }
    };

    static std::optional<Range> parseRange(std::string_view text) {
        const std::size_t colon = text.find(':');
        const auto first = ooxml::parseCellReference(text.substr(0, colon));
        const auto last = colon == std::string_view::npos
                              ? first
                              : ooxml::parseCellReference(text.substr(colon + 1));
        if (!first || !last) {
            return std::nullopt;
        }
        return Range{*first, *last};
    }

    bool reachesKeptCells(const Range& range) const {
        return m_region.reaches(range.first.row, range.first.column, range.last.column);
    }

    // Keeps the text of a shared formula's first cell, or an array formula's range, for the
    // cells after it; within the text budget. False when that is exceeded.
    bool rememberGroupFormula() {
        if (m_formula.empty() || !m_formulaRange || !reachesKeptCells(*m_formulaRange)) {
            return true;
        }
        if (m_formulaKind == FormulaKind::Shared && m_sharedIndex) {
            m_sharedFormulas[*m_sharedIndex] = {m_row, m_column, m_formula};
        } else if (m_formulaKind == FormulaKind::Array) {
            // By the first cell: a cell given again replaces its array, never adds one.
            m_arrayFormulas[{m_row, m_column}] = {*m_formulaRange, m_formula};
        } else {
            return true;
        }
        if (m_sharedFormulas.size() > limits::kSharedFormulas) {
            fail(core::Status::TooLarge,
                 "more than " + std::to_string(limits::kSharedFormulas) + " shared formulas");
            return false;
        }
        if (!m_budget.take(m_formula.size())) {
            fail(ReadBudget::spent());
            return false;
        }
        return true;
    }

    // The text the cell's formula shows. A formula that cannot be spelled out (a shared one
    // whose first cell was never seen, a data table) is searched as no text, never by its
    // value, as the .xls reader does.
    void setFormula(CellValue& value) const {
        std::optional<std::string> text;
        if (m_formulaKind == FormulaKind::None) {
            // A cell inside an array formula's range carries no formula of its own.
            for (const auto& [first, array] : m_arrayFormulas) {
                if (array.range.contains(m_row, m_column)) {
                    value.formula = ooxml::displayedFormula(array.text);
                }
            }
            return;
        }
        if (!m_formula.empty() && m_formulaKind != FormulaKind::DataTable) {
            text = m_formula;
        } else if (m_formulaKind == FormulaKind::Shared && m_sharedIndex) {
            auto master = m_sharedFormulas.find(*m_sharedIndex);
            if (master != m_sharedFormulas.end()) {
                text = ooxml::moveFormula(master->second.text, m_row - master->second.row,
                                          m_column - master->second.column);
            }
        }
        if (text) {
            value.formula = ooxml::displayedFormula(*text);
        } else {
            value.formulaUnknown = true;
        }
    }

    bool invalid(const std::string& what) {
        fail(core::Status::Damaged,
             "invalid " + what + " " + quoted(m_value) + " in cell " + cellName(m_row, m_column));
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
            fail(core::Status::Damaged,
                 "unknown cell type " + quoted(m_type) + " in cell " + cellName(m_row, m_column));
            return false;
        }
        return true;
    }

    std::size_t maxKeptCells() const {
        return m_region.isWholeSheet() ? KeptRegion::kMaxWholeSheetCells
                                       : WorkbookCells::kMaxKeptCells;
    }

    const KeptRegion m_region;
    const int m_lastRow;
    const bool m_date1904;
    std::vector<WorksheetPart::Cell>& m_out;
    std::vector<MergedRange>& m_merges;
    ReadBudget& m_budget;

    bool m_inSheetData = false;
    bool m_afterSheetData = false;
    int m_currentRow = 0;
    int m_lastColumn = 0;

    enum class FormulaKind { None, Normal, Shared, Array, DataTable };
    struct SharedFormula {
        int row = 0;
        int column = 0;
        std::string text;
    };
    struct ArrayFormula {
        Range range;
        std::string text;
    };

    bool m_inAnyCell = false;
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
    FormulaKind m_formulaKind = FormulaKind::None;
    std::optional<long long> m_sharedIndex;
    std::optional<Range> m_formulaRange;
    std::unordered_map<long long, SharedFormula> m_sharedFormulas; // by si
    std::map<std::pair<int, int>, ArrayFormula> m_arrayFormulas;   // by first row, column
};

} // namespace

core::Result<WorksheetPart::Contents> WorksheetPart::read(const ZipArchive& archive,
                                                          const std::string& path,
                                                          KeptRegion region, bool date1904,
                                                          ReadBudget& budget) {
    return XmlPartParser::read<WorksheetHandler, Contents>(archive, path, region, date1904, budget);
}

} // namespace orvanto::spreadsheet
