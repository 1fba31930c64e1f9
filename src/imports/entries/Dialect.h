// How one file writes a class in a cell: which fields, in which order, and what parts them
// on a line. The sniffer picks one dialect for the whole file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

enum class EntryField { Course, Teacher, Weeks, Room };

// Where one field ends and the next begins when several stand on one line.
enum class FieldSeparator {
    LineBreak, // every field on a line of its own (or as the known systems' forms join them)
    Semicolon, // ";" or "；"
    Bar,       // "|", "｜" or "丨"
    Slash,     // "/" or "／"
    Blanks,    // a run of two or more blanks, or of U+3000
    Blank,     // any run of blanks
    Comma,     // "," "，" or "、"
    Mark,      // a drawn mark no field holds: "◇" "◆" "●" "○" "★" "☆" "■" "□" "•"
};

struct Dialect {
    // The known systems' forms, read by their own rules (weeks lines with rooms and teachers in
    // them, bracketed groups, labelled lines): the first candidate, the reading every earlier
    // export was read by.
    bool knownForms = true;
    FieldSeparator separator = FieldSeparator::LineBreak;
    std::vector<EntryField> order{}; // empty for the known forms
    // A bracketed group set off by a blank is a piece of its own: "教学设计 (王怀波)".
    bool bracketGroups = false;
    // Whether an empty line parts two classes (the known forms), or may stand anywhere, for an
    // empty field or as mere space between the lines of one class.
    bool blankLinesPart = true;

    bool operator==(const Dialect&) const = default;
};

// "course", "teacher", "weeks", "room": the names --fields and --json use.
std::string_view fieldName(EntryField field);
std::optional<EntryField> fieldNamed(std::string_view name);
// "course,teacher,weeks,room"; nothing when a name is unknown, repeated, or course or weeks is
// missing.
std::optional<std::vector<EntryField>> fieldsNamed(std::string_view list);

// "\n", ";", "|", "/", "  ", ",", "◇"; the separator a --separator text names (its full-width twin
// and "\n"/"newline" included), nothing for any other.
std::string_view separatorText(FieldSeparator separator);
std::optional<FieldSeparator> separatorNamed(std::string_view text);

} // namespace orvanto::imports
