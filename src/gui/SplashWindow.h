// The start-up splash (Form3): a picture and a status line stepped twice, a second apart,
// before it hands over to the main window and goes away.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace orvanto::gui {

class SplashWindow : public QWidget {
    Q_OBJECT

  public:
    // showMainWindow shows the main window and returns once its start-up has finished. It is
    // called from the event loop once the second step is over, never inside the step's timer,
    // and the splash deletes itself after that call returns. Closing the splash from inside
    // that call (before a message box, say) is allowed.
    explicit SplashWindow(std::function<void()> showMainWindow, QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void onFirstStep();
    void onSecondStep();

    std::function<void()> m_showMainWindow;
    QLabel* m_status = nullptr;
    QTimer* m_firstStep = nullptr;
    QTimer* m_secondStep = nullptr;
    bool m_handedOver = false;
};

} // namespace orvanto::gui
