// A failure: its status, what it is about and the reason in English; readers and the timetable
// core return Result<T> instead of throwing.
#pragma once

#include "Status.h"

#include <optional>
#include <string>
#include <utility>

namespace orvanto::core {

struct Failure {
    Failure(Status status_, std::string detail_ = {}, std::string subject_ = {})
        : status(status_), detail(std::move(detail_)), subject(std::move(subject_)) {}

    Status status;
    // The reason in English, for diagnostics: what the CLI prints after the file name.
    std::string detail;
    // What the failure is about when it names one thing: the missing marker, the damaged part,
    // the week that cannot be composed.
    std::string subject;
    // For a cell whose value cannot be used: its address ("D8") and what it shows ("#DIV/0!"),
    // so the student can find and mend it.
    std::string cell;
    std::string shownValue;

    bool operator==(const Failure&) const = default;
};

// The description of the 2010 edition's message: its text for the status, else the reason.
inline std::string_view legacyDescription(const Failure& failure) {
    const std::string_view text = legacyError(failure.status).text;
    return text.empty() ? std::string_view(failure.detail) : text;
}

// "发生错误：13 (类型不匹配) ，请尝试重新设置课表路径并/或再次启动程序。", as the viewer's box
// and the CLI's grid say it.
inline std::string legacyMessage(const Failure& failure) {
    std::string message = "发生错误：" + std::to_string(legacyError(failure.status).number) + " (";
    message += legacyDescription(failure);
    message += ") ，请尝试重新设置课表路径并/或再次启动程序。";
    return message;
}

namespace errors {
inline Failure overflow() {
    return {Status::Overflow, "the number is out of the range of a week number"};
}
inline Failure weekOutOfRange() {
    return {Status::WeekOutOfRange, "the date lies too far from the term to number its week"};
}
inline Failure typeMismatch() {
    return {Status::TypeMismatch, "the cell holds an error value"};
}
// A marker that is not in B1:B200 of the first worksheet.
inline Failure markerMissing(std::string marker) {
    std::string detail = "marker \"" + marker + "\" not found in B1:B200 of the first worksheet";
    return {Status::MarkerMissing, std::move(detail), std::move(marker)};
}
// Load failures carry their status and a reason in English meant for diagnostics.
inline Failure loadFailure(Status status, std::string reason) {
    return {status, std::move(reason)};
}
inline Failure noWorkbook() {
    return {Status::NoWorkbook, "no workbook is open"};
}
inline Failure activeSheetNotWorksheet() {
    return {Status::ActiveSheetNotWorksheet, "the active sheet is not a worksheet"};
}
inline Failure badCellAddress() {
    return {Status::BadCellAddress, "the cell address lies outside the sheet"};
}
} // namespace errors

// Either a value or the failure that prevented it.
template <class T> class [[nodiscard]] Result {
  public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }

    // Only for a result that is not ok.
    const Failure& failure() const { return *m_failure; }

  private:
    std::optional<T> m_value;
    std::optional<Failure> m_failure;
};

// Success with nothing to carry, or the failure.
template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return ok(); }
    const Failure& failure() const { return *m_failure; }

  private:
    std::optional<Failure> m_failure;
};

} // namespace orvanto::core
