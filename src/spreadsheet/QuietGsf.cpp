#include "QuietGsf.h"

#include <glib.h>
#include <mutex>
#include <string_view>

namespace orvanto::spreadsheet {

namespace {

// GLib's handlers are process-wide: the outermost QuietGsf of any thread swaps them and
// the last one to end puts them back.
std::mutex quietLock;
int quietDepth = 0;
GPrintFunc savedPrint = nullptr;
GPrintFunc savedPrintError = nullptr;
GLogFunc savedLog = nullptr;

void dropPrint(const gchar*) {}

void dropGsfLog(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (domain != nullptr && std::string_view(domain).starts_with("libgsf")) {
        return;
    }
    (savedLog != nullptr ? savedLog : g_log_default_handler)(domain, level, message, nullptr);
}

} // namespace

QuietGsf::QuietGsf() {
    const std::lock_guard lock(quietLock);
    if (quietDepth++ == 0) {
        savedPrint = g_set_print_handler(dropPrint);
        savedPrintError = g_set_printerr_handler(dropPrint);
        savedLog = g_log_set_default_handler(dropGsfLog, nullptr);
    }
}

QuietGsf::~QuietGsf() {
    const std::lock_guard lock(quietLock);
    if (--quietDepth == 0) {
        g_set_print_handler(savedPrint);
        g_set_printerr_handler(savedPrintError);
        g_log_set_default_handler(savedLog != nullptr ? savedLog : g_log_default_handler, nullptr);
    }
}

} // namespace orvanto::spreadsheet
