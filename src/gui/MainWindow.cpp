#include "MainWindow.h"

#include "CellLabel.h"
#include "DayWatcher.h"
#include "ImportPreviewDialog.h"
#include "PhraseBreaking.h"
#include "ProgramResources.h"
#include "QueryDialog.h"
#include "RulingLine.h"
#include "StudentMessages.h"
#include "TermDialog.h"
#include "Twips.h"
#include "WindowFit.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "calendar/CalendarFile.h"
#include "core/ProgramInfo.h"
#include "service/StudentFiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace orvanto::gui {

namespace {

// How long the window manager may take to frame the window at its first showing.
constexpr int kFrameWaitMilliseconds = 50;
constexpr int kFrameWaitTries = 40;

const QString kNoPathHint = QStringLiteral("提示：请先设置课表路径！");
const QString kNotClassTimeHint = QStringLiteral("提示：现在不是上课时间！");
// Where the status label is drawn; it grows downwards for a longer reason.
const QRect kHintRect = twipsRect(5280, 2400, 3375, 735);

constexpr int kClientWidth = 884;  // 13260 twips
constexpr int kClientHeight = 544; // 8160 twips

// A day change waits this long behind an open dialog or box before it tries again.
constexpr int kFollowRetryMilliseconds = 2000;

struct Heading {
    const char* caption;
    int left, top, width, height;
};

// Label0 .. Label12: the corner, the seven weekdays, the five big periods.
constexpr std::array<Heading, 13> kHeadings = {{
    {"时间", 360, 240, 615, 495},
    {"星期一", 1800, 240, 975, 495},
    {"星期二", 3465, 240, 975, 495},
    {"星期三", 5115, 240, 975, 495},
    {"星期四", 6780, 240, 975, 495},
    {"星期五", 8445, 240, 975, 495},
    {"星期六", 10095, 240, 975, 495},
    {"星期天", 11760, 240, 975, 495},
    {"第一大节   （早上）", 120, 1080, 1215, 1215},
    {"第二大节   （早上）", 120, 2400, 1215, 1335},
    {"第三大节   （下午）", 120, 3840, 1215, 1215},
    {"第四大节   （下午）", 120, 5220, 1215, 1215},
    {"第五大节   （晚上）", 120, 6720, 1215, 1215},
}};

struct Ruling {
    const char* name;
    int y;
    QColor colour;
    Qt::PenStyle style;
    int width;
};

const QColor kOrange(255, 128, 0);
const QColor kGreen(0, 192, 0);

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Opaque button-face background, plain text wrapped at the label's width from its top left.
void styleLabel(QLabel* label, qreal pointSize) {
    label->setFont(windowFont(pointSize));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    label->setPalette(palette);
}

// The numbered failure as the 2010 edition worded it, and where it is when it names a cell.
QString failureBoxText(const core::Failure& failure) {
    QString text = fromUtf8(core::legacyMessage(failure));
    if (const QString cell = failedCellText(failure); !cell.isEmpty()) {
        text += QStringLiteral("\n") + cell;
    }
    return text;
}

} // namespace

MainWindow::MainWindow(Desktop desktop, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_desktop(std::move(desktop)),
      m_schedule({[this] { return m_desktop.today(); },
                  [] {
                      return std::chrono::floor<std::chrono::seconds>(
                          std::chrono::system_clock::now());
                  }}) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("我的课表"));
    setWindowIcon(programIcon());
    buildGrid();
    buildMenus();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    m_dayWatcher =
        new DayWatcher([this] { return m_desktop.today(); }, std::chrono::seconds(5), this);
    connect(m_dayWatcher, &DayWatcher::dayChanged, this, &MainWindow::followToday);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildGrid() {
    auto* client = new QWidget(this);
    client->setFont(windowFont(9));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    for (int i = 0; i < int(kHeadings.size()); ++i) {
        const Heading& h = kHeadings[std::size_t(i)];
        auto* label = new QLabel(QString::fromUtf8(h.caption), client);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        styleLabel(label, 10.5);
        label->setGeometry(twipsRect(h.left, h.top, h.width, h.height));
        m_headings[std::size_t(i)] = label;
    }

    for (int p = 0; p < core::kBigPeriods; ++p) {
        for (int d = 0; d < core::kWeekdays; ++d) {
            int index = service::cellIndex(p, d);
            auto* cell = new CellLabel(client);
            cell->setObjectName(QStringLiteral("Label13_%1").arg(index));
            styleLabel(cell, 9);
            cell->setGeometry(twipsRect(1560 + 1680 * d, 960 + 1440 * p, 1455, 1335));
            m_cells[std::size_t(index)] = cell;
        }
    }

    // The lines and the status hint lie above the cells they cross.
    const std::array<Ruling, 5> rulings = {{
        {"Line0", 960, kOrange, Qt::SolidLine, 2},
        {"Line3", 2280, kGreen, Qt::DotLine, 1},
        {"Line1", 3720, kOrange, Qt::SolidLine, 2},
        {"Line4", 5160, kGreen, Qt::DotLine, 1},
        {"Line2", 6600, kOrange, Qt::SolidLine, 2},
    }};
    for (const Ruling& r : rulings) {
        auto* line = new RulingLine(client, pixels(r.y), pixels(13320), r.colour, r.style, r.width);
        line->setObjectName(QString::fromLatin1(r.name));
        line->raise();
    }

    m_hint = new QLabel(client);
    m_hint->setObjectName(QStringLiteral("Label14"));
    styleLabel(m_hint, 12);
    // showHint breaks its lines between phrases itself.
    m_hint->setWordWrap(false);
    m_hint->setGeometry(kHintRect);
    m_hint->raise();
}

void MainWindow::buildMenus() {
    auto addMenu = [this](const char* name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    QMenu* set = addMenu("Set", QStringLiteral("设置(&S)"));
    connect(addItem(set, "Path", QStringLiteral("课表路径(&P)")), &QAction::triggered, this,
            &MainWindow::choosePath);
    connect(addItem(set, "Inquire", QStringLiteral("查询方式(&I)")), &QAction::triggered, this,
            &MainWindow::inquire);
    set->addSeparator()->setObjectName(QStringLiteral("divide2"));
    m_topmost = addItem(set, "Topmost", QStringLiteral("窗口置顶(&T)"));
    m_topmost->setCheckable(true);
    m_topmost->setChecked(true);
    // A checkable action has flipped its mark before it triggers.
    connect(m_topmost, &QAction::triggered, this, &MainWindow::setAlwaysOnTop);
    connect(addItem(set, "Term", QStringLiteral("学期设置...(&E)")), &QAction::triggered, this,
            &MainWindow::editTerm);
    connect(addItem(set, "Calendar", QStringLiteral("导出日历...(&C)")), &QAction::triggered, this,
            &MainWindow::exportCalendar);
    connect(addItem(set, "Import", QStringLiteral("导入教务课表...(&D)")), &QAction::triggered,
            this, &MainWindow::importExport);
    m_checkItem = addItem(set, "Check", QString());
    connect(m_checkItem, &QAction::triggered, this, &MainWindow::checkTimetable);
    m_setMenu = set;
    showFindingsCount();

    QMenu* help = addMenu("Help", QStringLiteral("帮助(&H)"));
    connect(addItem(help, "File", QStringLiteral("帮助文档...(&F)")), &QAction::triggered, this,
            &MainWindow::openHelpFile);
    connect(addItem(help, "Update", QStringLiteral("检查更新...(&U)")), &QAction::triggered, this,
            &MainWindow::openUpdatePage);
    help->addSeparator()->setObjectName(QStringLiteral("divide"));
    connect(addItem(help, "About", QStringLiteral("关于(&A)")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::setVisible(bool visible) {
    const bool firstShowing = visible && !m_placed;
    if (firstShowing) {
        m_placed = true;
        // Fitted and placed before the window manager first sees it.
        fitToScreen();
        centreOnScreen(this);
    }
    QMainWindow::setVisible(visible);
    if (firstShowing && windowHandle() != nullptr) {
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitToScreen);
        fitFramed(kFrameWaitTries);
    }
    if (visible && !m_loaded) {
        // Run once the window is on screen, so that a box of the start-up stands on it.
        startUp();
    }
}

void MainWindow::startUp() {
    m_loaded = true;
    // The check mark and the window's real state never disagree.
    m_topmost->setChecked(false);
    if (m_alwaysOnTop) {
        setAlwaysOnTop(false);
    }
    openSchedule();
}

void MainWindow::openSchedule() {
    const core::Term before = m_schedule.term();
    m_dayWatcher->acknowledge(m_desktop.today());
    m_showsToday = true;
    m_schedule.open({.file = m_desktop.settings.fileToRead("term.ini")},
                    {.kind = service::WorkbookSource::Kind::PathIni,
                     .file = m_desktop.settings.fileToRead("path.ini"),
                     // A portable copy gets its empty path.ini to edit by hand; the user's
                     // configuration folder is made only by a save.
                     .createMissingPathIni = m_desktop.settings.isBesideProgram()});
    if (m_schedule.term() != before && m_queryDialog != nullptr) {
        // Its lists were made for the old term.
        m_queryDialog->deleteLater();
        m_queryDialog = nullptr;
    }
    m_xlsname = fromUtf8(m_schedule.workbookPath());
    showFindingsCount();
    showWeek(m_schedule.today());
    tellTermNotices(m_schedule.termNotices());
    emit scheduleOpened();
}

void MainWindow::showWeek(const service::WeekView& view) {
    if (view.week) {
        m_weekno = *view.week;
    }
    if (!view.title.empty()) {
        setWindowTitle(fromUtf8(view.title));
    }
    clearMarks();
    if (view.markedWeekday) {
        markWeekday(*view.markedWeekday);
    }
    if (view.grid) {
        writeCells(*view.grid);
    }
    if (view.report) {
        reportFailure(*view.report);
    }
    showHint(view.hint, view);
    showDayDates();
}

void MainWindow::writeCells(const service::GridComposition& grid) {
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (i < grid.cells.size()) {
            m_cells[i]->setCaption(fromUtf8(grid.cells[i].caption));
            m_cells[i]->setHoverText(fromUtf8(grid.cells[i].tooltip));
            m_cells[i]->setOtherClasses(int(grid.cells[i].others.size()));
        } else if (!grid.failure) {
            m_cells[i]->setCaption(QString());
            m_cells[i]->setHoverText(QString());
            m_cells[i]->setOtherClasses(0);
        }
    }
}

void MainWindow::showHint(service::Hint hint, const service::WeekView& view) {
    switch (hint) {
    case service::Hint::None:
        m_hint->hide();
        return;
    case service::Hint::NoPath:
        showHint(kNoPathHint);
        return;
    case service::Hint::NotClassTime:
        // A term of the student's own is named with its dates; the 2010 term keeps its words.
        if (m_schedule.term() != core::Term{}) {
            showHint(QStringList{kNotClassTimeHint} + termDatesPhrases(m_schedule.term()));
        } else {
            showHint(kNotClassTimeHint);
        }
        return;
    case service::Hint::LoadFailed:
        showHint(QStringList{QStringLiteral("提示：无法读取课表：")} +
                 loadFailurePhrases(*m_schedule.loadFailure(), m_xlsname));
        return;
    case service::Hint::PartlyShown: {
        const core::Failure& failure = *view.grid->failure;
        const QString cell = failedCellText(failure);
        showHint({QStringLiteral("提示：课表只显示了一部分，"),
                  cell.isEmpty()
                      ? QStringLiteral("发生错误：%1").arg(core::legacyError(failure.status).number)
                      : cell});
        return;
    }
    }
}

// The count stands on the menu that lists the findings and on the item itself, where it
// covers no cell; without findings both read as they always have.
void MainWindow::showFindingsCount() {
    const std::size_t count = m_schedule.hasTimetable() ? m_schedule.findingsToFix() : 0;
    const QString shown = count > 0 ? QStringLiteral(" (%1)").arg(count) : QString();
    m_setMenu->setTitle(QStringLiteral("设置%1(&S)").arg(shown));
    m_checkItem->setText(QStringLiteral("检查课表%1...(&K)").arg(shown));
}

void MainWindow::reportFailure(const core::Failure& failure) {
    showMessage({QMessageBox::Warning, QStringLiteral("错误"), failureBoxText(failure)});
}

void MainWindow::showWeekQuery(std::int16_t week) {
    m_showsToday = false;
    showWeek(m_schedule.week(week));
}

void MainWindow::showDateQuery(std::chrono::year_month_day date) {
    const std::optional<service::WeekView> view = m_schedule.date(date);
    if (!view) {
        return; // the query window checks typed dates before it asks
    }
    m_showsToday = false;
    showWeek(*view);
}

QColor MainWindow::markColour() {
    return QApplication::palette().color(QPalette::Highlight);
}

void MainWindow::setWeekdayColour(int weekday, const QColor& colour) {
    auto paint = [&colour](QLabel* label) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    };
    paint(m_headings[std::size_t(weekday + 1)]);
    for (int p = 0; p < core::kBigPeriods; ++p) {
        paint(m_cells[std::size_t(service::cellIndex(p, weekday))]);
    }
}

void MainWindow::clearMarks() {
    for (int d = 0; d < core::kWeekdays; ++d) {
        setWeekdayColour(d, Qt::black);
    }
}

void MainWindow::markWeekday(int weekday) {
    if (weekday >= 0 && weekday < core::kWeekdays) {
        setWeekdayColour(weekday, markColour());
    }
}

void MainWindow::showHint(const QString& hint) {
    showHint(QStringList{hint});
}

void MainWindow::showHint(const QStringList& phrases) {
    m_hintPhrases = phrases;
    const QFontMetrics metrics(m_hint->font());
    m_hint->setText(breakBetweenPhrases(phrases, metrics, m_hint->width()));
    // The label grows downwards when the reason needs more lines than it was drawn for.
    const int designed = int(std::lround(kHintRect.height() * m_gridScale));
    const int needed = int(m_hint->text().count(QLatin1Char('\n')) + 1) * metrics.lineSpacing();
    m_hint->resize(m_hint->width(), std::max(designed, needed));
    m_hint->show();
}

void MainWindow::fitToScreen() {
    const QScreen* shown = screen();
    if (shown == nullptr) {
        return;
    }
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) {
        // Not framed yet: allow for the title bar and borders the window manager will add.
        frame = QSize(2 * kFrameBorder,
                      style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * kFrameBorder);
    }
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize designed(kClientWidth, kClientHeight);
    m_gridScale =
        fitScale(shown->availableGeometry().size(), designed, frame + QSize(0, menuHeight));
    const QSize client(int(std::lround(kClientWidth * m_gridScale)),
                       int(std::lround(kClientHeight * m_gridScale)));
    scaleChildren(centralWidget(), m_gridScale);
    centralWidget()->setFixedSize(client);
    setFixedSize(client.width(), client.height() + menuHeight);
    if (!m_hint->isHidden()) {
        showHint(m_hintPhrases);
    }
}

void MainWindow::fitFramed(int triesLeft) {
    if (frameGeometry().size() == size()) {
        // Not framed yet (or never: no window manager).
        if (triesLeft > 0) {
            QTimer::singleShot(kFrameWaitMilliseconds, this,
                               [this, triesLeft] { fitFramed(triesLeft - 1); });
        }
        return;
    }
    fitToScreen();
    const QScreen* shown = screen();
    if (shown != nullptr && !shown->availableGeometry().contains(frameGeometry())) {
        centreOnScreen(this);
    }
}

void MainWindow::followToday() {
    if (QApplication::activeModalWidget() != nullptr) {
        // A dialog or box is open, perhaps the last reload's own: come back once it is closed.
        if (!m_followPending) {
            m_followPending = true;
            QTimer::singleShot(kFollowRetryMilliseconds, this, [this] {
                m_followPending = false;
                followToday();
            });
        }
        return;
    }
    if (!m_showsToday) {
        // A week the student asked for stays on screen; its title names no today.
        m_dayWatcher->acknowledge(m_desktop.today());
        return;
    }
    // The window stays where it is and keeps its always-on-top state; the rest is the
    // start-up's, the workbook reloaded and term.ini read again.
    openSchedule();
}

void MainWindow::showMessage(const Message& message) {
    m_desktop.showMessage(this, message);
}

bool MainWindow::topmostChecked() const {
    return m_topmost->isChecked();
}

void MainWindow::setAlwaysOnTop(bool onTop) {
    m_alwaysOnTop = onTop;
    m_desktop.setAlwaysOnTop(this, onTop);
}

void MainWindow::choosePath() {
    QString chosen = m_desktop.chooseWorkbook(this, workbookDialogFolder(m_xlsname));
    if (chosen.isEmpty()) {
        return;
    }
    // A school's export chosen here is offered to the import instead of failing to load.
    const std::filesystem::path path = toFilesystemPath(chosen);
    if (!service::loadTimetable(path)) {
        if (auto read = imports::readExportFile(path);
            read && m_desktop.ask(this, {QMessageBox::Question, QStringLiteral("提示"),
                                         exportChosenAsTimetableText()})) {
            importRead(path, std::move(*read));
            return;
        }
    }
    useWorkbook(chosen);
}

bool MainWindow::useWorkbook(const QString& path) {
    if (!service::saveWorkbookChoice(m_desktop.settings, path.toStdString())) {
        // The saved path is intact; nothing is reloaded.
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     QStringLiteral("无法保存课表路径，原来的设置未改变。\n") +
                         checkFolderText(m_desktop.settings)});
        return false;
    }
    m_schedule.close();
    startUp();
    return true;
}

void MainWindow::importExport() {
    const QString exportFile = m_desktop.chooseExport(this, workbookDialogFolder(m_xlsname));
    if (exportFile.isEmpty()) {
        return;
    }
    const std::filesystem::path exportPath = toFilesystemPath(exportFile);
    auto result = imports::readExportFile(exportPath);
    if (!result) {
        showMessage(
            {QMessageBox::Warning, QStringLiteral("错误"), importFailureText(result.failure())});
        return;
    }
    importRead(exportPath, std::move(*result));
}

void MainWindow::importRead(const std::filesystem::path& exportPath, imports::ImportResult read) {
    ImportPreviewDialog preview(
        std::move(read),
        [exportPath](const imports::ReadingChoice& choice) {
            return imports::readExportFile(exportPath, choice);
        },
        this);
    if (!m_desktop.previewImport(preview)) {
        return;
    }
    const imports::ImportResult edited = preview.edited();
    const QString target = saveImported(exportPath, edited);
    if (target.isEmpty() || !useWorkbook(target)) {
        return;
    }
    if (edited.term) {
        proposeTerm(*edited.term);
    }
}

QString MainWindow::saveImported(const std::filesystem::path& exportPath,
                                 const imports::ImportResult& classes) {
    QString suggestion =
        QString::fromStdU16String(imports::defaultWorkbookPath(exportPath).u16string());
    // A save that fails says why and asks for another place; the preview's edits stay.
    for (;;) {
        const QString target = m_desktop.chooseImportedWorkbook(this, suggestion);
        if (target.isEmpty()) {
            return {};
        }
        suggestion = target;
        const auto saved =
            service::saveImportedWorkbook(classes, toFilesystemPath(target), exportPath);
        if (saved) {
            return target;
        }
        const std::string_view subject = saved.failure().subject;
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     subject == service::kOverTheExport
                         ? QStringLiteral("不能保存到教务课表原文件上，请另选一个文件名。")
                     : subject == service::kTargetUnwritable
                         ? importWriteFailureText(target)
                         : importSaveFailureText(saved.failure())});
    }
}

void MainWindow::proposeTerm(const imports::ExportTerm& named) {
    if (m_schedule.today().inTerm) {
        return; // the term already set is the one the student is in
    }
    core::Term proposed = m_schedule.term();
    proposed.edition = named.edition;
    proposed.firstMonday = named.likelyFirstMonday();
    TermDialog dialog(proposed, m_desktop, this);
    if (topmostChecked()) {
        m_desktop.setAlwaysOnTop(&dialog, true);
    }
    if (dialog.exec() == QDialog::Accepted) {
        startUp();
    }
}

QueryDialog* MainWindow::queryDialog() {
    if (m_queryDialog == nullptr) {
        m_queryDialog = new QueryDialog(m_schedule, m_weekno, topmostChecked(), m_desktop, this);
        connect(m_queryDialog, &QueryDialog::weekChosen, this, &MainWindow::showWeekQuery);
        connect(m_queryDialog, &QueryDialog::dateChosen, this, &MainWindow::showDateQuery);
    }
    return m_queryDialog;
}

void MainWindow::inquire() {
    if (m_xlsname.isEmpty()) {
        showMessage({QMessageBox::Information, QStringLiteral("提示"),
                     QStringLiteral("请先设置课表路径。")});
        return;
    }
    queryDialog()->exec();
}

void MainWindow::openHelpFile() {
    const QString helpFile =
        programDataFile(m_desktop.programDirectory(), QStringLiteral(ORVANTO_HELP_FILE_NAME));
    if (!m_desktop.openTextFile(helpFile)) {
        // Where it is, so that it can be opened by hand with any text editor.
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     QStringLiteral("提示：打开帮助文档错误！\n没有找到能打开它的程序，"
                                    "请用文本编辑器打开：\n%1")
                         .arg(QDir::toNativeSeparators(helpFile))});
    }
}

void MainWindow::openUpdatePage() {
    if (!m_desktop.openWebAddress(QStringLiteral(ORVANTO_UPDATE_URL))) {
        showMessage({QMessageBox::Warning, QStringLiteral("错误"),
                     QStringLiteral("提示：调用浏览器错误！")});
    }
}

void MainWindow::showAbout() {
    m_desktop.showAbout(this, topmostChecked());
}

// Tells the student once about each set of settings term.ini could not use; the file itself
// is left as the student wrote it.
void MainWindow::tellTermNotices(const std::vector<settings::TermNotice>& notices) {
    if (notices == m_toldTermNotices) {
        return;
    }
    m_toldTermNotices = notices;
    if (notices.empty()) {
        return;
    }
    QString text = QStringLiteral("学期设置文件 term.ini 中有设置未被采用：");
    for (const settings::TermNotice& notice : notices) {
        text += QStringLiteral("\n") + termNoticeText(notice);
    }
    showMessage({QMessageBox::Information, QStringLiteral("提示"), text});
}

void MainWindow::editTerm() {
    TermDialog dialog(m_schedule.term(), m_desktop, this);
    if (topmostChecked()) {
        m_desktop.setAlwaysOnTop(&dialog, true);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    startUp();
}

void MainWindow::exportCalendar() {
    if (m_xlsname.isEmpty()) {
        showMessage({QMessageBox::Information, QStringLiteral("提示"),
                     QStringLiteral("请先设置课表路径。")});
        return;
    }
    if (!m_schedule.hasTimetable()) {
        QString text = QStringLiteral("课表无法读取，不能导出日历。");
        if (const auto& failure = m_schedule.loadFailure()) {
            text += QStringLiteral("\n") + loadFailurePhrases(*failure, m_xlsname).join(QString());
        }
        showMessage({QMessageBox::Warning, QStringLiteral("错误"), text});
        return;
    }
    const QString suggested =
        workbookDialogFolder(m_xlsname) + QStringLiteral("/") + QStringLiteral("课表.ics");
    const QString chosen = m_desktop.chooseCalendarFile(this, suggested);
    if (chosen.isEmpty()) {
        return;
    }
    const auto exported = m_schedule.exportCalendar();
    if (!exported) {
        const core::Failure& failure = exported.failure();
        showMessage(
            {QMessageBox::Warning, QStringLiteral("错误"),
             QStringLiteral("日历没有导出，未写入任何文件：%1的课表中有单元格无法读取。\n%2")
                 .arg(QStringLiteral("第%1周").arg(fromUtf8(failure.subject)),
                      failureBoxText(failure))});
        return;
    }
    if (const auto saved =
            service::saveCalendar(*exported, toFilesystemPath(chosen), toFilesystemPath(m_xlsname));
        !saved) {
        showMessage(
            {QMessageBox::Warning, QStringLiteral("错误"),
             saved.failure().subject == service::kOverTheWorkbook
                 ? calendarOverWorkbookText(chosen)
                 : QStringLiteral("无法写入日历文件：\n%1\n请检查文件夹是否可写。").arg(chosen)});
        return;
    }
    showMessage({QMessageBox::Information, QStringLiteral("提示"),
                 QStringLiteral("已导出 %1 节课（%2 个日历事件）到：\n%3")
                     .arg(exported->meetings)
                     .arg(exported->events)
                     .arg(chosen)});
}

void MainWindow::checkTimetable() {
    if (!m_schedule.hasTimetable()) {
        QString text = QStringLiteral("课表无法读取，不能检查。");
        if (const auto& failure = m_schedule.loadFailure()) {
            text += QStringLiteral("\n") + fromUtf8(failure->detail);
        } else if (m_xlsname.isEmpty()) {
            text = QStringLiteral("请先设置课表路径。");
        }
        showMessage({QMessageBox::Warning, QStringLiteral("检查课表"), text});
        return;
    }
    const std::vector<service::Finding>& findings = m_schedule.findings();
    const std::size_t toFix = m_schedule.findingsToFix();
    QString text = toFix == 0 ? QStringLiteral("没有发现可能让课程不显示的写法。")
                              : QStringLiteral("有 %1 处写法可能让课程不显示：\n").arg(toFix);
    for (const service::Finding& finding : findings) {
        if (!finding.note) {
            text += QStringLiteral("\n") + fromUtf8(finding.line);
        }
    }
    if (toFix != findings.size()) {
        text += QStringLiteral("\n");
    }
    for (const service::Finding& finding : findings) {
        if (finding.note) {
            text += QStringLiteral("\n说明：") + fromUtf8(finding.line);
        }
    }
    showMessage({toFix == 0 ? QMessageBox::Information : QMessageBox::Warning,
                 QStringLiteral("检查课表"), text});
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_schedule.close();
    event->accept();
    m_desktop.quit();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
        stepWeek(1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
        stepWeek(-1);
        break;
    case Qt::Key_Home:
        if (!m_xlsname.isEmpty()) {
            m_showsToday = true;
            showWeek(m_schedule.today());
        }
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    if (!centralWidget()->geometry().contains(event->position().toPoint())) {
        QMainWindow::wheelEvent(event);
        return;
    }
    event->accept();
    // Turning towards the student goes on in time, as a list scrolls down.
    constexpr int kNotch = 120;
    m_wheelTurn += event->angleDelta().y();
    while (m_wheelTurn <= -kNotch) {
        m_wheelTurn += kNotch;
        stepWeek(1);
    }
    while (m_wheelTurn >= kNotch) {
        m_wheelTurn -= kNotch;
        stepWeek(-1);
    }
}

void MainWindow::stepWeek(int step) {
    // Without a workbook there is no week to go to, as the query window says.
    if (m_xlsname.isEmpty() || (step > 0 && m_weekno >= term().weeks) ||
        (step < 0 && m_weekno <= 1)) {
        return;
    }
    showWeekQuery(static_cast<std::int16_t>(m_weekno + step));
}

void MainWindow::showDayDates() {
    const std::chrono::sys_days monday =
        std::chrono::sys_days{term().firstMonday} + std::chrono::days{7 * (m_weekno - 1)};
    for (int d = 0; d < core::kWeekdays; ++d) {
        const std::chrono::year_month_day day{monday + std::chrono::days{d}};
        m_headings[std::size_t(d + 1)]->setToolTip(QStringLiteral("%1年%2月%3日")
                                                       .arg(static_cast<int>(day.year()))
                                                       .arg(static_cast<unsigned>(day.month()))
                                                       .arg(static_cast<unsigned>(day.day())));
    }
}

} // namespace orvanto::gui
