#include "QuietGsf.h"

#include <glib.h>
#include <mutex>

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

// Everything logged while a reader runs comes from libgsf or from GLib on its behalf
// ("g_date_time_unref: assertion 'datetime != NULL' failed" for an impossible zip date).
// Fatal errors still take GLib's own way out.
void dropLog(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if ((level & G_LOG_LEVEL_ERROR) != 0) {
        (savedLog != nullptr ? savedLog : g_log_default_handler)(domain, level, message, nullptr);
    }
}

} // namespace

QuietGsf::QuietGsf() {
    const std::lock_guard lock(quietLock);
    if (quietDepth++ == 0) {
        savedPrint = g_set_print_handler(dropPrint);
        savedPrintError = g_set_printerr_handler(dropPrint);
        savedLog = g_log_set_default_handler(dropLog, nullptr);
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
