// Reads a record's payload together with the CONTINUE records after it, as one run of bytes,
// honouring the rule that a string's characters resume after a break with a fresh flags byte.
#pragma once

#include "BiffRecordCursor.h"
#include "core/Failure.h"

#include <cstdint>
#include <span>
#include <string>

namespace orvanto::spreadsheet {

class BiffContinuedReader {
  public:
    // Reads first alone: a string held whole inside one record.
    explicit BiffContinuedReader(std::span<const std::uint8_t> first) : m_segment(first) {}
    // Reads first, then the CONTINUE records the cursor stands at, moving the cursor past them.
    BiffContinuedReader(std::span<const std::uint8_t> first, BiffRecordCursor& cursor)
        : m_segment(first), m_cursor(&cursor) {}

    // Why a read ran out: the stream's own failure when a CONTINUE record could not be read,
    // otherwise the given one (the record itself is short).
    core::Failure failureOr(core::Failure damaged) const {
        return m_cursorStatus ? std::move(damaged) : m_cursorStatus.failure();
    }

    // Each read returns false when the bytes run out; the reader is then spent.
    bool readU8(std::uint8_t& value);
    bool readU16(std::uint16_t& value);
    bool readU32(std::uint32_t& value);
    bool skip(std::uint64_t count);

    // A BIFF8 string body of count characters whose first flags byte was already read:
    // one byte (compressed) or two bytes per character, re-flagged at each CONTINUE.
    bool readCharacters(std::uint32_t count, bool highByte, std::u16string& out);

    // A BIFF8 string as stored in the shared string table: 16-bit length, flags, optional
    // rich-text run count and phonetic size, characters, then the runs and phonetic data
    // (skipped). Also serves the cached text of a formula (the flags say neither tail).
    bool readUnicodeString(std::u16string& out);

  private:
    bool advance(); // moves to the next segment when the current one is used up

    std::span<const std::uint8_t> m_segment;
    std::size_t m_pos = 0;
    BiffRecordCursor* m_cursor = nullptr; // none: no segments after the first
    core::Result<void> m_cursorStatus;    // of reading the CONTINUE records
};

} // namespace orvanto::spreadsheet
