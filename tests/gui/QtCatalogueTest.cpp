// Every text Qt itself shows in the viewer's dialogs comes from the Chinese catalogue: the
// dialogs are walked through with a translator that records each text Qt asks for and finds
// none for.
#include "TestDesktop.h"
#include "gui/Desktop.h"
#include "gui/MainWindow.h"
#include "gui/ProgramResources.h"
#include "gui/QueryDialog.h"
#include "gui/TermDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QSpinBox>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <functional>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {

class RecordingTranslator : public QTranslator {
  public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        const QString found = QTranslator::translate(context, source, disambiguation, n);
        const QString text = QString::fromUtf8(source);
        bool hasLetters = false;
        for (QChar c : text) {
            hasLetters = hasLetters || (c.isLetter() && c.unicode() < 0x80);
        }
        // Key names build the shortcuts Qt shows as "Ctrl+C" in every language; the layout
        // direction is a setting, not a text.
        const bool notShownAsText = qstrcmp(context, "QShortcut") == 0 ||
                                    qstrcmp(context, "QGuiApplication") == 0 ||
                                    text.startsWith(QStringLiteral("Alt+"));
        if (found.isEmpty() && hasLetters && !notShownAsText) {
            missing.insert(QString::fromUtf8(context) + QStringLiteral(" | ") + text);
        }
        return found;
    }
    mutable QSet<QString> missing;
};

// Waits for the next modal window or popup of type T (opened by what the caller does next),
// lets act work on it and closes what is still open.
template <class T> void whenOpen(const std::function<void(T*)>& act) {
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, act] {
        QWidget* open = QApplication::activePopupWidget();
        if (qobject_cast<T*>(open) == nullptr) {
            open = QApplication::activeModalWidget();
        }
        auto* wanted = qobject_cast<T*>(open);
        if (wanted == nullptr && waited->elapsed() < 3000) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        delete waited;
        QVERIFY2(wanted != nullptr, T::staticMetaObject.className());
        act(wanted);
        if (wanted->isVisible()) {
            wanted->close();
        }
    });
    poll->start(20);
}

void openContextMenu(QWidget* widget) {
    bool opened = false;
    whenOpen<QMenu>([&opened](QMenu*) { opened = true; });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    // Some widgets pop their menu up and return at once.
    QTRY_VERIFY_WITH_TIMEOUT(opened, 3000);
}

QString writeFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("an earlier export, 35 bytes long..");
    return path;
}

} // namespace

class QtCatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void openDialog();
    void saveDialogAsksInChineseBeforeReplacing();
    void messageBox();
    void termDialogWithItsDatePickerAndMenus();
    void queryDialogMenus();
    void cleanupTestCase();

  private:
    RecordingTranslator m_recorder;
};

void QtCatalogueTest::initTestCase() {
    loadResources();
    QVERIFY(m_recorder.load(QStringLiteral(":/translations/qt_zh_CN.qm")));
    QCoreApplication::installTranslator(&m_recorder);
}

void QtCatalogueTest::openDialog() {
    TestDesktop desk;
    writeFile(desk.folder.filePath(QStringLiteral("课表.xlsx")));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    setUpWorkbookDialog(dialog, desk.folder.path());
    dialog.show();
    for (QFileDialog::ViewMode mode : {QFileDialog::Detail, QFileDialog::List}) {
        dialog.setViewMode(mode);
        QTest::qWait(100); // the folder is read in the background
        dialog.grab();
    }
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->isVisible()) {
            openContextMenu(edit);
        }
    }
    // The detail view names the type of an entry it has listed but not yet looked at, or one
    // that went away meanwhile, the way the icon provider names an entry that is not there;
    // ask for that name here rather than wait for a slow disk to show it.
    QFileIconProvider().type(QFileInfo(desk.folder.filePath(QStringLiteral("已删除.xlsx"))));
}

void QtCatalogueTest::saveDialogAsksInChineseBeforeReplacing() {
    TestDesktop desk;
    const QString existing = writeFile(desk.folder.filePath(QStringLiteral("课表.ics")));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    setUpCalendarDialog(dialog, existing);
    dialog.show();
    QString question;
    QStringList buttons;
    whenOpen<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        box->button(QMessageBox::No)->click();
    });
    static_cast<QDialog&>(dialog).accept(); // as the accept button does
    QCOMPARE(question, QStringLiteral("课表.ics 已存在。\n要替换它吗？"));
    buttons.sort();
    QCOMPARE(buttons, QStringList({QStringLiteral("否(&N)"), QStringLiteral("是(&Y)")}));
    QVERIFY(dialog.isVisible()); // 否 goes back to the dialog
    dialog.reject();
}

void QtCatalogueTest::messageBox() {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("错误"), QStringLiteral("文本"),
                    QMessageBox::Ok);
    box.show();
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
}

void QtCatalogueTest::termDialogWithItsDatePickerAndMenus() {
    TestDesktop desk;
    Desktop desktop = desk.desktop();
    TermDialog dialog(orvanto::core::Term{}, desktop);
    dialog.show();
    auto* firstMonday = dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"));
    firstMonday->calendarWidget()->show();
    firstMonday->calendarWidget()->grab();
    for (QAbstractSpinBox* box : dialog.findChildren<QAbstractSpinBox*>()) {
        openContextMenu(box);
    }
    openContextMenu(dialog.findChild<QLineEdit*>(QStringLiteral("Edition")));
}

void QtCatalogueTest::queryDialogMenus() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QueryDialog* query = window.queryDialog();
    query->show();
    for (QLineEdit* edit : query->findChildren<QLineEdit*>()) {
        if (edit->isVisible() && edit->isEnabled()) {
            openContextMenu(edit);
        }
    }
    query->close();
}

void QtCatalogueTest::cleanupTestCase() {
    QStringList missing(m_recorder.missing.begin(), m_recorder.missing.end());
    missing.sort();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

QTEST_MAIN(QtCatalogueTest)
#include "QtCatalogueTest.moc"
