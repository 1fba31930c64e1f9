// Every Chinese text the viewer shows comes from the catalogue: the viewer's sources hold no
// string literal with Chinese in it outside StudentMessages.cpp, and the live window's menus and
// labels read as the catalogue words them.
#include "TestDesktop.h"
#include "gui/MainWindow.h"
#include "gui/StudentMessages.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanto::gui;
using namespace orvanto::gui::testing;

class StudentTextCatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void theScannerFindsLiteralsAndSkipsComments_data();
    void theScannerFindsLiteralsAndSkipsComments();
    void noChineseLiteralOutsideTheCatalogue();
    void theWindowReadsAsTheCatalogueWordsIt();
};

namespace {

bool hasChinese(const QString& text) {
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

// The string literals of a C++ source, comments and character literals passed over; a raw
// string's body counts as one literal.
QStringList stringLiterals(const QString& source) {
    QStringList literals;
    const qsizetype n = source.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = source[i];
        const QChar next = i + 1 < n ? source[i + 1] : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            i = source.indexOf(QLatin1Char('\n'), i);
            if (i < 0) {
                break;
            }
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            i = source.indexOf(QStringLiteral("*/"), i + 2);
            if (i < 0) {
                break;
            }
            ++i;
        } else if (c == QLatin1Char('R') && next == QLatin1Char('"') &&
                   (i == 0 || !source[i - 1].isLetterOrNumber())) {
            const qsizetype open = source.indexOf(QLatin1Char('('), i);
            const QString close =
                QLatin1Char(')') + source.mid(i + 2, open - i - 2) + QLatin1Char('"');
            const qsizetype end = source.indexOf(close, open);
            literals << source.mid(open + 1, end - open - 1);
            i = end + close.size() - 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n && source[j] != c) {
                j += source[j] == QLatin1Char('\\') ? 2 : 1;
            }
            if (c == QLatin1Char('"')) {
                literals << source.mid(i + 1, j - i - 1);
            }
            i = j;
        }
    }
    return literals;
}

} // namespace

void StudentTextCatalogueTest::theScannerFindsLiteralsAndSkipsComments_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("literals");
    QTest::newRow("plain") << QStringLiteral("f(\"提示\", \"a\");") << QStringList{"提示", "a"};
    QTest::newRow("line comment") << QStringLiteral("// \"提示\"\nf(\"b\");") << QStringList{"b"};
    QTest::newRow("block comment")
        << QStringLiteral("/* \"提示\" */ f(\"c\");") << QStringList{"c"};
    QTest::newRow("escaped quote")
        << QStringLiteral("f(\"x\\\"提示\");") << QStringList{"x\\\"提示"};
    QTest::newRow("character literal")
        << QStringLiteral("f('\"', \"提示\");") << QStringList{"提示"};
    QTest::newRow("raw string") << QStringLiteral("f(R\"x(提示\")x\");") << QStringList{"提示\""};
    QTest::newRow("address in a literal")
        << QStringLiteral("f(\"https://a\", \"错误\");") << QStringList{"https://a", "错误"};
}

void StudentTextCatalogueTest::theScannerFindsLiteralsAndSkipsComments() {
    QFETCH(QString, source);
    QFETCH(QStringList, literals);
    QCOMPARE(stringLiterals(source), literals);
}

void StudentTextCatalogueTest::noChineseLiteralOutsideTheCatalogue() {
    // The font's own name, which the student never reads.
    const QStringList allowed{QStringLiteral("微软雅黑")};
    const QDir gui(QStringLiteral(ORVANTO_SOURCE_DIR "/src/gui"));
    const QStringList files =
        gui.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files);
    QVERIFY(files.size() > 20);
    QStringList outside;
    int catalogued = 0;
    for (const QString& name : files) {
        QFile file(gui.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString& literal : stringLiterals(QString::fromUtf8(file.readAll()))) {
            if (!hasChinese(literal) || allowed.contains(literal)) {
                continue;
            }
            if (name == QStringLiteral("StudentMessages.cpp")) {
                ++catalogued;
            } else {
                outside << name + QStringLiteral(": ") + literal;
            }
        }
    }
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QLatin1Char('\n'))));
    QVERIFY(catalogued > 100); // the scan did read the catalogue
}

void StudentTextCatalogueTest::theWindowReadsAsTheCatalogueWordsIt() {
    TestDesktop desk;
    desk.setPath(sample("windows-timetable.xlsx"));
    MainWindow window(desk.desktop());
    window.show();
    QStringList catalogue = gridHeadings();
    for (int item = int(MenuText::Path); item <= int(MenuText::TrayQuit); ++item) {
        catalogue << menuText(MenuText(item));
    }
    const std::size_t toFix = window.schedule().findingsToFix();
    catalogue << setMenuTitle(toFix) << checkItemText(toFix);
    QStringList shown;
    for (const QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (!action->isSeparator() && !action->text().isEmpty()) {
            shown << action->text();
        }
    }
    for (int i = 0; i <= 12; ++i) {
        shown << window.findChild<QLabel*>(QStringLiteral("Label%1").arg(i))->text();
    }
    QVERIFY(shown.size() > 20);
    for (const QString& text : shown) {
        QVERIFY2(catalogue.contains(text), qPrintable(text));
    }
}

QTEST_MAIN(StudentTextCatalogueTest)
#include "StudentTextCatalogueTest.moc"
