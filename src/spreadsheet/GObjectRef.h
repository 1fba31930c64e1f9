// Ownership of one libgsf (GObject) reference, so every early return releases it.
#pragma once

#include <memory>

namespace orvanto::spreadsheet {

struct GObjectUnref {
    void operator()(void* object) const; // g_object_unref, tolerating nullptr
};

template <class T> using GObjectRef = std::unique_ptr<T, GObjectUnref>;

} // namespace orvanto::spreadsheet
