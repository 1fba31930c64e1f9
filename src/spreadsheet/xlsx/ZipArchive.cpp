#include "ZipArchive.h"

#include "spreadsheet/GObjectRef.h"
#include "spreadsheet/GsfReason.h"
#include "spreadsheet/LittleEndian.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/TextMatch.h"

#include <algorithm>
#include <gsf/gsf-infile-impl.h>
#include <gsf/gsf.h>

namespace orvanto::spreadsheet {

namespace {

// A zip archive ends with its central directory's end record (22 bytes and a comment of
// up to 64 KiB); without one the file was cut short.
bool hasEndOfCentralDirectory(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kRecord = 22;
    if (bytes.size() < kRecord) {
        return false;
    }
    const std::size_t lowest =
        bytes.size() > kRecord + 0xFFFF ? bytes.size() - kRecord - 0xFFFF : 0;
    for (std::size_t at = bytes.size() - kRecord + 1; at-- > lowest;) {
        if (bytes[at] == 'P' && bytes[at + 1] == 'K' && bytes[at + 2] == 5 && bytes[at + 3] == 6) {
            return true;
        }
    }
    return false;
}

constexpr std::uint32_t kLocalHeader = 0x04034B50;
constexpr std::uint32_t kCentralHeader = 0x02014B50;
constexpr std::uint32_t kEndRecord = 0x06054B50;
constexpr std::uint32_t kZip64EndRecord = 0x06064B50;
constexpr std::uint32_t kZip64EndLocator = 0x07064B50;
constexpr std::uint32_t kDataDescriptor = 0x08074B50;

bool isRecordSignature(std::uint32_t signature) {
    return signature == kLocalHeader || signature == kCentralHeader || signature == kEndRecord ||
           signature == kZip64EndRecord || signature == kZip64EndLocator ||
           signature == kDataDescriptor;
}

// The compressed size a local header gives, from its zip64 field where it says 0xFFFFFFFF.
std::uint64_t localCompressedSize(std::span<const std::uint8_t> bytes, std::size_t header,
                                  std::size_t extra, std::size_t extraEnd) {
    const std::uint32_t size = readU32(bytes, header + 18);
    if (size != 0xFFFFFFFF) {
        return size;
    }
    for (std::size_t at = extra; at + 4 <= extraEnd;) {
        const std::size_t length = readU16(bytes, at + 2);
        if (readU16(bytes, at) == 1 && length >= 16 && at + 20 <= extraEnd) {
            return readU32(bytes, at + 12) | std::uint64_t{readU32(bytes, at + 16)} << 32;
        }
        at += 4 + length;
    }
    return size;
}

// Where the zip records, walked from the start of the file, stop: the size of the file
// when they run up to its end or past it, else the offset of the first bytes that are no
// record. Entries whose sizes follow their data are skipped to the next record signature.
std::size_t endOfRecords(std::span<const std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    std::size_t at = 0;
    for (;;) {
        if (size - at < 4) {
            // Nothing, or the start of a signature "PK..." cut off.
            const bool signatureStart =
                at == size || (bytes[at] == 'P' && (size - at < 2 || bytes[at + 1] == 'K'));
            return signatureStart ? size : at;
        }
        const std::uint32_t signature = readU32(bytes, at);
        std::uint64_t next = 0;
        if (signature == kLocalHeader) {
            if (size - at < 30) {
                return size;
            }
            const std::size_t extra = at + 30 + readU16(bytes, at + 26);
            const std::size_t data = extra + readU16(bytes, at + 28);
            if (data > size) {
                return size;
            }
            const std::uint64_t compressed = localCompressedSize(bytes, at, extra, data);
            const bool sizesFollow = (readU16(bytes, at + 6) & 8) != 0 && compressed == 0;
            if (!sizesFollow) {
                next = data + compressed;
            } else {
                next = size;
                for (std::size_t p = data; p + 4 <= size; ++p) {
                    if (bytes[p] == 'P' && bytes[p + 1] == 'K' &&
                        isRecordSignature(readU32(bytes, p))) {
                        next = p;
                        break;
                    }
                }
            }
        } else if (signature == kDataDescriptor) {
            next = at + 16;
        } else if (signature == kCentralHeader) {
            if (size - at < 46) {
                return size;
            }
            next = at + 46 + readU16(bytes, at + 28) + readU16(bytes, at + 30) +
                   readU16(bytes, at + 32);
        } else if (signature == kZip64EndRecord) {
            if (size - at < 12) {
                return size;
            }
            next = at + 12 + (readU32(bytes, at + 4) | std::uint64_t{readU32(bytes, at + 8)} << 32);
        } else if (signature == kZip64EndLocator) {
            next = at + 20;
        } else if (signature == kEndRecord) {
            // Here only when it is not whole at the end of the file: cut off, or followed
            // by more than a comment can be.
            return size - at < 22 || at + 22 + readU16(bytes, at + 20) >= size ? size : at;
        } else {
            return at; // an end record not at the end, or bytes that are no record at all
        }
        if (next >= size) {
            return size;
        }
        at = static_cast<std::size_t>(next);
    }
}

// An archive without its end record: cut short when its records run up to the end of the
// file, damaged when they stop before it (a central directory overwritten, say).
core::Failure archiveWithoutEnd(std::span<const std::uint8_t> bytes) {
    const std::size_t stop = endOfRecords(bytes);
    if (stop >= bytes.size()) {
        return loadFailure(core::Status::Truncated, {},
                           "the zip archive's central directory is missing");
    }
    return loadFailure(core::Status::Damaged, "the zip archive",
                       "its records stop at offset " + std::to_string(stop) +
                           ", before the end of the file, and its end record is missing");
}

// What looking a member up found: the opened child, or that it is not listed, or that it is
// listed but cannot be opened.
struct Lookup {
    GObjectRef<GsfInput> input;
    bool listed = false;
};

// Opens the index-th child of dir. Through the class method rather than
// gsf_infile_child_by_index, which logs the reason on stderr instead of handing it back.
Lookup openChild(GsfInfile* dir, int index) {
    GError* error = nullptr;
    Lookup found;
    found.listed = true;
    found.input.reset(
        GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(dir))->child_by_index(dir, index, &error));
    g_clear_error(&error);
    return found;
}

bool isFolder(GsfInput* input) {
    return GSF_IS_INFILE(input) && gsf_infile_num_children(GSF_INFILE(input)) >= 0;
}

std::string withSlashes(std::string_view path) {
    std::string slashed(path);
    std::ranges::replace(slashed, '\\', '/');
    return slashed;
}

// How much of path a child named name stands for: the whole name, with '\' read as '/'
// (some Windows writers store "xl\workbook.xml", which libgsf keeps as one name), when it
// covers path up to a '/' or to its end; 0 when it does not.
std::size_t coveredLength(std::string_view name, std::string_view path) {
    if (name.empty() || name.size() > path.size() ||
        (name.size() < path.size() && path[name.size()] != '/')) {
        return 0;
    }
    return equalsIgnoringCase(withSlashes(name), path.substr(0, name.size())) ? name.size() : 0;
}

Lookup find(GsfInfile* dir, std::string_view path) {
    Lookup damaged; // a match listed but not readable, reported when nothing better is found
    const int count = gsf_infile_num_children(dir);
    for (int i = 0; i < count; ++i) {
        const char* childName = gsf_infile_name_by_index(dir, i);
        const std::size_t covered = childName != nullptr ? coveredLength(childName, path) : 0;
        if (covered == 0) {
            continue;
        }
        Lookup child = openChild(dir, i);
        if (!child.input) {
            damaged.listed = true;
            continue;
        }
        if (covered == path.size()) {
            if (!isFolder(child.input.get())) {
                return child;
            }
            continue;
        }
        if (GSF_IS_INFILE(child.input.get())) {
            Lookup inner = find(GSF_INFILE(child.input.get()), path.substr(covered + 1));
            if (inner.listed) {
                return inner;
            }
        }
    }
    return damaged;
}

} // namespace

ZipArchive::ZipArchive(GsfInfile* root) : m_root(root, GObjectUnref{}) {}

core::Result<ZipArchive> ZipArchive::open(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return loadFailure(core::Status::Empty);
    }
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != 'K') {
        return loadFailure(core::Status::NotAWorkbook, {}, "not a zip archive");
    }
    GObjectRef<GsfInput> source(
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!source) {
        return loadFailure(core::Status::CannotOpen, {}, "cannot read the file from memory");
    }
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_zip_new(source.get(), &error); // holds its own reference
    const GsfReason reason = takeGsfReason(error, core::Status::Damaged);
    if (root == nullptr) {
        if (!hasEndOfCentralDirectory(bytes)) {
            return archiveWithoutEnd(bytes);
        }
        return loadFailure(reason.status, "the zip archive", reason.detail);
    }
    return ZipArchive(root);
}

bool ZipArchive::contains(std::string_view path) const {
    return find(m_root.get(), withSlashes(path)).listed;
}

core::Result<ZipMember> ZipArchive::member(std::string_view path) const {
    Lookup found = find(m_root.get(), withSlashes(path));
    if (!found.listed) {
        return partFailure(core::Status::MissingPart, path);
    }
    if (!found.input) {
        return partFailure(core::Status::Damaged, path, "its zip entry cannot be opened");
    }
    return ZipMember(std::string(path), found.input.release());
}

} // namespace orvanto::spreadsheet
