// The compiled-in pictures (the icon's four images and depths, the splash and banner sizes)
// and the help text delivered beside the program.
#include "gui/ProgramResources.h"

#include "core/ProgramInfo.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>

namespace gui = orvanto::gui;

class ProgramResourcesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { gui::loadResources(); }
    void iconHasFourImagesAtTheirDepths();
    void iconLoadsEverySize();
    void picturesHaveTheirSizes_data();
    void picturesHaveTheirSizes();
    void sharpPicturesAtScaleTwo();
    void helpTextSuitsEveryViewer();
};

void ProgramResourcesTest::iconHasFourImagesAtTheirDepths() {
    // Read the .ico directory itself: Qt does not report an image's bits per pixel.
    QFile file(QStringLiteral(":/orvanto.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() >= 6);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    QCOMPARE(qFromLittleEndian<quint16>(data + 2), quint16(1)); // an icon, not a cursor
    const int count = qFromLittleEndian<quint16>(data + 4);
    QCOMPARE(count, 4);
    QVERIFY(bytes.size() >= 6 + 16 * count);
    QStringList images;
    for (int i = 0; i < count; ++i) {
        const uchar* entry = data + 6 + 16 * i;
        const int bits = qFromLittleEndian<quint16>(entry + 6);
        const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
        QVERIFY(offset + 16 <= quint32(bytes.size()));
        // The bitmap header inside must agree with the directory.
        QCOMPARE(int(qFromLittleEndian<quint16>(data + offset + 14)), bits);
        images << QStringLiteral("%1x%2@%3").arg(entry[0]).arg(entry[1]).arg(bits);
    }
    images.sort();
    QCOMPARE(images, QStringList({QStringLiteral("16x16@8"), QStringLiteral("24x24@32"),
                                  QStringLiteral("32x32@32"), QStringLiteral("48x48@32")}));
}

void ProgramResourcesTest::iconLoadsEverySize() {
    const QIcon icon = gui::programIcon();
    QVERIFY(!icon.isNull());
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    QCOMPARE(sizes, QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    // The 16 px image keeps a transparent corner through its one-bit mask.
    const QImage small = icon.pixmap(16, 16).toImage();
    QCOMPARE(qAlpha(small.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(small.pixel(8, 10)), 255);
}

void ProgramResourcesTest::picturesHaveTheirSizes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("splash") << QStringLiteral(":/splash.jpg") << QByteArray("jpeg")
                            << QSize(357, 435);
    QTest::newRow("banner") << QStringLiteral(":/banner.gif") << QByteArray("gif")
                            << QSize(400, 108);
    QTest::newRow("splash at 200%")
        << QStringLiteral(":/splash@2x.jpg") << QByteArray("jpeg") << QSize(714, 870);
    QTest::newRow("banner at 200%")
        << QStringLiteral(":/banner@2x.gif") << QByteArray("gif") << QSize(800, 216);
}

void ProgramResourcesTest::picturesHaveTheirSizes() {
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void ProgramResourcesTest::sharpPicturesAtScaleTwo() {
    for (const QPixmap& pixmap : {gui::splashPicture(2.0), gui::aboutBanner(2.0)}) {
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.deviceIndependentSize().toSize() * 2, pixmap.size());
    }
    QCOMPARE(gui::splashPicture(1.0).size(), QSize(357, 435));
    QCOMPARE(gui::splashPicture(2.0).deviceIndependentSize().toSize(), QSize(357, 435));
}

void ProgramResourcesTest::helpTextSuitsEveryViewer() {
    QFile file(QStringLiteral(ORVANTO_SOURCE_DIR "/resources/" ORVANTO_HELP_FILE_NAME));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // A BOM and CR LF line ends, so that old Notepad shows it as UTF-8 and line by line.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    const QString text = QString::fromUtf8(bytes);
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    // What it explains has to match what the program shows and looks for, word for word.
    for (const char* phrase :
         {"第一节", "第三节", "第五节", "第七节", "第九节", "第12节", "{第1-16周}",
          "{第1-15周}单周", "{第2-16周}双周", "提示：请先设置课表路径！",
          "提示：现在不是上课时间！", "课表路径", "查询方式", "path.ini"}) {
        QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    }
}

QTEST_MAIN(ProgramResourcesTest)
#include "ProgramResourcesTest.moc"
