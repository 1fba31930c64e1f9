#include "SplashWindow.h"

#include "ProgramResources.h"
#include "StudentMessages.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

namespace orvanto::gui {

namespace {

constexpr int stepMilliseconds = 1000;

QTimer* makeStepTimer(QObject* parent, const char* name) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(stepMilliseconds);
    timer->setSingleShot(true);
    return timer;
}

} // namespace

SplashWindow::SplashWindow(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_showMainWindow(std::move(showMainWindow)) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(programIcon());
    setFixedSize(357, 463);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    const QPixmap pixmap = splashPicture(devicePixelRatioF());
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize()));

    // Drawn over the picture's last three pixel rows, which its black background hides.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setGeometry(136, 432, 113, 17);
    m_status->setFont(windowFont(10.5, true));
    QPalette status = m_status->palette();
    status.setColor(QPalette::Window, Qt::black);
    status.setColor(QPalette::WindowText, QColor(255, 128, 0));
    m_status->setPalette(status);
    m_status->setAutoFillBackground(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->raise();

    m_firstStep = makeStepTimer(this, "Timer1");
    m_secondStep = makeStepTimer(this, "Timer2");
    connect(m_firstStep, &QTimer::timeout, this, &SplashWindow::onFirstStep);
    connect(m_secondStep, &QTimer::timeout, this, &SplashWindow::onSecondStep);

    centreOnScreen(this);
    m_status->setText(splashText(SplashText::Starting));
    m_firstStep->start();
}

void SplashWindow::onFirstStep() {
    m_status->setText(splashText(SplashText::Loading));
    m_firstStep->stop();
    m_secondStep->start();
}

void SplashWindow::onSecondStep() {
    m_status->setText(splashText(SplashText::Showing));
    m_secondStep->stop();
    // The main window's start-up blocks this thread, so paint the last text now or it would
    // never be seen.
    m_status->repaint();
    m_handedOver = true;
    // The start-up may open message boxes with their own event loops; run from this timer's
    // slot, it would keep the timer's event unfinished for as long as a box stays open.
    QTimer::singleShot(0, this, [this] {
        if (m_showMainWindow) {
            m_showMainWindow();
        }
        close();
    });
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    // Closing the splash early (Alt+F4) would leave the program with no window at all.
    if (m_handedOver) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace orvanto::gui
