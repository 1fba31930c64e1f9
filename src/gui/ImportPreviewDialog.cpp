#include "ImportPreviewDialog.h"

#include "core/Weekdays.h"
#include "spreadsheet/ReadLimits.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvanto::gui {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidget* makeTable(const QStringList& headings, int rows, const char* name, QWidget* parent) {
    auto* table = new QTableWidget(rows, static_cast<int>(headings.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& texts) {
    for (int column = 0; column < texts.size(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setToolTip(texts[column]);
        table->setItem(row, column, item);
    }
}

QString periodsText(const imports::SmallPeriods& periods) {
    return periods.first == periods.last
               ? QStringLiteral("第%1节").arg(periods.first)
               : QStringLiteral("第%1-%2节").arg(periods.first).arg(periods.last);
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const imports::ImportResult& result, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("导入教务课表"));
    auto* layout = new QVBoxLayout(this);

    const int classes = static_cast<int>(result.classes.size());
    const int unread = static_cast<int>(result.unread.size());
    auto* classesLabel = new QLabel(QStringLiteral("识别出的课程：%1 节").arg(classes), this);
    classesLabel->setObjectName(QStringLiteral("ClassesCount"));
    layout->addWidget(classesLabel);
    auto* classTable =
        makeTable({QStringLiteral("星期"), QStringLiteral("节次"), QStringLiteral("周次"),
                   QStringLiteral("课程"), QStringLiteral("教师"), QStringLiteral("教室")},
                  classes, "Classes", this);
    for (int row = 0; row < classes; ++row) {
        const imports::ImportedClass& entry = result.classes[static_cast<std::size_t>(row)];
        setRow(classTable, row,
               {fromUtf8(std::string(core::weekdayName(entry.weekday - 1))),
                periodsText(entry.periods), fromUtf8(imports::weeksText(entry.weeks)),
                fromUtf8(entry.course), fromUtf8(entry.teacher), fromUtf8(entry.room)});
    }
    classTable->resizeColumnsToContents();
    layout->addWidget(classTable, 3);

    auto* unreadLabel = new QLabel(
        unread == 0
            ? QStringLiteral("没有未能识别的文字。")
            : QStringLiteral("未能识别的文字：%1 处（不会导入，将列在新课表的“未识别”工作表中，"
                             "可对照原文件手动补上）")
                  .arg(unread),
        this);
    unreadLabel->setObjectName(QStringLiteral("UnreadCount"));
    unreadLabel->setWordWrap(true);
    layout->addWidget(unreadLabel);
    if (unread > 0) {
        auto* unreadTable =
            makeTable({QStringLiteral("工作表"), QStringLiteral("单元格"), QStringLiteral("内容")},
                      unread, "Unread", this);
        for (int row = 0; row < unread; ++row) {
            const imports::UnreadText& text = result.unread[static_cast<std::size_t>(row)];
            setRow(unreadTable, row,
                   {fromUtf8(text.sheet), fromUtf8(text.cell), fromUtf8(text.text)});
        }
        unreadTable->resizeColumnsToContents();
        layout->addWidget(unreadTable, 1);
    }

    if (!result.unreadSheets.empty()) {
        // A file of more worksheets than any export holds: the ones past the count are named.
        constexpr std::size_t kNamesShown = 10;
        QStringList names;
        for (std::size_t i = 0; i < result.unreadSheets.size() && i < kNamesShown; ++i) {
            names << fromUtf8(result.unreadSheets[i]);
        }
        if (result.unreadSheets.size() > kNamesShown) {
            names << QStringLiteral("…");
        }
        auto* unreadSheets =
            new QLabel(QStringLiteral("另有 %1 个工作表未读取（只读取前 %2 个）：%3")
                           .arg(static_cast<qulonglong>(result.unreadSheets.size()))
                           .arg(static_cast<qulonglong>(spreadsheet::limits::kExportSheets))
                           .arg(names.join(QStringLiteral("、"))),
                       this);
        unreadSheets->setObjectName(QStringLiteral("UnreadSheets"));
        unreadSheets->setWordWrap(true);
        layout->addWidget(unreadSheets);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 520);
}

} // namespace orvanto::gui
