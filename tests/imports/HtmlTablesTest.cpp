#include "imports/decode/HtmlTables.h"

#include "core/Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

using namespace orvanto;
using namespace orvanto::imports;

namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<SourceTable> readPage(std::string_view html) {
    auto tables = readHtmlTables(bytesOf(html));
    EXPECT_TRUE(tables.ok()) << tables.failure().detail;
    return tables.ok() ? tables.value() : std::vector<SourceTable>{};
}

// The grid as rows of the covering cells' texts, "." where no cell stands.
std::string gridOf(const SourceTable& table) {
    std::string grid;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (r > 0) {
            grid += " / ";
        }
        for (int c = 0; c < table.columnCount(); ++c) {
            const SourceCell* cell = table.at(r, c);
            grid += c > 0 ? " " : "";
            grid += cell == nullptr ? "." : cell->text;
        }
    }
    return grid;
}

struct GridCase {
    const char* rows; // the inside of <table>
    const char* grid;
};

class HtmlTableSpans : public ::testing::TestWithParam<GridCase> {};

TEST_P(HtmlTableSpans, PlaceCellsAsABrowserDoes) {
    const auto tables = readPage(std::string("<table>") + GetParam().rows + "</table>");
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(gridOf(tables[0]), GetParam().grid) << GetParam().rows;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlTableSpans,
    ::testing::Values(
        // A period column with rowspan pushes the next row's cells one column right.
        GridCase{"<tr><td rowspan=2>A</td><td>B</td><td>C</td></tr><tr><td>D</td><td>E</td></tr>",
                 "A B C / A D E"},
        GridCase{"<tr><td>a</td><td rowspan=3>X</td><td>b</td></tr><tr><td>c</td><td>d</td></tr>"
                 "<tr><td>e</td><td>f</td></tr>",
                 "a X b / c X d / e X f"},
        GridCase{"<tr><td colspan=2>A</td><td>B</td></tr><tr><td>C</td><td>D</td><td>E</td></tr>",
                 "A A B / C D E"},
        GridCase{"<tr><td rowspan=2 colspan=2>A</td><td>B</td></tr><tr><td>C</td></tr>"
                 "<tr><td>D</td><td>E</td><td>F</td></tr>",
                 "A A B / A A C / D E F"},
        // Spans past the table's edge are cut at it; absurd ones are capped, never allocated.
        GridCase{"<tr><td rowspan=5>A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / A C"},
        GridCase{"<tr><td rowspan=100000>A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / A C"},
        GridCase{"<tr><td rowspan=99999999999999999999>A</td><td>B</td></tr>", "A B"},
        // A last row taken wholly by rowspans is still a row of the table.
        GridCase{"<tr><td rowspan=2>A</td><td rowspan=2>B</td></tr><tr></tr>", "A B / A B"},
        GridCase{"<tr><td>P</td><td rowspan=3>A</td></tr><tr><td>Q</td></tr><tr></tr>",
                 "P A / Q A / . A"},
        // rowspan=0 runs to the end of its row group; no span crosses a row group.
        GridCase{"<tbody><tr><td rowspan=0>A</td><td>1</td></tr><tr><td>2</td></tr></tbody>"
                 "<tbody><tr><td>3</td><td>4</td></tr></tbody>",
                 "A 1 / A 2 / 3 4"},
        GridCase{"<thead><tr><th rowspan=3>H</th><th>x</th></tr></thead>"
                 "<tbody><tr><td>a</td><td>b</td></tr></tbody>",
                 "H x / a b"},
        // Attribute values as browsers read them.
        GridCase{"<tr><td rowspan=\"2px\">A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / A C"},
        GridCase{"<tr><td rowspan=\" 2\">A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / A C"},
        GridCase{"<tr><td rowspan=x>A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / C ."},
        GridCase{"<tr><td rowspan=-2>A</td><td>B</td></tr><tr><td>C</td></tr>", "A B / C ."},
        GridCase{"<tr><td colspan=0>A</td><td>B</td></tr>", "A B"},
        GridCase{"<TR><TD ROWSPAN=2>A</TD><TD>B</TD></TR><TR><TD>C</TD></TR>", "A B / A C"},
        // Cells without <tr>, and rows left open, as pages write them.
        GridCase{"<td>A</td><td>B</td>", "A B"},
        GridCase{"<tr><td>A<td>B<tr><td>C<td>D", "A B / C D"},
        GridCase{"<tr><th>A</th><td>B</td></tr>", "A B"},
        // Empty cells and rows keep their places.
        GridCase{"<tr><td></td><td>B</td></tr><tr></tr><tr><td>C</td></tr>", " B / . . / C ."}));

TEST(HtmlTables, AbsurdColumnSpanIsCappedAtTheColumnsKept) {
    const auto tables = readPage("<table><tr><td colspan=100000>A</td></tr>"
                                 "<tr><td>B</td><td rowspan=100000>C</td></tr></table>");
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].columnCount(), kMaxHtmlTableColumns);
    EXPECT_EQ(tables[0].rowCount(), 2);
    EXPECT_EQ(tables[0].textAt(1, 1), "C");
    EXPECT_EQ(tables[0].at(1, 1)->rowSpan, 1);
}

// An independent model of the table algorithm: a full occupancy grid, filled cell by cell.
struct ModelCell {
    int rowSpan;
    int columnSpan;
};

TEST(HtmlTables, RandomSpansLandWhereAnOccupancyGridPutsThem) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        const int rows = 1 + static_cast<int>(random() % 7);
        std::vector<std::vector<ModelCell>> page(static_cast<std::size_t>(rows));
        std::string html = "<table>";
        for (auto& row : page) {
            html += "<tr>";
            const int count = static_cast<int>(random() % 5);
            for (int i = 0; i < count; ++i) {
                const ModelCell cell{1 + static_cast<int>(random() % 4),
                                     1 + static_cast<int>(random() % 3)};
                row.push_back(cell);
                html += "<td rowspan=" + std::to_string(cell.rowSpan) +
                        " colspan=" + std::to_string(cell.columnSpan) + ">x</td>";
            }
            html += "</tr>";
        }
        html += "</table>";

        // Model: a cell goes to the first column of its row not yet occupied, and occupies
        // its rectangle, rows cut at the table's last row.
        std::vector<std::vector<int>> occupied(static_cast<std::size_t>(rows));
        struct Placed {
            int row, column, rowSpan, columnSpan;
        };
        std::vector<Placed> expected;
        for (int r = 0; r < rows; ++r) {
            int column = 0;
            for (const ModelCell& cell : page[static_cast<std::size_t>(r)]) {
                auto taken = [&](int rr, int cc) {
                    const auto& line = occupied[static_cast<std::size_t>(rr)];
                    return cc < static_cast<int>(line.size()) &&
                           line[static_cast<std::size_t>(cc)] >= 0;
                };
                while (taken(r, column)) {
                    ++column;
                }
                const int rowSpan = std::min(cell.rowSpan, rows - r);
                const int index = static_cast<int>(expected.size());
                for (int rr = r; rr < r + rowSpan; ++rr) {
                    auto& line = occupied[static_cast<std::size_t>(rr)];
                    for (int cc = column; cc < column + cell.columnSpan; ++cc) {
                        if (static_cast<int>(line.size()) <= cc) {
                            line.resize(static_cast<std::size_t>(cc) + 1, -1);
                        }
                        if (line[static_cast<std::size_t>(cc)] < 0) {
                            line[static_cast<std::size_t>(cc)] = index;
                        }
                    }
                }
                expected.push_back({r, column, rowSpan, cell.columnSpan});
                column += cell.columnSpan;
            }
        }
        const auto tables = readPage(html);
        ASSERT_EQ(tables.size(), 1u) << html;
        const SourceTable& table = tables[0];
        ASSERT_EQ(table.cells().size(), expected.size()) << html;
        int width = 0;
        int height = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const SourceCell& cell = table.cells()[i];
            EXPECT_EQ(cell.row, expected[i].row) << html;
            EXPECT_EQ(cell.column, expected[i].column) << html;
            EXPECT_EQ(cell.rowSpan, expected[i].rowSpan) << html;
            EXPECT_EQ(cell.columnSpan, expected[i].columnSpan) << html;
            width = std::max(width, expected[i].column + expected[i].columnSpan);
            height = std::max(height, expected[i].row + expected[i].rowSpan);
        }
        EXPECT_EQ(table.columnCount(), width) << html;
        EXPECT_EQ(table.rowCount(), height) << html;
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                const auto& line = occupied[static_cast<std::size_t>(r)];
                const int want =
                    c < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(c)] : -1;
                const SourceCell* got = table.at(r, c);
                EXPECT_EQ(got == nullptr ? -1 : static_cast<int>(got - table.cells().data()), want)
                    << html << " at " << r << "," << c;
            }
        }
    }
}

struct TextCase {
    const char* cell; // the inside of one <td>
    const char* text;
};

class HtmlCellTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(HtmlCellTexts, ReadAsABrowserShowsThem) {
    const auto tables =
        readPage(std::string("<table><tr><td>") + GetParam().cell + "</td></tr></table>");
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(tables[0].cells().size(), 1u);
    EXPECT_EQ(tables[0].cells()[0].text, GetParam().text) << GetParam().cell;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlCellTexts,
    ::testing::Values(
        TextCase{"高等数学<br>张三<br>1-16周<br>A101", "高等数学\n张三\n1-16周\nA101"},
        TextCase{"A<BR>B<br/>C<br />D<Br >E</br>F</BR >G", "A\nB\nC\nD\nE\nF\nG"},
        TextCase{"A<br><br>B", "A\n\nB"}, TextCase{"A<br>&nbsp;<br>B", "A\n\nB"},
        TextCase{"<br>A<br><br>", "A"}, TextCase{"A <br> B", "A\nB"},
        TextCase{"\n   A \t\r\n  B   C  \n", "A B C"}, TextCase{"<p>A</p><p>B</p>", "A\nB"},
        TextCase{"<div>A</div>B<div></div><div>C</div>", "A\nB\nC"},
        TextCase{"<div>A<br></div><div>B</div>", "A\nB"},
        TextCase{"<span>A</span><b>B</b> <i>C</i>", "AB C"}, TextCase{"A&nbsp;&nbsp;B", "A B"},
        TextCase{"&nbsp;", ""}, TextCase{"&amp;&lt;&gt;&quot;&#x4E2D;&#25991;&copy;", "&<>\"中文©"},
        // Escaped, a break is text: the cell reader splits on it.
        TextCase{"A&lt;/br&gt;B&lt;br&gt;C&lt;br/&gt;D", "A</br>B<br>C<br/>D"},
        TextCase{"<script>var x = '<td>';</script>A<style>td { color: red }</style>", "A"},
        TextCase{"<!-- 备注 -->A<!--<br>-->B", "AB"},
        TextCase{"A<script>document.write('</td><td>x</td>');</script>B", "AB"},
        TextCase{"A<br style='mso-data-placement:same-cell'>B", "A\nB"},
        TextCase{"\xE3\x80\x80"
                 "A\xE3\x80\x80",
                 "\xE3\x80\x80"
                 "A\xE3\x80\x80"},
        TextCase{"<font color=red>刘珊(副教授)</font>", "刘珊(副教授)"}, TextCase{"", ""}));

TEST(HtmlTables, NestedTableIsATableOfItsOwnAndNotTheOuterCellsText) {
    const auto tables =
        readPage("<table><tr><td>before<table><tr><td>inner 1</td></tr>"
                 "<tr><td>inner 2</td></tr></table>after</td><td>B</td></tr></table>"
                 "<table><tr><td>third</td></tr></table>");
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].name(), "表格1");
    EXPECT_EQ(gridOf(tables[0]), "before\nafter B");
    EXPECT_EQ(tables[1].name(), "表格2");
    EXPECT_EQ(gridOf(tables[1]), "inner 1 / inner 2");
    EXPECT_EQ(tables[2].name(), "表格3");
    EXPECT_EQ(gridOf(tables[2]), "third");
}

TEST(HtmlTables, EmptyTablesKeepTheirNumber) {
    const auto tables = readPage("<table></table><p>x</p><table><tr><td>A</td></tr></table>");
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].rowCount(), 0);
    EXPECT_EQ(tables[1].name(), "表格2");
    EXPECT_EQ(gridOf(tables[1]), "A");
}

// GBK bytes of 高等数学 and 张三, and of 镕, which GB2312 lacks and GBK has.
constexpr std::string_view kGbkCourse = "\xB8\xDF\xB5\xC8\xCA\xFD\xD1\xA7";
constexpr std::string_view kGbkTeacher = "\xD5\xC5\xC8\xFD";
constexpr std::string_view kGbkOnly = "\xE9\x46";
// A character GB18030 has only in four bytes: U+20000.
constexpr std::string_view kGb18030FourBytes = "\x95\x32\x82\x36";

std::string cellPage(std::string_view head, std::string_view cell) {
    return std::string("<html><head>") + std::string(head) + "</head><body><table><tr><td>" +
           std::string(cell) + "</td></tr></table></body></html>";
}

struct EncodingCase {
    const char* name;
    std::string page;
    const char* text;
};

class HtmlPageEncodings : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(HtmlPageEncodings, GiveTheTextTheBytesHold) {
    const auto tables = readPage(GetParam().page);
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].textAt(0, 0), GetParam().text);
}

const std::string kGbkCell =
    std::string(kGbkCourse) + "<br>" + std::string(kGbkTeacher) + std::string(kGbkOnly);
constexpr const char* kCellText = "高等数学\n张三镕";

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlPageEncodings,
    ::testing::Values(
        EncodingCase{"GbkDeclaredGb2312",
                     cellPage("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                              "charset=gb2312\">",
                              kGbkCell),
                     kCellText},
        EncodingCase{"GbkDeclaredGbk", cellPage("<meta charset='GBK'>", kGbkCell), kCellText},
        EncodingCase{"GbkUndeclared", cellPage("", kGbkCell), kCellText},
        EncodingCase{"GbkDeclaredUtf8", cellPage("<meta charset=\"utf-8\">", kGbkCell), kCellText},
        EncodingCase{"GbkDeclaredLatin1", cellPage("<meta charset=iso-8859-1>", kGbkCell),
                     kCellText},
        EncodingCase{"Gb18030FourBytes", cellPage("<meta charset=gb2312>", kGb18030FourBytes),
                     "\xF0\xA0\x80\x80"},
        EncodingCase{"Utf8DeclaredGb2312", cellPage("<meta charset=gb2312>", "高等数学<br>张三镕"),
                     kCellText},
        EncodingCase{"Utf8Undeclared", cellPage("", "高等数学<br>张三镕"), kCellText},
        EncodingCase{"Utf8Bom",
                     "\xEF\xBB\xBF" + cellPage("<meta charset=gbk>", "高等数学<br>张三镕"),
                     kCellText},
        EncodingCase{"Utf8BomWithBadByte", "\xEF\xBB\xBF" + cellPage("", "高等\xFF数学"),
                     "高等\xEF\xBF\xBD数学"},
        // A UTF-8 page with one stray byte is still read as UTF-8, not as GB18030.
        EncodingCase{"Utf8WithOneBadByte",
                     cellPage("<meta charset=utf-8>", "高等数学<br>张三镕\xFF"),
                     "高等数学\n张三镕\xEF\xBF\xBD"},
        EncodingCase{"XmlDeclarationGbk",
                     "<?xml version=\"1.0\" encoding=\"GBK\"?>" + cellPage("", kGbkCell),
                     kCellText},
        EncodingCase{"Big5Declared", cellPage("<meta charset=big5>", "\xB0\xAA\xB5\xA5"), "高等"},
        EncodingCase{"NulByte", cellPage("", std::string("A\0B", 3)),
                     "A\xEF\xBF\xBD"
                     "B"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HtmlTables, Utf16PagesWithBomAreRead) {
    const std::u16string page = core::toUtf16(cellPage("", "高等数学<br>张三镕"));
    for (const bool littleEndian : {true, false}) {
        std::vector<std::uint8_t> bytes = littleEndian ? std::vector<std::uint8_t>{0xFF, 0xFE}
                                                       : std::vector<std::uint8_t>{0xFE, 0xFF};
        for (const char16_t unit : page) {
            const auto high = static_cast<std::uint8_t>(unit >> 8);
            const auto low = static_cast<std::uint8_t>(unit & 0xFF);
            bytes.push_back(littleEndian ? low : high);
            bytes.push_back(littleEndian ? high : low);
        }
        EXPECT_TRUE(looksLikeHtml(bytes));
        auto tables = readHtmlTables(bytes);
        ASSERT_TRUE(tables.ok());
        ASSERT_EQ(tables->size(), 1u);
        EXPECT_EQ(tables->front().textAt(0, 0), kCellText);
    }
}

TEST(HtmlTables, PageWithoutATableFails) {
    for (const std::string_view page :
         {std::string_view("<html><body><p>没有课表</p></body></html>"),
          std::string_view("<html><body><td>a cell outside any table</td></body></html>"),
          std::string_view("just text"), std::string_view("\x89PNG\r\n\x1A\n\0\0\0", 11)}) {
        auto tables = readHtmlTables(bytesOf(page));
        ASSERT_FALSE(tables.ok()) << page;
        EXPECT_EQ(tables.failure().status, core::Status::NotAWorkbook);
        EXPECT_EQ(tables.failure().detail, "no table in the HTML page");
    }
    auto empty = readHtmlTables({});
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.failure().status, core::Status::Empty);
}

std::string paddedPage(std::size_t size) {
    std::string page = "<table><tr><td>A</td></tr></table><!--";
    page.resize(size - 3, 'x');
    return page + "-->";
}

TEST(HtmlTables, PageSizeLimitIsCheckedBeforeParsing) {
    auto atLimit = readHtmlTables(bytesOf(paddedPage(kMaxHtmlPageBytes)));
    ASSERT_TRUE(atLimit.ok());
    EXPECT_EQ(gridOf(atLimit->front()), "A");

    auto overLimit = readHtmlTables(bytesOf(paddedPage(kMaxHtmlPageBytes + 1)));
    ASSERT_FALSE(overLimit.ok());
    EXPECT_EQ(overLimit.failure().status, core::Status::TooLarge);
    EXPECT_EQ(overLimit.failure().detail, "the HTML page is larger than 8 MiB");

    const std::vector<std::uint8_t> fiftyMegabytes(50u * 1024 * 1024, '<');
    const auto start = std::chrono::steady_clock::now();
    auto huge = readHtmlTables(fiftyMegabytes);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.failure().status, core::Status::TooLarge);
}

TEST(HtmlTables, HugeCellIsReadWholeAndQuickly) {
    std::string cell;
    std::string expected;
    while (expected.size() < 300'000) { // 100,000 characters of three bytes
        cell += "高等数学&nbsp;张三<br>";
        expected += "高等数学 张三\n";
    }
    expected.pop_back();
    const auto start = std::chrono::steady_clock::now();
    const auto tables = readPage("<table><tr><td>" + cell + "</td></tr></table>");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].textAt(0, 0), expected);
}

TEST(HtmlTables, TablesRowsAndColumnsPastTheLimitsAreLeftOut) {
    std::string many;
    for (int i = 0; i < kMaxHtmlTables + 5; ++i) {
        many += "<table><tr><td>" + std::to_string(i + 1) + "</td></tr></table>";
    }
    auto tables = readPage(many);
    ASSERT_EQ(tables.size(), static_cast<std::size_t>(kMaxHtmlTables));
    EXPECT_EQ(tables.back().name(), "表格" + std::to_string(kMaxHtmlTables));
    EXPECT_EQ(tables.back().textAt(0, 0), std::to_string(kMaxHtmlTables));

    // A table left out inside the last one kept: its text is no one's, the outer cell's lines
    // stay apart.
    std::string nested;
    for (int i = 0; i < kMaxHtmlTables - 1; ++i) {
        nested += "<table><tr><td>x</td></tr></table>";
    }
    nested += "<table><tr><td>before<table><tr><td>left out</td></tr></table>after</td>"
              "<td>B</td></tr></table>";
    tables = readPage(nested);
    ASSERT_EQ(tables.size(), static_cast<std::size_t>(kMaxHtmlTables));
    EXPECT_EQ(gridOf(tables.back()), "before\nafter B");

    std::string tall = "<table>";
    for (int r = 0; r < kMaxHtmlTableRows + 10; ++r) {
        tall += "<tr><td>r</td>";
        if (r == 0) {
            tall += "<td colspan=1000>wide</td><td>past the columns kept</td>";
        }
        tall += "</tr>";
    }
    tables = readPage(tall + "</table>");
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].rowCount(), kMaxHtmlTableRows);
    EXPECT_EQ(tables[0].columnCount(), kMaxHtmlTableColumns);
}

TEST(HtmlTables, DeepNestingIsNeitherSlowNorACrash) {
    std::string page;
    for (int i = 0; i < 20'000; ++i) {
        page += "<table><tr><td><div>";
    }
    page += "deep";
    const auto start = std::chrono::steady_clock::now();
    const auto tables = readHtmlTables(bytesOf(page));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_FALSE(tables.ok());
    EXPECT_EQ(tables.failure().status, core::Status::TooLarge);
}

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::string attributes(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += " a" + std::to_string(i) + "=1";
    }
    return text;
}

struct CostlyPage {
    const char* name;
    std::string html;
    const char* refusal; // "" when the page is read
};

// What makes libxml2's work grow faster than the page: many attributes on one element (each
// compared with every earlier one), end tags that close nothing (each walks the open elements),
// deep nesting. Each is refused past its limit, and read up to it.
TEST(HtmlTables, PagesThatWouldCostTheParserMoreThanLinearTimeAreRefused) {
    const std::string table = "<table><tr><td>A</td></tr></table>";
    const CostlyPage pages[] = {
        {"128 attributes", "<table><tr><td" + attributes(128) + ">A</td></tr></table>", ""},
        {"129 attributes", "<table><tr><td" + attributes(129) + ">A</td></tr></table>",
         "an element of the HTML page has more than 128 attributes"},
        {"129 attributes on a meta", "<meta" + attributes(129) + ">" + table,
         "an element of the HTML page has more than 128 attributes"},
        {"attributes in a comment", "<!-- <td" + attributes(500) + "> -->" + table, ""},
        {"attributes in a script", "<script>if (a<b" + attributes(500) + ") {}</script>" + table,
         ""},
        {"nested 200 deep", repeated("<div>", 200) + table, ""},
        {"nested 300 deep", repeated("<div>", 300) + table,
         "the HTML page nests elements more than 256 deep"},
        {"closed again and again", repeated("<div>", 200) + repeated("</div><div>", 20'000) + table,
         ""},
        {"60,000 stray end tags", repeated("</b>", 60'000) + table, ""},
        {"70,000 stray end tags", repeated("</b>", 70'000) + table,
         "the HTML page has more than 65536 end tags that close no element"},
    };
    for (const CostlyPage& page : pages) {
        const auto start = std::chrono::steady_clock::now();
        const auto tables = readHtmlTables(bytesOf(page.html));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << page.name;
        if (*page.refusal == '\0') {
            ASSERT_TRUE(tables.ok()) << page.name << ": " << tables.failure().detail;
            EXPECT_EQ(gridOf(tables->back()), "A") << page.name;
        } else {
            ASSERT_FALSE(tables.ok()) << page.name;
            EXPECT_EQ(tables.failure().status, core::Status::TooLarge) << page.name;
            EXPECT_EQ(tables.failure().detail, page.refusal) << page.name;
        }
    }
}

// The tables of a page are charged to the import's one budget: past it the page is refused,
// however the cells are spread over its tables.
TEST(HtmlTables, TablesKeptAreChargedToTheBudget) {
    const std::string page =
        repeated("<table>" + repeated("<tr><td>课程</td></tr>", 1000) + "</table>", 8);
    spreadsheet::ReadBudget roomy;
    ASSERT_TRUE(readHtmlTables(bytesOf(page), roomy).ok());
    spreadsheet::ReadBudget small(100'000);
    const auto refused = readHtmlTables(bytesOf(page), small);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().status, core::Status::TooLarge);
}

TEST(HtmlTables, BrokenPagesPrintNothing) {
    ::testing::internal::CaptureStderr();
    const auto tables = readPage("<html><body><table><tr><td>A</b></i><td>&bogus;<x:y z=>"
                                 "\x01\x02<td>\xEF\xBF\xBE</table></table></html></html>");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].textAt(0, 0), "A");
}

struct SniffCase {
    const char* name;
    std::string bytes;
    bool html;
};

class HtmlSniffing : public ::testing::TestWithParam<SniffCase> {};

TEST_P(HtmlSniffing, TellsPagesFromOtherFiles) {
    EXPECT_EQ(looksLikeHtml(bytesOf(GetParam().bytes)), GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlSniffing,
    ::testing::Values(
        SniffCase{"Doctype", "<!DOCTYPE html><html><body></body></html>", true},
        SniffCase{"DoctypePublic",
                  "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"><HTML></HTML>", true},
        SniffCase{"BareTable", "<table border=1><tr><td>a</td></tr></table>", true},
        SniffCase{"MetaFirst", "<META http-equiv=Content-Type content=\"text/html\">", true},
        SniffCase{"BomAndBlanks", "\xEF\xBB\xBF \r\n\t<html>", true},
        SniffCase{"CommentFirst", "<!-- exported -->\n<HEAD><title>课表</title></HEAD>", true},
        SniffCase{"ExcelWebPage",
                  "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                  "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">",
                  true},
        SniffCase{"XhtmlWithProlog", "<?xml version=\"1.0\"?><html xmlns=\"x\"></html>", true},
        SniffCase{"XmlSpreadsheet",
                  "<?xml version=\"1.0\"?><?mso-application progid=\"Excel.Sheet\"?>"
                  "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\">"
                  "<Worksheet><Table><Row><Cell></Cell></Row></Table></Worksheet></Workbook>",
                  false},
        SniffCase{"TextFirst", "课表 <table>", false},
        SniffCase{"OtherTag", "<tablet><htmlx>", false},
        SniffCase{"Xlsx", std::string("PK\x03\x04<html>", 10), false},
        SniffCase{"Ole2", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1<table>", 15), false},
        SniffCase{"Empty", "", false}, SniffCase{"BlanksOnly", "  \n ", false},
        SniffCase{"LessThanOnly", "<", false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HtmlTables, TagPastTheFirstKilobytesIsNotLookedFor) {
    std::string late = "<!--" + std::string(64 * 1024, ' ') + "--><table>";
    EXPECT_FALSE(looksLikeHtml(bytesOf(late)));
}

// The sample exports and their expected classes, both written by hand, must agree on the HTML
// side: each class's cell holds its course, teacher and room as written.
std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::pair<int, int> cellPosition(const std::string& address) {
    int column = 0;
    std::size_t i = 0;
    for (; i < address.size() && address[i] >= 'A' && address[i] <= 'Z'; ++i) {
        column = column * 26 + (address[i] - 'A' + 1);
    }
    return {std::stoi(address.substr(i)) - 1, column - 1};
}

class SampleExports : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleExports, ClassesExpectedStandInTheirCells) {
    const std::string base = std::string(ORVANTO_TEST_DATA) + "/exports/";
    const auto page = readFile(base + GetParam());
    ASSERT_FALSE(page.empty()) << GetParam();
    EXPECT_TRUE(looksLikeHtml(page));
    auto tables = readHtmlTables(page);
    ASSERT_TRUE(tables.ok()) << tables.failure().detail;

    const std::string name = GetParam();
    const auto expectedBytes = readFile(base + name.substr(0, name.rfind('.')) + ".expected.json");
    const std::string expected(expectedBytes.begin(), expectedBytes.end());
    const std::regex classPattern("\\{\"course\":\"([^\"]*)\",\"teacher\":\"([^\"]*)\","
                                  "\"room\":\"([^\"]*)\".*?\"sheet\":\"([^\"]*)\","
                                  "\"cell\":\"([A-Z]+[0-9]+)\"\\}");
    int classes = 0;
    for (auto match = std::sregex_iterator(expected.begin(), expected.end(), classPattern);
         match != std::sregex_iterator(); ++match, ++classes) {
        const auto table = std::find_if(tables->begin(), tables->end(), [&](const auto& t) {
            return t.name() == (*match)[4].str();
        });
        ASSERT_NE(table, tables->end()) << (*match)[0];
        const auto [row, column] = cellPosition((*match)[5].str());
        const SourceCell* cell = table->at(row, column);
        ASSERT_NE(cell, nullptr) << (*match)[0];
        EXPECT_EQ(cell->row, row) << (*match)[0];
        EXPECT_EQ(cell->column, column) << (*match)[0];
        // A list names the course alone in its cell, the other fields beside it in the row.
        std::string fields = cell->text;
        if (fields == (*match)[1].str()) {
            for (int c = 0; c < table->columnCount(); ++c) {
                fields += "\n" + table->textAt(row, c);
            }
        }
        for (int field = 1; field <= 3; ++field) {
            EXPECT_NE(fields.find((*match)[field].str()), std::string::npos)
                << (*match)[field] << " not in " << fields;
        }
    }
    EXPECT_GT(classes, 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, SampleExports,
                         ::testing::Values("grid-utf8.html", "grid-gbk.xls",
                                           "html-grid-sunday-first.html", "list-utf8.htm"));

} // namespace
