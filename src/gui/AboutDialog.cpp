#include "AboutDialog.h"

#include "Platform.h"
#include "ProgramResources.h"
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

const QString notice =
    QStringLiteral("提醒：请保持课表工作簿的版式（B列的节次标记、C至I列每五行一个课程块），"
                   "否则课表无法正确显示；课表仅供参考，以学校教务通知为准。") +
    crlf + QStringLiteral("本软件按 MIT 许可证发布，按“原样”提供，不附带任何明示或暗示的担保。");
const QString productAndVersion =
    QStringLiteral("Orvanto") + crlf + QStringLiteral("版本：" ORVANTO_VERSION_TEXT);
const QString reserved = QStringLiteral("保留所有权利。");
const QString copyrightLine = QStringLiteral("© 2010-2026 Orvanto 开发者");
const QString alternateLine = QStringLiteral("献给每一位按时上课的同学");

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
    setWindowTitle(QStringLiteral("关于 Orvanto（Pellwick专用版）"));
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

    auto* command1 = new QPushButton(QStringLiteral("确定"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(304, 224, 73, 25);
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::accept);

    centreOnScreen(this);

    if (topmost) {
        platform::setAlwaysOnTop(this, true);
    }
    setCaption(label1, notice);
    setCaption(label2, productAndVersion);
    setCaption(m_copyright, copyrightLine + crlf + reserved);
    command1->setFocus();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_copyright && event->type() == QEvent::MouseButtonDblClick) {
        setCaption(m_copyright, alternateLine + crlf + reserved);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvanto::gui
