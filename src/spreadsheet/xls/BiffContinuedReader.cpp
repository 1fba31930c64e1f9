#include "BiffContinuedReader.h"

#include "XlsRecordIds.h"

#include <algorithm>

namespace orvanto::spreadsheet {

namespace {
constexpr std::uint8_t kHighByte = 0x01;
constexpr std::uint8_t kPhonetic = 0x04;
constexpr std::uint8_t kRichText = 0x08;
constexpr std::uint32_t kRunSize = 4;
} // namespace

bool BiffContinuedReader::advance() {
    while (m_pos >= m_segment.size()) {
        if (m_cursor == nullptr || m_cursor->peekId() != biff::kContinue) {
            return false;
        }
        auto next = m_cursor->next();
        if (!next || !*next) {
            if (!next) {
                m_cursorStatus = next.failure();
            }
            m_cursor = nullptr;
            return false;
        }
        m_segment = (*next)->data;
        m_pos = 0;
    }
    return true;
}

bool BiffContinuedReader::readU8(std::uint8_t& value) {
    if (!advance()) {
        return false;
    }
    value = m_segment[m_pos++];
    return true;
}

bool BiffContinuedReader::readU16(std::uint16_t& value) {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!readU8(low) || !readU8(high)) {
        return false;
    }
    value = static_cast<std::uint16_t>(low | (high << 8));
    return true;
}

bool BiffContinuedReader::readU32(std::uint32_t& value) {
    std::uint16_t low = 0;
    std::uint16_t high = 0;
    if (!readU16(low) || !readU16(high)) {
        return false;
    }
    value = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
    return true;
}

bool BiffContinuedReader::skip(std::uint64_t count) {
    while (count > 0) {
        if (!advance()) {
            return false;
        }
        const std::size_t step =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, m_segment.size() - m_pos));
        m_pos += step;
        count -= step;
    }
    return true;
}

bool BiffContinuedReader::readCharacters(std::uint32_t count, bool highByte, std::u16string& out) {
    while (count > 0) {
        if (m_pos >= m_segment.size()) {
            // A string broken across records resumes with its own flags byte.
            std::uint8_t flags = 0;
            if (!readU8(flags)) {
                return false;
            }
            highByte = (flags & kHighByte) != 0;
            continue;
        }
        const std::size_t width = highByte ? 2 : 1;
        const std::size_t available = (m_segment.size() - m_pos) / width;
        if (available == 0) {
            return false; // half a character before the break: damaged
        }
        const std::size_t take = std::min<std::size_t>(available, count);
        for (std::size_t i = 0; i < take; ++i) {
            const std::size_t at = m_pos + i * width;
            out.push_back(highByte ? static_cast<char16_t>(m_segment[at] | (m_segment[at + 1] << 8))
                                   : static_cast<char16_t>(m_segment[at]));
        }
        m_pos += take * width;
        count -= static_cast<std::uint32_t>(take);
    }
    return true;
}

bool BiffContinuedReader::readUnicodeString(std::u16string& out) {
    std::uint16_t count = 0;
    std::uint8_t flags = 0;
    if (!readU16(count) || !readU8(flags)) {
        return false;
    }
    std::uint16_t runs = 0;
    std::uint32_t phoneticSize = 0;
    if ((flags & kRichText) != 0 && !readU16(runs)) {
        return false;
    }
    if ((flags & kPhonetic) != 0 && !readU32(phoneticSize)) {
        return false;
    }
    return readCharacters(count, (flags & kHighByte) != 0, out) &&
           skip(static_cast<std::uint64_t>(runs) * kRunSize + phoneticSize);
}

} // namespace orvanto::spreadsheet
