// Shared formula text moved to each cell of its range, and the text Excel shows for stored
// formula text.
#include "spreadsheet/xlsx/OoxmlFormula.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvanto::spreadsheet::ooxml {
namespace {

struct MoveCase {
    std::string what;
    std::string text;
    int rows;
    int columns;
    std::optional<std::string> moved;
};

class MovedFormula : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MovedFormula, MovesRelativePartsOnly) {
    const auto& c = GetParam();
    EXPECT_EQ(moveFormula(c.text, c.rows, c.columns), c.moved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MovedFormula,
    ::testing::Values(
        MoveCase{"relative", "A1*42", 1, 0, "A2*42"},
        MoveCase{"dollar_parts_stay", "$A1+A$1+$A$1+B2", 2, 3, "$A3+D$1+$A$1+E4"},
        MoveCase{"area_and_function", "SUM(A1:B2)&LOG10(C3)", 1, 1, "SUM(B2:C3)&LOG10(D4)"},
        MoveCase{"strings_and_quoted_sheets_stay", "\"A1\"&'B2 x'!C3&设置!A1&'it''s'!A1", 1, 0,
                 "\"A1\"&'B2 x'!C4&设置!A2&'it''s'!A2"},
        MoveCase{"names_and_numbers_stay", "Print_Area+TAXES+1E5+2.5+TRUE", 4, 4,
                 "Print_Area+TAXES+1E5+2.5+TRUE"},
        MoveCase{"whole_columns_and_rows", "SUM(A:B)+SUM($C:$C)+SUM(1:2)", 2, 1,
                 "SUM(B:C)+SUM($C:$C)+SUM(3:4)"},
        MoveCase{"lower_case_reference", "a1", 0, 1, "B1"},
        MoveCase{"external_book_index_stays", "[1]Sheet1!A1", 1, 0, "[1]Sheet1!A2"},
        MoveCase{"moved_off_the_sheet", "A1+B1", -1, 0, "#REF!+#REF!"},
        MoveCase{"past_the_last_column", "XFD1", 0, 1, "#REF!"},
        MoveCase{"unclosed_string", "\"abc", 1, 0, std::nullopt}),
    [](const auto& p) { return p.param.what; });

TEST(DisplayedFormula, NewerFunctionsLoseTheirStoragePrefix) {
    EXPECT_EQ(displayedFormula("_xlfn.IFERROR(A1,\"_xlfn.x\")&_xlfn._xlws.SORT(B1:B3)"),
              "=IFERROR(A1,\"_xlfn.x\")&SORT(B1:B3)");
    EXPECT_EQ(displayedFormula("my_xlfn.x+'_xlfn.'!A1"), "=my_xlfn.x+'_xlfn.'!A1");
}

TEST(DisplayedFormula, SheetRangesAreQuotedAsAWhole) {
    EXPECT_EQ(displayedFormula("SUM(设置:'my sheet'!B1)+'a b':c!A1+'x':'it''s'!A1"),
              "=SUM('设置:my sheet'!B1)+'a b:c'!A1+'x:it''s'!A1");
    EXPECT_EQ(displayedFormula("SUM(Jan:Dec!A1)+'my sheet'!A1+A1:B2+\"a:'b'!\""),
              "=SUM(Jan:Dec!A1)+'my sheet'!A1+A1:B2+\"a:'b'!\"");
}

} // namespace
} // namespace orvanto::spreadsheet::ooxml
