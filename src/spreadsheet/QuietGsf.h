// While a QuietGsf lives, libgsf's own diagnostics go nowhere: what it prints about a
// damaged container ("Header is 0x0") and what it or GLib on its behalf logs. The readers
// report the fault themselves, in one line.
#pragma once

namespace orvanto::spreadsheet {

class QuietGsf {
  public:
    QuietGsf();
    ~QuietGsf();
    QuietGsf(const QuietGsf&) = delete;
    QuietGsf& operator=(const QuietGsf&) = delete;
};

} // namespace orvanto::spreadsheet
