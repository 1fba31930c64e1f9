#include "imports/ImportedClass.h"

#include "core/Term.h"

namespace orvanto::imports {

namespace {

int bigPeriodOf(int smallPeriod) {
    return smallPeriod >= 9 ? 5 : (smallPeriod + 1) / 2;
}

} // namespace

std::chrono::year_month_day ExportTerm::likelyFirstMonday() const {
    using namespace std::chrono;
    const auto firstMondayFrom = [](year_month_day day) {
        sys_days date{day};
        while (weekday{date} != Monday) {
            date += days{1};
        }
        return year_month_day{date};
    };
    switch (half) {
    case TermHalf::Spring: {
        // The Monday of the week that holds the last day of February.
        const year_month_day last{year{startYear} / February / std::chrono::last};
        return core::mondayOf(last);
    }
    case TermHalf::Summer:
        return firstMondayFrom(year{startYear} / July / 1);
    case TermHalf::Autumn:
        break;
    }
    return firstMondayFrom(year{startYear} / September / 1);
}

BigPeriods bigPeriodsOf(SmallPeriods periods) {
    return {bigPeriodOf(periods.first), bigPeriodOf(periods.last)};
}

std::string weeksText(const WeekSet& weeks) {
    auto has = [&weeks](int week) {
        return week >= 1 && week <= kMaxWeek && weeks.test(static_cast<std::size_t>(week));
    };
    std::string text;
    for (int week = 1; week <= kMaxWeek; ++week) {
        if (!has(week)) {
            continue;
        }
        // The longest run from here: every week, or every other week with none between.
        int last = week;
        int step = 1;
        while (has(last + 1)) {
            ++last;
        }
        if (last == week) {
            while (has(last + 2) && !has(last + 1)) {
                last += 2;
            }
            // Two weeks apart read better as a list ("3,5") than as a run.
            if (last - week >= 4) {
                step = 2;
            } else {
                last = week;
            }
        }
        text += text.empty() ? "" : ",";
        text += std::to_string(week);
        if (last > week) {
            text += '-';
            text += std::to_string(last);
        }
        if (step == 2) {
            text += week % 2 == 1 ? "单" : "双";
        }
        week = last;
    }
    return text;
}

} // namespace orvanto::imports
