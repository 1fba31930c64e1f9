// The workbook stream ("Workbook" for BIFF8, "Book" for BIFF5) of an OLE2 compound file held
// in memory, read on demand through libgsf so a big file is never copied whole.
#pragma once

#include "core/Failure.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace orvanto::spreadsheet {

class OleWorkbookStream {
  public:
    // bytes must outlive the stream: libgsf reads them in place.
    static core::Result<std::unique_ptr<OleWorkbookStream>>
    open(std::span<const std::uint8_t> bytes);

    ~OleWorkbookStream();
    OleWorkbookStream(const OleWorkbookStream&) = delete;
    OleWorkbookStream& operator=(const OleWorkbookStream&) = delete;

    std::uint64_t size() const { return m_size; }

    // length bytes from offset; the view stays valid until the next call. Fails when the
    // range lies outside the stream or the container cannot deliver it. When the bytes are
    // not at hand, up to readAhead bytes are fetched at once for the reads that follow.
    static constexpr std::size_t kReadAhead = 64 * 1024;
    core::Result<std::span<const std::uint8_t>> read(std::uint64_t offset, std::size_t length,
                                                     std::size_t readAhead = kReadAhead);

  private:
    struct Handles;
    explicit OleWorkbookStream(std::unique_ptr<Handles> handles, std::uint64_t size);

    std::unique_ptr<Handles> m_handles;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_window;
    std::uint64_t m_windowStart = 0;
};

} // namespace orvanto::spreadsheet
