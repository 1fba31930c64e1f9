// Standard output as orvanto-cli writes it: a stream buffer that remembers why a write
// failed, so that a full disk is reported with its reason, never as success.
#pragma once

#include <cstddef>
#include <functional>
#include <streambuf>
#include <string>
#include <vector>

namespace orvanto::cli {

class CheckedOutput final : public std::streambuf {
  public:
    // Takes bytes from the start of the given ones; returns how many, or -1 with errno set.
    using Writer = std::function<std::ptrdiff_t(const char* bytes, std::size_t count)>;

    // Writes to the file descriptor (1 for standard output).
    explicit CheckedOutput(int fileDescriptor);
    explicit CheckedOutput(Writer writer);
    ~CheckedOutput() override;

    // The reason of the first failed write; empty while all succeeded.
    std::string failureReason() const;

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool writeBuffered();

    Writer m_writer;
    std::vector<char> m_buffer;
    int m_error = 0;
};

} // namespace orvanto::cli
