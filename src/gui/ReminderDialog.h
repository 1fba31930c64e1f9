// The reminders window (设置 → 上课提醒…): reminding before class and how long before, the
// sound, the tray icon and the start at login. 确定 saves reminders.ini; 取消 changes nothing.
#pragma once

#include "Desktop.h"
#include "settings/Reminders.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace orvanto::gui {

class ReminderDialog : public QDialog {
    Q_OBJECT

  public:
    ReminderDialog(const settings::Reminders& reminders, Desktop& desktop,
                   QWidget* parent = nullptr);

    settings::Reminders reminders() const;

    // Saves and closes once reminders.ini is written; otherwise says why and stays open.
    void accept() override;

  private:
    Desktop& m_desktop;
    QCheckBox* m_enabled = nullptr;
    QSpinBox* m_minutes = nullptr;
    QCheckBox* m_sound = nullptr;
    QCheckBox* m_tray = nullptr;
    QCheckBox* m_autostart = nullptr;
};

} // namespace orvanto::gui
