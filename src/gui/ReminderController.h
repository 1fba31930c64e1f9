// Reminders before class, the tray icon and the start at login, as reminders.ini says. Without
// reminders.ini none of them exists: no tray icon, and closing the window quits as it always did.
#pragma once

#include "service/ReminderSchedule.h"
#include "settings/Reminders.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>
#include <vector>

class QAction;
class QTimer;

namespace orvanto::gui {

class MainWindow;
class ReminderNotifier;
class ReminderTray;

class ReminderController : public QObject {
    Q_OBJECT

  public:
    // What the controller asks of the system; tests replace it.
    struct System {
        std::function<std::chrono::local_seconds()> now;
        std::function<bool()> trayAvailable;
        // The program the start at login runs.
        std::function<QString()> programPath;
        static System real();
    };

    explicit ReminderController(MainWindow& window, System system = System::real());
    ~ReminderController() override;

    // Reads reminders.ini beside term.ini and follows it; its notices are told once, after the
    // window's start-up.
    void load();
    const settings::Reminders& reminders() const { return m_reminders; }
    // The dialog of 设置 → 上课提醒: saved settings are followed at once.
    void editReminders();
    // Follows the settings: reminders, the tray icon, the start at login.
    void apply(const settings::Reminders& reminders);

    // Whether closing the window leaves the program in the tray: the tray is on and the
    // desktop has one.
    bool keepsRunningInTray() const;
    // The tray icon while the tray is on; none otherwise.
    ReminderTray* tray() const;
    ReminderNotifier* notifier() const { return m_notifier; }
    // The reminders planned now, in the order they fall due.
    const std::vector<service::ClassReminder>& planned() const { return m_schedule.planned(); }

    // Looks at the clock: shows what is due, brings the tray's line up to date.
    void tick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void replan();
    void armDueTimer();
    void updateTray();
    void showWindow();
    void quit();
    void followAutostart();
    void tellNotices(const std::vector<settings::ReminderNotice>& notices);

    MainWindow& m_window;
    System m_system;
    settings::Reminders m_reminders;
    service::ReminderSchedule m_schedule;
    ReminderNotifier* m_notifier = nullptr;
    QPointer<ReminderTray> m_tray;
    QTimer* m_ticker = nullptr;
    QTimer* m_dueTimer = nullptr;
    std::vector<settings::ReminderNotice> m_untoldNotices;
    bool m_toldHidden = false;
    bool m_quitting = false;
};

} // namespace orvanto::gui
