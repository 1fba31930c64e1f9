// The value notations of SpreadsheetML and relationship targets, at their edges.
#include "spreadsheet/xlsx/OoxmlValues.h"

#include "spreadsheet/xlsx/PackageRelationships.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvanto::spreadsheet {
namespace {

TEST(OoxmlValuesTest, DecodesEscapes) {
    const struct {
        const char* raw;
        const char* decoded;
    } cases[] = {
        {"plain", "plain"},
        {"a_x000D_b", "a\rb"},
        {"_x005F_x0041_", "_x0041_"},           // an escaped underscore starts no escape
        {"_x004a__x004B_", "JK"},               // either case of hex digits
        {"_xD83D__xDE00_", "\xF0\x9F\x98\x80"}, // a surrogate pair is one character
        {"_xD83D_x", "\xEF\xBF\xBD"
                     "x"}, // a lone surrogate becomes U+FFFD
        {"_x4E2D_", "中"},
        {"_x00_", "_x00_"},
        {"_xGGGG_", "_xGGGG_"},
        {"_x0041", "_x0041"},
        {"a_x0000_b", "ab"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ooxml::decodeEscapes(c.raw), c.decoded) << c.raw;
    }
}

TEST(OoxmlValuesTest, ParsesCellReferencesWithinTheSheet) {
    const struct {
        const char* text;
        std::optional<std::pair<int, int>> rowColumn;
    } cases[] = {
        {"A1", std::pair{1, 1}},
        {"C12", std::pair{12, 3}},
        {"XFD1048576", std::pair{1048576, 16384}},
        {"AA3", std::pair{3, 27}},
        {"XFE1", std::nullopt},
        {"A1048577", std::nullopt},
        {"A0", std::nullopt},
        {"a1", std::nullopt},
        {"$A$1", std::nullopt},
        {"A", std::nullopt},
        {"12", std::nullopt},
        {"AAAA1", std::nullopt},
        {"A1x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto ref = ooxml::parseCellReference(c.text);
        ASSERT_EQ(ref.has_value(), c.rowColumn.has_value()) << c.text;
        if (ref) {
            EXPECT_EQ(ref->row, c.rowColumn->first) << c.text;
            EXPECT_EQ(ref->column, c.rowColumn->second) << c.text;
        }
    }
}

TEST(OoxmlValuesTest, ParsesNumbersAsWritten) {
    EXPECT_EQ(ooxml::parseNumber("3205"), 3205.0);
    EXPECT_EQ(ooxml::parseNumber(" -1.5E-3 "), -1.5e-3);
    EXPECT_EQ(ooxml::parseNumber("+2"), 2.0);
    EXPECT_EQ(ooxml::parseNumber("0.30000000000000004"), 0.1 + 0.2);
    EXPECT_FALSE(ooxml::parseNumber(""));
    EXPECT_FALSE(ooxml::parseNumber("1,5"));
    EXPECT_FALSE(ooxml::parseNumber("inf"));
    EXPECT_FALSE(ooxml::parseNumber("nan"));
    EXPECT_FALSE(ooxml::parseNumber("1e999"));
}

TEST(OoxmlValuesTest, ConvertsIsoDatesToSerials) {
    const struct {
        const char* text;
        bool date1904;
        std::optional<double> serial;
    } cases[] = {
        {"2010-03-01", false, 40238},
        {"2010-03-01T12:00:00", false, 40238.5},
        {"2010-03-01T06:00:00.5Z", false, 40238.25 + 0.5 / 86400},
        {"1900-03-01", false, 61},
        {"1900-02-28", false, 59}, // before the phantom 29 February 1900
        {"1900-01-01", false, 1},
        {"1904-01-01", true, 0},
        {"2010-03-01", true, 40238 - 1462},
        {"12:00:00", false, 0.5},
        {"T18:00", false, 0.75},
        {"2010-02-30", false, std::nullopt},
        {"2010-13-01", false, std::nullopt},
        {"1899-12-29", false, std::nullopt},
        {"1903-12-31", true, std::nullopt},
        {"2010-03-01 12:00", false, std::nullopt},
        {"yesterday", false, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto serial = ooxml::parseIsoDate(c.text, c.date1904);
        ASSERT_EQ(serial.has_value(), c.serial.has_value()) << c.text;
        if (serial) {
            EXPECT_NEAR(*serial, *c.serial, 1e-9) << c.text;
        }
    }
}

TEST(OoxmlValuesTest, ResolvesRelationshipTargets) {
    const struct {
        const char* source;
        const char* target;
        const char* part;
    } cases[] = {
        {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
        {"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
        {"xl/workbook.xml", "./worksheets/../sharedStrings.xml", "xl/sharedStrings.xml"},
        {"xl/workbook.xml", "../../../x.xml", "x.xml"},
        {"", "xl/workbook.xml", "xl/workbook.xml"},
        {"xl/workbook.xml", "worksheets/my%20sheet.xml", "xl/worksheets/my sheet.xml"},
        {"xl/workbook.xml", "worksheets/100%", "xl/worksheets/100%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PackageRelationships::resolveTarget(c.source, c.target), c.part) << c.target;
    }
}

} // namespace
} // namespace orvanto::spreadsheet
