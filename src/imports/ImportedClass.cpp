#include "imports/ImportedClass.h"

#include "core/Term.h"
#include "timetable/WeekRuns.h"

#include <set>
#include <utility>
#include <vector>

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

ExportTerm termAround(std::chrono::year_month_day day) {
    const int year = static_cast<int>(day.year());
    const auto month = static_cast<unsigned>(day.month());
    if (month >= 2 && month <= 7) {
        return {std::to_string(year - 1) + "-" + std::to_string(year) + "学年第二学期",
                TermHalf::Spring, year};
    }
    const int autumnYear = month == 1 ? year - 1 : year;
    return {std::to_string(autumnYear) + "-" + std::to_string(autumnYear + 1) + "学年第一学期",
            TermHalf::Autumn, autumnYear};
}

BigPeriods bigPeriodsOf(SmallPeriods periods) {
    return {bigPeriodOf(periods.first), bigPeriodOf(periods.last)};
}

std::string weeksText(const WeekSet& weeks) {
    std::set<int> numbers;
    for (int week = 1; week <= kMaxWeek; ++week) {
        if (weeks.test(static_cast<std::size_t>(week))) {
            numbers.insert(week);
        }
    }
    // The runs the workbook's week rows are written in, so that the preview says what the
    // grid will show. One every-other-week run reads "1-15单"; beside other runs the parity
    // leads ("5-6, 双8-12"), so that it is not read as said of the whole list.
    const std::vector<timetable::WeekRun> runs = timetable::splitIntoWeekRuns(std::move(numbers));
    std::string text;
    for (const timetable::WeekRun& run : runs) {
        text += text.empty() ? "" : ", ";
        const char* parity = run.firstWeek % 2 != 0 ? "单" : "双";
        if (run.interval == 2 && runs.size() > 1) {
            text += parity;
        }
        text += std::to_string(run.firstWeek);
        if (run.count > 1) {
            text += '-';
            text += std::to_string(run.lastWeek());
        }
        if (run.interval == 2 && runs.size() == 1) {
            text += parity;
        }
    }
    return text;
}

} // namespace orvanto::imports
