// Week sets for the import tests, written as spans so that expectations do not lean on the
// week-text reader they check.
#pragma once

#include "imports/ImportedClass.h"

namespace orvanto::importtests {

// Weeks first..last, every step-th one.
inline imports::WeekSet weeks(int first, int last, int step = 1) {
    imports::WeekSet set;
    for (int week = first; week <= last; week += step) {
        set.set(static_cast<std::size_t>(week));
    }
    return set;
}

} // namespace orvanto::importtests
