#include "ReadBudget.h"

#include "LoadFailure.h"

namespace orvanto::spreadsheet {

core::Failure ReadBudget::spent() {
    return tooMuchKeptText();
}

} // namespace orvanto::spreadsheet
