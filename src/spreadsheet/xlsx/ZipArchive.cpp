#include "ZipArchive.h"

#include "spreadsheet/GObjectRef.h"
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
        return loadFailure(core::LoadStatus::Empty);
    }
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != 'K') {
        return loadFailure(core::LoadStatus::NotAWorkbook, {}, "not a zip archive");
    }
    GObjectRef<GsfInput> source(
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!source) {
        return loadFailure(core::LoadStatus::CannotOpen, {}, "cannot read the file from memory");
    }
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_zip_new(source.get(), &error); // holds its own reference
    std::string reason = takeMessage(error);
    if (root == nullptr) {
        if (!hasEndOfCentralDirectory(bytes)) {
            return loadFailure(core::LoadStatus::Truncated, {},
                               "the zip archive's central directory is missing");
        }
        return loadFailure(core::LoadStatus::Damaged, "the zip archive", reason);
    }
    return ZipArchive(root);
}

bool ZipArchive::contains(std::string_view path) const {
    return find(m_root.get(), withSlashes(path)).listed;
}

core::Result<ZipMember> ZipArchive::member(std::string_view path) const {
    Lookup found = find(m_root.get(), withSlashes(path));
    if (!found.listed) {
        return partFailure(core::LoadStatus::MissingPart, path);
    }
    if (!found.input) {
        return partFailure(core::LoadStatus::Damaged, path, "its zip entry cannot be opened");
    }
    return ZipMember(std::string(path), found.input.release());
}

} // namespace orvanto::spreadsheet
