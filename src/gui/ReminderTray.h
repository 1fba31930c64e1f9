// The tray icon while the tray is on: the next class in its tooltip and at the top of its menu,
// 显示课表 and 退出 below.
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace orvanto::gui {

class ReminderTray : public QObject {
    Q_OBJECT

  public:
    explicit ReminderTray(QObject* parent = nullptr);
    ~ReminderTray() override;

    // "下一节：高等数学 14:00 教1-101", or that no class is left.
    void setNextClass(const QString& text);
    QString nextClass() const;

    QSystemTrayIcon* icon() const { return m_icon; }
    QMenu* menu() const { return m_menu; }

  signals:
    void showWindowRequested();
    void quitRequested();

  private:
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_next = nullptr;
};

} // namespace orvanto::gui
