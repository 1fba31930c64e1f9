// A horizontal ruling line across the grid, drawn above the cells it crosses; it lets
// the mouse through so the cells below keep their hover texts.
#pragma once

#include <QColor>
#include <QWidget>

namespace orvanto::gui {

class RulingLine : public QWidget {
    Q_OBJECT

  public:
    // A line from x 0 to x length at height y; width in pixels.
    RulingLine(QWidget* parent, int y, int length, QColor colour, Qt::PenStyle style, int width);

    QColor colour() const { return m_colour; }
    int lineWidth() const { return height(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_colour;
    Qt::PenStyle m_style;
};

} // namespace orvanto::gui
