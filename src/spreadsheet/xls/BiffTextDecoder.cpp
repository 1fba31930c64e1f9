#include "BiffTextDecoder.h"

#include "BiffContinuedReader.h"
#include "core/Utf8.h"

#include <glib.h>
#include <string>

namespace orvanto::spreadsheet {

namespace {

// iconv name of a Windows code page; empty where the bytes are taken as Latin-1.
std::string charsetOf(std::uint16_t codePage) {
    switch (codePage) {
    case 367:
        return "ASCII";
    case 932:
        return "CP932";
    case 936:
        return "GBK";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 10000:
    case 32768:
        return "MACINTOSH";
    case 1200: // UTF-16 workbooks have no 8-bit text; be lenient with what they hold
        return {};
    case 32769:
        return "CP1252";
    default:
        break;
    }
    if ((codePage >= 1250 && codePage <= 1258) || (codePage >= 437 && codePage <= 874)) {
        return "CP" + std::to_string(codePage);
    }
    return "CP1252";
}

} // namespace

std::string BiffTextDecoder::decode8Bit(std::span<const std::uint8_t> bytes) const {
    std::string out;
    bool ascii = true;
    for (std::uint8_t b : bytes) {
        ascii = ascii && b < 0x80;
    }
    if (ascii) {
        return std::string(bytes.begin(), bytes.end());
    }
    const std::string charset = charsetOf(m_codePage);
    if (!charset.empty()) {
        gsize written = 0;
        gchar* converted = g_convert(reinterpret_cast<const gchar*>(bytes.data()),
                                     static_cast<gssize>(bytes.size()), "UTF-8", charset.c_str(),
                                     nullptr, &written, nullptr);
        if (converted != nullptr) {
            out.assign(converted, written);
            g_free(converted);
            return out;
        }
        // Not valid in its code page: keep the ASCII and mark the rest as unreadable.
        for (std::uint8_t b : bytes) {
            core::appendUtf8(out, b < 0x80 ? b : core::kReplacementCharacter);
        }
        return out;
    }
    for (std::uint8_t b : bytes) {
        core::appendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> BiffTextDecoder::readRecordString(std::span<const std::uint8_t> data,
                                                             std::size_t at, bool biff8,
                                                             bool shortLength) const {
    if (at > data.size()) {
        return std::nullopt;
    }
    auto rest = data.subspan(at);
    if (biff8) {
        BiffContinuedReader reader(rest);
        std::u16string units;
        if (!reader.readUnicodeString(units)) {
            return std::nullopt;
        }
        return core::toUtf8(units);
    }
    const std::size_t header = shortLength ? 1 : 2;
    if (rest.size() < header) {
        return std::nullopt;
    }
    const std::size_t count =
        shortLength ? rest[0] : static_cast<std::size_t>(rest[0] | (rest[1] << 8));
    if (rest.size() - header < count) {
        return std::nullopt;
    }
    return decode8Bit(rest.subspan(header, count));
}

std::optional<std::string> BiffTextDecoder::readCharacters(std::span<const std::uint8_t> data,
                                                           std::size_t at, std::size_t count,
                                                           bool biff8, std::size_t* end) const {
    if (at > data.size()) {
        return std::nullopt;
    }
    auto rest = data.subspan(at);
    if (!biff8) {
        if (rest.size() < count) {
            return std::nullopt;
        }
        if (end != nullptr) {
            *end = at + count;
        }
        return decode8Bit(rest.first(count));
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    const bool wide = (rest[0] & 0x01) != 0;
    const std::size_t bytes = count * (wide ? 2 : 1);
    if (rest.size() - 1 < bytes) {
        return std::nullopt;
    }
    std::u16string units;
    for (std::size_t i = 0; i < count; ++i) {
        units.push_back(wide ? static_cast<char16_t>(rest[1 + 2 * i] | (rest[2 + 2 * i] << 8))
                             : static_cast<char16_t>(rest[1 + i]));
    }
    if (end != nullptr) {
        *end = at + 1 + bytes;
    }
    return core::toUtf8(units);
}

} // namespace orvanto::spreadsheet
