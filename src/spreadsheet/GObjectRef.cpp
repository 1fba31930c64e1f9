#include "GObjectRef.h"

#include <glib-object.h>

namespace orvanto::spreadsheet {

void GObjectUnref::operator()(void* object) const {
    if (object != nullptr) {
        g_object_unref(object);
    }
}

} // namespace orvanto::spreadsheet
