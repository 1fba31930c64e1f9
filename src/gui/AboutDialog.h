// The about window (Form4): banner, reminder and licence notice, version and copyright,
// closed with its OK button. Follows the main window's always-on-top setting.
#pragma once

#include <QDialog>

class QLabel;

namespace orvanto::gui {

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    // topmost: the main window's always-on-top check mark at the time the dialog opens.
    explicit AboutDialog(bool topmost, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* m_copyright = nullptr;
};

} // namespace orvanto::gui
