#include "TypedDateEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

namespace orvanto::gui {

namespace {

bool isSeparator(QChar c) {
    return c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The parts between separators; an empty list when a part holds anything but digits.
QStringList partsOf(const QString& text) {
    QStringList parts(QString{});
    for (QChar c : text) {
        if (isSeparator(c)) {
            parts << QString();
        } else if (isDigit(c)) {
            parts.last() += c;
        } else {
            return {};
        }
    }
    return parts;
}

// Longest year, month and day a part may have.
constexpr int kPartWidths[] = {4, 2, 2};

} // namespace

TypedDateEdit::TypedDateEdit(const QDate& date, QWidget* parent) : QDateEdit(date, parent) {}

bool TypedDateEdit::isTypedPrefix(const QString& text) {
    const QStringList parts = partsOf(text);
    if (parts.isEmpty() || parts.size() > 3) {
        return false;
    }
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool closed = i + 1 < parts.size();
        if (parts[i].size() > kPartWidths[i] || (closed && parts[i].isEmpty())) {
            return false;
        }
        // A year is typed whole before its separator.
        if (i == 0 && closed && parts[i].size() != 4) {
            return false;
        }
    }
    return true;
}

std::optional<QDate> TypedDateEdit::readTyped(const QString& text, const QDate& current) {
    const QString trimmed = text.trimmed();
    if (!isTypedPrefix(trimmed)) {
        return std::nullopt;
    }
    QStringList parts = partsOf(trimmed);
    if (parts.last().isEmpty()) {
        parts.removeLast(); // "2025-" names the year alone
    }
    if (parts.isEmpty() || parts[0].size() != 4 || (parts.size() < 3 && !current.isValid())) {
        return std::nullopt;
    }
    const int year = parts[0].toInt();
    const int month = parts.size() > 1 ? parts[1].toInt() : current.month();
    int day = parts.size() > 2 ? parts[2].toInt() : current.day();
    if (parts.size() < 3 && month >= 1 && month <= 12) {
        // A day kept from another month is the last one this month has.
        day = std::min(day, QDate(year, month, 1).daysInMonth());
    }
    const QDate date(year, month, day);
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

bool TypedDateEdit::startsTyping() const {
    const QLineEdit* field = lineEdit();
    return currentSection() == QDateTimeEdit::YearSection ||
           (field->hasSelectedText() && field->selectedText() == field->text());
}

void TypedDateEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool printable = text.size() == 1 && (isDigit(text[0]) || isSeparator(text[0])) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && (m_typing || (isDigit(text[0]) && startsTyping()))) {
        if (!m_typing) {
            m_typing = true;
            m_typed.clear();
        }
        // A key that cannot lead to a date is refused, as the section editor refuses it.
        if (isTypedPrefix(m_typed + text)) {
            m_typed += text;
            showTyped();
        }
        event->accept();
        return;
    }
    if (m_typing && !printable && !text.isEmpty() && text[0].isPrint()) {
        event->accept(); // a letter mid-date is refused, not the end of the typing
        return;
    }
    if (m_typing && event->key() == Qt::Key_Backspace) {
        m_typed.chop(1);
        showTyped();
        event->accept();
        return;
    }
    if (m_typing && event->key() == Qt::Key_Escape) {
        m_typing = false;
        setDate(date()); // shows the date as it was
        event->accept();
        return;
    }
    finishTyping();
    QDateEdit::keyPressEvent(event);
}

void TypedDateEdit::focusOutEvent(QFocusEvent* event) {
    finishTyping();
    QDateEdit::focusOutEvent(event);
}

void TypedDateEdit::mousePressEvent(QMouseEvent* event) {
    finishTyping();
    QDateEdit::mousePressEvent(event);
}

bool TypedDateEdit::focusNextPrevChild(bool next) {
    if (!m_typing) {
        return QDateEdit::focusNextPrevChild(next);
    }
    // Tab after a whole date goes on to the next field, not to the date's next section.
    finishTyping();
    return QWidget::focusNextPrevChild(next);
}

void TypedDateEdit::showTyped() {
    // The section editor would read the partial text by its format; it sees only the result.
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(m_typed);
}

void TypedDateEdit::finishTyping() {
    if (!m_typing) {
        return;
    }
    m_typing = false;
    const std::optional<QDate> typed = readTyped(m_typed, date());
    // Out of range or not a date: the field goes back to the date it had.
    const bool usable = typed && *typed >= minimumDate() && *typed <= maximumDate();
    setDate(usable ? *typed : date());
}

} // namespace orvanto::gui
