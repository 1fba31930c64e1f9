#include "TermDialog.h"

#include "StudentMessages.h"
#include "TypedDateEdit.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "service/StudentFiles.h"
#include "settings/TermText.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace orvanto::gui {

namespace {

using namespace std::chrono;

QDate toQDate(year_month_day date) {
    return QDate(static_cast<int>(date.year()),
                 static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

year_month_day fromQDate(const QDate& date) {
    return year_month_day{year{date.year()}, month{static_cast<unsigned>(date.month())},
                          day{static_cast<unsigned>(date.day())}};
}

QTime toQTime(int minutes) {
    return QTime(minutes / 60, minutes % 60);
}

int minutesOf(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

} // namespace

TermDialog::TermDialog(const core::Term& term, Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_desktop(desktop) {
    setObjectName(QStringLiteral("TermDialog"));
    setWindowTitle(termText(TermText::Title));
    setFont(windowFont(9));

    auto* form = new QFormLayout;
    m_firstMonday = new TypedDateEdit(toQDate(term.firstMonday), this);
    m_firstMonday->setObjectName(QStringLiteral("FirstMonday"));
    m_firstMonday->setCalendarPopup(true);
    m_firstMonday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_firstMonday->setDateRange(QDate(core::kFirstTermYear, 1, 1),
                                QDate(core::kLastTermYear, 12, 31));
    // Chinese month and weekday names and weeks from Monday, as teaching weeks count, whatever
    // the system's language; Qt takes Sunday first for China.
    const QLocale chinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);
    m_firstMonday->setLocale(chinese);
    m_firstMonday->calendarWidget()->setLocale(chinese);
    m_firstMonday->calendarWidget()->setFirstDayOfWeek(Qt::Monday);
    form->addRow(termText(TermText::FirstMonday), m_firstMonday);
    m_mondayNote = new QLabel(this);
    m_mondayNote->setObjectName(QStringLiteral("MondayNote"));
    m_mondayNote->setWordWrap(true);
    form->addRow(QString(), m_mondayNote);

    m_weeks = new QSpinBox(this);
    m_weeks->setObjectName(QStringLiteral("Weeks"));
    m_weeks->setRange(core::kMinTermWeeks, core::kMaxTermWeeks);
    m_weeks->setValue(term.weeks);
    m_weeks->setSuffix(termText(TermText::WeeksSuffix));
    form->addRow(termText(TermText::Weeks), m_weeks);

    m_edition = new QLineEdit(QString::fromUtf8(term.edition), this);
    m_edition->setObjectName(QStringLiteral("Edition"));
    form->addRow(termText(TermText::Edition), m_edition);

    for (std::size_t p = 0; p < core::kBigPeriods; ++p) {
        auto* row = new QHBoxLayout;
        m_periodStarts[p] = new QTimeEdit(toQTime(term.periods[p].start), this);
        m_periodEnds[p] = new QTimeEdit(toQTime(term.periods[p].end), this);
        m_periodStarts[p]->setObjectName(QStringLiteral("PeriodStart%1").arg(p + 1));
        m_periodEnds[p]->setObjectName(QStringLiteral("PeriodEnd%1").arg(p + 1));
        for (QTimeEdit* edit : {m_periodStarts[p], m_periodEnds[p]}) {
            edit->setDisplayFormat(QStringLiteral("HH:mm"));
        }
        row->addWidget(m_periodStarts[p]);
        row->addWidget(new QLabel(termText(TermText::To), this));
        row->addWidget(m_periodEnds[p]);
        form->addRow(periodRowLabel(int(p)), row);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(buttonText(ButtonText::Ok));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(buttonText(ButtonText::Cancel));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TermDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TermDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_firstMonday, &QDateEdit::dateChanged, this, &TermDialog::showMondayNote);
    // The width is the fields'; the note wraps within it and the height follows the note.
    m_mondayNote->hide();
    adjustSize();
    setFixedWidth(sizeHint().width());
    showMondayNote();
    centreOnScreen(this);
}

core::Term TermDialog::term() const {
    core::Term term;
    term.firstMonday = core::mondayOf(fromQDate(m_firstMonday->date()));
    term.weeks = m_weeks->value();
    term.edition = m_edition->text().toStdString();
    for (std::size_t p = 0; p < core::kBigPeriods; ++p) {
        term.periods[p] = {minutesOf(m_periodStarts[p]->time()),
                           minutesOf(m_periodEnds[p]->time())};
    }
    return term;
}

void TermDialog::showMondayNote() {
    const QDate chosen = m_firstMonday->date();
    // The term counts from the Monday the saved term will hold; the note says which one.
    const QDate monday = toQDate(core::mondayOf(fromQDate(chosen)));
    if (monday == chosen) {
        m_mondayNote->clear();
        m_mondayNote->hide();
        fitHeight();
        return;
    }
    m_mondayNote->setText(mondayNoteText(chosen.toString(QStringLiteral("yyyy-MM-dd")),
                                         monday.toString(QStringLiteral("yyyy-MM-dd"))));
    m_mondayNote->show();
    fitHeight();
}

void TermDialog::fitHeight() {
    QLayout* fields = layout();
    fields->activate();
    setFixedHeight(fields->hasHeightForWidth() ? fields->totalHeightForWidth(width())
                                               : fields->totalSizeHint().height());
}

void TermDialog::accept() {
    const core::Term chosen = term();
    for (std::size_t p = 0; p < core::kBigPeriods; ++p) {
        if (chosen.periods[p].end <= chosen.periods[p].start) {
            m_desktop.showMessage(this, {QMessageBox::Information, boxTitle(BoxTitle::Notice),
                                         periodEndsTooEarlyText(int(p))});
            m_periodEnds[p]->setFocus();
            return;
        }
    }
    // What term.ini would refuse on the next start is refused here.
    if (const auto problem = settings::editionProblem(chosen.edition)) {
        const bool tooLong = *problem == settings::TermNotice::Problem::EditionTooLong;
        m_desktop.showMessage(this, {QMessageBox::Information, boxTitle(BoxTitle::Notice),
                                     tooLong ? editionTooLongText(settings::kMaxEditionCharacters)
                                             : editionControlCharactersText()});
        m_edition->setFocus();
        return;
    }
    if (!service::saveTerm(m_desktop.settings, chosen)) {
        m_desktop.showMessage(this, {QMessageBox::Warning, boxTitle(BoxTitle::Error),
                                     termSaveFailureText(checkFolderText(m_desktop.settings))});
        return;
    }
    QDialog::accept();
}

} // namespace orvanto::gui
