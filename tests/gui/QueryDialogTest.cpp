#include "gui/QueryDialog.h"

#include "TestDesktop.h"
#include "gui/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

namespace {

const QString kTitleEnd = QStringLiteral("——我的课表——2010年Pellwick春季版");

// The main window loaded from the sample timetable on a given day, with its query window.
struct Fixture {
    TestDesktop desk;
    std::unique_ptr<MainWindow> window;
    QPointer<QueryDialog> dialog;

    explicit Fixture(std::chrono::year_month_day today,
                     const char* workbook = "windows-timetable.xlsx") {
        desk.today = today;
        desk.setPath(sample(workbook));
        window = std::make_unique<MainWindow>(desk.desktop());
        window->show();
        open();
    }
    void open() {
        dialog = window->queryDialog();
        dialog->show();
    }
    template <class T> T* get(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* combo(int n) const {
        return dialog->findChild<QComboBox*>(QStringLiteral("Combo%1").arg(n));
    }
    QWidget* focus() const { return dialog->focusWidget(); }
    bool focusOn(QWidget* widget) const {
        return focus() == widget || (focus() != nullptr && focus()->focusProxy() == widget) ||
               (focus() != nullptr && widget->focusProxy() == focus());
    }
    // Picks an item from the combo's list the way a user does: open it, click the item.
    void pick(int n, const QString& text) const {
        QComboBox* box = combo(n);
        int index = box->findText(text);
        QVERIFY(index >= 0);
        box->showPopup();
        QAbstractItemView* view = box->view();
        view->scrollTo(view->model()->index(index, 0));
        QRect item = view->visualRect(view->model()->index(index, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    }
    void type(int n, const QString& text) const {
        QLineEdit* field = combo(n)->lineEdit();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        for (QChar c : text) {
            // QTest only types ASCII; other characters arrive as the text of a key event.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
        }
    }
    void byDate(unsigned month, unsigned day) const {
        get<QRadioButton>("Option2")->click();
        pick(2, QString::number(month));
        pick(3, QString::number(day));
        get<QPushButton>("Command1")->click();
    }
    void byWeekText(const QString& text) const {
        get<QRadioButton>("Option1")->click();
        type(1, text);
        get<QPushButton>("Command1")->click();
    }
};

QStringList items(QComboBox* combo) {
    QStringList all;
    for (int i = 0; i < combo->count(); ++i) {
        all << combo->itemText(i);
    }
    return all;
}

QStringList weekItems() {
    QStringList all;
    for (int n = 1; n <= 22; ++n) {
        all << QStringLiteral("第%1周").arg(n);
    }
    return all;
}

} // namespace

class QueryDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void firstOpening();
    void weekOutsideTheTermIsShownAsIs();
    void optionsSwitchTheLists();
    void pickingAMonthRebuildsTheDays();
    void typingAMonthDoesNotRebuild();
    void dateQueryMarksThatDay_data();
    void dateQueryMarksThatDay();
    void wholeDateTypedInAField_data();
    void wholeDateTypedInAField();
    void weekQueryMarksNothing();
    void twoDateQueriesThenAWeekQuery();
    void emptyWeekTextIsWeekZero();
    void queryOutsideTheTermShowsTheWeek();
    void invalidTypedInputChangesNothing_data();
    void invalidTypedInputChangesNothing();
    void buttonHidesAndKeepsTheChoices();
    void closeBoxUnloads();
    void topmostIsLookedAtOnlyWhenLoading();
};

void QueryDialogTest::firstOpening() {
    Fixture f(date(2010, 3, 29)); // week 5
    QCOMPARE(f.dialog->objectName(), QStringLiteral("Form2"));
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("查询方式"));
    QCOMPARE(f.dialog->size(), QSize(272, 157));
    QVERIFY(!(f.dialog->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(f.dialog->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(f.dialog->parentWidget(), f.window.get()); // no taskbar button of its own

    QVERIFY(f.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(!f.get<QRadioButton>("Option2")->isChecked());
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("第5周"));
    QCOMPARE(items(f.combo(1)), weekItems());
    QCOMPARE(f.combo(2)->currentText(), QStringLiteral("3"));
    QCOMPARE(items(f.combo(2)), (QStringList{"3", "4", "5", "6", "7"}));
    QCOMPARE(f.combo(3)->currentText(), QStringLiteral("1"));
    QCOMPARE(f.combo(3)->count(), 31);
    QVERIFY(f.combo(1)->isEnabled());
    QVERIFY(!f.combo(2)->isEnabled());
    QVERIFY(!f.combo(3)->isEnabled());
    auto* command1 = f.get<QPushButton>("Command1");
    QCOMPARE(command1->text(), QStringLiteral("确定"));
    QVERIFY(command1->isDefault());
    QVERIFY(f.focusOn(command1));
    QCOMPARE(f.combo(1)->geometry(), QRect(128, 24, 97, 25));
    QCOMPARE(command1->geometry(), QRect(96, 120, 97, 33));
    QCOMPARE(command1->font().pointSizeF(), 10.5);
    QCOMPARE(f.get<QLabel>("Label1")->text(), QStringLiteral("月"));
    QCOMPARE(f.get<QLabel>("Label2")->text(), QStringLiteral("日"));
}

void QueryDialogTest::weekOutsideTheTermIsShownAsIs() {
    Fixture f(date(2010, 9, 20)); // week 30: not class time, yet a path is set
    QCOMPARE(f.window->weekShown(), 30);
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("第30周"));
    QCOMPARE(f.combo(1)->count(), 22);
}

void QueryDialogTest::optionsSwitchTheLists() {
    Fixture f(date(2010, 3, 19));
    f.get<QRadioButton>("Option2")->click();
    QVERIFY(!f.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(!f.combo(1)->isEnabled());
    QVERIFY(f.combo(2)->isEnabled());
    QVERIFY(f.combo(3)->isEnabled());
    f.get<QRadioButton>("Option1")->click();
    QVERIFY(f.combo(1)->isEnabled());
    QVERIFY(!f.combo(2)->isEnabled());
    QVERIFY(!f.combo(3)->isEnabled());
}

void QueryDialogTest::pickingAMonthRebuildsTheDays() {
    Fixture f(date(2010, 3, 19));
    f.get<QRadioButton>("Option2")->click();
    f.pick(3, QStringLiteral("31"));
    QCOMPARE(f.combo(3)->currentText(), QStringLiteral("31"));
    QVERIFY(f.focusOn(f.get<QPushButton>("Command1")));

    f.pick(2, QStringLiteral("4"));
    QCOMPARE(f.combo(3)->count(), 30);
    QCOMPARE(f.combo(3)->currentText(), QStringLiteral("1"));
    QVERIFY(f.focusOn(f.combo(3)));

    f.pick(3, QStringLiteral("30"));
    f.pick(2, QStringLiteral("4")); // the same month again still resets the day
    QCOMPARE(f.combo(3)->currentText(), QStringLiteral("1"));

    f.pick(2, QStringLiteral("7"));
    QCOMPARE(f.combo(3)->count(), 31);
    QCOMPARE(items(f.combo(3)).last(), QStringLiteral("31"));
}

void QueryDialogTest::typingAMonthDoesNotRebuild() {
    Fixture f(date(2010, 3, 19));
    f.get<QRadioButton>("Option2")->click();
    f.type(2, QStringLiteral("4"));
    QCOMPARE(f.combo(2)->currentText(), QStringLiteral("4"));
    QCOMPARE(f.combo(3)->count(), 31);
    QCOMPARE(f.combo(2)->count(), 5); // typed text never becomes an item

    // Enter in the month field runs the query with the typed texts; it picks nothing.
    f.type(3, QStringLiteral("15"));
    QTest::keyClick(f.combo(2)->lineEdit(), Qt::Key_Return);
    QVERIFY(f.dialog->isHidden());
    QCOMPARE(f.window->windowTitle(),
             QStringLiteral("2010年4月15日--星期四 (第7周的课表)") + kTitleEnd);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{3});
}

void QueryDialogTest::dateQueryMarksThatDay_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("week");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("title");
    QTest::newRow("first day") << 3 << 1 << 1 << 0
                               << QStringLiteral("2010年3月1日--星期一 (第1周的课表)") + kTitleEnd;
    QTest::newRow("first Sunday") << 3 << 7 << 1 << 6
                                  << QStringLiteral("2010年3月7日--星期日 (第1周的课表)") +
                                         kTitleEnd;
    QTest::newRow("second Monday")
        << 3 << 8 << 2 << 0 << QStringLiteral("2010年3月8日--星期一 (第2周的课表)") + kTitleEnd;
    QTest::newRow("last day offered")
        << 7 << 31 << 22 << 5 << QStringLiteral("2010年7月31日--星期六 (第22周的课表)") + kTitleEnd;
}

void QueryDialogTest::dateQueryMarksThatDay() {
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, week);
    QFETCH(int, weekday);
    QFETCH(QString, title);
    Fixture f(date(2010, 3, 19));
    f.byDate(unsigned(month), unsigned(day));
    QVERIFY(f.dialog->isHidden());
    QCOMPARE(f.window->weekShown(), week);
    QCOMPARE(f.window->windowTitle(), title);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{weekday});
    const char* tag = week >= 10 ? "乙" : "甲";
    QCOMPARE(cell(*f.window, 2)->caption(), sampleCaption(0, 2, tag));
    QVERIFY(f.desk.messages.empty());
}

// A date typed as the term window shows dates, in either field, with any of the separators.
void QueryDialogTest::wholeDateTypedInAField_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<int>("week"); // 0: refused
    QTest::addColumn<int>("weekday");
    QTest::newRow("dashes in the month field") << "2010-04-15"
                                               << "1" << 7 << 3;
    QTest::newRow("slashes, short parts") << "2010/4/15"
                                          << "" << 7 << 3;
    QTest::newRow("dots in the day field") << "4"
                                           << "2010.04.15" << 7 << 3;
    QTest::newRow("first Monday") << "2010-03-01"
                                  << "" << 1 << 0;
    QTest::newRow("no 31 April") << "2010-04-31"
                                 << "" << 0 << 0;
    QTest::newRow("year left out") << "4-15"
                                   << "" << 0 << 0;
}

void QueryDialogTest::wholeDateTypedInAField() {
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(int, week);
    QFETCH(int, weekday);
    Fixture f(date(2010, 3, 19));
    f.get<QRadioButton>("Option2")->click();
    QTest::keyClick(f.combo(2)->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(f.combo(2)->lineEdit(), month);
    QTest::keyClick(f.combo(3)->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(f.combo(3)->lineEdit(), day);
    f.get<QPushButton>("Command1")->click();
    if (week == 0) {
        QCOMPARE(f.desk.messages.size(), std::size_t(1));
        QCOMPARE(f.desk.messages[0].text, QStringLiteral("请输入有效的日期。"));
        QCOMPARE(f.window->weekShown(), 3);
        return;
    }
    QVERIFY(f.desk.messages.empty());
    QCOMPARE(f.window->weekShown(), week);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{weekday});
}

void QueryDialogTest::weekQueryMarksNothing() {
    Fixture f(date(2010, 3, 19));
    f.get<QPushButton>("Command1")->click(); // the current week, unchanged
    QCOMPARE(f.window->weekShown(), 3);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("第3周的课表") + kTitleEnd);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{});

    f.open();
    f.pick(1, QStringLiteral("第12周"));
    QVERIFY(f.focusOn(f.get<QPushButton>("Command1")));
    f.get<QPushButton>("Command1")->click();
    QCOMPARE(f.window->weekShown(), 12);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("第12周的课表") + kTitleEnd);
    QCOMPARE(cell(*f.window, 0)->caption(), sampleCaption(0, 0, "乙"));
}

void QueryDialogTest::twoDateQueriesThenAWeekQuery() {
    Fixture f(date(2010, 3, 19));
    f.byDate(3, 8);
    f.open();
    f.byDate(3, 10);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{2});
    f.open();
    f.get<QRadioButton>("Option1")->click();
    f.get<QPushButton>("Command1")->click();
    QCOMPARE(markedWeekdays(*f.window), QList<int>{});
    QCOMPARE(f.window->weekShown(), 3); // the week text still said 第3周
}

void QueryDialogTest::emptyWeekTextIsWeekZero() {
    Fixture f(date(2010, 3, 19));
    f.byWeekText(QString());
    QCOMPARE(f.window->weekShown(), 0);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("第0周的课表") + kTitleEnd);
    // Week 0 matches no block: every cell shows the empty blank row.
    QCOMPARE(cell(*f.window, 0)->caption(), QStringLiteral("\r\n\r\n"));

    f.open();
    f.byWeekText(QStringLiteral("第 7.5周")); // blanks skipped, halves to even
    QCOMPARE(f.window->weekShown(), 8);
    f.open();
    f.byWeekText(QStringLiteral("周期")); // no number after the first character
    QCOMPARE(f.window->weekShown(), 0);
    QVERIFY(f.desk.messages.empty());
}

void QueryDialogTest::queryOutsideTheTermShowsTheWeek() {
    Fixture f(date(2010, 8, 2)); // not class time: hint shown, the workbook loaded all the same
    QLabel* label14 = label(*f.window, QStringLiteral("Label14"));
    QVERIFY(!label14->isHidden());
    f.byWeekText(QStringLiteral("第5周"));
    QVERIFY(label14->isHidden());
    QCOMPARE(f.window->weekShown(), 5);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("第5周的课表") + kTitleEnd);
    QVERIFY(f.desk.messages.empty());
    QVERIFY(!cell(*f.window, 0)->caption().isEmpty());
}

void QueryDialogTest::invalidTypedInputChangesNothing_data() {
    QTest::addColumn<bool>("byWeek");
    QTest::addColumn<QString>("first");  // week text, or month text
    QTest::addColumn<QString>("second"); // day text
    QTest::addColumn<QString>("message");
    const QString badDate = QStringLiteral("请输入有效的日期。");
    QTest::newRow("31 typed for April") << false << "4"
                                        << "31" << badDate;
    QTest::newRow("29 February") << false << "2"
                                 << "29" << badDate;
    QTest::newRow("month 13") << false << "13"
                              << "1" << badDate;
    QTest::newRow("day 0") << false << "3"
                           << "0" << badDate;
    QTest::newRow("month not a number") << false << "三"
                                        << "1" << badDate;
    QTest::newRow("day empty") << false << "5"
                               << "" << badDate;
    QTest::newRow("week beyond 16 bits")
        << true << QStringLiteral("第40000周") << QString() << QStringLiteral("周数超出范围。");
    QTest::newRow("week far below")
        << true << QStringLiteral("第-99999周") << QString() << QStringLiteral("周数超出范围。");
}

void QueryDialogTest::invalidTypedInputChangesNothing() {
    QFETCH(bool, byWeek);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    Fixture f(date(2010, 8, 2));
    QStringList grid = captions(*f.window);
    QString title = f.window->windowTitle();

    if (byWeek) {
        f.type(1, first);
    } else {
        f.get<QRadioButton>("Option2")->click();
        f.type(2, first);
        f.type(3, second);
    }
    f.get<QPushButton>("Command1")->click();
    QCOMPARE(f.desk.messages.size(), std::size_t(1));
    QCOMPARE(f.desk.messages[0].text, message);
    QCOMPARE(f.desk.messages[0].title, QStringLiteral("提示"));
    QVERIFY(f.dialog->isVisible()); // stays open for a correction
    QCOMPARE(f.window->weekShown(), 23);
    QCOMPARE(f.window->windowTitle(), title);
    QCOMPARE(markedWeekdays(*f.window), QList<int>{0});
    QCOMPARE(captions(*f.window), grid);
    QVERIFY(!label(*f.window, QStringLiteral("Label14"))->isHidden());
}

void QueryDialogTest::buttonHidesAndKeepsTheChoices() {
    Fixture f(date(2010, 3, 19));
    f.dialog->hide();
    // Through the menu, as the user opens it: modal, back with the choices left as they were.
    QTimer::singleShot(0, [&f] {
        f.get<QRadioButton>("Option2")->click();
        f.pick(2, QStringLiteral("6"));
        f.pick(3, QStringLiteral("15"));
        f.get<QPushButton>("Command1")->click();
    });
    f.window->findChild<QAction*>(QStringLiteral("Inquire"))->trigger();
    QVERIFY(!f.dialog.isNull());
    QVERIFY(f.dialog->isHidden());
    QCOMPARE(f.window->weekShown(), 16);

    bool checked = false;
    QTimer::singleShot(0, [&f, &checked] {
        QCOMPARE(QApplication::activeModalWidget(), f.dialog.data());
        QVERIFY(f.get<QRadioButton>("Option2")->isChecked());
        QCOMPARE(f.combo(2)->currentText(), QStringLiteral("6"));
        QCOMPARE(f.combo(3)->currentText(), QStringLiteral("15"));
        QCOMPARE(f.combo(3)->count(), 30);
        QVERIFY(f.combo(2)->isEnabled());
        QVERIFY(f.focusOn(f.get<QPushButton>("Command1")));
        checked = true;
        f.dialog->hide();
    });
    f.window->inquire();
    QVERIFY(checked);
}

void QueryDialogTest::closeBoxUnloads() {
    Fixture f(date(2010, 3, 19));
    f.byWeekText(QStringLiteral("第9周"));
    f.open();
    f.get<QRadioButton>("Option2")->click();
    QVERIFY(f.dialog->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.dialog.isNull());
    QCOMPARE(f.window->weekShown(), 9); // no query ran
    QCOMPARE(f.window->windowTitle(), QStringLiteral("第9周的课表") + kTitleEnd);

    f.open(); // loaded afresh, from the week of the last query
    QVERIFY(f.get<QRadioButton>("Option1")->isChecked());
    QCOMPARE(f.combo(1)->currentText(), QStringLiteral("第9周"));
}

void QueryDialogTest::topmostIsLookedAtOnlyWhenLoading() {
    Fixture f(date(2010, 3, 19));
    auto onTop = [&f](QWidget* w) {
        for (const auto& [widget, on] : f.desk.alwaysOnTop) {
            if (widget == w && on) {
                return true;
            }
        }
        return false;
    };
    QVERIFY(!onTop(f.dialog));
    f.window->findChild<QAction*>(QStringLiteral("Topmost"))->trigger();
    f.dialog->hide();
    f.open(); // the loaded window is not looked at again
    QVERIFY(!onTop(f.dialog));

    f.dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.open();
    QVERIFY(onTop(f.dialog));
}

QTEST_MAIN(QueryDialogTest)
#include "QueryDialogTest.moc"
