#include "QueryDialog.h"

#include "StudentMessages.h"
#include "Twips.h"
#include "TypedDateEdit.h"
#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <string>

namespace orvanto::gui {

namespace {

QStringList numbers(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) {
        list << QString::number(n);
    }
    return list;
}

QString weekText(int week) {
    return weekName(week);
}

// Plain decimal digits with blanks around them; anything else is no number here.
std::optional<unsigned> digitsOf(const QString& text) {
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + unsigned(c.unicode() - u'0');
    }
    return value;
}

} // namespace

QueryDialog::QueryDialog(const service::Schedule& schedule, std::int16_t shownWeek, bool topmost,
                         Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_schedule(schedule), m_desktop(desktop) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(queryText(QueryText::Title));
    setFixedSize(pixels(4080), pixels(2355));
    setFont(windowFont(9));

    m_weekBox = addCombo("Combo1", 1920, 360, 1455);
    m_monthBox = addCombo("Combo2", 1800, 1200, 615);
    m_dayBox = addCombo("Combo3", 2880, 1200, 615);

    m_byWeek = new QRadioButton(queryText(QueryText::ByWeek), this);
    m_byWeek->setObjectName(QStringLiteral("Option1"));
    m_byWeek->setGeometry(twipsRect(120, 360, 1455, 375));
    m_byDate = new QRadioButton(queryText(QueryText::ByDate), this);
    m_byDate->setObjectName(QStringLiteral("Option2"));
    m_byDate->setGeometry(twipsRect(120, 1200, 1455, 375));

    m_queryButton = new QPushButton(buttonText(ButtonText::Ok), this);
    m_queryButton->setObjectName(QStringLiteral("Command1"));
    m_queryButton->setGeometry(twipsRect(1440, 1800, 1455, 495));
    m_queryButton->setFont(windowFont(10.5));
    m_queryButton->setDefault(true);

    auto* label1 = new QLabel(queryText(QueryText::Month), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twipsRect(2520, 1200, 375, 375));
    auto* label2 = new QLabel(queryText(QueryText::Day), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twipsRect(3600, 1200, 375, 375));
    for (QLabel* label : {label1, label2}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    setTabOrder(m_weekBox, m_monthBox);
    setTabOrder(m_monthBox, m_dayBox);
    setTabOrder(m_dayBox, m_byWeek);
    setTabOrder(m_byWeek, m_byDate);
    setTabOrder(m_byDate, m_queryButton);

    connect(m_byWeek, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            setWeekMode(true);
        }
    });
    connect(m_byDate, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            setWeekMode(false);
        }
    });
    // activated is a pick from the list; typing into the field is not.
    connect(m_weekBox, &QComboBox::activated, m_queryButton, [this] { m_queryButton->setFocus(); });
    connect(m_monthBox, &QComboBox::activated, this, &QueryDialog::monthPicked);
    connect(m_dayBox, &QComboBox::activated, m_queryButton, [this] { m_queryButton->setFocus(); });
    connect(m_queryButton, &QPushButton::clicked, this, &QueryDialog::runQuery);

    // Loading.
    if (topmost) {
        m_desktop.setAlwaysOnTop(this, true);
    }
    m_byWeek->setChecked(true);
    const core::Term& term = m_schedule.term();
    for (int n = 1; n <= term.weeks; ++n) {
        m_weekBox->addItem(weekText(n));
    }
    QString current = weekText(shownWeek);
    m_weekBox->setCurrentIndex(m_weekBox->findText(current));
    m_weekBox->setEditText(current);
    const std::vector<unsigned> months = service::termMonthNumbers(term);
    for (const unsigned month : months) {
        m_monthBox->addItem(QString::number(month));
    }
    m_monthBox->setEditText(QString::number(months.front()));
    m_dayBox->addItems(numbers(1, 31));
    m_dayBox->setEditText(QStringLiteral("1"));
    m_queryButton->setFocus();

    centreOnScreen(this);
}

QComboBox* QueryDialog::addCombo(const char* name, int left, int top, int width) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // Typed text stays in the field: it never becomes a list item nor gets completed.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setGeometry(twipsRect(left, top, width, 375));
    // Enter in a field presses the default button rather than picking the typed text.
    combo->lineEdit()->installEventFilter(this);
    return combo;
}

bool QueryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_queryButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QueryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_queryButton->setFocus();
}

void QueryDialog::setWeekMode(bool byWeek) {
    m_weekBox->setEnabled(byWeek);
    m_monthBox->setEnabled(!byWeek);
    m_dayBox->setEnabled(!byWeek);
}

void QueryDialog::monthPicked() {
    std::optional<unsigned> month = digitsOf(m_monthBox->currentText());
    if (!month || *month < 1 || *month > 12) {
        return;
    }
    const unsigned days = service::daysOfTermMonth(m_schedule.term(), *month);
    m_dayBox->clear();
    m_dayBox->addItems(numbers(1, static_cast<int>(days)));
    m_dayBox->setEditText(QStringLiteral("1"));
    m_dayBox->setFocus();
}

std::optional<std::chrono::year_month_day>
QueryDialog::dateInTerm(const core::Term& term, const QString& month, const QString& day) {
    // A whole date typed into either field, as the term window shows dates, names itself.
    for (const QString& text : {month, day}) {
        if (const std::optional<QDate> typed = TypedDateEdit::readTyped(text)) {
            return std::chrono::year_month_day{
                std::chrono::year{typed->year()},
                std::chrono::month{static_cast<unsigned>(typed->month())},
                std::chrono::day{static_cast<unsigned>(typed->day())}};
        }
    }
    std::optional<unsigned> m = digitsOf(month);
    std::optional<unsigned> d = digitsOf(day);
    if (!m || !d) {
        return std::nullopt;
    }
    return service::dateInTerm(term, *m, *d);
}

void QueryDialog::runQuery() {
    // Typed input is checked before anything changes, so a bad entry costs nothing.
    if (m_byWeek->isChecked()) {
        QString rest = m_weekBox->currentText().mid(1);
        const auto view = m_schedule.typedWeek(std::u16string_view(
            reinterpret_cast<const char16_t*>(rest.utf16()), std::size_t(rest.size())));
        if (!view) {
            m_desktop.showMessage(this, {QMessageBox::Information, boxTitle(BoxTitle::Notice),
                                         queryText(QueryText::WeekOutOfRange)});
            return;
        }
        accept();
        emit weekChosen(*view->week);
        return;
    }
    std::optional<std::chrono::year_month_day> date =
        dateInTerm(m_schedule.term(), m_monthBox->currentText(), m_dayBox->currentText());
    if (!date) {
        m_desktop.showMessage(this, {QMessageBox::Information, boxTitle(BoxTitle::Notice),
                                     queryText(QueryText::InvalidDate)});
        return;
    }
    accept();
    emit dateChosen(*date);
}

void QueryDialog::reject() {
    QDialog::reject();
    deleteLater();
}

} // namespace orvanto::gui
