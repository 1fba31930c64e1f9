// A cell's text cut into pieces: key:value pairs on one line each become a piece of their own,
// and a labelled period text reads as periods, whatever separator the dialect has.

#include "imports/entries/CellPieces.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvanto::imports {
namespace {

struct PiecesCase {
    std::string name;
    std::string text;
    FieldSeparator separator;
    std::vector<std::string> pieces; // the texts, in order
    std::vector<PieceKind> kinds;
};

void PrintTo(const PiecesCase& c, std::ostream* out) {
    *out << c.name;
}

class CutPieces : public testing::TestWithParam<PiecesCase> {};

TEST_P(CutPieces, GivesEachPairAPiece) {
    const std::vector<CellPiece> pieces = cutPieces(GetParam().text, {GetParam().separator});
    std::vector<std::string> texts;
    std::vector<PieceKind> kinds;
    for (const CellPiece& piece : pieces) {
        texts.emplace_back(piece.text);
        kinds.push_back(piece.kind);
    }
    EXPECT_EQ(texts, GetParam().pieces);
    EXPECT_EQ(kinds, GetParam().kinds);
}

using enum PieceKind;
INSTANTIATE_TEST_SUITE_P(Cases, CutPieces,
                         testing::Values(PiecesCase{"PairsOnOneLine",
                                                    "周次:1-8周 教师:王芳 地点:教2-301",
                                                    FieldSeparator::LineBreak,
                                                    {"周次:1-8周", "教师:王芳", "地点:教2-301"},
                                                    {Weeks, Labelled, Labelled}},
                                         PiecesCase{"FullWidthColonsAndWideGaps",
                                                    "教师：李明\u3000地点：致新楼-203",
                                                    FieldSeparator::LineBreak,
                                                    {"教师：李明", "地点：致新楼-203"},
                                                    {Labelled, Labelled}},
                                         PiecesCase{"SeveralTeachersStayOnePair",
                                                    "教师:王芳,李明 地点:A101",
                                                    FieldSeparator::LineBreak,
                                                    {"教师:王芳,李明", "地点:A101"},
                                                    {Labelled, Labelled}},
                                         PiecesCase{"LabelledPeriods",
                                                    "节次:3-4节 地点:南教401",
                                                    FieldSeparator::LineBreak,
                                                    {"节次:3-4节", "地点:南教401"},
                                                    {Periods, Labelled}},
                                         PiecesCase{"PairsInsideSemicolonSegments",
                                                    "教师:王芳 地点:A101;1-16周",
                                                    FieldSeparator::Semicolon,
                                                    {"教师:王芳", "地点:A101", "1-16周"},
                                                    {Labelled, Labelled, Weeks}},
                                         // A pair after a field parts it from that field too.
                                         PiecesCase{"PairAfterAField",
                                                    "高等数学 地点:A101",
                                                    FieldSeparator::LineBreak,
                                                    {"高等数学", "地点:A101"},
                                                    {Text, Labelled}},
                                         PiecesCase{"DetailLineWhole",
                                                    "学时:48 周学时:4",
                                                    FieldSeparator::LineBreak,
                                                    {"学时:48 周学时:4"},
                                                    {Detail}}));

TEST(CutPieces, LabelledPeriodsNameTheirPeriods) {
    const std::vector<CellPiece> pieces = cutPieces("节次:第3,4节", {FieldSeparator::LineBreak});
    ASSERT_EQ(pieces.size(), 1U);
    ASSERT_TRUE(pieces[0].periods.has_value());
    EXPECT_EQ(*pieces[0].periods, (SmallPeriods{3, 4}));
}

} // namespace
} // namespace orvanto::imports
