// Turns the parsed tokens of a BIFF5/BIFF8 formula back into the text Excel shows
// ("=A1&\"x\""): the marker search matches formula text, as Excel's Find does.
#pragma once

#include "BiffTextDecoder.h"
#include "XlsLinkTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvanto::spreadsheet {

// A cell of a sheet, 0-based.
struct XlsCellPosition {
    std::uint16_t row = 0;
    std::uint16_t column = 0;
    bool operator==(const XlsCellPosition&) const = default;
};

class FormulaDecompiler {
  public:
    FormulaDecompiler(bool biff8, const BiffTextDecoder& text, const XlsLinkTable& links)
        : m_biff8(biff8), m_text(text), m_links(links) {}

    // The formula text of tokens, with extra the data stored after them (array constants)
    // and cell where the formula stands, against which the relative references of a
    // shared formula resolve. Nothing when the tokens are damaged or not a formula Excel
    // could show (a data table, a reference to a shared formula): better no text than a
    // wrong one.
    std::optional<std::string> decompile(std::span<const std::uint8_t> tokens,
                                         std::span<const std::uint8_t> extra = {},
                                         XlsCellPosition cell = {}) const;

    // The cell whose shared or array formula a FORMULA record takes (its tokens are one
    // tExp), nothing for a formula of its own.
    static std::optional<XlsCellPosition> sharedFormulaCell(std::span<const std::uint8_t> tokens);

  private:
    bool m_biff8;
    const BiffTextDecoder& m_text;
    const XlsLinkTable& m_links;
};

} // namespace orvanto::spreadsheet
