// A failure: the error number and description a user sees, and for a workbook that cannot be
// loaded, the kind of load failure. Readers and the timetable core return Result<T> instead of
// throwing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace orvanto::core {

// Why a workbook could not be loaded. Tests and callers decide by this, never by the wording
// of the description.
enum class Status : std::uint8_t {
    None,              // not a load failure: a cell, a marker, a number
    FileNotFound,      // nothing at the path
    NotAFile,          // a directory or another non-file at the path
    CannotOpen,        // the file exists but cannot be opened or read
    Empty,             // the file has no bytes
    NotAWorkbook,      // content of another kind (text, an image, an unknown container)
    Truncated,         // the file ends before its structure does
    Damaged,           // a part is corrupt: bad record, bad XML, a member that cannot be read
    MissingPart,       // a part the workbook names is not there
    Encrypted,         // password-protected
    UnsupportedFormat, // a workbook format that is not read (.xlsb, Excel 2.x-4.0, BIFF version)
    NoWorksheet,       // the workbook holds no worksheet
    TooLarge,          // a size past what a timetable can need (cells, text, a part)
    MarkerMissing,     // a period marker is not in column B of the first worksheet
    NoTimetable,       // an export read fine but no table of it holds a timetable
};

struct Failure {
    Failure() = default;
    Failure(std::int32_t number_, std::string detail_, Status status_ = Status::None,
            std::string subject_ = {})
        : number(number_), detail(std::move(detail_)), status(status_),
          subject(std::move(subject_)) {}

    std::int32_t number = 0;
    std::string detail;
    Status status = Status::None;
    // What the failure is about when it names one thing: the missing marker, the damaged part.
    std::string subject;
    // For a cell whose value cannot be used: its address ("D8") and what it shows ("#DIV/0!"),
    // so the student can find and mend it.
    std::string cell;
    std::string shownValue;

    bool operator==(const Failure&) const = default;
};

// The one table of error numbers that reach the user.
namespace errors {
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kNotFound = 91;
inline constexpr std::int32_t kNoWorkbook = 1004;

inline Failure overflow() {
    return {kOverflow, "溢出"};
}
inline Failure typeMismatch() {
    return {kTypeMismatch, "类型不匹配"};
}
// A marker that is not in B1:B200 of the first worksheet.
inline Failure markerMissing(std::string marker) {
    std::string description =
        "marker \"" + marker + "\" not found in B1:B200 of the first worksheet";
    return {kNotFound, std::move(description), Status::MarkerMissing, std::move(marker)};
}
// Load failures carry their status and a reason in English meant for diagnostics.
inline Failure loadFailure(Status status, std::string reason) {
    return {kNoWorkbook, std::move(reason), status};
}
inline Failure noWorkbook() {
    return {kNoWorkbook, "没有打开的工作簿"};
}
inline Failure activeSheetNotWorksheet() {
    return {kNoWorkbook, "活动工作表不是工作表"};
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

    const Failure& failure() const { return m_failure; }

  private:
    std::optional<T> m_value;
    Failure m_failure;
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
