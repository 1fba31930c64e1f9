#include "BiffRecordCursor.h"

#include "spreadsheet/LoadFailure.h"

#include <bit>
#include <string>

namespace orvanto::spreadsheet {

namespace {
constexpr std::size_t kHeaderSize = 4;
}

double readF64(std::span<const std::uint8_t> data, std::size_t at) {
    const std::uint64_t bits = static_cast<std::uint64_t>(readU32(data, at)) |
                               (static_cast<std::uint64_t>(readU32(data, at + 4)) << 32);
    return std::bit_cast<double>(bits);
}

core::Result<std::optional<BiffRecord>> BiffRecordCursor::next(Wanted wanted) {
    const std::uint64_t size = m_stream.size();
    if (m_offset >= size) {
        return std::optional<BiffRecord>{};
    }
    if (size - m_offset < kHeaderSize) {
        return loadFailure(core::Status::Damaged, "the workbook stream",
                           "the record at offset " + std::to_string(m_offset) +
                               " runs past its end");
    }
    // While skipping, fetch no more than the header: the payload is passed over unread.
    const bool skipping = wanted != nullptr;
    auto header = m_stream.read(m_offset, kHeaderSize,
                                skipping ? kHeaderSize : OleWorkbookStream::kReadAhead);
    if (!header) {
        return header.failure();
    }
    const std::uint16_t id = readU16(*header, 0);
    const std::uint16_t length = readU16(*header, 2);
    if (size - m_offset - kHeaderSize < length) {
        return loadFailure(core::Status::Damaged, "the workbook stream",
                           "the record at offset " + std::to_string(m_offset) +
                               " runs past its end");
    }
    if (skipping && !wanted(id)) {
        BiffRecord record{id, m_offset, {}};
        m_offset += kHeaderSize + length;
        return std::optional<BiffRecord>{record};
    }
    auto whole = m_stream.read(m_offset, kHeaderSize + length);
    if (!whole) {
        return whole.failure();
    }
    BiffRecord record{id, m_offset, whole->subspan(kHeaderSize)};
    m_offset += kHeaderSize + length;
    return std::optional<BiffRecord>{record};
}

std::optional<std::uint16_t> BiffRecordCursor::peekId() {
    if (m_offset >= m_stream.size() || m_stream.size() - m_offset < 2) {
        return std::nullopt;
    }
    auto header = m_stream.read(m_offset, 2);
    if (!header) {
        return std::nullopt;
    }
    return readU16(*header, 0);
}

} // namespace orvanto::spreadsheet
