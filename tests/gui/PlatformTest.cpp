// The Linux platform layer: how the text viewer is started and what always-on-top keeps.
#include "gui/Platform.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace platform = orvanto::gui::platform;

class PlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void opensTextFileAsOneArgument_data();
    void opensTextFileAsOneArgument();
    void reportsAViewerThatCannotStart();
    void alwaysOnTopKeepsPlaceSizeAndVisibility();
    void alwaysOnTopKeepsAModalDialogRunning();
    void rejectsAddressesThatAreNotAddresses();

  private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

void PlatformTest::init() {
    QVERIFY(m_dir.isValid());
    m_path = qgetenv("PATH");
    // A stand-in viewer that records the arguments it was started with, one per line.
    QFile viewer(m_dir.filePath(QStringLiteral("xdg-open")));
    QVERIFY(viewer.open(QIODevice::WriteOnly));
    viewer.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                 "mv \"$0.args.tmp\" \"$0.args\"\n");
    viewer.close();
    viewer.setPermissions(viewer.permissions() | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
}

void PlatformTest::cleanup() {
    qputenv("PATH", m_path);
    QFile::remove(m_dir.filePath(QStringLiteral("xdg-open.args")));
}

void PlatformTest::opensTextFileAsOneArgument_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("create");
    QTest::newRow("plain") << QStringLiteral("帮助文档【必看】.txt") << true;
    QTest::newRow("blanks and quotes") << QStringLiteral("my \"dir\" $HOME; x/帮助.txt") << true;
    // A missing help file is still handed to the viewer, which tells the user.
    QTest::newRow("missing") << QStringLiteral("nowhere/帮助文档【必看】.txt") << false;
}

void PlatformTest::opensTextFileAsOneArgument() {
    QFETCH(QString, path);
    QFETCH(bool, create);
    const QString full = m_dir.filePath(path);
    if (create) {
        QVERIFY(QDir().mkpath(QFileInfo(full).path()));
        QFile file(full);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(platform::openTextFile(full));
    QFile args(m_dir.filePath(QStringLiteral("xdg-open.args")));
    QTRY_VERIFY_WITH_TIMEOUT(args.exists(), 5000);
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(args.readAll()), full + QLatin1Char('\n'));
}

void PlatformTest::reportsAViewerThatCannotStart() {
    qputenv("PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("empty"))));
    QVERIFY(!platform::openTextFile(m_dir.filePath(QStringLiteral("a.txt"))));
}

void PlatformTest::alwaysOnTopKeepsPlaceSizeAndVisibility() {
    QWidget window;
    window.setGeometry(120, 90, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect before = window.geometry();

    platform::setAlwaysOnTop(&window, true);
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());
    QCOMPARE(window.geometry(), before);

    platform::setAlwaysOnTop(&window, false);
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());
    QCOMPARE(window.geometry(), before);

    // A hidden window stays hidden; it only takes the setting along for its first show.
    QWidget hidden;
    platform::setAlwaysOnTop(&hidden, true);
    QVERIFY(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!hidden.isVisible());
}

void PlatformTest::alwaysOnTopKeepsAModalDialogRunning() {
    // Switching a dialog that is running modally must not end its exec().
    QDialog dialog;
    bool stillRunning = false;
    QTimer::singleShot(100, &dialog, [&] { platform::setAlwaysOnTop(&dialog, true); });
    QTimer::singleShot(300, &dialog, [&] {
        stillRunning = dialog.isVisible();
        dialog.done(42);
    });
    QCOMPARE(dialog.exec(), 42);
    QVERIFY(stillRunning);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void PlatformTest::rejectsAddressesThatAreNotAddresses() {
    QVERIFY(!platform::openWebAddress(QString()));
    QVERIFY(!platform::openWebAddress(QStringLiteral("not an address")));
}

QTEST_MAIN(PlatformTest)
#include "PlatformTest.moc"
