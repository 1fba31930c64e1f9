// Notices when the date moves on while the program runs (midnight, a wake from sleep, a clock
// set forward or back) and says so once per change.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>

class QTimer;

namespace orvanto::gui {

class DayWatcher : public QObject {
    Q_OBJECT

  public:
    using Clock = std::function<std::chrono::year_month_day()>;

    // Looks at the clock every interval. The timer keeps running through sleep only as far as
    // the system lets it, so a short interval is what catches a wake with the date changed.
    explicit DayWatcher(Clock today, std::chrono::milliseconds interval = std::chrono::seconds(5),
                        QObject* parent = nullptr);

    // The day the program now counts as today; dayChanged has been sent for it.
    std::chrono::year_month_day day() const { return m_day; }

    // Reads the clock now (also done by the timer); sends dayChanged when the date differs.
    void checkNow();
    // Takes day as known without telling anyone: the caller has just shown it.
    void acknowledge(std::chrono::year_month_day day) { m_day = day; }

  signals:
    void dayChanged(std::chrono::year_month_day today);

  private:
    Clock m_today;
    std::chrono::year_month_day m_day;
    QTimer* m_timer = nullptr;
};

} // namespace orvanto::gui
