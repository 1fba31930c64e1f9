#include "GObjectRef.h"

#include <glib-object.h>

namespace orvanto::spreadsheet {

void GObjectUnref::operator()(void* object) const {
    if (object != nullptr) {
        g_object_unref(object);
    }
}

std::string takeMessage(GError*& error) {
    std::string message = error != nullptr && error->message != nullptr ? error->message : "";
    g_clear_error(&error);
    return message;
}

} // namespace orvanto::spreadsheet
