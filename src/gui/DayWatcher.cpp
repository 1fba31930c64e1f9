#include "DayWatcher.h"

#include <QTimer>
#include <utility>

namespace orvanto::gui {

DayWatcher::DayWatcher(Clock today, std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), m_today(std::move(today)), m_day(m_today()) {
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("DayTimer"));
    m_timer->setInterval(interval);
    // A coarse timer may be 5% late, which is nothing against a day.
    m_timer->setTimerType(Qt::CoarseTimer);
    connect(m_timer, &QTimer::timeout, this, &DayWatcher::checkNow);
    m_timer->start();
}

void DayWatcher::checkNow() {
    const std::chrono::year_month_day now = m_today();
    if (now == m_day) {
        return;
    }
    m_day = now;
    emit dayChanged(now);
}

} // namespace orvanto::gui
