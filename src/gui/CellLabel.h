// One grid cell of the main window: keeps its caption and hover text exactly as composed
// (CR LF and all) and shows them as plain text, CR LF as line breaks.
#pragma once

#include <QLabel>
#include <QString>

namespace orvanto::gui {

class CellLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString hoverText READ hoverText WRITE setHoverText)

  public:
    explicit CellLabel(QWidget* parent = nullptr);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

    const QString& hoverText() const { return m_hoverText; }
    void setHoverText(const QString& hoverText);

  private:
    QString m_caption;
    QString m_hoverText;
};

} // namespace orvanto::gui
