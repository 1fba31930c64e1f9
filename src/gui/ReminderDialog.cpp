#include "ReminderDialog.h"

#include "StudentMessages.h"
#include "WindowPlacement.h"
#include "service/StudentFiles.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orvanto::gui {

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

} // namespace

ReminderDialog::ReminderDialog(const settings::Reminders& reminders, Desktop& desktop,
                               QWidget* parent)
    : QDialog(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("ReminderDialog"));
    setWindowTitle(reminderText(ReminderText::Title));

    m_enabled = checkBox("RemindBeforeClass", reminderText(ReminderText::RemindBeforeClass),
                         reminders.enabled, this);
    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("ReminderMinutes"));
    m_minutes->setRange(0, settings::kMaxReminderMinutes);
    m_minutes->setValue(reminders.minutes);
    m_minutes->setSuffix(reminderText(ReminderText::MinutesSuffix));
    m_minutes->setEnabled(reminders.enabled);
    connect(m_enabled, &QCheckBox::toggled, m_minutes, &QSpinBox::setEnabled);
    auto* remindRow = new QHBoxLayout;
    remindRow->addWidget(m_enabled);
    remindRow->addWidget(new QLabel(reminderText(ReminderText::Ahead), this));
    remindRow->addWidget(m_minutes);
    remindRow->addStretch();

    m_sound = checkBox("ReminderSound", reminderText(ReminderText::Sound), reminders.sound, this);
    // Not a choice: no reminder ever takes the keyboard; the box says so.
    QCheckBox* noFocus =
        checkBox("ReminderNoFocus", reminderText(ReminderText::NoFocus), true, this);
    noFocus->setEnabled(false);
    m_tray = checkBox("ShowInTray", reminderText(ReminderText::Tray), reminders.tray, this);
    auto* trayNote = new QLabel(reminderText(ReminderText::TrayNote), this);
    trayNote->setObjectName(QStringLiteral("TrayNote"));
    trayNote->setWordWrap(true);
    trayNote->setIndent(20);
    m_autostart = checkBox("StartAtLogin", reminderText(ReminderText::StartAtLogin),
                           reminders.autostart, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (const auto& [which, name, caption] :
         {std::tuple{QDialogButtonBox::Ok, "Ok", buttonText(ButtonText::Ok)},
          std::tuple{QDialogButtonBox::Cancel, "Cancel", buttonText(ButtonText::Cancel)}}) {
        buttons->button(which)->setText(caption);
        buttons->button(which)->setObjectName(QString::fromLatin1(name));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &ReminderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReminderDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(remindRow);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_sound, noFocus, m_tray, trayNote,
                                                           m_autostart, buttons}) {
        layout->addWidget(widget);
    }
    setFixedSize(sizeHint());
    centreOnScreen(this);
}

settings::Reminders ReminderDialog::reminders() const {
    return {m_enabled->isChecked(), m_minutes->value(), m_sound->isChecked(), m_tray->isChecked(),
            m_autostart->isChecked()};
}

void ReminderDialog::accept() {
    if (!service::saveReminders(m_desktop.settings, reminders())) {
        m_desktop.showMessage(this, {QMessageBox::Warning, boxTitle(BoxTitle::Error),
                                     reminderSaveFailureText(checkFolderText(m_desktop.settings))});
        return;
    }
    QDialog::accept();
}

} // namespace orvanto::gui
