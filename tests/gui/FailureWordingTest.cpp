// The viewer and orvanto-cli give one reason for one failure: for every status, at each step
// that can stop on it, the viewer's box or status line and the CLI's Chinese error line read the
// same; and the commands, run on real files that cannot be used, say what the viewer says of
// the same files.
#include "cli/Cli.h"
#include "cli/CliError.h"
#include "gui/StudentMessages.h"
#include "service/SchoolExports.h"
#include "service/StudentFiles.h"
#include "service/Timetable.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <sstream>

using namespace orvanto;
using service::FailedStep;

Q_DECLARE_METATYPE(core::Status)
Q_DECLARE_METATYPE(service::FailedStep)

class FailureWordingTest : public QObject {
    Q_OBJECT

  private slots:
    void everyStatusReadsTheSameInBoth_data();
    void everyStatusReadsTheSameInBoth();
    void theCommandsSayWhatTheViewerSays_data();
    void theCommandsSayWhatTheViewerSays();
    void aSaveThatFailsReadsTheSameInBoth();
};

namespace {

const std::chrono::year_month_day kToday{std::chrono::year{2010}, std::chrono::month{3},
                                         std::chrono::day{19}};

// text without its lead and its end; a null string when it does not have them.
QString between(const QString& text, const QString& lead, const QString& end) {
    if (!text.startsWith(lead) || !text.endsWith(end)) {
        return {};
    }
    return text.mid(lead.size(), text.size() - lead.size() - end.size());
}

// The reason as the viewer shows it: in the status line (where no file is named), in the
// import's box, in the box of a save that failed.
QString viewerReason(const core::Failure& failure, FailedStep step) {
    switch (step) {
    case FailedStep::ReadTimetable:
        return gui::loadFailurePhrases(failure, QString()).join(QString());
    case FailedStep::ReadExport:
        return between(gui::importFailureText(failure), QStringLiteral("无法导入教务课表："),
                       QStringLiteral("。"));
    case FailedStep::SaveImported:
        return between(gui::importSaveFailureText(failure), QStringLiteral("课表没有保存："),
                       QStringLiteral("。"));
    }
    return {};
}

// The reason of the CLI's first Chinese error line, after the file it names.
QString cliReason(const std::string& err, const std::string& file) {
    const QString line = QString::fromStdString(err.substr(0, err.find('\n')));
    return between(line,
                   QStringLiteral("orvanto-cli：错误：") + QString::fromStdString(file) +
                       QStringLiteral("："),
                   QString());
}

QString cliReason(const core::Failure& failure, FailedStep step) {
    std::ostringstream err;
    cli::setLanguage(err, cli::Language::Chinese);
    cli::printFailure(err, failure, "课表.xlsx", step);
    return cliReason(err.str(), "课表.xlsx");
}

bool hasChinese(const QString& text) {
    static const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    return text.contains(chinese);
}

std::string runChinese(const std::vector<std::string_view>& args) {
    std::ostringstream out;
    std::ostringstream err;
    cli::run(args, out, err, kToday, std::nullopt, std::chrono::minutes{0}, cli::Language::Chinese);
    return err.str();
}

} // namespace

void FailureWordingTest::everyStatusReadsTheSameInBoth_data() {
    QTest::addColumn<core::Status>("status");
    QTest::addColumn<FailedStep>("step");
    const std::pair<FailedStep, const char*> steps[] = {{FailedStep::ReadTimetable, "timetable"},
                                                        {FailedStep::ReadExport, "export"},
                                                        {FailedStep::SaveImported, "save"}};
    for (const auto& [step, stepName] : steps) {
        for (int status = 0; status < core::kStatusCount; ++status) {
            QTest::addRow("%s, status %d", stepName, status) << core::Status(status) << step;
        }
    }
}

void FailureWordingTest::everyStatusReadsTheSameInBoth() {
    QFETCH(core::Status, status);
    QFETCH(FailedStep, step);
    const core::Failure failure(status, "an English detail", "第一节");
    const QString viewer = viewerReason(failure, step);
    QVERIFY2(hasChinese(viewer), qPrintable(viewer));
    QVERIFY2(!viewer.contains(QStringLiteral("English")), qPrintable(viewer));
    // Only a missing marker is named in the reason.
    QCOMPARE(viewer.contains(QStringLiteral("“第一节”")), status == core::Status::MarkerMissing);
    QCOMPARE(cliReason(failure, step), viewer);
}

void FailureWordingTest::theCommandsSayWhatTheViewerSays_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    const QString samples = QStringLiteral(ORVANTO_TEST_DATA "/samples/");
    const QString bad = QStringLiteral(ORVANTO_TEST_DATA "/bad/");
    QTest::newRow("grid, no such file") << "grid" << samples + "没有的课表.xlsx";
    QTest::newRow("grid, a folder") << "grid" << samples;
    QTest::newRow("grid, no marker") << "grid" << samples + "layout-marker-below-200.xlsx";
    QTest::newRow("grid, encrypted") << "grid" << bad + "xls-encrypted.xls";
    QTest::newRow("grid, binary workbook") << "grid" << bad + "xlsx-binary-workbook.xlsb";
    QTest::newRow("check, truncated") << "check" << bad + "xls-truncated.xls";
    QTest::newRow("import, a workbook with no timetable") << "import" << samples + "cells.xlsx";
    QTest::newRow("import, encrypted") << "import" << bad + "xls-encrypted.xls";
    QTest::newRow("import, text") << "import" << QStringLiteral(ORVANTO_SOURCE_DIR "/README.md");
}

void FailureWordingTest::theCommandsSayWhatTheViewerSays() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    const std::string path = file.toStdString();
    const bool import = command == QStringLiteral("import");
    std::optional<core::Failure> failure;
    if (import) {
        if (const auto read = imports::readExportFile(path); !read) {
            failure = read.failure();
        }
    } else if (const auto loaded = service::loadTimetable(std::filesystem::path(path)); !loaded) {
        failure = loaded.failure();
    }
    QVERIFY(failure);
    const std::string cmd = command.toStdString();
    std::vector<std::string_view> args{cmd};
    if (import) {
        args.push_back("--json"); // nothing to write, were it read
    }
    args.push_back(path);
    const QString viewer =
        viewerReason(*failure, import ? FailedStep::ReadExport : FailedStep::ReadTimetable);
    QVERIFY(!viewer.isEmpty());
    QCOMPARE(cliReason(runChinese(args), path), viewer);
}

// The workbook is made in a temporary file: with no temporary folder both programs fail to save
// it, and say so alike.
void FailureWordingTest::aSaveThatFailsReadsTheSameInBoth() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string exportPath = folder.filePath(QStringLiteral("教务导出.html")).toStdString();
    QFile exportFile(QString::fromStdString(exportPath));
    QVERIFY(exportFile.open(QIODevice::WriteOnly));
    exportFile.write("<html><head><meta charset=\"utf-8\"></head><body><table>"
                     "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td></tr>"
                     "<tr><td>第1,2节</td><td>高等数学<br>张三<br>1-16周<br>A101</td><td></td>"
                     "<td></td></tr></table></body></html>");
    exportFile.close();
    const std::string target = folder.filePath(QStringLiteral("课表.xlsx")).toStdString();

    const auto read = imports::readExportFile(exportPath);
    QVERIFY2(read, read ? "" : read.failure().detail.c_str());

    const QByteArray before = qgetenv("TMPDIR");
    const bool had = qEnvironmentVariableIsSet("TMPDIR");
    qputenv("TMPDIR", folder.filePath(QStringLiteral("no-such-folder")).toUtf8());
    const auto saved = service::saveImportedWorkbook(*read, target, exportPath);
    const std::string err = runChinese({"import", "-o", target, exportPath});
    if (had) {
        qputenv("TMPDIR", before);
    } else {
        qunsetenv("TMPDIR");
    }

    QVERIFY(!saved);
    const QString viewer = viewerReason(saved.failure(), FailedStep::SaveImported);
    QVERIFY2(viewer.contains(QStringLiteral("临时文件")), qPrintable(viewer));
    QCOMPARE(cliReason(err, exportPath), viewer);
}

QTEST_MAIN(FailureWordingTest)
#include "FailureWordingTest.moc"
