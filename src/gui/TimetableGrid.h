// The week drawn in the main window: the weekday and period headings, the 35 cells, the ruling
// lines, today's or the asked date's column marked, the status hint over the grid, all laid out
// in twips as the 2010 window was and shrunk together when the screen is too small.
#pragma once

#include "service/Schedule.h"

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>

class QLabel;

namespace orvanto::gui {

class CellLabel;

class TimetableGrid : public QWidget {
    Q_OBJECT

  public:
    // The grid's designed size in pixels: 13260 by 8160 twips.
    static constexpr int kDesignedWidth = 884;
    static constexpr int kDesignedHeight = 544;

    // The schedule words the hints (its term and workbook) and dates the headings; it outlives
    // the grid.
    TimetableGrid(const service::Schedule& schedule, QWidget* parent);

    using QWidget::show;
    // Draws a week as the schedule gives it: the marked column, the cells, the hint and each
    // weekday heading's date. The title and any box are the window's.
    void show(const service::WeekView& view);

    // The teaching week the cells show; 0 until a week is shown, and kept when a view numbers
    // none.
    std::int16_t weekShown() const { return m_weekShown; }

    // Text colour of a marked weekday column; unmarked columns are black.
    static QColor markColour();

    // Lays the grid out at scale (1 as designed), the hint broken again for its new width.
    void scaleTo(qreal scale);
    // Scaled to fit the available size beside the window's parts that do not shrink.
    void fitTo(const QSize& available, const QSize& fixedParts);
    qreal scale() const { return m_scale; }

  private:
    void writeCells(const service::GridComposition& grid);
    void showHint(const QStringList& phrases);
    void setWeekdayColour(int weekday, const QColor& colour);
    void showDayDates();

    const service::Schedule& m_schedule;
    std::array<QLabel*, 13> m_headings{};
    std::array<CellLabel*, service::kGridCells> m_cells{};
    QLabel* m_hint = nullptr;
    QStringList m_hintPhrases;
    std::int16_t m_weekShown = 0;
    qreal m_scale = 1.0;
};

} // namespace orvanto::gui
