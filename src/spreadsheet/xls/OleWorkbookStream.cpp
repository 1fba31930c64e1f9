#include "OleWorkbookStream.h"

#include "spreadsheet/GObjectRef.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/TextMatch.h"

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
constexpr std::size_t kHeaderSize = 512;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFF9;

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                      static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// Whether the container describes sectors past the end of the file: its header names a
// FAT or directory sector there, or the FAT marks sectors there as in use. A damaged
// sector chain points somewhere wild instead, without the FAT itself reaching there.
bool isCutShort(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) {
        return true;
    }
    const unsigned shift = bytes[0x1E] | bytes[0x1F] << 8;
    if (shift != 9 && shift != 12) {
        return false;
    }
    const std::size_t sectorSize = std::size_t{1} << shift;
    const std::size_t sectors = bytes.size() < sectorSize ? 0 : bytes.size() / sectorSize - 1;
    auto pastEnd = [&](std::uint32_t sector) {
        return sector <= kLastRegularSector && sector >= sectors;
    };
    for (const std::size_t at : {0x30, 0x3C, 0x44}) { // directory, mini FAT, DIFAT
        if (pastEnd(readU32(bytes, at))) {
            return true;
        }
    }
    const std::size_t perSector = sectorSize / 4;
    for (std::size_t i = 0; i < 109; ++i) {
        const std::uint32_t fatSector = readU32(bytes, 0x4C + 4 * i);
        if (fatSector == kFreeSector) {
            break;
        }
        if (pastEnd(fatSector)) {
            return true;
        }
        const std::size_t start = (std::size_t{fatSector} + 1) * sectorSize;
        if (fatSector > kLastRegularSector || start + sectorSize > bytes.size()) {
            continue;
        }
        for (std::size_t entry = 0; entry < perSector; ++entry) {
            const std::size_t index = i * perSector + entry;
            if (index >= sectors && readU32(bytes, start + 4 * entry) != kFreeSector) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

struct OleWorkbookStream::Handles {
    GObjectRef<GsfInput> source;
    GObjectRef<GsfInfile> container;
    GObjectRef<GsfInput> stream;
    bool cutShort = false; // the file ends before the container does
};

OleWorkbookStream::OleWorkbookStream(std::unique_ptr<Handles> handles, std::uint64_t size)
    : m_handles(std::move(handles)), m_size(size) {}

OleWorkbookStream::~OleWorkbookStream() = default;

core::Result<std::unique_ptr<OleWorkbookStream>>
OleWorkbookStream::open(std::span<const std::uint8_t> bytes) {
    const std::size_t signatureBytes = std::min(bytes.size(), kOleSignature.size());
    if (bytes.empty() ||
        !std::equal(kOleSignature.begin(), kOleSignature.begin() + signatureBytes, bytes.begin())) {
        return loadFailure(core::LoadStatus::NotAWorkbook, {}, "not an OLE2 compound file");
    }
    auto handles = std::make_unique<Handles>();
    handles->cutShort = isCutShort(bytes);
    if (bytes.size() < kHeaderSize) {
        return loadFailure(core::LoadStatus::Truncated, "the OLE2 header");
    }
    handles->source.reset(
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!handles->source) {
        return loadFailure(core::LoadStatus::CannotOpen, {}, "cannot read the file from memory");
    }
    GError* error = nullptr;
    handles->container.reset(gsf_infile_msole_new(handles->source.get(), &error));
    const std::string containerError = takeMessage(error);
    if (!handles->container) {
        return handles->cutShort
                   ? loadFailure(core::LoadStatus::Truncated)
                   : loadFailure(core::LoadStatus::Damaged, "the OLE2 container", containerError);
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
            return loadFailure(core::LoadStatus::Encrypted);
        }
        if (handles->cutShort) {
            return loadFailure(core::LoadStatus::Truncated);
        }
        return loadFailure(core::LoadStatus::NotAWorkbook, {},
                           "an OLE2 file without a Workbook or Book stream");
    }
    // Through the class method rather than gsf_infile_child_by_index, which logs the
    // reason on stderr instead of handing it back.
    handles->stream.reset(
        GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(container))->child_by_index(container, found, &error));
    const std::string streamError = takeMessage(error);
    if (!handles->stream) {
        return handles->cutShort
                   ? loadFailure(core::LoadStatus::Truncated, "the workbook stream")
                   : loadFailure(core::LoadStatus::Damaged, "the workbook stream", streamError);
    }
    const gsf_off_t size = gsf_input_size(handles->stream.get());
    if (size < 0) {
        return loadFailure(core::LoadStatus::Damaged, "the workbook stream", "it has no size");
    }
    if (static_cast<std::uint64_t>(size) > kMaxStreamSize) {
        return loadFailure(core::LoadStatus::TooLarge, "the workbook stream",
                           std::to_string(size) + " bytes");
    }
    return std::unique_ptr<OleWorkbookStream>(
        new OleWorkbookStream(std::move(handles), static_cast<std::uint64_t>(size)));
}

core::Result<std::span<const std::uint8_t>>
OleWorkbookStream::read(std::uint64_t offset, std::size_t length, std::size_t readAhead) {
    if (offset > m_size || length > m_size - offset) {
        return loadFailure(core::LoadStatus::Damaged, "the workbook stream",
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
            const std::string where = "the workbook stream";
            return m_handles->cutShort
                       ? loadFailure(core::LoadStatus::Truncated, where)
                       : loadFailure(core::LoadStatus::Damaged, where,
                                     "cannot read it at offset " + std::to_string(offset));
        }
    }
    return std::span<const std::uint8_t>(m_window).subspan(
        static_cast<std::size_t>(offset - m_windowStart), length);
}

} // namespace orvanto::spreadsheet
