#include "OleWorkbookStream.h"

#include "OleSectorMap.h"
#include "spreadsheet/GObjectRef.h"
#include "spreadsheet/GsfReason.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/ReadLimits.h"
#include "spreadsheet/TextMatch.h"

#include <algorithm>
#include <array>
#include <gsf/gsf-infile-impl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <optional>
#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

namespace {

constexpr std::array<std::uint8_t, 8> kOleSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                       0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderSize = 512;

} // namespace

struct OleWorkbookStream::Handles {
    std::vector<std::uint8_t> repaired;  // the file with garbage in unused FAT slots cleared
    std::span<const std::uint8_t> bytes; // what libgsf reads: the file or its repaired copy
    GObjectRef<GsfInput> source;
    GObjectRef<GsfInfile> container;
    GObjectRef<GsfInput> stream;
    std::string streamName;

    // Opens the container over bytes; the reason libgsf gives when it cannot.
    std::optional<GsfReason> openContainer(std::span<const std::uint8_t> over) {
        bytes = over;
        container.reset();
        source.reset(gsf_input_memory_new(over.data(), static_cast<gsf_off_t>(over.size()), FALSE));
        if (!source) {
            return GsfReason{core::Status::CannotOpen, "cannot read the file from memory"};
        }
        GError* error = nullptr;
        container.reset(gsf_infile_msole_new(source.get(), &error));
        GsfReason reason = takeGsfReason(error, core::Status::Damaged);
        return container ? std::nullopt : std::optional(std::move(reason));
    }

    // A failure of the workbook stream: truncated only when the file ends before the
    // sectors that the container and the stream's own chain declare.
    core::Failure streamFailure(std::string_view detail) const {
        if (OleSectorMap(bytes).streamCutShort(streamName)) {
            return loadFailure(core::Status::Truncated, "the workbook stream");
        }
        return loadFailure(core::Status::Damaged, "the workbook stream", detail);
    }
};

OleWorkbookStream::OleWorkbookStream(std::unique_ptr<Handles> handles, std::uint64_t size)
    : m_handles(std::move(handles)), m_size(size) {}

OleWorkbookStream::~OleWorkbookStream() = default;

core::Result<std::unique_ptr<OleWorkbookStream>>
OleWorkbookStream::open(std::span<const std::uint8_t> bytes) {
    const std::size_t signatureBytes = std::min(bytes.size(), kOleSignature.size());
    if (bytes.empty() ||
        !std::equal(kOleSignature.begin(), kOleSignature.begin() + signatureBytes, bytes.begin())) {
        return loadFailure(core::Status::NotAWorkbook, {}, "not an OLE2 compound file");
    }
    auto handles = std::make_unique<Handles>();
    if (bytes.size() < kHeaderSize) {
        return loadFailure(core::Status::Truncated, "the OLE2 header");
    }
    if (auto refused = handles->openContainer(bytes)) {
        // libgsf refuses a FAT with garbage in any slot; lenient readers ignore slots that
        // no chain uses, and so do we, reading a copy with those slots cleared.
        const OleSectorMap map(bytes);
        if (auto repaired = map.withUnusedGarbageCleared()) {
            handles->repaired = std::move(*repaired);
            if (!handles->openContainer(handles->repaired)) {
                refused.reset();
            }
        }
        if (refused) {
            if (map.containerCutShort()) {
                return loadFailure(core::Status::Truncated);
            }
            return loadFailure(refused->status, "the OLE2 container", refused->detail);
        }
    }

    // BIFF8 writers name the stream "Workbook", BIFF5 writers "Book"; prefer the former
    // when a file carries both, as Excel does.
    GsfInfile* container = handles->container.get();
    const int count = gsf_infile_num_children(container);
    auto childNamed = [&](std::string_view wanted) {
        for (int i = 0; i < count; ++i) {
            const char* name = gsf_infile_name_by_index(container, i);
            if (name != nullptr && equalsIgnoringCase(name, wanted)) {
                return i;
            }
        }
        return -1;
    };
    int found = childNamed("Workbook");
    if (found < 0) {
        found = childNamed("Book");
    }
    if (found < 0) {
        // A password-protected .xlsx or .xlsb: the package encrypted inside an OLE2 file.
        if (childNamed("EncryptionInfo") >= 0 && childNamed("EncryptedPackage") >= 0) {
            return loadFailure(core::Status::Encrypted);
        }
        // libgsf leaves out a stream whose sectors it cannot find.
        const OleSectorMap map(handles->bytes);
        if (map.streamCutShort("Workbook") || map.streamCutShort("Book")) {
            return loadFailure(core::Status::Truncated);
        }
        return loadFailure(core::Status::NotAWorkbook, {},
                           "an OLE2 file without a Workbook or Book stream");
    }
    // Through the class method rather than gsf_infile_child_by_index, which logs the
    // reason on stderr instead of handing it back.
    GError* error = nullptr;
    handles->stream.reset(
        GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(container))->child_by_index(container, found, &error));
    const GsfReason streamError = takeGsfReason(error, core::Status::Damaged);
    if (const char* name = gsf_infile_name_by_index(container, found)) {
        handles->streamName = name;
    }
    if (!handles->stream) {
        return handles->streamFailure(streamError.detail);
    }
    const gsf_off_t size = gsf_input_size(handles->stream.get());
    if (size < 0) {
        return loadFailure(core::Status::Damaged, "the workbook stream", "it has no size");
    }
    if (static_cast<std::uint64_t>(size) > limits::kXlsStreamBytes) {
        return loadFailure(core::Status::TooLarge, "the workbook stream",
                           std::to_string(size) + " bytes");
    }
    return std::unique_ptr<OleWorkbookStream>(
        new OleWorkbookStream(std::move(handles), static_cast<std::uint64_t>(size)));
}

core::Result<std::span<const std::uint8_t>>
OleWorkbookStream::read(std::uint64_t offset, std::size_t length, std::size_t readAhead) {
    if (offset > m_size || length > m_size - offset) {
        return loadFailure(core::Status::Damaged, "the workbook stream",
                           "read past its end at offset " + std::to_string(offset));
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
            return m_handles->streamFailure("cannot read it at offset " + std::to_string(offset));
        }
    }
    return std::span<const std::uint8_t>(m_window).subspan(
        static_cast<std::size_t>(offset - m_windowStart), length);
}

} // namespace orvanto::spreadsheet
