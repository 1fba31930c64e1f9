// A failure as the user sees it: an error number and its description.
// Readers and the timetable core return Result<T> instead of throwing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace orvanto::spreadsheet {

struct Failure {
    std::int32_t number = 0;
    std::string description;

    bool operator==(const Failure&) const = default;
};

// The one table of error numbers that reach the user.
namespace errors {
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kNotFound = 91;
inline constexpr std::int32_t kNoWorkbook = 1004;

inline Failure overflow() {
    return {kOverflow, "溢出"};
}
inline Failure typeMismatch() {
    return {kTypeMismatch, "类型不匹配"};
}
inline Failure notFound(std::string what) {
    return {kNotFound, std::move(what)};
}
// Load failures carry a reason in English meant for diagnostics (the viewer drops them).
inline Failure loadFailure(std::string reason) {
    return {kNoWorkbook, std::move(reason)};
}
inline Failure noWorkbook() {
    return {kNoWorkbook, "没有打开的工作簿"};
}
inline Failure activeSheetNotWorksheet() {
    return {kNoWorkbook, "活动工作表不是工作表"};
}
} // namespace errors

// Either a value or the failure that prevented it.
template <class T> class Result {
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

} // namespace orvanto::spreadsheet
