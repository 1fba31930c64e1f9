// Formula tokens back to the text Excel shows, one row per token class, and no text for
// tokens that cannot be shown.
#include "spreadsheet/xls/FormulaDecompiler.h"

#include "XlsFileBuilder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvanto::spreadsheet {
namespace {

using testing::Bytes;
using testing::Payload;
using Book = XlsLinkTable::Book;

struct Case {
    std::string what;
    Bytes tokens;
    std::optional<std::string> text;
    bool biff8 = true;
    Bytes extra = {};
    XlsCellPosition cell = {};
};

// Sheets and links as a BIFF8 workbook's globals would give them.
XlsLinkTable biff8Links() {
    XlsLinkTable links;
    links.sheets = {"课表", "my sheet", "设置", "A1", "it's"};
    links.books = {Book{Book::Kind::Self, "", {}, {}}, Book{Book::Kind::AddIn, "", {}, {"EDATE"}},
                   Book{Book::Kind::External, "C:\\dir\\[book.xls]", {"Data"}, {"Rate"}}};
    links.sheetRanges = {{0, 2, 2},           {0, 1, 1}, {0, 0, 2}, {0, 0xFFFF, 0xFFFF},
                         {1, 0xFFFE, 0xFFFE}, {2, 0, 0}, {0, 3, 3}, {0, 4, 4}};
    links.names = {"第一节行", "_xlfn.IFERROR", "Print_Area", ""};
    return links;
}

// BIFF5 has no SUPBOOK: one book per EXTERNSHEET, here the add-in functions first.
XlsLinkTable biff5Links() {
    XlsLinkTable links;
    links.sheets = {"课表", "my sheet", "设置"};
    links.books = {Book{Book::Kind::AddIn, "", {}, {"EDATE"}}};
    links.names = {"第一节行"};
    return links;
}

class FormulaText : public ::testing::TestWithParam<Case> {};

TEST_P(FormulaText, Decompiles) {
    const auto& c = GetParam();
    BiffTextDecoder gbk(936);
    const XlsLinkTable links = c.biff8 ? biff8Links() : biff5Links();
    EXPECT_EQ(FormulaDecompiler(c.biff8, gbk, links).decompile(c.tokens, c.extra, c.cell), c.text);
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes bytes(std::initializer_list<unsigned> list) {
    Payload p;
    for (unsigned b : list) {
        p.u8(b);
    }
    return p.take();
}
// BIFF8 cell reference: row, then column with the relative flags (0xC000 = both relative).
Bytes ref(unsigned row, unsigned column, unsigned flags = 0xC000, unsigned token = 0x44) {
    return Payload().u8(token).u16(row).u16(column | flags).take();
}
Bytes area(unsigned r1, unsigned r2, unsigned c1, unsigned c2, unsigned flags = 0xC000,
           unsigned token = 0x25) {
    return Payload().u8(token).u16(r1).u16(r2).u16(c1 | flags).u16(c2 | flags).take();
}
Bytes str(std::string_view s) {
    return Payload().u8(0x17).u8(static_cast<unsigned>(s.size())).u8(0).latin1(s).take();
}
Bytes integer(unsigned v) {
    return Payload().u8(0x1E).u16(v).take();
}
Bytes func(unsigned index) {
    return Payload().u8(0x41).u16(index).take();
}
Bytes funcVar(unsigned count, unsigned index) {
    return Payload().u8(0x42).u8(count).u16(index).take();
}
Bytes attr(unsigned kind, unsigned data) {
    return Payload().u8(0x19).u8(kind).u16(data).take();
}
Bytes ref3d(unsigned sheetRange, unsigned row, unsigned column, unsigned token = 0x3A) {
    return Payload().u8(token).u16(sheetRange).u16(row).u16(column | 0xC000).take();
}
// BIFF5 3-D reference: book (negative: this workbook), 8 reserved bytes, sheet range, then
// the row word with the flags and the column byte.
Bytes biff5Ref3d(int book, unsigned first, unsigned last, unsigned row, unsigned column) {
    return Payload()
        .u8(0x3A)
        .u16(static_cast<unsigned>(book) & 0xFFFF)
        .u32(0)
        .u32(0)
        .u16(first)
        .u16(last)
        .u16(row | 0xC000)
        .u8(column)
        .take();
}
Bytes longConcatenation() {
    const std::string piece(250, 'x');
    Bytes tokens = str(piece);
    for (int i = 0; i < 140; ++i) {
        tokens = tokens + str(piece) + bytes({0x08});
    }
    return tokens;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, FormulaText,
    ::testing::Values(
        // operators and operands
        Case{"concat_refs", ref(0, 0) + ref(0, 1) + bytes({0x08}), "=A1&B1"},
        Case{"absolute_and_mixed", ref(4, 27, 0) + ref(9, 2, 0x4000) + bytes({0x03}),
             "=$AB$5+C$10"},
        Case{"every_binary_operator",
             integer(1) + integer(2) + bytes({0x04}) + integer(3) + bytes({0x05}) + integer(4) +
                 bytes({0x06}) + integer(5) + bytes({0x07}) + integer(6) + bytes({0x09}) +
                 integer(7) + bytes({0x0A}) + integer(8) + bytes({0x0B}) + integer(9) +
                 bytes({0x0C}) + integer(0) + bytes({0x0D, 0x15}) + integer(1) + bytes({0x0E}),
             "=(1-2*3/4^5<6<=7=8>=9>0)<>1"},
        Case{
            "numbers_and_unary",
            Payload().u8(0x1E).u16(2).u8(0x1F).f64(0.5).u8(0x05).u8(0x15).u8(0x13).u8(0x14).take() +
                integer(1) + bytes({0x12, 0x03}),
            "=-(2*0.5)%++1"},
        Case{"intersection_union_range",
             area(0, 1, 0, 1) + area(0, 2, 1, 2) + bytes({0x0F}) + ref(0, 0) + ref(0, 1) +
                 bytes({0x11, 0x15, 0x10}),
             "=A1:B2 B1:C3,(A1:B1)"},
        Case{"string_with_quote", str("a\"b!"), "=\"a\"\"b!\""},
        Case{"utf16_string", Payload().u8(0x17).u8(2).u8(1).utf16(u"课表").take(), "=\"课表\""},
        Case{"bool_and_error", Payload().u8(0x1D).u8(1).u8(0x1C).u8(0x2A).u8(0x0E).take(),
             "=TRUE<>#N/A"},
        Case{"missing_argument", ref(0, 0) + bytes({0x16}) + integer(1) + funcVar(3, 1),
             "=IF(A1,,1)"},
        Case{"whole_columns_and_rows",
             area(0, 0xFFFF, 0, 1) + area(0, 1, 0, 255, 0) + bytes({0x10}), "=A:B,$1:$2"},
        Case{"deleted_reference_and_area",
             Payload().u8(0x2A).u32(0).take() + Payload().u8(0x2B).u32(0).u32(0).take() +
                 bytes({0x03}),
             "=#REF!+#REF!"},
        // array constants, their values after the tokens
        Case{"array_constant", Payload().u8(0x60).u32(0).u16(0).u8(0).take(),
             "={1,\"a\";TRUE,#N/A}", true,
             Payload()
                 .u8(1)
                 .u16(1)
                 .u8(0x01)
                 .f64(1)
                 .u8(0x02)
                 .u16(1)
                 .u8(0)
                 .latin1("a")
                 .u8(0x04)
                 .u8(1)
                 .u32(0)
                 .u16(0)
                 .u8(0)
                 .u8(0x10)
                 .u8(0x2A)
                 .u32(0)
                 .u16(0)
                 .u8(0)
                 .take()},
        Case{"memory_area_data_before_array",
             Payload().u8(0x26).u32(0).u16(9).take() + area(0, 1, 0, 1) +
                 Payload().u8(0x60).u32(0).u16(0).u8(0).take() + bytes({0x03}),
             "=A1:B2+{7}", true,
             Payload().u16(1).u16(0).u16(1).u16(0).u16(1).u8(0).u16(0).u8(0x01).f64(7).take()},
        Case{"memory_function_and_no_memory",
             Payload().u8(0x29).u16(4).take() + ref(0, 0) + Payload().u8(0x2E).u16(0).take() +
                 Payload().u8(0x27).u32(0).u16(0).take() + Payload().u8(0x28).u32(0).u16(0).take(),
             "=A1"},
        // control tokens
        Case{"if_with_jumps",
             ref(2, 2) + attr(0x02, 7) + str("y") + attr(0x08, 3) + str("n") + attr(0x08, 3) +
                 funcVar(3, 1),
             "=IF(C3,\"y\",\"n\")"},
        Case{"choose_jump_table",
             integer(2) + Payload().u8(0x19).u8(0x04).u16(1).u16(4).u16(8).take() + str("a") +
                 str("b") + funcVar(3, 100),
             "=CHOOSE(2,\"a\",\"b\")"},
        Case{"sum_of_one_argument_and_volatile", attr(0x01, 0) + area(1, 9, 2, 3) + attr(0x10, 0),
             "=SUM(C2:D10)"},
        Case{"spaces_typed",
             ref(0, 0) + attr(0x40, 0x0100) + ref(0, 1) + attr(0x41, 0x0100) + bytes({0x08}) +
                 attr(0x40, 0x0102) + bytes({0x15}),
             "= (A1 & B1)"},
        // functions: fixed and counted arguments, by name (add-in and newer functions)
        Case{"fixed_args_function", ref(0, 2) + integer(2) + func(27), "=ROUND(C1,2)"},
        Case{"no_args_function", func(221), "=TODAY()"},
        Case{"text_and_information_functions",
             Payload().u8(0x17).u8(3).u8(1).utf16(u"第三节").take() + func(130) + ref(0, 0) +
                 func(127) + bytes({0x08}) + ref(0, 0) + func(128) + bytes({0x08}) + ref(0, 0) +
                 func(129) + bytes({0x08}) + ref(0, 0) + func(131) + bytes({0x08}) + ref(0, 0) +
                 func(162) + bytes({0x08}),
             "=T(\"第三节\")&ISTEXT(A1)&ISNUMBER(A1)&ISBLANK(A1)&N(A1)&CLEAN(A1)"},
        Case{"lookup_functions",
             str("x") + ref(0, 0) + funcVar(2, 82) + str("x") + area(0, 9, 0, 0) + integer(0) +
                 funcVar(3, 64) + bytes({0x08}) + area(0, 9, 0, 0) + str("x") + func(346) +
                 bytes({0x08}) + str("u") + funcVar(1, 359) + bytes({0x08}),
             "=SEARCH(\"x\",A1)&MATCH(\"x\",A1:A10,0)&COUNTIF(A1:A10,\"x\")&HYPERLINK(\"u\")"},
        Case{"add_in_function",
             Payload().u8(0x39).u16(4).u16(1).u16(0).take() + ref(0, 0) + funcVar(2, 255),
             "=EDATE(A1)"},
        Case{"newer_function_by_name",
             Payload().u8(0x23).u16(2).u16(0).take() + ref(0, 0) + str("x") + funcVar(3, 255),
             "=IFERROR(A1,\"x\")"},
        // names
        Case{"defined_name", Payload().u8(0x23).u16(1).u16(0).take(), "=第一节行"},
        Case{"built_in_name_through_self_book", Payload().u8(0x39).u16(0).u16(3).u16(0).take(),
             "=Print_Area"},
        Case{"external_name", Payload().u8(0x39).u16(5).u16(1).u16(0).take(),
             "='C:\\dir\\[book.xls]'!Rate"},
        // 3-D references, quoted where Excel quotes the sheet name
        Case{"other_sheet", ref3d(0, 0, 0), "=设置!A1"},
        Case{"quoted_sheet_absolute", Payload().u8(0x5A).u16(1).u16(1).u16(1).take(),
             "='my sheet'!$B$2"},
        Case{"sheet_named_like_a_cell", ref3d(6, 0, 0), "='A1'!A1"},
        Case{"quote_in_sheet_name", ref3d(7, 0, 0), "='it''s'!A1"},
        Case{"sheet_range_area",
             Payload().u8(0x3B).u16(2).u16(0).u16(1).u16(0xC000).u16(0xC001).take(),
             "=课表:设置!A1:B2"},
        Case{"deleted_sheet", ref3d(3, 0, 0), "=#REF!A1"},
        Case{"deleted_cells_on_a_sheet",
             ref3d(0, 0, 0, 0x3C) + Payload().u8(0x3D).u16(0).u32(0).u32(0).take() + bytes({0x03}),
             "=设置!#REF!+设置!#REF!"},
        Case{"external_sheet", ref3d(5, 0, 0), "='C:\\dir\\[book.xls]Data'!A1"},
        // shared formulas: offsets resolved against the cell, wrapping as Excel does
        Case{"shared_relative_reference",
             Payload().u8(0x4C).u16(0xFFFF).u16(0xC001).take() +
                 Payload().u8(0x4C).u16(0).u16(0x4000).take() + bytes({0x08}),
             "=C4&B$1",
             true,
             {},
             {4, 1}},
        Case{"shared_relative_area",
             Payload().u8(0x2D).u16(0).u16(2).u16(0xC0FF).u16(0x0005).take() + attr(0x10, 0),
             "=SUM(A11:$F$3)",
             true,
             {},
             {10, 1}},
        Case{"shared_offset_wraps_round",
             Payload().u8(0x4C).u16(0xFFFE).u16(0xC0FE).take(),
             "=IU65535",
             true,
             {},
             {0, 0}},
        // BIFF5 layouts
        Case{"biff5_reference_and_gbk_string",
             // BIFF5 keeps the relative flags in the row word and the column in one byte.
             Payload()
                 .u8(0x44)
                 .u16(0xC000 | 4)
                 .u8(3)
                 .u8(0x17)
                 .u8(2)
                 .u8(0xB5)
                 .u8(0xDA)
                 .u8(0x08)
                 .take(),
             "=D5&\"第\"", false},
        Case{"biff5_other_sheet", biff5Ref3d(-1, 2, 2, 0, 0), "=设置!A1", false},
        Case{"biff5_sheet_range", biff5Ref3d(-1, 0, 1, 0, 0), "='课表:my sheet'!A1", false},
        Case{"biff5_shared_offset",
             Payload().u8(0x4C).u16(0xFFFF).u8(0xFF).take(),
             "=A4",
             false,
             {},
             {4, 1}},
        Case{"biff5_names",
             Payload().u8(0x23).u16(1).u32(0).u32(0).u32(0).take() +
                 Payload().u8(0x39).u16(1).u32(0).u32(0).u16(1).u32(0).u32(0).u32(0).take() +
                 funcVar(1, 255) + bytes({0x08}),
             "=第一节行&EDATE()", false},
        // Not spelled out: better no text than a wrong one.
        Case{"shared_formula_reference", Payload().u8(0x01).u16(0).u16(0).take(), std::nullopt},
        Case{"data_table", Payload().u8(0x02).u16(0).u16(0).take(), std::nullopt},
        Case{"unknown_function", func(999), std::nullopt},
        Case{"variable_function_called_as_fixed", func(4), std::nullopt},
        Case{"macro_command", Payload().u8(0x42).u8(0).u16(0x8001).take(), std::nullopt},
        Case{"function_by_name_without_name", funcVar(0, 255), std::nullopt},
        Case{"name_out_of_range", Payload().u8(0x23).u16(9).u16(0).take(), std::nullopt},
        Case{"name_unreadable", Payload().u8(0x23).u16(4).u16(0).take(), std::nullopt},
        Case{"sheet_range_out_of_range", ref3d(42, 0, 0), std::nullopt},
        Case{"add_in_book_as_sheet", ref3d(4, 0, 0), std::nullopt},
        Case{"array_without_its_values", Payload().u8(0x60).u32(0).u16(0).u8(0).take(),
             std::nullopt},
        Case{"unknown_token", bytes({0x18, 0x00}), std::nullopt},
        Case{"longer_than_excel_allows", longConcatenation(), std::nullopt},
        Case{"cut_short", Payload().u8(0x44).u16(0).take(), std::nullopt},
        Case{"operator_without_operands", bytes({0x03}), std::nullopt},
        Case{"two_values_left", ref(0, 0) + ref(0, 1), std::nullopt},
        Case{"empty", Bytes{}, std::nullopt}),
    [](const auto& p) { return p.param.what; });

TEST(SharedFormulaCell, OnlyALoneExpToken) {
    EXPECT_EQ(FormulaDecompiler::sharedFormulaCell(bytes({0x01, 4, 0, 1, 0})),
              (XlsCellPosition{4, 1}));
    EXPECT_EQ(FormulaDecompiler::sharedFormulaCell(bytes({0x01, 4, 0, 1})), std::nullopt);
    EXPECT_EQ(FormulaDecompiler::sharedFormulaCell(ref(0, 0)), std::nullopt);
}

} // namespace
} // namespace orvanto::spreadsheet
