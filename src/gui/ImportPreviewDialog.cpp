#include "ImportPreviewDialog.h"

#include "PreviewCellDelegate.h"
#include "StudentMessages.h"
#include "core/Weekdays.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace orvanto::gui {

namespace {

// The roles a class row keeps its values in beside the texts shown.
constexpr int kValueRole = Qt::UserRole;     // weekday 0..6, periods as QPoint(first, last)
constexpr int kCellRole = Qt::UserRole + 1;  // where the class was read: the sheet ...
constexpr int kSheetRole = Qt::UserRole + 2; // ... and its cell
constexpr int kLastSmallPeriod = 13;
constexpr int kLongestClass = 4;  // small periods one class spans at most in the list
constexpr int kListRowsShown = 4; // rows of the unread and details lists before they scroll
constexpr int kPreferredWidth = 880;
constexpr int kPreferredHeight = 640;
// The title bar and borders a window manager adds around the dialog.
const QSize kFrameAllowance(16, 48);

// Rows without one of these cannot be written; they are tinted until the student fills them.
const QColor kUnfinished(255, 236, 200);
const QColor kClashing(255, 214, 214);

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

QTableWidget* makeTable(const QStringList& headings, const char* name, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void fillPlaces(QTableWidget* table, const std::vector<imports::UnreadText>& texts) {
    table->setRowCount(static_cast<int>(texts.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const imports::UnreadText& text = texts[static_cast<std::size_t>(row)];
        const QStringList cells{fromUtf8(text.sheet), fromUtf8(text.cell), fromUtf8(text.text)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    // Short lists take only their rows' height, so that the class table keeps the room.
    const int shown = std::min(table->rowCount(), kListRowsShown);
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    table->setMaximumHeight(table->horizontalHeader()->sizeHint().height() + shown * rowHeight +
                            2 * table->frameWidth() +
                            table->horizontalScrollBar()->sizeHint().height());
    table->setVisible(!texts.empty());
}

QStringList weekdayNames() {
    QStringList names;
    for (int day = 0; day < 7; ++day) {
        names << fromUtf8(std::string(core::weekdayName(day)));
    }
    return names;
}

std::vector<imports::SmallPeriods> periodChoices() {
    std::vector<imports::SmallPeriods> choices;
    for (int first = 1; first <= kLastSmallPeriod; ++first) {
        for (int last = first; last <= std::min(first + kLongestClass - 1, kLastSmallPeriod);
             ++last) {
            choices.push_back({first, last});
        }
    }
    return choices;
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(imports::ImportResult result, Reread reread, Ask ask,
                                         QWidget* parent)
    : QDialog(parent), m_result(std::move(result)), m_reread(std::move(reread)),
      m_ask(std::move(ask)) {
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(previewText(PreviewText::Title));
    // Everything but 确定 and 取消 scrolls, so that the buttons stay within reach on a small
    // or magnified screen.
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);

    m_reading = new QLabel(this);
    m_reading->setObjectName(QStringLiteral("Reading"));
    m_reading->setWordWrap(true);
    layout->addWidget(m_reading);
    auto* readingRow = new QHBoxLayout;
    readingRow->addWidget(new QLabel(previewText(PreviewText::OtherReadings), this));
    m_readings = new QComboBox(this);
    m_readings->setObjectName(QStringLiteral("Readings"));
    m_readings->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_readings->setMinimumContentsLength(24);
    readingRow->addWidget(m_readings, 1);
    layout->addLayout(readingRow);
    m_readingHint = new QLabel(previewText(PreviewText::ReadingReadsNone), this);
    m_readingHint->setObjectName(QStringLiteral("ReadingHint"));
    m_readingHint->hide();
    layout->addWidget(m_readingHint);
    connect(m_readings, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::chooseReading);

    m_classesCount = new QLabel(this);
    m_classesCount->setObjectName(QStringLiteral("ClassesCount"));
    layout->addWidget(m_classesCount);
    m_classes = makeTable(previewClassHeadings(), "Classes", this);
    m_classes->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    auto* delegate = new PreviewCellDelegate(
        [this](int column) { return choicesOf(column); },
        [this](int row, int column, const QString& text) { return setCellText(row, column, text); },
        m_classes);
    connect(delegate, &PreviewCellDelegate::refused, this, &ImportPreviewDialog::showRefusal);
    m_classes->setItemDelegate(delegate);
    layout->addWidget(m_classes, 3);

    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(previewText(PreviewText::AddClass), this);
    add->setObjectName(QStringLiteral("AddClass"));
    connect(add, &QPushButton::clicked, this, [this] {
        const int row = addClass();
        m_classes->setCurrentCell(row, CourseColumn);
        m_classes->editItem(m_classes->item(row, CourseColumn));
    });
    auto* remove = new QPushButton(previewText(PreviewText::RemoveClasses), this);
    remove->setObjectName(QStringLiteral("RemoveClasses"));
    connect(remove, &QPushButton::clicked, this, [this] {
        QList<int> rows;
        for (const QModelIndex& index : m_classes->selectionModel()->selectedRows()) {
            rows << index.row();
        }
        removeClasses(rows);
    });
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    m_cellHint = new QLabel(this);
    m_cellHint->setObjectName(QStringLiteral("CellHint"));
    m_cellHint->setWordWrap(true);
    QPalette hintColours = m_cellHint->palette();
    hintColours.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_cellHint->setPalette(hintColours);
    rowButtons->addWidget(m_cellHint, 1);
    layout->addLayout(rowButtons);

    if (!m_result.unreadSheets.empty()) {
        // A file of more worksheets than any export holds: the ones past the count are named.
        constexpr std::size_t kNamesShown = 10;
        QStringList names;
        for (std::size_t i = 0; i < m_result.unreadSheets.size() && i < kNamesShown; ++i) {
            names << fromUtf8(m_result.unreadSheets[i]);
        }
        if (m_result.unreadSheets.size() > kNamesShown) {
            names << QStringLiteral("…");
        }
        auto* unreadSheets =
            new QLabel(unreadSheetsText(m_result.unreadSheets.size(), names), this);
        unreadSheets->setObjectName(QStringLiteral("UnreadSheets"));
        unreadSheets->setWordWrap(true);
        layout->addWidget(unreadSheets);
    }

    auto* unreadRow = new QHBoxLayout;
    m_unreadCount = new QLabel(this);
    m_unreadCount->setObjectName(QStringLiteral("UnreadCount"));
    m_unreadCount->setWordWrap(true);
    unreadRow->addWidget(m_unreadCount, 1);
    auto* makeClass = new QPushButton(previewText(PreviewText::MakeClass), this);
    makeClass->setObjectName(QStringLiteral("MakeClass"));
    unreadRow->addWidget(makeClass);
    layout->addLayout(unreadRow);
    m_unread = makeTable(previewPlaceHeadings(), "Unread", this);
    layout->addWidget(m_unread, 1);
    auto makeSelected = [this] {
        if (m_unread->currentRow() >= 0) {
            const int row = makeClassOfUnread(m_unread->currentRow());
            m_classes->setCurrentCell(row, CourseColumn);
        }
    };
    connect(makeClass, &QPushButton::clicked, this, makeSelected);
    connect(m_unread, &QTableWidget::cellDoubleClicked, this, makeSelected);
    connect(m_unread, &QTableWidget::itemSelectionChanged, makeClass,
            [this, makeClass] { makeClass->setEnabled(m_unread->currentRow() >= 0); });

    m_detailsCount = new QLabel(this);
    m_detailsCount->setObjectName(QStringLiteral("DetailsCount"));
    m_detailsCount->setWordWrap(true);
    layout->addWidget(m_detailsCount);
    m_details = makeTable(previewPlaceHeadings(), "Details", this);
    layout->addWidget(m_details, 1);

    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PreviewContent"));
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(previewText(PreviewText::Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(previewText(PreviewText::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportPreviewDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);

    showResult();
    makeClass->setEnabled(false);
    QSize size(kPreferredWidth, kPreferredHeight);
    if (const QScreen* shown = screen()) {
        size = size.boundedTo(shown->availableGeometry().size() - kFrameAllowance);
    }
    resize(size);
}

void ImportPreviewDialog::showResult() {
    m_reading->setText(previewText(PreviewText::ReadingCaption) +
                       readingScoreText(m_result.reading));
    {
        const QSignalBlocker blocker(m_readings);
        m_readings->clear();
        m_readings->addItem(readingScoreText(m_result.reading));
        for (const imports::DialectScore& score : m_result.runnersUp) {
            m_readings->addItem(readingScoreText(score));
        }
        m_readings->setCurrentIndex(0);
        m_readings->setEnabled(m_reread && !m_result.runnersUp.empty());
    }
    m_classes->setRowCount(0);
    for (const imports::ImportedClass& entry : m_result.classes) {
        appendRow(entry);
    }
    m_classes->resizeColumnsToContents();
    fillPlaces(m_unread, m_result.unread);
    fillPlaces(m_details, m_result.details);
    m_cellHint->clear();
    refreshCounts();
    m_changed = false;
}

int ImportPreviewDialog::appendRow(const imports::ImportedClass& entry) {
    const int row = m_classes->rowCount();
    m_classes->insertRow(row);
    for (int column = 0; column < m_classes->columnCount(); ++column) {
        m_classes->setItem(row, column, new QTableWidgetItem);
    }
    fillRow(row, entry);
    return row;
}

int ImportPreviewDialog::addClass(const imports::ImportedClass& entry) {
    const int row = appendRow(entry);
    m_changed = true;
    refreshCounts();
    return row;
}

void ImportPreviewDialog::fillRow(int row, const imports::ImportedClass& entry) {
    QTableWidgetItem* weekday = m_classes->item(row, WeekdayColumn);
    const bool hasWeekday = entry.weekday && *entry.weekday >= 0 && *entry.weekday < 7;
    weekday->setText(hasWeekday ? weekdayNames()[*entry.weekday] : QString());
    weekday->setData(kValueRole, hasWeekday ? QVariant(*entry.weekday) : QVariant());
    QTableWidgetItem* periods = m_classes->item(row, PeriodsColumn);
    const bool hasPeriods = entry.periods.first > 0 && entry.periods.last >= entry.periods.first;
    periods->setText(hasPeriods ? periodsText(entry.periods) : QString());
    periods->setData(kValueRole,
                     hasPeriods ? QPoint(entry.periods.first, entry.periods.last) : QPoint());
    m_classes->item(row, WeeksColumn)->setText(fromUtf8(imports::weeksText(entry.weeks)));
    QTableWidgetItem* course = m_classes->item(row, CourseColumn);
    course->setText(fromUtf8(entry.course));
    course->setData(kSheetRole, fromUtf8(entry.sheet));
    course->setData(kCellRole, fromUtf8(entry.cell));
    m_classes->item(row, TeacherColumn)->setText(fromUtf8(entry.teacher));
    m_classes->item(row, RoomColumn)->setText(fromUtf8(entry.room));
}

QStringList ImportPreviewDialog::choicesOf(int column) const {
    if (column == WeekdayColumn) {
        return weekdayNames();
    }
    if (column == PeriodsColumn) {
        QStringList texts;
        for (const imports::SmallPeriods periods : periodChoices()) {
            texts << periodsText(periods);
        }
        return texts;
    }
    return {};
}

QString ImportPreviewDialog::setCellText(int row, int column, const QString& typed) {
    QTableWidgetItem* item = m_classes->item(row, column);
    if (item == nullptr) {
        return {};
    }
    const QString text = typed.trimmed();
    const QString textBefore = item->text();
    const QVariant valueBefore = item->data(kValueRole);
    switch (column) {
    case WeekdayColumn: {
        const qsizetype day = weekdayNames().indexOf(text);
        if (day < 0) {
            return {}; // only the list's entries can be chosen
        }
        item->setText(text);
        item->setData(kValueRole, static_cast<int>(day));
        break;
    }
    case PeriodsColumn: {
        const qsizetype index = choicesOf(PeriodsColumn).indexOf(text);
        if (index < 0) {
            return {};
        }
        const imports::SmallPeriods periods = periodChoices()[static_cast<std::size_t>(index)];
        item->setText(text);
        item->setData(kValueRole, QPoint(periods.first, periods.last));
        break;
    }
    case WeeksColumn: {
        const auto weeks = imports::readWeekText(toUtf8(text));
        if (!weeks || weeks->none()) {
            return weekTextRefusal(text);
        }
        // Shown as the workbook will say it, so that what is seen is what is written.
        item->setText(fromUtf8(imports::weeksText(*weeks)));
        break;
    }
    default:
        item->setText(text);
        break;
    }
    // An editor closed on what the cell held changes nothing.
    m_changed = m_changed || item->text() != textBefore || item->data(kValueRole) != valueBefore;
    m_cellHint->clear();
    refreshRowMarks();
    return {};
}

void ImportPreviewDialog::showRefusal(int row, int column, const QString& reason) {
    m_cellHint->setText(reason);
    const QRect cell = m_classes->visualItemRect(m_classes->item(row, column));
    QToolTip::showText(m_classes->viewport()->mapToGlobal(cell.bottomLeft()), reason,
                       m_classes->viewport());
}

void ImportPreviewDialog::removeClasses(QList<int> rows) {
    std::ranges::sort(rows, std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row >= 0 && row < m_classes->rowCount()) {
            m_classes->removeRow(row);
            m_changed = true;
        }
    }
    refreshCounts();
}

int ImportPreviewDialog::makeClassOfUnread(int unreadRow) {
    if (unreadRow < 0 || unreadRow >= static_cast<int>(m_result.unread.size())) {
        return -1;
    }
    const auto at = m_result.unread.begin() + unreadRow;
    imports::ImportedClass guess = imports::guessClass(at->text);
    guess.sheet = at->sheet;
    guess.cell = at->cell;
    m_result.unread.erase(at);
    m_unread->removeRow(unreadRow);
    m_unread->setVisible(!m_result.unread.empty());
    const int row = addClass(guess);
    m_classes->scrollToItem(m_classes->item(row, CourseColumn));
    return row;
}

void ImportPreviewDialog::chooseReading(int index) {
    if (index <= 0 || !m_reread || index > static_cast<int>(m_result.runnersUp.size())) {
        return;
    }
    // Another reading fills the table anew: the student's changes go only on a 是.
    const bool keepChanges =
        m_changed &&
        !(m_ask && m_ask(this, {QMessageBox::Question, previewText(PreviewText::Title),
                                previewText(PreviewText::RereadDropsChanges), QMessageBox::No}));
    if (keepChanges) {
        const QSignalBlocker blocker(m_readings);
        m_readings->setCurrentIndex(0);
        return;
    }
    // By the dialect itself: the runners-up are numbered anew once another reading is chosen.
    const auto reread =
        m_reread({.runnerUp = std::nullopt,
                  .dialect = m_result.runnersUp[static_cast<std::size_t>(index - 1)].dialect});
    if (!reread) {
        m_readingHint->show();
        const QSignalBlocker blocker(m_readings);
        m_readings->setCurrentIndex(0);
        return;
    }
    m_readingHint->hide();
    m_result = *reread;
    showResult();
}

imports::ImportedClass ImportPreviewDialog::classOfRow(int row) const {
    imports::ImportedClass entry;
    if (const QVariant weekday = m_classes->item(row, WeekdayColumn)->data(kValueRole);
        weekday.isValid()) {
        entry.weekday = weekday.toInt();
    }
    const QPoint periods = m_classes->item(row, PeriodsColumn)->data(kValueRole).toPoint();
    entry.periods = {periods.x(), periods.y()};
    entry.weeks = imports::readWeekText(toUtf8(m_classes->item(row, WeeksColumn)->text()))
                      .value_or(imports::WeekSet{});
    const QTableWidgetItem* course = m_classes->item(row, CourseColumn);
    entry.course = toUtf8(course->text());
    entry.sheet = toUtf8(course->data(kSheetRole).toString());
    entry.cell = toUtf8(course->data(kCellRole).toString());
    entry.teacher = toUtf8(m_classes->item(row, TeacherColumn)->text());
    entry.room = toUtf8(m_classes->item(row, RoomColumn)->text());
    return entry;
}

imports::ImportResult ImportPreviewDialog::edited() const {
    imports::ImportResult result = m_result;
    result.classes.clear();
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        result.classes.push_back(classOfRow(row));
    }
    return result;
}

namespace {

// What a row still lacks, in the order the student reads its columns.
std::optional<PreviewText> missingOf(const imports::ImportedClass& entry) {
    if (!entry.weekday) {
        return PreviewText::NeedsWeekday;
    }
    if (entry.periods.first == 0) {
        return PreviewText::NeedsPeriods;
    }
    if (entry.weeks.none()) {
        return PreviewText::NeedsWeeks;
    }
    if (entry.course.empty()) {
        return PreviewText::NeedsCourse;
    }
    return std::nullopt;
}

} // namespace

void ImportPreviewDialog::refreshRowMarks() {
    // Rows that meet at the same time as another row are marked, so that a class the grid
    // would show under another is seen before it is written.
    std::vector<imports::ImportedClass> finished;
    std::vector<int> rowOfFinished;
    std::vector<bool> unfinished(static_cast<std::size_t>(m_classes->rowCount()));
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        imports::ImportedClass entry = classOfRow(row);
        unfinished[static_cast<std::size_t>(row)] = missingOf(entry).has_value();
        if (!unfinished[static_cast<std::size_t>(row)]) {
            finished.push_back(std::move(entry));
            rowOfFinished.push_back(row);
        }
    }
    std::vector<bool> clashing(unfinished.size());
    for (const std::size_t index : imports::clashingClasses(finished)) {
        clashing[static_cast<std::size_t>(rowOfFinished[index])] = true;
    }
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        const auto at = static_cast<std::size_t>(row);
        const QBrush brush = unfinished[at] ? QBrush(kUnfinished)
                             : clashing[at] ? QBrush(kClashing)
                                            : QBrush();
        for (int column = 0; column < m_classes->columnCount(); ++column) {
            QTableWidgetItem* item = m_classes->item(row, column);
            item->setBackground(brush);
            item->setToolTip(clashing[at] ? clashingRowText() : QString());
        }
    }
}

void ImportPreviewDialog::refreshCounts() {
    m_classesCount->setText(classesCountText(m_classes->rowCount()));
    m_unreadCount->setText(unreadCountText(static_cast<int>(m_result.unread.size())));
    m_detailsCount->setText(detailsCountText(static_cast<int>(m_result.details.size())));
    refreshRowMarks();
}

void ImportPreviewDialog::accept() {
    for (int row = 0; row < m_classes->rowCount(); ++row) {
        if (const auto missing = missingOf(classOfRow(row))) {
            m_cellHint->setText(unfinishedRowText(row + 1, *missing));
            m_classes->setCurrentCell(row, WeekdayColumn);
            return;
        }
    }
    QDialog::accept();
}

} // namespace orvanto::gui
