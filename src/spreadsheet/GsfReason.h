// libgsf's reasons for refusing a container or a file, as our status and our wording: its own
// English phrases, in its capitalisation, never reach a message.
#pragma once

#include "core/Failure.h"

#include <string>
#include <string_view>

typedef struct _GError GError;

namespace orvanto::spreadsheet {

struct GsfReason {
    core::Status status = core::Status::Damaged;
    std::string detail; // empty when the phrase is not one we know: the status says enough
};

// The reason a libgsf or GLib call gave in error, which is freed and cleared. fallback is
// the status of a phrase not known here (Damaged for a container, CannotOpen for a file).
GsfReason takeGsfReason(GError*& error, core::Status fallback);

// The same for a phrase alone.
GsfReason gsfReason(std::string_view message, core::Status fallback);

} // namespace orvanto::spreadsheet
