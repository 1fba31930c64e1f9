#include "TimetableGrid.h"

#include "CellLabel.h"
#include "PhraseBreaking.h"
#include "RulingLine.h"
#include "StudentMessages.h"
#include "Twips.h"
#include "WindowFit.h"
#include "WindowFont.h"

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace orvanto::gui {

namespace {

// Where the status label is drawn; it grows downwards for a longer reason.
const QRect kHintRect = twipsRect(5280, 2400, 3375, 735);

// Label0 .. Label12: the corner, the seven weekdays, the five big periods.
constexpr std::array<std::array<int, 4>, 13> kHeadingRects = {{
    {360, 240, 615, 495},
    {1800, 240, 975, 495},
    {3465, 240, 975, 495},
    {5115, 240, 975, 495},
    {6780, 240, 975, 495},
    {8445, 240, 975, 495},
    {10095, 240, 975, 495},
    {11760, 240, 975, 495},
    {120, 1080, 1215, 1215},
    {120, 2400, 1215, 1335},
    {120, 3840, 1215, 1215},
    {120, 5220, 1215, 1215},
    {120, 6720, 1215, 1215},
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

} // namespace

TimetableGrid::TimetableGrid(const service::Schedule& schedule, QWidget* parent)
    : QWidget(parent), m_schedule(schedule) {
    setFont(windowFont(9));
    setFixedSize(kDesignedWidth, kDesignedHeight);

    const QStringList headings = gridHeadings();
    for (int i = 0; i < int(kHeadingRects.size()); ++i) {
        const auto& [left, top, width, height] = kHeadingRects[std::size_t(i)];
        auto* label = new QLabel(headings.value(i), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i));
        styleLabel(label, 10.5);
        label->setGeometry(twipsRect(left, top, width, height));
        m_headings[std::size_t(i)] = label;
    }

    for (int p = 0; p < core::kBigPeriods; ++p) {
        for (int d = 0; d < core::kWeekdays; ++d) {
            int index = service::cellIndex(p, d);
            auto* cell = new CellLabel(this);
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
        auto* line = new RulingLine(this, pixels(r.y), pixels(13320), r.colour, r.style, r.width);
        line->setObjectName(QString::fromLatin1(r.name));
        line->raise();
    }

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("Label14"));
    styleLabel(m_hint, 12);
    // showHint breaks its lines between phrases itself.
    m_hint->setWordWrap(false);
    m_hint->setGeometry(kHintRect);
    m_hint->raise();
}

void TimetableGrid::show(const service::WeekView& view) {
    if (view.week) {
        m_weekShown = *view.week;
    }
    for (int d = 0; d < core::kWeekdays; ++d) {
        setWeekdayColour(d, Qt::black);
    }
    if (view.markedWeekday && *view.markedWeekday >= 0 && *view.markedWeekday < core::kWeekdays) {
        setWeekdayColour(*view.markedWeekday, markColour());
    }
    if (view.grid) {
        writeCells(*view.grid);
    }
    const QStringList hint = weekHintPhrases(view, m_schedule);
    if (hint.isEmpty()) {
        m_hint->hide();
    } else {
        showHint(hint);
    }
    showDayDates();
}

void TimetableGrid::writeCells(const service::GridComposition& grid) {
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

QColor TimetableGrid::markColour() {
    return QApplication::palette().color(QPalette::Highlight);
}

void TimetableGrid::setWeekdayColour(int weekday, const QColor& colour) {
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

void TimetableGrid::showHint(const QStringList& phrases) {
    m_hintPhrases = phrases;
    const QFontMetrics metrics(m_hint->font());
    m_hint->setText(breakBetweenPhrases(phrases, metrics, m_hint->width()));
    // The label grows downwards when the reason needs more lines than it was drawn for.
    const int designed = int(std::lround(kHintRect.height() * m_scale));
    const int needed = int(m_hint->text().count(QLatin1Char('\n')) + 1) * metrics.lineSpacing();
    m_hint->resize(m_hint->width(), std::max(designed, needed));
    m_hint->show();
}

void TimetableGrid::scaleTo(qreal scale) {
    m_scale = scale;
    scaleChildren(this, scale);
    setFixedSize(int(std::lround(kDesignedWidth * scale)),
                 int(std::lround(kDesignedHeight * scale)));
    if (!m_hint->isHidden()) {
        showHint(m_hintPhrases);
    }
}

void TimetableGrid::fitTo(const QSize& available, const QSize& fixedParts) {
    scaleTo(fitScale(available, QSize(kDesignedWidth, kDesignedHeight), fixedParts));
}

void TimetableGrid::showDayDates() {
    const std::chrono::sys_days monday = std::chrono::sys_days{m_schedule.term().firstMonday} +
                                         std::chrono::days{7 * (m_weekShown - 1)};
    for (int d = 0; d < core::kWeekdays; ++d) {
        m_headings[std::size_t(d + 1)]->setToolTip(
            headingDateText(std::chrono::year_month_day{monday + std::chrono::days{d}}));
    }
}

} // namespace orvanto::gui
