// One grid cell of the main window: keeps its caption and hover text exactly as composed
// (CR LF and all) and shows them as plain text, CR LF as line breaks; a cell where more classes
// meet than the one it shows carries a "+N" badge in its corner.
#pragma once

#include <QLabel>
#include <QString>

namespace orvanto::gui {

class CellLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString hoverText READ hoverText WRITE setHoverText)
    Q_PROPERTY(int otherClasses READ otherClasses WRITE setOtherClasses)

  public:
    explicit CellLabel(QWidget* parent = nullptr);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

    const QString& hoverText() const { return m_hoverText; }
    void setHoverText(const QString& hoverText);

    // Classes meeting under the one shown: the badge reads "+N"; none for 0.
    int otherClasses() const { return m_otherClasses; }
    void setOtherClasses(int count);
    // Where the badge is drawn: the bottom right corner, clear of the three lines at the top.
    QRect badgeRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_caption;
    QString m_hoverText;
    int m_otherClasses = 0;
};

} // namespace orvanto::gui
