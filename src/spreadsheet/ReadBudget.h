// The bytes one read of a file may keep, charged before anything is kept: a crafted file can
// make a reader refuse it, never hold more than limits::kKeptBytes of its text.
#pragma once

#include "ReadLimits.h"
#include "core/Failure.h"

#include <cstddef>

namespace orvanto::spreadsheet {

class ReadBudget {
  public:
    explicit ReadBudget(std::size_t bytes = limits::kKeptBytes) : m_left(bytes) {}

    // Takes bytes from the budget; false, and nothing taken, when fewer are left.
    [[nodiscard]] bool take(std::size_t bytes) {
        if (bytes > m_left) {
            return false;
        }
        m_left -= bytes;
        return true;
    }
    // Bytes kept earlier and let go again (a cell written twice).
    void giveBack(std::size_t bytes) { m_left += bytes; }

    // The failure of a read whose budget is spent.
    static core::Failure spent();

  private:
    std::size_t m_left;
};

} // namespace orvanto::spreadsheet
