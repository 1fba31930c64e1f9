// Ids of the BIFF5/BIFF8 records the xls reader looks at.
#pragma once

#include <cstdint>

namespace orvanto::spreadsheet::biff {

inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kBofBiff2 = 0x0009;
inline constexpr std::uint16_t kBofBiff3 = 0x0209;
inline constexpr std::uint16_t kBofBiff4 = 0x0409;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kFilePass = 0x002F;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kDateMode = 0x0022;
inline constexpr std::uint16_t kWindow1 = 0x003D;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kFormat = 0x041E;
inline constexpr std::uint16_t kXf = 0x00E0;
inline constexpr std::uint16_t kSst = 0x00FC;
inline constexpr std::uint16_t kContinue = 0x003C;
inline constexpr std::uint16_t kExternSheet = 0x0017;
inline constexpr std::uint16_t kName = 0x0018;
inline constexpr std::uint16_t kExternName = 0x0023;
inline constexpr std::uint16_t kSupBook = 0x01AE;

inline constexpr std::uint16_t kLabelSst = 0x00FD;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kRString = 0x00D6;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kRk = 0x027E;
inline constexpr std::uint16_t kMulRk = 0x00BD;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kMergedCells = 0x00E5;
inline constexpr std::uint16_t kMulBlank = 0x00BE;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kFormula = 0x0006;
// FORMULA under its BIFF3 and BIFF4 ids: some writers still emit these in BIFF5/8 sheets,
// with the BIFF5/8 layout, and Excel-compatible readers take them as FORMULA.
inline constexpr std::uint16_t kFormulaBiff3 = 0x0206;
inline constexpr std::uint16_t kFormulaBiff4 = 0x0406;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kSharedFormula = 0x04BC;
inline constexpr std::uint16_t kArrayFormula = 0x0221;

// BOF substream types.
inline constexpr std::uint16_t kGlobalsSubstream = 0x0005;
inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kBiff5Version = 0x0500;

} // namespace orvanto::spreadsheet::biff
