#include "OleWorkbookStream.h"

#include <algorithm>
#include <array>
#include <gsf/gsf-infile-impl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

namespace {

constexpr std::array<std::uint8_t, 8> kOleSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                       0xA1, 0xB1, 0x1A, 0xE1};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

// libgsf logs what it finds wrong with a damaged container on stderr; the reader reports
// its own failure instead, so those messages would only be noise in the CLI's output.
void silenceContainerWarnings() {
    static const bool once = [] {
        g_log_set_handler(
            "libgsf:msole",
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL |
                                        G_LOG_LEVEL_MESSAGE),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        return true;
    }();
    (void)once;
}

struct GObjectUnref {
    void operator()(void* object) const {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
};

} // namespace

struct OleWorkbookStream::Handles {
    std::unique_ptr<GsfInput, GObjectUnref> source;
    std::unique_ptr<GsfInfile, GObjectUnref> container;
    std::unique_ptr<GsfInput, GObjectUnref> stream;
};

OleWorkbookStream::OleWorkbookStream(std::unique_ptr<Handles> handles, std::uint64_t size)
    : m_handles(std::move(handles)), m_size(size) {}

OleWorkbookStream::~OleWorkbookStream() = default;

core::Result<std::unique_ptr<OleWorkbookStream>>
OleWorkbookStream::open(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kOleSignature.size() ||
        !std::equal(kOleSignature.begin(), kOleSignature.end(), bytes.begin())) {
        return core::errors::loadFailure("not an OLE2 compound file");
    }
    silenceContainerWarnings();
    auto handles = std::make_unique<Handles>();
    handles->source.reset(
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!handles->source) {
        return core::errors::loadFailure("cannot read the file from memory");
    }
    GError* error = nullptr;
    handles->container.reset(gsf_infile_msole_new(handles->source.get(), &error));
    if (!handles->container) {
        std::string reason = "damaged OLE2 compound file";
        if (error != nullptr) {
            reason += std::string(": ") + error->message;
            g_error_free(error);
        }
        return core::errors::loadFailure(reason);
    }

    // BIFF8 writers name the stream "Workbook", BIFF5 writers "Book"; prefer the former
    // when a file carries both, as Excel does.
    const int count = gsf_infile_num_children(handles->container.get());
    int found = -1;
    for (std::string_view wanted : {"Workbook", "Book"}) {
        for (int i = 0; i < count && found < 0; ++i) {
            const char* name = gsf_infile_name_by_index(handles->container.get(), i);
            if (name != nullptr && equalsIgnoringCase(name, wanted)) {
                found = i;
            }
        }
        if (found >= 0) {
            break;
        }
    }
    if (found < 0) {
        return core::errors::loadFailure("no Workbook or Book stream");
    }
    // Through the class method rather than gsf_infile_child_by_index, which logs the
    // reason on stderr instead of handing it back.
    GsfInfile* container = handles->container.get();
    handles->stream.reset(
        GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(container))->child_by_index(container, found, &error));
    if (!handles->stream) {
        std::string reason = "damaged OLE2 compound file: cannot open the workbook stream";
        if (error != nullptr) {
            reason += std::string(": ") + error->message;
            g_error_free(error);
        }
        return core::errors::loadFailure(reason);
    }
    const gsf_off_t size = gsf_input_size(handles->stream.get());
    if (size < 0) {
        return core::errors::loadFailure("cannot open the workbook stream");
    }
    if (static_cast<std::uint64_t>(size) > kMaxStreamSize) {
        return core::errors::loadFailure("workbook stream is too large (" + std::to_string(size) +
                                         " bytes)");
    }
    return std::unique_ptr<OleWorkbookStream>(
        new OleWorkbookStream(std::move(handles), static_cast<std::uint64_t>(size)));
}

core::Result<std::span<const std::uint8_t>>
OleWorkbookStream::read(std::uint64_t offset, std::size_t length, std::size_t readAhead) {
    if (offset > m_size || length > m_size - offset) {
        return core::errors::loadFailure("read past the end of the workbook stream at offset " +
                                         std::to_string(offset));
    }
    const std::uint64_t windowEnd = m_windowStart + m_window.size();
    if (offset < m_windowStart || offset + length > windowEnd) {
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::uint64_t>(std::max(length, readAhead), m_size - offset));
        m_window.resize(want);
        m_windowStart = offset;
        GsfInput* stream = m_handles->stream.get();
        // gsf_input_seek returns TRUE on failure.
        if (want > 0 && (gsf_input_seek(stream, static_cast<gsf_off_t>(offset), G_SEEK_SET) ||
                         gsf_input_read(stream, want, m_window.data()) == nullptr)) {
            m_window.clear();
            return core::errors::loadFailure("damaged OLE2 compound file: cannot read the workbook "
                                             "stream at offset " +
                                             std::to_string(offset));
        }
    }
    return std::span<const std::uint8_t>(m_window).subspan(
        static_cast<std::size_t>(offset - m_windowStart), length);
}

} // namespace orvanto::spreadsheet
