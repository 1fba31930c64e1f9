// The preview of an import, before anything is written: the reading the file was read by and
// the others to choose from, the classes understood as an editable table (rows deleted and
// added), the texts not understood (each can become a class) and the details left out.
#pragma once

#include "Desktop.h"
#include "core/Failure.h"
#include "service/SchoolExports.h"

#include <QDialog>
#include <QList>
#include <functional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace orvanto::gui {

class ImportPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    // Reads the export again under another reading; none for a result with nothing to re-read.
    using Reread =
        std::function<core::Result<imports::ImportResult>(const imports::ReadingChoice& choice)>;

    // A question with 是 and 否, true for 是: asked before another reading replaces a table the
    // student has changed.
    using Ask = std::function<bool(QWidget* parent, const Message& question)>;

    explicit ImportPreviewDialog(imports::ImportResult result, Reread reread = {},
                                 Ask ask = askInBox, QWidget* parent = nullptr);

    // What 确定 writes: the classes as the table shows them, in its order; the texts not
    // understood that are still listed; the reading and the details as read.
    imports::ImportResult edited() const;

    // The class table's columns.
    enum Column {
        WeekdayColumn,
        PeriodsColumn,
        WeeksColumn,
        CourseColumn,
        TeacherColumn,
        RoomColumn
    };

    // Puts a text in a cell as the cell's editor does; the reason when it is refused (the
    // cell then keeps its text), empty when it was taken.
    QString setCellText(int row, int column, const QString& text);
    // A new row at the end, filled from entry where it says something; its row.
    int addClass(const imports::ImportedClass& entry = {});
    void removeClasses(QList<int> rows);
    // The unread text of that row of the unread list as a new class prefilled with the best
    // guess of its pieces; it leaves the list. Its row in the class table.
    int makeClassOfUnread(int unreadRow);

    // Refuses, naming the row, while a row lacks its course, weeks, weekday or periods.
    void accept() override;

  private:
    void showResult();
    int appendRow(const imports::ImportedClass& entry);
    void fillRow(int row, const imports::ImportedClass& entry);
    void chooseReading(int index);
    void refreshCounts();
    // The one place a row's marks are drawn: an unfinished row is tinted.
    void refreshRowMarks();
    void showRefusal(int row, int column, const QString& reason);
    QStringList choicesOf(int column) const;
    imports::ImportedClass classOfRow(int row) const;

    imports::ImportResult m_result;
    Reread m_reread;
    Ask m_ask;
    // Whether the student has changed the table since the export was read into it.
    bool m_changed = false;
    QLabel* m_reading = nullptr;
    QComboBox* m_readings = nullptr;
    QLabel* m_readingHint = nullptr;
    QLabel* m_classesCount = nullptr;
    QTableWidget* m_classes = nullptr;
    QLabel* m_cellHint = nullptr;
    QLabel* m_unreadCount = nullptr;
    QTableWidget* m_unread = nullptr;
    QLabel* m_detailsCount = nullptr;
    QTableWidget* m_details = nullptr;
};

} // namespace orvanto::gui
