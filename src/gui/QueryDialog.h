// The query window (Form2): pick a teaching week, or a day of the term; the choice is told by
// a signal once it names a week. Hidden by its button, unloaded by its close box.
#pragma once

#include "Desktop.h"
#include "core/Term.h"
#include "service/Schedule.h"

#include <QDialog>
#include <chrono>
#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvanto::gui {

class QueryDialog : public QDialog {
    Q_OBJECT

  public:
    // Loads the window: topmost when asked, week mode, the lists of the schedule's term with
    // shownWeek in the week field.
    QueryDialog(const service::Schedule& schedule, std::int16_t shownWeek, bool topmost,
                Desktop& desktop, QWidget* parent);

    // The close box (and Escape): unloads the window without a query.
    void reject() override;

    // Month and day texts as a date in the year the term meets that month, or a whole date
    // (yyyy-MM-dd, "-", "/" or ".") typed into either; nothing when they do not name one.
    static std::optional<std::chrono::year_month_day>
    dateInTerm(const core::Term& term, const QString& month, const QString& day);

  signals:
    void weekChosen(std::int16_t week);
    void dateChosen(std::chrono::year_month_day date);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QComboBox* addCombo(const char* name, int left, int top, int width);
    void setWeekMode(bool byWeek);
    void monthPicked();
    void runQuery();

    const service::Schedule& m_schedule;
    Desktop& m_desktop;
    QComboBox* m_weekBox = nullptr;
    QComboBox* m_monthBox = nullptr;
    QComboBox* m_dayBox = nullptr;
    QRadioButton* m_byWeek = nullptr;
    QRadioButton* m_byDate = nullptr;
    QPushButton* m_queryButton = nullptr;
};

} // namespace orvanto::gui
