#include "ZipArchive.h"

#include <gsf/gsf.h>

namespace orvanto::spreadsheet {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (g_ascii_tolower(a[i]) != g_ascii_tolower(b[i])) {
            return false;
        }
    }
    return true;
}

// The child of dir named name, with a new reference, or nullptr.
GsfInput* childNamed(GsfInfile* dir, std::string_view name) {
    const int count = gsf_infile_num_children(dir);
    for (int i = 0; i < count; ++i) {
        const char* childName = gsf_infile_name_by_index(dir, i);
        if (childName != nullptr && equalsIgnoringCase(childName, name)) {
            return gsf_infile_child_by_index(dir, i);
        }
    }
    return nullptr;
}

} // namespace

void ZipArchive::Unref::operator()(GsfInfile* infile) const {
    g_object_unref(infile);
}

ZipArchive::ZipArchive(GsfInfile* root) : m_root(root, Unref{}) {}

core::Result<ZipArchive> ZipArchive::open(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return core::errors::loadFailure("empty file");
    }
    GsfInput* source =
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE);
    if (source == nullptr) {
        return core::errors::loadFailure("not a zip archive");
    }
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_zip_new(source, &error);
    g_object_unref(source); // the archive holds its own reference
    if (root == nullptr) {
        std::string reason = "not a zip archive";
        if (error != nullptr && error->message != nullptr) {
            reason += std::string(" (") + error->message + ")";
        }
        g_clear_error(&error);
        return core::errors::loadFailure(reason);
    }
    g_clear_error(&error);
    return ZipArchive(root);
}

GsfInput* ZipArchive::find(std::string_view path) const {
    GsfInfile* dir = m_root.get();
    g_object_ref(dir);
    GsfInput* found = nullptr;
    while (dir != nullptr) {
        const std::size_t slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        GsfInput* child = name.empty() ? nullptr : childNamed(dir, name);
        g_object_unref(dir);
        dir = nullptr;
        if (child == nullptr) {
            break;
        }
        if (slash == std::string_view::npos) {
            if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) {
                g_object_unref(child); // a folder, not a part
            } else {
                found = child;
            }
            break;
        }
        if (!GSF_IS_INFILE(child)) {
            g_object_unref(child);
            break;
        }
        dir = GSF_INFILE(child);
        path.remove_prefix(slash + 1);
    }
    return found;
}

bool ZipArchive::contains(std::string_view path) const {
    GsfInput* input = find(path);
    if (input == nullptr) {
        return false;
    }
    g_object_unref(input);
    return true;
}

core::Result<ZipMember> ZipArchive::member(std::string_view path) const {
    GsfInput* input = find(path);
    if (input == nullptr) {
        return core::errors::loadFailure(std::string(path) + " missing");
    }
    return ZipMember(std::string(path), input);
}

} // namespace orvanto::spreadsheet
