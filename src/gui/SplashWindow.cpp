#include "SplashWindow.h"

#include "ProgramResources.h"
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
    const QPixmap pixmap = splashPicture();
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(QPoint(0, 0), pixmap.size()));

    // Drawn over the picture's last three pixel rows, which its black background hides.
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(136, 432, 113, 17);
    m_label1->setFont(windowFont(10.5, true));
    QPalette status = m_label1->palette();
    status.setColor(QPalette::Window, Qt::black);
    status.setColor(QPalette::WindowText, QColor(255, 128, 0));
    m_label1->setPalette(status);
    m_label1->setAutoFillBackground(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label1->raise();

    m_timer1 = makeStepTimer(this, "Timer1");
    m_timer2 = makeStepTimer(this, "Timer2");
    connect(m_timer1, &QTimer::timeout, this, &SplashWindow::onTimer1);
    connect(m_timer2, &QTimer::timeout, this, &SplashWindow::onTimer2);

    centreOnScreen(this);
    m_label1->setText(QStringLiteral("正在启动..."));
    m_timer1->start();
}

void SplashWindow::onTimer1() {
    m_label1->setText(QStringLiteral("正在加载..."));
    m_timer1->stop();
    m_timer2->start();
}

void SplashWindow::onTimer2() {
    m_label1->setText(QStringLiteral("加载完成 , 显示..."));
    m_timer2->stop();
    // The main window's start-up blocks this thread, so paint the last text now or it would
    // never be seen.
    m_label1->repaint();
    m_handedOver = true;
    if (m_showMainWindow) {
        m_showMainWindow();
    }
    close();
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
