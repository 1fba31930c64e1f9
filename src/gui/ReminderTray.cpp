#include "ReminderTray.h"

#include "ProgramResources.h"
#include "StudentMessages.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace orvanto::gui {

ReminderTray::ReminderTray(QObject* parent) : QObject(parent) {
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("TrayMenu"));
    m_next = m_menu->addAction(QString());
    m_next->setObjectName(QStringLiteral("NextClass"));
    // A line to read, not a command.
    m_next->setEnabled(false);
    m_menu->addSeparator();
    QAction* show = m_menu->addAction(menuText(MenuText::TrayShow));
    show->setObjectName(QStringLiteral("ShowTimetable"));
    connect(show, &QAction::triggered, this, &ReminderTray::showWindowRequested);
    QAction* quit = m_menu->addAction(menuText(MenuText::TrayQuit));
    quit->setObjectName(QStringLiteral("QuitFromTray"));
    connect(quit, &QAction::triggered, this, &ReminderTray::quitRequested);

    m_icon = new QSystemTrayIcon(programIcon(), this);
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    emit showWindowRequested();
                }
            });
    m_icon->show();
}

ReminderTray::~ReminderTray() {
    m_icon->hide();
    // The menu has no parent: a tray menu is a window of its own.
    delete m_menu;
}

void ReminderTray::setNextClass(const QString& text) {
    // A course named "C&C++" keeps its ampersand rather than making a shortcut of it.
    m_next->setText(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")));
    m_icon->setToolTip(text);
}

QString ReminderTray::nextClass() const {
    return m_icon->toolTip();
}

} // namespace orvanto::gui
