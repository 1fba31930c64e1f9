#include "spreadsheet/CellText.h"

#include "spreadsheet/NumberFormat.h"

#include <gtest/gtest.h>

using namespace orvanto::spreadsheet;

namespace {

CellValue number(double value, FormatKind format = FormatKind::General) {
    CellValue cell;
    cell.kind = CellValue::Kind::Number;
    cell.number = value;
    cell.format = format;
    return cell;
}

struct NumberCase {
    double value;
    const char* text;
};

class GeneralNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(GeneralNumber, FifteenSignificantDigits) {
    EXPECT_EQ(generalNumberText(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralNumber,
    ::testing::Values(NumberCase{0, "0"}, NumberCase{-0.0, "0"}, NumberCase{1, "1"},
                      NumberCase{-42, "-42"}, NumberCase{1.5, "1.5"}, NumberCase{0.1 + 0.2, "0.3"},
                      NumberCase{100, "100"}, NumberCase{123456789012345, "123456789012345"},
                      NumberCase{999999999999999, "999999999999999"}, NumberCase{1e15, "1E+15"},
                      NumberCase{1234567890123456, "1.23456789012346E+15"},
                      NumberCase{1e20, "1E+20"}, NumberCase{-2.5e100, "-2.5E+100"},
                      NumberCase{0.00001, "0.00001"},
                      NumberCase{0.000000000056789, "0.000000000056789"},
                      NumberCase{5.6789e-12, "5.6789E-12"}, NumberCase{1e-15, "0.000000000000001"},
                      NumberCase{1.5e-15, "1.5E-15"},
                      NumberCase{3.14159265358979, "3.14159265358979"},
                      NumberCase{2.0 / 3.0, "0.666666666666667"}, NumberCase{1e-300, "1E-300"}));

struct TextCase {
    CellValue cell;
    bool date1904;
    const char* text;
};

class ValueText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ValueText, AsExcelHandsItOver) {
    auto text = cellValueToText(GetParam().cell, GetParam().date1904);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value(), GetParam().text);
}

CellValue boolean(bool value) {
    CellValue cell;
    cell.kind = CellValue::Kind::Boolean;
    cell.boolean = value;
    return cell;
}

CellValue string(const char* text) {
    CellValue cell;
    cell.kind = CellValue::Kind::String;
    cell.text = text;
    return cell;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueText,
    ::testing::Values(TextCase{CellValue{}, false, ""},
                      TextCase{string("高等数学 A"), false, "高等数学 A"},
                      TextCase{boolean(true), false, "True"},
                      TextCase{boolean(false), false, "False"},
                      TextCase{number(40238, FormatKind::Date), false, "2010/3/1"},
                      TextCase{number(40238.5, FormatKind::Date), false, "2010/3/1 12:00:00"},
                      TextCase{number(40238.75, FormatKind::Date), true, "2014/3/2 18:00:00"},
                      TextCase{number(0.3541666666666667, FormatKind::Date), false, "8:30:00"},
                      TextCase{number(0.99999999, FormatKind::Date), false, "1900/1/1"},
                      TextCase{number(1, FormatKind::Date), false, "1900/1/1"},
                      TextCase{number(59, FormatKind::Date), false, "1900/2/28"},
                      TextCase{number(61, FormatKind::Date), false, "1900/3/1"},
                      TextCase{number(0, FormatKind::Date), true, "1904/1/1"},
                      TextCase{number(-1, FormatKind::Date), false, "-1"},
                      TextCase{number(1234.5, FormatKind::Currency), false, "1234.5"},
                      TextCase{number(1234.56789, FormatKind::Currency), false, "1234.5679"},
                      TextCase{number(-0.00001, FormatKind::Currency), false, "0"},
                      TextCase{number(12, FormatKind::Currency), false, "12"},
                      TextCase{number(0.25, FormatKind::General), false, "0.25"}));

TEST(ValueText, ErrorValuesAreATypeMismatch) {
    CellValue cell;
    cell.kind = CellValue::Kind::Error;
    cell.text = "#N/A";
    auto text = cellValueToText(cell, false);
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.failure().status, orvanto::core::Status::TypeMismatch);
    EXPECT_EQ(searchText(cell, false), "#N/A");
}

TEST(ValueText, SearchTextPrefersTheFormula) {
    CellValue cell = string("第一节");
    cell.formula = "=\"第\"&\"一节\"";
    EXPECT_EQ(searchText(cell, false), "=\"第\"&\"一节\"");
    EXPECT_EQ(searchText(boolean(true), false), "TRUE");
}

struct FormatCase {
    int id;
    const char* code;
    FormatKind kind;
};

class Formats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formats, Classified) {
    EXPECT_EQ(classifyFormat(GetParam().id, GetParam().code), GetParam().kind)
        << GetParam().id << " " << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, Formats,
    ::testing::Values(
        FormatCase{0, "", FormatKind::General}, FormatCase{0, "General", FormatKind::General},
        FormatCase{2, "", FormatKind::General}, FormatCase{14, "", FormatKind::Date},
        FormatCase{22, "", FormatKind::Date}, FormatCase{31, "", FormatKind::Date},
        FormatCase{57, "", FormatKind::Date}, FormatCase{47, "", FormatKind::Date},
        FormatCase{5, "", FormatKind::Currency}, FormatCase{44, "", FormatKind::Currency},
        FormatCase{41, "", FormatKind::General}, FormatCase{10, "", FormatKind::General},
        FormatCase{164, "yyyy/m/d", FormatKind::Date},
        FormatCase{164, "[$-804]yyyy\"年\"m\"月\"d\"日\"", FormatKind::Date},
        FormatCase{164, "h:mm AM/PM", FormatKind::Date},
        FormatCase{164, "[h]:mm", FormatKind::Date},
        FormatCase{164, "0.00E+00", FormatKind::General},
        FormatCase{164, "\"day\"0", FormatKind::General},
        FormatCase{164, "0\\d", FormatKind::General},
        FormatCase{164, "[Red]0.00", FormatKind::General},
        FormatCase{164, "0.00%", FormatKind::General},
        FormatCase{164, "\"¥\"#,##0.00", FormatKind::Currency},
        FormatCase{164, "[$¥-804]#,##0.00", FormatKind::Currency},
        FormatCase{164, "[$$-409]#,##0.00", FormatKind::Currency},
        FormatCase{164, "$#,##0_);($#,##0)", FormatKind::Currency},
        FormatCase{164, "#,##0.00 €", FormatKind::Currency},
        FormatCase{164, "[$-409]0.00", FormatKind::General},
        FormatCase{50, "0.00%", FormatKind::General},
        FormatCase{57, "\"¥\"0.00", FormatKind::Currency}));

} // namespace
