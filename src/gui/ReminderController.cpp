#include "ReminderController.h"

#include "MainWindow.h"
#include "ReminderDialog.h"
#include "ReminderNotifier.h"
#include "ReminderTray.h"
#include "StudentMessages.h"
#include "platform/Today.h"
#include "service/StudentFiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace orvanto::gui {

namespace {

using namespace std::chrono;

// The timer the tray's line and a reminder after a sleep rely on: a QTimer does not count the
// time the machine sleeps, so a short one is what notices the wake.
constexpr int kTickMilliseconds = 15000;
// A reminder's own timer, at most this far ahead: a clock set meanwhile is met by the next.
constexpr milliseconds kMaxDueWait = hours{1};

} // namespace

ReminderController::System ReminderController::System::real() {
    return {platform::localNow, QSystemTrayIcon::isSystemTrayAvailable,
            QCoreApplication::applicationFilePath};
}

ReminderController::ReminderController(MainWindow& window, System system)
    : QObject(&window), m_window(window), m_system(std::move(system)),
      m_schedule([this](year_month_day today) {
          return service::remindersAround(m_window.schedule(), today, minutes{m_reminders.minutes});
      }) {
    m_notifier = new ReminderNotifier(this);
    m_ticker = new QTimer(this);
    m_ticker->setObjectName(QStringLiteral("ReminderTicker"));
    m_ticker->setInterval(kTickMilliseconds);
    connect(m_ticker, &QTimer::timeout, this, &ReminderController::tick);
    m_dueTimer = new QTimer(this);
    m_dueTimer->setSingleShot(true);
    m_dueTimer->setTimerType(Qt::PreciseTimer);
    connect(m_dueTimer, &QTimer::timeout, this, &ReminderController::tick);
    connect(&m_window, &MainWindow::scheduleOpened, this, [this] {
        // Told after the start-up's own boxes, on the window, rather than before the splash.
        tellNotices(std::exchange(m_untoldNotices, {}));
        replan();
    });
    m_window.installEventFilter(this);

    QMenu* set = m_window.menuBar()->findChild<QMenu*>(QStringLiteral("Set"));
    if (set != nullptr) {
        auto* item = new QAction(menuText(MenuText::Reminders), set);
        item->setObjectName(QStringLiteral("Reminders"));
        connect(item, &QAction::triggered, this, &ReminderController::editReminders);
        // Among the settings of the term, before the exports.
        const QList<QAction*> items = set->actions();
        const auto calendar = std::find_if(items.begin(), items.end(), [](const QAction* a) {
            return a->objectName() == QStringLiteral("Calendar");
        });
        set->insertAction(calendar != items.end() ? *calendar : nullptr, item);
    }
}

ReminderController::~ReminderController() = default;

void ReminderController::load() {
    const settings::StoredReminders stored = service::loadReminders(m_window.desktop().settings);
    apply(stored.reminders);
    if (stored.fileExists) {
        // The entry follows the file, also one edited by hand.
        followAutostart();
    }
    m_untoldNotices = stored.notices;
}

void ReminderController::editReminders() {
    ReminderDialog dialog(m_reminders, m_window.desktop(), &m_window);
    if (m_window.topmostChecked()) {
        m_window.desktop().setAlwaysOnTop(&dialog, true);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    apply(dialog.reminders());
    followAutostart();
}

void ReminderController::apply(const settings::Reminders& reminders) {
    m_reminders = reminders;
    const bool tray = reminders.tray && m_system.trayAvailable();
    if (tray && m_tray == nullptr) {
        m_tray = new ReminderTray(this);
        connect(m_tray, &ReminderTray::showWindowRequested, this, &ReminderController::showWindow);
        connect(m_tray, &ReminderTray::quitRequested, this, &ReminderController::quit);
    } else if (!tray && m_tray != nullptr) {
        delete m_tray;
    }
    m_notifier->setTray(m_tray != nullptr ? m_tray->icon() : nullptr);
    // In the tray the program lives on with no window shown, and a box closed then must not
    // end it; without the tray, closing the last window quits as it always did.
    QApplication::setQuitOnLastWindowClosed(!tray);
    if (reminders.enabled || tray) {
        m_ticker->start();
    } else {
        m_ticker->stop();
        m_dueTimer->stop();
    }
    replan();
}

ReminderTray* ReminderController::tray() const {
    return m_tray;
}

bool ReminderController::keepsRunningInTray() const {
    return m_tray != nullptr;
}

void ReminderController::replan() {
    if (!m_reminders.enabled) {
        m_schedule.clear();
    } else {
        m_schedule.replan(m_system.now());
    }
    tick();
}

void ReminderController::tick() {
    const local_seconds now = m_system.now();
    if (m_reminders.enabled) {
        for (const service::ClassReminder& reminder : m_schedule.tick(now)) {
            m_notifier->notify(reminderSummary(reminder.meeting), reminderBody(reminder.meeting),
                               m_reminders.sound);
        }
        armDueTimer();
    }
    updateTray();
}

void ReminderController::armDueTimer() {
    const auto due = m_schedule.nextDue();
    if (!due) {
        m_dueTimer->stop();
        return;
    }
    const milliseconds wait = std::clamp(duration_cast<milliseconds>(*due - m_system.now()),
                                         milliseconds{0}, kMaxDueWait);
    m_dueTimer->start(wait);
}

void ReminderController::updateTray() {
    if (m_tray == nullptr) {
        return;
    }
    const local_seconds now = m_system.now();
    std::optional<service::ClassMeeting> next;
    if (m_window.schedule().hasTimetable()) {
        if (auto found = service::nextClass(m_window.schedule(), now); found) {
            next = *found;
        }
    }
    m_tray->setNextClass(nextClassText(next, year_month_day{floor<days>(now)}));
}

void ReminderController::showWindow() {
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

void ReminderController::quit() {
    m_quitting = true;
    // The window's own close: the workbook let go and the program ended, shown or not.
    m_window.close();
}

bool ReminderController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Close && keepsRunningInTray() &&
        !m_quitting) {
        event->ignore();
        m_window.hide();
        if (!m_toldHidden) {
            m_toldHidden = true;
            m_tray->icon()->showMessage(programTitle(), trayKeepsRunningText(),
                                        QSystemTrayIcon::Information);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ReminderController::followAutostart() {
    const auto followed =
        service::followAutostart(m_reminders, toFilesystemPath(m_system.programPath()));
    if (!followed) {
        m_window.showMessage(
            {QMessageBox::Warning, boxTitle(BoxTitle::Error),
             autostartFailureText(QString::fromStdString(followed.failure().detail))});
    }
}

void ReminderController::tellNotices(const std::vector<settings::ReminderNotice>& notices) {
    if (notices.empty()) {
        return;
    }
    m_window.showMessage(
        {QMessageBox::Information, boxTitle(BoxTitle::Notice), reminderNoticesText(notices)});
}

} // namespace orvanto::gui
