#include "ReminderPopup.h"

#include "ProgramResources.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace orvanto::gui {

namespace {

// Long enough to be seen on returning to the desk; a click puts it away sooner.
constexpr int kShownMilliseconds = 10 * 60 * 1000;
constexpr int kMargin = 16;

} // namespace

ReminderPopup::ReminderPopup(const QString& summary, const QString& body, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("ReminderPopup"));
    // A reminder during a presentation or while typing must not take the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(32, 32));
    auto* title = new QLabel(summary, this);
    title->setObjectName(QStringLiteral("ReminderSummary"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* text = new QLabel(body, this);
    text->setObjectName(QStringLiteral("ReminderBody"));
    for (QLabel* label : {title, text}) {
        label->setTextFormat(Qt::PlainText);
    }
    auto* lines = new QVBoxLayout;
    lines->addWidget(title);
    lines->addWidget(text);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addLayout(lines);
    setAutoFillBackground(true);
    QTimer::singleShot(kShownMilliseconds, this, &QWidget::close);
}

void ReminderPopup::showInCorner() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - kMargin, area.bottom() - height() - kMargin);
    }
    show();
}

void ReminderPopup::mousePressEvent(QMouseEvent*) {
    close();
}

} // namespace orvanto::gui
