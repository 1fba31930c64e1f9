// Little-endian reads from the bytes of a file or a record, as both readers' formats store
// their numbers; callers check the length first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvanto::spreadsheet {

inline std::uint16_t readU16(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}
inline std::uint32_t readU32(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(readU16(data, at)) |
           (static_cast<std::uint32_t>(readU16(data, at + 2)) << 16);
}

} // namespace orvanto::spreadsheet
