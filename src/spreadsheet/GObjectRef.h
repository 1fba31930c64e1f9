// Ownership of one libgsf (GObject) reference, so every early return releases it.
#pragma once

#include <memory>
#include <string>

typedef struct _GError GError;

namespace orvanto::spreadsheet {

struct GObjectUnref {
    void operator()(void* object) const; // g_object_unref, tolerating nullptr
};

template <class T> using GObjectRef = std::unique_ptr<T, GObjectUnref>;

// The message of a GError a libgsf call set (empty for none); frees it and clears error.
std::string takeMessage(GError*& error);

} // namespace orvanto::spreadsheet
