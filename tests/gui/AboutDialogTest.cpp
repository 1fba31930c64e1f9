// The about window's texts, its copyright double-click, its button and its z-order.
#include "gui/AboutDialog.h"

#include "core/ProgramInfo.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using orvanto::gui::AboutDialog;

class AboutDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void showsItsTexts();
    void textsFitTheirLabels();
    void doubleClickChangesOnlyTheCopyrightLineUntilReopened();
    void okButtonCloses();
    void followsTheTopmostSetting();
    void layout();
};

static QLabel* label(QWidget* dialog, const char* name) {
    return dialog->findChild<QLabel*>(QString::fromLatin1(name));
}

static QString caption(QWidget* dialog, const char* name) {
    return label(dialog, name)->property("caption").toString();
}

void AboutDialogTest::showsItsTexts() {
    AboutDialog dialog(false);
    QCOMPARE(dialog.objectName(), QStringLiteral("Form4"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("关于 Orvanto（Pellwick专用版）"));
    QCOMPARE(caption(&dialog, "Label2"), QStringLiteral("Orvanto\r\n版本：" ORVANTO_VERSION_TEXT));
    const QStringList copyright = caption(&dialog, "Label3").split(QStringLiteral("\r\n"));
    QCOMPARE(copyright.size(), 2);
    QVERIFY(!copyright[0].isEmpty());
    QCOMPARE(copyright[1], QStringLiteral("保留所有权利。"));
    QVERIFY(caption(&dialog, "Label1").contains(QStringLiteral("MIT")));
    // CR LF is shown as a single line break, never as a stray character.
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        QVERIFY2(!label(&dialog, name)->text().contains(QLatin1Char('\r')), name);
        QCOMPARE(label(&dialog, name)->text(),
                 caption(&dialog, name).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

void AboutDialogTest::textsFitTheirLabels() {
    // Labels cut off what does not fit, so every text (the alternate line too) must fit whole.
    AboutDialog dialog(false);
    auto fits = [](QLabel* target) {
        const QFontMetrics metrics(target->font());
        const QRect needed = metrics.boundingRect(QRect(0, 0, target->width(), 10000),
                                                  Qt::TextWordWrap, target->text());
        return needed.height() <= target->height();
    };
    for (const char* name : {"Label1", "Label2", "Label3"}) {
        QVERIFY2(fits(label(&dialog, name)), name);
        QCOMPARE(label(&dialog, name)->font().pointSizeF(), 9.0);
    }
    QTest::mouseDClick(label(&dialog, "Label3"), Qt::LeftButton);
    QVERIFY(fits(label(&dialog, "Label3")));
}

void AboutDialogTest::doubleClickChangesOnlyTheCopyrightLineUntilReopened() {
    QString original;
    {
        AboutDialog dialog(false);
        dialog.show();
        original = caption(&dialog, "Label3");
        QTest::mouseDClick(label(&dialog, "Label3"), Qt::LeftButton);
        const QString changed = caption(&dialog, "Label3");
        QVERIFY(changed != original);
        QCOMPARE(changed.section(QStringLiteral("\r\n"), 1),
                 original.section(QStringLiteral("\r\n"), 1));
        QTest::mouseDClick(label(&dialog, "Label3"), Qt::LeftButton);
        QCOMPARE(caption(&dialog, "Label3"), changed);
        // Double-clicking elsewhere changes nothing.
        const QString label2 = caption(&dialog, "Label2");
        QTest::mouseDClick(label(&dialog, "Label2"), Qt::LeftButton);
        QCOMPARE(caption(&dialog, "Label2"), label2);
    }
    AboutDialog again(false);
    QCOMPARE(caption(&again, "Label3"), original);
}

void AboutDialogTest::okButtonCloses() {
    AboutDialog dialog(false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // Enter presses it too.
    AboutDialog second(false);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTest::keyClick(&second, Qt::Key_Return);
    QVERIFY(!second.isVisible());
}

void AboutDialogTest::followsTheTopmostSetting() {
    AboutDialog onTop(true);
    QVERIFY(onTop.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    AboutDialog ordinary(false);
    QVERIFY(!ordinary.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Still a dialog with a close button and nothing to minimise or maximise.
    for (const AboutDialog* dialog : {&onTop, &ordinary}) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        QCOMPARE(dialog->windowType(), Qt::Dialog);
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }
}

void AboutDialogTest::layout() {
    AboutDialog dialog(false);
    QCOMPARE(dialog.size(), QSize(399, 277));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto* banner = label(&dialog, "Image1");
    QCOMPARE(banner->pixmap().size(), QSize(400, 108));
    QCOMPARE(banner->geometry(), QRect(0, 0, 400, 108));
    QCOMPARE(label(&dialog, "Label1")->geometry(), QRect(24, 112, 353, 97));
    QCOMPARE(label(&dialog, "Label2")->geometry(), QRect(24, 224, 81, 41));
    QCOMPARE(label(&dialog, "Label3")->geometry(), QRect(120, 224, 169, 41));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->geometry(),
             QRect(304, 224, 73, 25));
    auto* line = dialog.findChild<QFrame*>(QStringLiteral("Line1"));
    QCOMPARE(line->geometry(), QRect(8, 208, 376, 1));
    QCOMPARE(line->palette().color(QPalette::Window),
             dialog.palette().color(QPalette::PlaceholderText));
}

QTEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
