// The words exports label their fields with: list headers ("课程名称", "任课教师"), key:value
// pairs ("周数: 1-16", "地点：A101") and detail lines that are no field of a class ("学时:48").
// The one table every stage asks.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orvanto::imports {

enum class LabelledField {
    Course,
    Teacher,
    Weeks,
    Weekday,
    Periods,
    Room,
    Campus, // read so that its value does not run into another field; no field of ours
    Detail, // a known fact about a class the timetable has no place for (学时, 选课人数 ...)
};

// The field a label names; blanks inside the label and a trailing colon are ignored.
std::optional<LabelledField> fieldOfLabel(std::string_view label);

// Every label of the table with its field, longest first, so that a search for labels inside a
// text finds "上课地点" before "地点".
struct FieldLabel {
    std::string_view label;
    LabelledField field;
};
std::span<const FieldLabel> fieldLabels();

// "教师：王芳" → Teacher, "王芳"; "学时:48" → Detail, "48". The label must begin the text and
// a colon (half or full width) follow it; nothing otherwise.
struct LabelledText {
    LabelledField field;
    std::string_view value; // trimmed
};
std::optional<LabelledText> readLabelledText(std::string_view text);

// "周次：1-16周 教师：王强 地点：教2-201", "高等数学 地点:A101": the text cut before each known
// label that a colon follows and a blank or a separator precedes; as one part when it holds none.
std::vector<std::string_view> splitAtLabels(std::string_view text);

// A line that states a known detail: "学时:48", "选课人数(121)", "学分 3", "08:00-09:40", a
// course code "B0801001-03".
bool isDetailLine(std::string_view line);

} // namespace orvanto::imports
