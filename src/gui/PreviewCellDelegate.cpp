#include "PreviewCellDelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <utility>

namespace orvanto::gui {

PreviewCellDelegate::PreviewCellDelegate(
    std::function<QStringList(int column)> choices,
    std::function<QString(int row, int column, const QString& text)> commit, QObject* parent)
    : QStyledItemDelegate(parent), m_choices(std::move(choices)), m_commit(std::move(commit)) {}

QWidget* PreviewCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    const QStringList choices = m_choices(index.column());
    if (choices.isEmpty()) {
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* box = new QComboBox(parent);
    box->addItems(choices);
    return box;
}

void PreviewCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(std::max(0, box->findText(text)));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void PreviewCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                       const QModelIndex& index) const {
    QString text;
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        text = box->currentText();
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        text = line->text();
    } else {
        return;
    }
    // The dialog stores what it accepts itself, so that typing and its own edits are one path.
    if (const QString reason = m_commit(index.row(), index.column(), text); !reason.isEmpty()) {
        emit refused(index.row(), index.column(), reason);
    }
}

} // namespace orvanto::gui
