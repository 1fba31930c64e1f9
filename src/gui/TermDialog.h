// The term window (设置 → 学期设置…): the first Monday, the number of teaching weeks, the
// edition text and the five big periods' times. 确定 saves term.ini; 取消 and Escape change
// nothing.
#pragma once

#include "Desktop.h"
#include "core/Term.h"

#include <QDialog>
#include <array>
#include <filesystem>

class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace orvanto::gui {

class TermDialog : public QDialog {
    Q_OBJECT

  public:
    TermDialog(const core::Term& term, Desktop& desktop, QWidget* parent = nullptr);

    // The term as the fields now give it; a first day that is not a Monday counts from the
    // Monday of its week.
    core::Term term() const;

    // Saves and closes when every field can be used and term.ini was written; otherwise says
    // why and stays open with nothing saved.
    void accept() override;

  private:
    void showMondayNote();
    void fitHeight();

    Desktop& m_desktop;
    QDateEdit* m_firstMonday = nullptr;
    QLabel* m_mondayNote = nullptr;
    QSpinBox* m_weeks = nullptr;
    QLineEdit* m_edition = nullptr;
    std::array<QTimeEdit*, core::kBigPeriods> m_periodStarts{};
    std::array<QTimeEdit*, core::kBigPeriods> m_periodEnds{};
};

} // namespace orvanto::gui
