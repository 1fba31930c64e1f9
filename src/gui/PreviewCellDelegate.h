// Editors of the import preview's class table: weekday and periods chosen from lists, the
// other cells typed. A typed text the table cannot use is refused in place: the cell keeps
// its text and the reason is signalled.
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>

namespace orvanto::gui {

class PreviewCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    // choices(column): the list a column's value is chosen from, empty for a typed column.
    // commit(row, column, text): stores the text, or gives the reason it was refused.
    PreviewCellDelegate(std::function<QStringList(int column)> choices,
                        std::function<QString(int row, int column, const QString& text)> commit,
                        QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  signals:
    void refused(int row, int column, const QString& reason) const;

  private:
    std::function<QStringList(int column)> m_choices;
    std::function<QString(int row, int column, const QString& text)> m_commit;
};

} // namespace orvanto::gui
