#include "GsfReason.h"

#include <glib.h>

namespace orvanto::spreadsheet {

namespace {

using core::Status;

struct Phrase {
    std::string_view start; // how libgsf's message begins
    Status status;
    std::string_view detail;
};

// libgsf 1.14's messages for an OLE2 compound file and a zip archive.
constexpr Phrase kPhrases[] = {
    {"No OLE2 signature", Status::NotAWorkbook, "not an OLE2 compound file"},
    {"Unreasonable block sizes", Status::Damaged, "its header gives impossible sector sizes"},
    {"Insufficient memory", Status::TooLarge, "its tables are too large to hold"},
    {"Problems reading directory", Status::Damaged, "its directory cannot be read"},
    {"This OLE2 file is invalid", Status::Damaged, "a sector chain does not end properly"},
    {"The Block Allocation Table for one of the streams", Status::Damaged,
     "a sector chain does not end properly"},
    {"Root directory is not marked as such", Status::Damaged, "its directory has no root entry"},
    {"Failed to duplicate input stream", Status::Damaged, "a stream cannot be opened"},
    {"Small-block file", Status::Damaged, "a small stream is longer than its sectors"},
    {"There are not supposed to be any blocks in the small block", Status::Damaged,
     "its small-sector table is inconsistent"},
    {"Inconsistent block allocation table", Status::Damaged,
     "its sector allocation table names sectors it cannot have"},
    {"Problems making block allocation table", Status::Damaged,
     "its sector allocation table cannot be followed"},
    {"Invalid metabat item", Status::Damaged, "its list of allocation-table sectors is invalid"},
    {"Failed to access child", Status::Damaged, "a stream cannot be opened"},
    {"Unable to get child", Status::Damaged, "a stream cannot be opened"},
    {"Error seeking to zip header", Status::Damaged, "an entry's header lies outside the file"},
    {"Error reading zip header", Status::Damaged, "an entry's header cannot be read"},
    {"Error incorrect zip header", Status::Damaged,
     "an entry's header is not where the directory says"},
    {"Error reading zip dirent", Status::Damaged, "its central directory cannot be read"},
    {"Broken zip file structure", Status::Damaged, "its central directory is inconsistent"},
    {"Corrupted compressed stream", Status::Damaged, "compressed data is corrupt"},
    {"Seek failed", Status::Damaged, "a position outside the file is asked for"},
    {"End of file", Status::Damaged, "data is asked for past the end"},
};

// GLib's file errors (what gsf_input_stdio_new reports from errno).
GsfReason fileReason(int code) {
    switch (code) {
    case G_FILE_ERROR_NOENT:
        return {Status::FileNotFound, {}};
    case G_FILE_ERROR_ISDIR:
        return {Status::NotAFile, {}};
    case G_FILE_ERROR_ACCES:
    case G_FILE_ERROR_PERM:
        return {Status::CannotOpen, "permission denied"};
    case G_FILE_ERROR_NAMETOOLONG:
        return {Status::CannotOpen, "the path is too long"};
    case G_FILE_ERROR_NOTDIR:
        return {Status::FileNotFound, {}};
    case G_FILE_ERROR_MFILE:
    case G_FILE_ERROR_NFILE:
        return {Status::CannotOpen, "too many files are open"};
    case G_FILE_ERROR_NOMEM:
        return {Status::CannotOpen, "out of memory"};
    case G_FILE_ERROR_IO:
        return {Status::CannotOpen, "an input/output error"};
    default:
        return {Status::CannotOpen, {}};
    }
}

} // namespace

GsfReason gsfReason(std::string_view message, Status fallback) {
    for (const Phrase& phrase : kPhrases) {
        if (message.starts_with(phrase.start)) {
            return {phrase.status, std::string(phrase.detail)};
        }
    }
    // "PATH: Is not a regular file" and the like, from opening a path.
    if (message.ends_with("not a regular file")) {
        return {Status::CannotOpen, "it is not a regular file"};
    }
    return {fallback, {}};
}

GsfReason takeGsfReason(GError*& error, Status fallback) {
    GsfReason reason{fallback, {}};
    if (error != nullptr) {
        reason = error->domain == G_FILE_ERROR
                     ? fileReason(error->code)
                     : gsfReason(error->message != nullptr ? error->message : "", fallback);
    }
    g_clear_error(&error);
    return reason;
}

} // namespace orvanto::spreadsheet
