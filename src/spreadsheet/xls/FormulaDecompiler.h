// Turns the parsed tokens of a BIFF5/BIFF8 FORMULA record back into the text Excel shows
// ("=A1&\"x\""), for the common tokens only: the marker search matches formula text.
#pragma once

#include "BiffTextDecoder.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvanto::spreadsheet {

class FormulaDecompiler {
  public:
    FormulaDecompiler(bool biff8, const BiffTextDecoder& text) : m_biff8(biff8), m_text(text) {}

    // The formula text, or nothing when it uses a token this decompiler does not know
    // (names, other sheets, shared and array formulas): better no text than a wrong one.
    std::optional<std::string> decompile(std::span<const std::uint8_t> tokens) const;

  private:
    bool m_biff8;
    const BiffTextDecoder& m_text;
};

} // namespace orvanto::spreadsheet
