// Turns the text stored in BIFF records into UTF-8: UTF-16 for BIFF8, and 8-bit text in
// the workbook's code page (its CODEPAGE record) for BIFF5.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

class BiffTextDecoder {
  public:
    // Windows code page number as the CODEPAGE record gives it; 1252 when a file has none.
    explicit BiffTextDecoder(std::uint16_t codePage = 1252) : m_codePage(codePage) {}

    // 8-bit text in the code page; bytes that do not decode become U+FFFD.
    std::string decode8Bit(std::span<const std::uint8_t> bytes) const;

    // A string held whole inside one record payload at offset at: BIFF8 with a 16-bit
    // length and a flags byte; BIFF5 as 8-bit text after a 16-bit length, or an 8-bit one
    // when shortLength. Nothing when it runs past the payload.
    std::optional<std::string> readRecordString(std::span<const std::uint8_t> data, std::size_t at,
                                                bool biff8, bool shortLength = false) const;

    // count characters at offset at, as NAME and SUPBOOK records hold them: BIFF8 after a
    // flags byte, BIFF5 in the code page. end, when given, is set past them. Nothing when
    // they run past the payload.
    std::optional<std::string> readCharacters(std::span<const std::uint8_t> data, std::size_t at,
                                              std::size_t count, bool biff8,
                                              std::size_t* end = nullptr) const;

  private:
    std::uint16_t m_codePage;
};

} // namespace orvanto::spreadsheet
