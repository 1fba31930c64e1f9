// The query window (Form2): pick a teaching week, or a day of the term, and have
// the main window show that week. Hidden by its button, unloaded by its close box.
#pragma once

#include "core/Term.h"

#include <QDialog>
#include <chrono>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvanto::gui {

class MainWindow;

class QueryDialog : public QDialog {
    Q_OBJECT

  public:
    // Loads the window: topmost when the main window's mark says so, week mode, the lists.
    explicit QueryDialog(MainWindow& mainWindow);

    // The close box (and Escape): unloads the window without a query.
    void reject() override;

    // Month and day texts as a date in the year the term meets that month; nothing when they
    // do not name one.
    static std::optional<std::chrono::year_month_day>
    dateInTerm(const core::Term& term, const QString& month, const QString& day);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QComboBox* addCombo(const char* name, int left, int top, int width);
    void setWeekMode(bool byWeek);
    void monthPicked();
    void runQuery();

    MainWindow& m_mainWindow;
    QComboBox* m_weekBox = nullptr;
    QComboBox* m_monthBox = nullptr;
    QComboBox* m_dayBox = nullptr;
    QRadioButton* m_byWeek = nullptr;
    QRadioButton* m_byDate = nullptr;
    QPushButton* m_queryButton = nullptr;
};

} // namespace orvanto::gui
