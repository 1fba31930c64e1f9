#include "AboutDialog.h"

#include "Platform.h"
#include "ProgramResources.h"
#include "StudentMessages.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "core/ProgramInfo.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace orvanto::gui {

namespace {

const QString crlf = QStringLiteral("\r\n");

// The captions keep their CR LF line ends (the "caption" property holds them as written);
// the label itself shows each as one line break.
void setCaption(QLabel* label, const QString& caption) {
    label->setProperty("caption", caption);
    QString shown = caption;
    shown.replace(crlf, QStringLiteral("\n"));
    label->setText(shown);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

AboutDialog::AboutDialog(bool topmost, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(aboutText(AboutText::Title));
    setWindowIcon(programIcon());
    setFont(windowFont(9));
    setFixedSize(399, 277);
    setModal(true);

    // The banner is a pixel wider than the window; the window edge cuts its last column.
    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Image1"));
    const QPixmap pixmap = aboutBanner(devicePixelRatioF());
    banner->setPixmap(pixmap);
    banner->setGeometry(QRect(QPoint(0, 0), pixmap.deviceIndependentSize().toSize()));

    auto* label1 = makeLabel(this, "Label1", QRect(24, 112, 353, 97));
    auto* label2 = makeLabel(this, "Label2", QRect(24, 224, 81, 41));
    m_copyright = makeLabel(this, "Label3", QRect(120, 224, 169, 41));
    m_copyright->installEventFilter(this);

    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(8, 208, 376, 1);
    line1->setFrameShape(QFrame::NoFrame);
    QPalette gray = line1->palette();
    gray.setColor(QPalette::Window, gray.color(QPalette::PlaceholderText));
    line1->setPalette(gray);
    line1->setAutoFillBackground(true);

    auto* command1 = new QPushButton(buttonText(ButtonText::Ok), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(304, 224, 73, 25);
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);

    centreOnScreen(this);

    if (topmost) {
        platform::setAlwaysOnTop(this, true);
    }
    setCaption(label1, aboutText(AboutText::Notice));
    setCaption(label2, aboutText(AboutText::Version));
    setCaption(m_copyright,
               aboutText(AboutText::Copyright) + crlf + aboutText(AboutText::Reserved));
    command1->setFocus();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_copyright && event->type() == QEvent::MouseButtonDblClick) {
        setCaption(m_copyright,
                   aboutText(AboutText::Alternate) + crlf + aboutText(AboutText::Reserved));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvanto::gui
