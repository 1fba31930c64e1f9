// The student's own term in the viewer: the main window and query window under a term.ini,
// a damaged term.ini, and the term window's save, cancel and refuse paths.
#include "gui/TermDialog.h"

#include "../TermPolicyCases.h"
#include "TestDesktop.h"
#include "gui/MainWindow.h"
#include "gui/QueryDialog.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {

const QByteArray kAutumnIni =
    "[term]\r\nstart=2026-09-07\r\nweeks=20\r\nedition=2026年秋季学期\r\n";

QString termIniPath(const TestDesktop& desk) {
    return desk.folder.filePath(QStringLiteral("term.ini"));
}

void writeTermIni(const TestDesktop& desk, const QByteArray& bytes) {
    QFile file(termIniPath(desk));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readTermIni(const TestDesktop& desk) {
    QFile file(termIniPath(desk));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList items(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) {
        list << box->itemText(i);
    }
    return list;
}

// Opens the term window from the menu and lets act work on it while it is modal.
void withTermDialog(MainWindow& window, const std::function<void(TermDialog&)>& act) {
    bool reached = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TermDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        reached = true;
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    window.findChild<QAction*>(QStringLiteral("Term"))->trigger();
    QVERIFY(reached);
}

} // namespace

class TermDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void viewerFollowsTheTermFile();
    void damagedTermFileIsToldOnceAndLeftAlone();
    void savingTheTermReloadsTheViewer();
    void cancelAndRefusalChangeNothing();
    void unwritableTermFileKeepsTheOldTerm();
    void mondayNoteIsShownWhole_data();
    void mondayNoteIsShownWhole();
    void datePickerIsChineseFromMonday();
    void dateIsTypedAsShown_data();
    void dateIsTypedAsShown();
    void sharedTermTable_data();
    void sharedTermTable();
    void editionIsRefusedAsTheFileWouldRefuseIt_data();
    void editionIsRefusedAsTheFileWouldRefuseIt();
};

// The first day typed the ways a student types a date: into the field entered by Tab (the
// year selected) or after Ctrl+A; the note then names the Monday of the typed day's week.
void TermDialogTest::dateIsTypedAsShown_data() {
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("keys"); // "<" is Backspace
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<QString>("monday"); // named by the note; empty when none is shown
    const QDate unchanged(2010, 3, 1);
    QTest::newRow("as shown") << false << "2025-09-08" << QDate(2025, 9, 8) << "";
    QTest::newRow("slashes, short parts") << false << "2025/9/8" << QDate(2025, 9, 8) << "";
    QTest::newRow("dots") << false << "2025.09.08" << QDate(2025, 9, 8) << "";
    QTest::newRow("after select-all") << true << "2025-09-08" << QDate(2025, 9, 8) << "";
    QTest::newRow("select-all, year only") << true << "2026" << QDate(2026, 3, 1) << "2026-02-23";
    QTest::newRow("year and month") << false << "2025-9" << QDate(2025, 9, 1) << "";
    QTest::newRow("a Wednesday") << false << "2025-09-10" << QDate(2025, 9, 10) << "2025-09-08";
    QTest::newRow("Sunday ends the week")
        << true << "2025/9/14" << QDate(2025, 9, 14) << "2025-09-08";
    QTest::newRow("corrected with backspace") << false << "2025-09-1<08" << QDate(2025, 9, 8) << "";
    QTest::newRow("letters refused") << false << "2025-x09-y08" << QDate(2025, 9, 8) << "";
    QTest::newRow("no 30 February") << false << "2025-02-30" << unchanged << "";
    QTest::newRow("no year") << true << "9-8" << unchanged << "";
    QTest::newRow("before the first year") << true << "1899-12-31" << unchanged << "";
}

void TermDialogTest::dateIsTypedAsShown() {
    QFETCH(bool, selectAll);
    QFETCH(QString, keys);
    QFETCH(QDate, shown);
    QFETCH(QString, monday);
    TestDesktop desk;
    Desktop desktop = desk.desktop();
    TermDialog dialog(orvanto::core::Term{}, desktop);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* field = dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"));
    field->setFocus(Qt::TabFocusReason);
    if (selectAll) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    }
    const QStringList pieces = keys.split(QLatin1Char('<'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            QTest::keyClick(field, Qt::Key_Backspace);
        }
        QTest::keyClicks(field, pieces[i]);
    }
    QTest::keyClick(field, Qt::Key_Tab); // on to the next field
    QCOMPARE(field->date(), shown);
    QCOMPARE(field->findChild<QLineEdit*>()->text(), shown.toString(QStringLiteral("yyyy-MM-dd")));
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("MondayNote"));
    QCOMPARE(note->isVisible(), !monday.isEmpty());
    if (!monday.isEmpty()) {
        QVERIFY2(note->text().contains(QStringLiteral("（%1）").arg(monday)),
                 qPrintable(note->text()));
    }
    QCOMPARE(dialog.term().firstMonday,
             orvanto::core::mondayOf({std::chrono::year{shown.year()},
                                      std::chrono::month{unsigned(shown.month())},
                                      std::chrono::day{unsigned(shown.day())}}));
}

// The viewer's side of the table orvanto-cli runs too (tests/cli/TermPolicyTest.cpp); the
// viewer takes no options, so the cases with options are the CLI's alone.
void TermDialogTest::sharedTermTable_data() {
    QTest::addColumn<int>("index");
    const auto& cases = orvanto::testing::termPolicyCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].options.empty()) {
            QTest::newRow(cases[i].name) << int(i);
        }
    }
}

void TermDialogTest::sharedTermTable() {
    QFETCH(int, index);
    const orvanto::testing::TermPolicyCase& c =
        orvanto::testing::termPolicyCases()[std::size_t(index)];
    TestDesktop desk;
    desk.today = c.date;
    desk.setPath(sample("windows-timetable.xlsx"));
    if (c.termIni != nullptr) {
        writeTermIni(desk, c.termIni);
    }
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(window.weekShown(), c.week);
    QVERIFY(window.windowTitle().contains(QStringLiteral(" (第%1周)").arg(c.week)));
    QCOMPARE(shownHint(window) == QStringLiteral("提示：现在不是上课时间！"), !c.inTerm);
}

// The window refuses what term.ini would not take at the next start: characters are counted
// as term.ini counts them (an emoji is one), and every control character is refused.
void TermDialogTest::editionIsRefusedAsTheFileWouldRefuseIt_data() {
    QTest::addColumn<QString>("edition");
    QTest::addColumn<bool>("saved");
    QTest::newRow("60 CJK") << QString(60, QChar(0x6625)) << true;
    QTest::newRow("61 CJK") << QString(61, QChar(0x6625)) << false;
    QString emoji;
    for (int i = 0; i < 60; ++i) {
        emoji += QString::fromUcs4(U"\U0001F4DA", 1);
    }
    QTest::newRow("60 emoji") << emoji << true;
    QTest::newRow("tab") << QStringLiteral("秋季\t学期") << false;
    QTest::newRow("escape") << QStringLiteral("秋季\x1b学期") << false;
    QTest::newRow("delete") << QStringLiteral("秋季\x7f学期") << false;
}

void TermDialogTest::editionIsRefusedAsTheFileWouldRefuseIt() {
    QFETCH(QString, edition);
    QFETCH(bool, saved);
    TestDesktop desk;
    MainWindow window(desk.desktop());
    window.show();
    withTermDialog(window, [&](TermDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("Edition"))->setText(edition);
        dialog.accept();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    QCOMPARE(window.term().edition == edition.toStdString(), saved);
    QCOMPARE(desk.messages.size(), saved ? std::size_t{0} : std::size_t{1});
}

void TermDialogTest::viewerFollowsTheTermFile() {
    TestDesktop desk;
    desk.today = date(2026, 9, 16);
    desk.setPath(sample("windows-timetable.xlsx"));
    writeTermIni(desk, kAutumnIni);
    MainWindow window(desk.desktop());
    window.show();

    QCOMPARE(window.windowTitle(),
             QStringLiteral("今天是2026年9月16日--星期三 (第2周)——我的课表——2026年秋季学期"));
    QCOMPARE(window.weekShown(), 2);
    QCOMPARE(markedWeekdays(window), QList<int>{2});
    QVERIFY(window.hasWorkbook());
    QVERIFY(desk.messages.empty());

    QueryDialog* query = window.queryDialog();
    QStringList weeks;
    for (int n = 1; n <= 20; ++n) {
        weeks << QStringLiteral("第%1周").arg(n);
    }
    QCOMPARE(items(query->findChild<QComboBox*>(QStringLiteral("Combo1"))), weeks);
    auto* months = query->findChild<QComboBox*>(QStringLiteral("Combo2"));
    QCOMPARE(items(months), (QStringList{"9", "10", "11", "12", "1"}));
    QCOMPARE(months->currentText(), QStringLiteral("9"));

    // January lies in 2027: 1月10日 is a Sunday of week 18.
    const auto date =
        QueryDialog::dateInTerm(window.term(), QStringLiteral("1"), QStringLiteral("10"));
    QVERIFY(date.has_value());
    window.showDateQuery(*date);
    QCOMPARE(window.weekShown(), 18);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("2027年1月10日--星期日 (第18周的课表)——我的课表——2026年秋季学期"));
    QCOMPARE(markedWeekdays(window), QList<int>{6});
}

void TermDialogTest::damagedTermFileIsToldOnceAndLeftAlone() {
    TestDesktop desk;
    desk.today = date(2010, 3, 19);
    desk.setPath(sample("windows-timetable.xlsx"));
    const QByteArray damaged = "[term]\nweeks=45\nstart=2010-03-01\n";
    writeTermIni(desk, damaged);
    MainWindow window(desk.desktop());
    window.show();

    // weeks falls back to 22; the rest of the file is used.
    QCOMPARE(window.term().weeks, 22);
    QCOMPARE(window.weekShown(), 3);
    QCOMPARE(desk.messages.size(), std::size_t(1));
    QVERIFY(desk.messages[0].text.contains(QStringLiteral("weeks=“45”")));
    QCOMPARE(readTermIni(desk), damaged);

    window.startUp();
    QCOMPARE(desk.messages.size(), std::size_t(1)); // told once
}

void TermDialogTest::savingTheTermReloadsTheViewer() {
    TestDesktop desk;
    desk.today = date(2026, 9, 16);
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label14"))->text(),
             QStringLiteral("提示：现在不是上课时间！"));

    withTermDialog(window, [](TermDialog& dialog) {
        // A Wednesday counts from its week's Monday, and says so.
        dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"))->setDate(QDate(2026, 9, 9));
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("MondayNote"))->isHidden());
        dialog.findChild<QSpinBox*>(QStringLiteral("Weeks"))->setValue(20);
        dialog.findChild<QLineEdit*>(QStringLiteral("Edition"))
            ->setText(QStringLiteral("2026年秋季学期"));
        dialog.findChild<QPushButton*>(QStringLiteral("Ok"))->click();
    });

    QCOMPARE(readTermIni(desk), QByteArray("[term]\r\nstart=2026-09-07\r\nweeks=20\r\n"
                                           "edition=2026年秋季学期\r\n[periods]\r\n"
                                           "1=08:00-09:40\r\n2=10:00-11:40\r\n3=14:00-15:40\r\n"
                                           "4=16:00-17:40\r\n5=19:00-20:40\r\n"));
    QCOMPARE(window.weekShown(), 2);
    QCOMPARE(window.windowTitle(),
             QStringLiteral("今天是2026年9月16日--星期三 (第2周)——我的课表——2026年秋季学期"));
    QVERIFY(window.hasWorkbook());
}

void TermDialogTest::cancelAndRefusalChangeNothing() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    const QString title = window.windowTitle();

    withTermDialog(window, [](TermDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("Weeks"))->setValue(5);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    withTermDialog(window, [&desk](TermDialog& dialog) {
        dialog.findChild<QTimeEdit*>(QStringLiteral("PeriodEnd3"))->setTime(QTime(13, 0));
        dialog.findChild<QPushButton*>(QStringLiteral("Ok"))->click();
        QVERIFY(dialog.isVisible()); // refused: it stays open
        QCOMPARE(desk.messages.size(), std::size_t(1));
        QCOMPARE(desk.messages[0].text, QStringLiteral("第三大节的结束时间必须晚于开始时间。"));
    });
    QVERIFY(!QFile::exists(termIniPath(desk)));
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.term(), orvanto::core::Term{});
}

void TermDialogTest::unwritableTermFileKeepsTheOldTerm() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    writeTermIni(desk, kAutumnIni);
    MainWindow window(desk.desktop());
    window.show();
    // A folder cannot be replaced by a file.
    QVERIFY(QFile::remove(termIniPath(desk)));
    QVERIFY(QDir(desk.folder.path()).mkdir(QStringLiteral("term.ini")));

    withTermDialog(window, [&desk](TermDialog& dialog) {
        dialog.findChild<QSpinBox*>(QStringLiteral("Weeks"))->setValue(10);
        dialog.findChild<QPushButton*>(QStringLiteral("Ok"))->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(desk.messages.back().title, QStringLiteral("错误"));
    });
    QCOMPARE(window.term().weeks, 20);
}

void TermDialogTest::mondayNoteIsShownWhole_data() {
    QTest::addColumn<QDate>("chosen");
    QTest::addColumn<QString>("monday");
    QTest::newRow("Wednesday") << QDate(2026, 9, 9) << QStringLiteral("2026-09-07");
    QTest::newRow("Sunday, across a month") << QDate(2026, 11, 1) << QStringLiteral("2026-10-26");
    QTest::newRow("across a year") << QDate(2027, 1, 2) << QStringLiteral("2026-12-28");
}

void TermDialogTest::mondayNoteIsShownWhole() {
    QFETCH(QDate, chosen);
    QFETCH(QString, monday);
    TestDesktop desk;
    Desktop desktop = desk.desktop();
    TermDialog dialog(orvanto::core::Term{}, desktop);
    dialog.show();
    const int heightBefore = dialog.height();
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("MondayNote"));
    dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"))->setDate(chosen);
    QVERIFY(note->isVisible());
    QVERIFY2(note->text().contains(monday), qPrintable(note->text()));
    QVERIFY(note->text().endsWith(QStringLiteral("算起。")));
    // The wrapped note gets all the height its text needs, and the dialog grew to hold it
    // above its buttons.
    QVERIFY(note->height() >= note->heightForWidth(note->width()));
    QVERIFY(dialog.height() > heightBefore);
    QVERIFY(dialog.rect().contains(QRect(note->mapTo(&dialog, QPoint(0, 0)), note->size())));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Ok"));
    QVERIFY(note->mapTo(&dialog, QPoint(0, note->height())).y() <=
            ok->mapTo(&dialog, QPoint()).y());

    // Back on a Monday the note goes and the dialog is as before.
    dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"))->setDate(QDate(2026, 9, 7));
    QVERIFY(note->isHidden());
    QCOMPARE(dialog.height(), heightBefore);
}

void TermDialogTest::datePickerIsChineseFromMonday() {
    // Whatever the system's language: here an English one that starts weeks on Sunday.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestDesktop desk;
    Desktop desktop = desk.desktop();
    orvanto::core::Term term;
    term.firstMonday = date(2026, 9, 7);
    TermDialog dialog(term, desktop);
    dialog.show();
    QCalendarWidget* calendar =
        dialog.findChild<QDateEdit*>(QStringLiteral("FirstMonday"))->calendarWidget();
    calendar->show();
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    QVERIFY(month != nullptr);
    QCOMPARE(month->text(), QStringLiteral("九月"));
    auto* days = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(days != nullptr);
    QStringList heads;
    for (int column = 0; column < days->model()->columnCount(); ++column) {
        if (!days->isColumnHidden(column)) {
            heads << days->model()->data(days->model()->index(0, column)).toString();
        }
    }
    QCOMPARE(heads,
             QStringList({QStringLiteral("周一"), QStringLiteral("周二"), QStringLiteral("周三"),
                          QStringLiteral("周四"), QStringLiteral("周五"), QStringLiteral("周六"),
                          QStringLiteral("周日")}));
    QLocale::setDefault(before);
}

QTEST_MAIN(TermDialogTest)
#include "TermDialogTest.moc"
