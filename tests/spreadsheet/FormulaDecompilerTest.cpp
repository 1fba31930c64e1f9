// Formula tokens back to the text Excel shows, and no text for tokens it cannot show.
#include "spreadsheet/xls/FormulaDecompiler.h"

#include "XlsFileBuilder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvanto::spreadsheet {
namespace {

using testing::Bytes;
using testing::Payload;

struct Case {
    std::string what;
    Bytes tokens;
    std::optional<std::string> text;
    bool biff8 = true;
};

class FormulaText : public ::testing::TestWithParam<Case> {};

TEST_P(FormulaText, Decompiles) {
    const auto& c = GetParam();
    BiffTextDecoder gbk(936);
    EXPECT_EQ(FormulaDecompiler(c.biff8, gbk).decompile(c.tokens), c.text);
}

// BIFF8 cell reference: row, then column with the relative flags (0xC000 = both relative).
Bytes ref(unsigned row, unsigned column, unsigned flags = 0xC000) {
    return Payload().u8(0x44).u16(row).u16(column | flags).take();
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, FormulaText,
    ::testing::Values(
        Case{"concat_refs", ref(0, 0) + ref(0, 1) + Bytes{0x08}, "=A1&B1"},
        Case{"absolute_and_mixed", ref(4, 27, 0) + ref(9, 2, 0x4000) + Bytes{0x03}, "=$AB$5+C$10"},
        Case{"area_in_sum",
             Payload()
                 .u8(0x25)
                 .u16(1)
                 .u16(9)
                 .u16(0xC002)
                 .u16(0xC003)
                 .u8(0x19)
                 .u8(0x10)
                 .u16(0)
                 .take(),
             "=SUM(C2:D10)"},
        Case{"string_with_quote", Payload().u8(0x17).u8(4).u8(0).latin1("a\"b!").take(),
             "=\"a\"\"b!\""},
        Case{"utf16_string", Payload().u8(0x17).u8(2).u8(1).utf16(u"课表").take(), "=\"课表\""},
        Case{"numbers_and_precedence",
             Payload().u8(0x1E).u16(2).u8(0x1F).f64(0.5).u8(0x05).u8(0x15).u8(0x13).u8(0x14).take(),
             "=-(2*0.5)%"},
        Case{"comparison_and_bool", Payload().u8(0x1D).u8(1).u8(0x1C).u8(0x2A).u8(0x0E).take(),
             "=TRUE<>#N/A"},
        Case{"if_with_jumps",
             ref(2, 2) + Payload()
                             .u8(0x19)
                             .u8(0x02)
                             .u16(7)
                             .u8(0x17)
                             .u8(1)
                             .u8(0)
                             .latin1("y")
                             .u8(0x19)
                             .u8(0x08)
                             .u16(3)
                             .u8(0x17)
                             .u8(1)
                             .u8(0)
                             .latin1("n")
                             .u8(0x19)
                             .u8(0x08)
                             .u16(3)
                             .u8(0x42)
                             .u8(3)
                             .u16(1)
                             .take(),
             "=IF(C3,\"y\",\"n\")"},
        Case{"fixed_args_function", ref(0, 2) + Payload().u8(0x1E).u16(2).u8(0x41).u16(27).take(),
             "=ROUND(C1,2)"},
        Case{"no_args_function", Payload().u8(0x41).u16(221).take(), "=TODAY()"},
        Case{"spaces_typed",
             ref(0, 0) + Payload().u8(0x19).u8(0x40).u16(0x0100).take() + ref(0, 1) +
                 Payload().u8(0x19).u8(0x40).u16(0x0100).u8(0x08).take(),
             "=A1 & B1"},
        Case{"deleted_reference", Payload().u8(0x2A).u32(0).take(), "=#REF!"},
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
        // Not decompiled: better no text than a wrong one.
        Case{"shared_formula", Payload().u8(0x01).u16(0).u16(0).take(), std::nullopt},
        Case{"defined_name", Payload().u8(0x23).u32(1).take(), std::nullopt},
        Case{"other_sheet", Payload().u8(0x3A).u16(0).u16(0).u16(0xC000).take(), std::nullopt},
        Case{"unknown_function", Payload().u8(0x41).u16(999).take(), std::nullopt},
        Case{"cut_short", Payload().u8(0x44).u16(0).take(), std::nullopt},
        Case{"operator_without_operands", Bytes{0x03}, std::nullopt},
        Case{"two_values_left", ref(0, 0) + ref(0, 1), std::nullopt},
        Case{"empty", Bytes{}, std::nullopt}),
    [](const auto& p) { return p.param.what; });

} // namespace
} // namespace orvanto::spreadsheet
