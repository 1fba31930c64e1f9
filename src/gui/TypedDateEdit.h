// A date field that also takes the whole date typed as it is shown (yyyy-MM-dd, with "-", "/"
// or "." between the parts), started in the year or after select-all; typing in the month or
// day keeps Qt's section editing, and the calendar pop-up stays.
#pragma once

#include <QDateEdit>
#include <optional>

namespace orvanto::gui {

class TypedDateEdit : public QDateEdit {
    Q_OBJECT

  public:
    explicit TypedDateEdit(const QDate& date, QWidget* parent = nullptr);

    // The date a typed text names, year first; a month or day left out comes from current
    // (none when current is null). Nothing for any other text or a day the month lacks.
    static std::optional<QDate> readTyped(const QString& text, const QDate& current = {});

    // Whether more typing can still make text a date: the check for each typed key.
    static bool isTypedPrefix(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    bool startsTyping() const;
    void showTyped();
    void finishTyping();

    bool m_typing = false;
    QString m_typed;
};

} // namespace orvanto::gui
