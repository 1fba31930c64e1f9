#include "MappedFile.h"

#include <utility>

namespace orvanto::platform {

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_view(std::exchange(other.m_view, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_copy(std::move(other.m_copy)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        release();
        m_view = std::exchange(other.m_view, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_copy = std::move(other.m_copy);
    }
    return *this;
}

MappedFile::~MappedFile() {
    release();
}

std::span<const std::uint8_t> MappedFile::bytes() const {
    if (m_view != nullptr) {
        return {static_cast<const std::uint8_t*>(m_view), m_size};
    }
    return m_copy;
}

} // namespace orvanto::platform
