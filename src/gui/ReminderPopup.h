// The reminder's last way to the student when the desktop has neither a notification service
// nor a tray: a small window in the screen's corner that never takes the focus.
#pragma once

#include <QWidget>

namespace orvanto::gui {

class ReminderPopup : public QWidget {
    Q_OBJECT

  public:
    ReminderPopup(const QString& summary, const QString& body, QWidget* parent = nullptr);

    // Shown without being activated, in the bottom right corner of the primary screen.
    void showInCorner();

  protected:
    // A click anywhere puts it away.
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace orvanto::gui
