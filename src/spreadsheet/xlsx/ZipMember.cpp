#include "ZipMember.h"

#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/ReadLimits.h"

#include <algorithm>
#include <gsf/gsf.h>

namespace orvanto::spreadsheet {

namespace {
constexpr std::int64_t kChunkBytes = 64 * 1024;
}

ZipMember::ZipMember(std::string path, GsfInput* input) : m_path(std::move(path)), m_input(input) {}

core::Result<std::span<const std::uint8_t>> ZipMember::read() {
    const gsf_off_t remaining = gsf_input_remaining(m_input.get());
    if (remaining <= 0) {
        return std::span<const std::uint8_t>{};
    }
    if (m_inflated >= limits::kInflatedPartBytes) {
        return partFailure(core::Status::TooLarge, m_path,
                           "it inflates to more than " +
                               std::to_string(limits::kInflatedPartBytes >> 20) + " MiB");
    }
    const std::int64_t count =
        std::min({std::int64_t{remaining}, kChunkBytes, limits::kInflatedPartBytes - m_inflated});
    const guint8* data = gsf_input_read(m_input.get(), static_cast<std::size_t>(count), nullptr);
    if (data == nullptr) {
        return partFailure(core::Status::Damaged, m_path, "its data cannot be inflated");
    }
    m_inflated += count;
    return std::span<const std::uint8_t>(data, static_cast<std::size_t>(count));
}

} // namespace orvanto::spreadsheet
