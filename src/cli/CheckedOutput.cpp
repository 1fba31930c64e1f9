#include "CheckedOutput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace orvanto::cli {

namespace {

// Large enough that a whole calendar usually leaves in one write.
constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

CheckedOutput::CheckedOutput(int fileDescriptor)
    : CheckedOutput([fileDescriptor](const char* bytes, std::size_t count) {
          return static_cast<std::ptrdiff_t>(::write(fileDescriptor, bytes, count));
      }) {}

CheckedOutput::CheckedOutput(Writer writer) : m_writer(std::move(writer)), m_buffer(kBufferSize) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

CheckedOutput::~CheckedOutput() {
    // Callers flush and check; this only keeps what a caller forgot from being lost.
    writeBuffered();
}

std::string CheckedOutput::failureReason() const {
    return m_error == 0 ? std::string() : std::string(std::strerror(m_error));
}

bool CheckedOutput::writeBuffered() {
    if (m_error != 0) {
        return false; // the first failure is the cause; nothing after it is written
    }
    const char* next = pbase();
    while (next < pptr()) {
        const std::ptrdiff_t written = m_writer(next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_error = written < 0 && errno != 0 ? errno : EIO;
            return false;
        }
        next += written;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return true;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    if (!writeBuffered()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedOutput::sync() {
    return writeBuffered() ? 0 : -1;
}

} // namespace orvanto::cli
