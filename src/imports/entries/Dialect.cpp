#include "imports/entries/Dialect.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvanto::imports {

namespace {

constexpr std::array<std::pair<EntryField, std::string_view>, 4> kFieldNames{{
    {EntryField::Course, "course"},
    {EntryField::Teacher, "teacher"},
    {EntryField::Weeks, "weeks"},
    {EntryField::Room, "room"},
}};

constexpr std::array<std::pair<FieldSeparator, std::string_view>, 8> kSeparators{{
    {FieldSeparator::LineBreak, "\n"},
    {FieldSeparator::Semicolon, ";"},
    {FieldSeparator::Bar, "|"},
    {FieldSeparator::Slash, "/"},
    {FieldSeparator::Blanks, "  "},
    {FieldSeparator::Blank, " "},
    {FieldSeparator::Comma, ","},
    {FieldSeparator::Mark, "◇"},
}};

std::string_view trimmedAscii(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string_view fieldName(EntryField field) {
    for (const auto& [named, name] : kFieldNames) {
        if (named == field) {
            return name;
        }
    }
    return {};
}

std::optional<EntryField> fieldNamed(std::string_view name) {
    name = trimmedAscii(name);
    for (const auto& [field, named] : kFieldNames) {
        if (named == name) {
            return field;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<EntryField>> fieldsNamed(std::string_view list) {
    std::vector<EntryField> fields;
    while (true) {
        const std::size_t comma = list.find(',');
        const auto field = fieldNamed(list.substr(0, comma));
        if (!field || std::ranges::find(fields, *field) != fields.end()) {
            return std::nullopt;
        }
        fields.push_back(*field);
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
    }
    const auto has = [&fields](EntryField field) {
        return std::ranges::find(fields, field) != fields.end();
    };
    if (!has(EntryField::Course) || !has(EntryField::Weeks)) {
        return std::nullopt;
    }
    return fields;
}

std::string_view separatorText(FieldSeparator separator) {
    for (const auto& [named, text] : kSeparators) {
        if (named == separator) {
            return text;
        }
    }
    return {};
}

std::optional<FieldSeparator> separatorNamed(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, FieldSeparator>, 14> kNames{{
        {";", FieldSeparator::Semicolon},
        {"；", FieldSeparator::Semicolon},
        {"|", FieldSeparator::Bar},
        {"｜", FieldSeparator::Bar},
        {"丨", FieldSeparator::Bar},
        {"/", FieldSeparator::Slash},
        {"／", FieldSeparator::Slash},
        {",", FieldSeparator::Comma},
        {"，", FieldSeparator::Comma},
        {"、", FieldSeparator::Comma},
        {"◇", FieldSeparator::Mark},
        {"\n", FieldSeparator::LineBreak},
        {"\\n", FieldSeparator::LineBreak},
        {"newline", FieldSeparator::LineBreak},
    }};
    for (const auto& [name, separator] : kNames) {
        if (text == name) {
            return separator;
        }
    }
    // Two or more blanks, however the shell passed them.
    if (text.size() >= 2 && std::ranges::all_of(text, [](char c) { return c == ' '; })) {
        return FieldSeparator::Blanks;
    }
    if (text == "blanks" || text == "spaces") {
        return FieldSeparator::Blanks;
    }
    if (text == " " || text == "blank" || text == "space") {
        return FieldSeparator::Blank;
    }
    return std::nullopt;
}

} // namespace orvanto::imports
