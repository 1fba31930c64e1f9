// Walks the BIFF records of a workbook stream: a 2-byte id, a 2-byte length, the payload.
// Every record's length is checked against what is left of the stream.
#pragma once

#include "OleWorkbookStream.h"
#include "core/Failure.h"
#include "spreadsheet/LittleEndian.h"

#include <cstdint>
#include <optional>
#include <span>

namespace orvanto::spreadsheet {

struct BiffRecord {
    std::uint16_t id = 0;
    std::uint64_t offset = 0;           // of the record header in the stream
    std::span<const std::uint8_t> data; // valid until the cursor moves again
};

class BiffRecordCursor {
  public:
    explicit BiffRecordCursor(OleWorkbookStream& stream, std::uint64_t offset = 0)
        : m_stream(stream), m_offset(offset) {}

    void seek(std::uint64_t offset) { m_offset = offset; }
    std::uint64_t offset() const { return m_offset; }

    // The next record, nothing at the end of the stream, or a failure when it is cut short.
    // Records for which wanted says false come without their data, which is then not read:
    // walking past a big shared string table costs its record headers only.
    using Wanted = bool (*)(std::uint16_t id);
    core::Result<std::optional<BiffRecord>> next(Wanted wanted = nullptr);
    // The id of the next record without moving, nothing at the end of the stream.
    std::optional<std::uint16_t> peekId();

  private:
    OleWorkbookStream& m_stream;
    std::uint64_t m_offset = 0;
};

// An 8-byte little-endian IEEE double from a record payload; callers check the length first.
double readF64(std::span<const std::uint8_t> data, std::size_t at);

} // namespace orvanto::spreadsheet
