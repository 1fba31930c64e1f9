#include "ImportedClass.h"

namespace orvanto::imports {

namespace {

int bigPeriodOf(int smallPeriod) {
    return smallPeriod >= 9 ? 5 : (smallPeriod + 1) / 2;
}

} // namespace

BigPeriods bigPeriodsOf(SmallPeriods periods) {
    return {bigPeriodOf(periods.first), bigPeriodOf(periods.last)};
}

} // namespace orvanto::imports
