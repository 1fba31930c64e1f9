// Every text only orvanto-cli words, in English and in Chinese (what the viewer also shows comes
// from service/SharedWording): one table, looked up by id and filled with positional arguments
// ({1}, {2} ...). A table rather than gettext catalogues: the program needs no files installed
// beside it to speak either language, and a missing translation is a build-time gap in one row,
// not a silent fall-back at run time.
#pragma once

#include "CliLanguage.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace orvanto::cli {

enum class Text {
    // Framing of a diagnostic line.
    ErrorLine,
    WarningLine,
    TryHelp,
    FileAndReason,
    // The usage.
    Usage,
    UsageHeading,
    ExitCodesHeading,
    ExitCodesSeparator,
    ExitCodesEnd,
    ExitOk,
    ExitLoadFailure,
    ExitUsage,
    ExitComposeFailure,
    ExitWriteFailure,
    ExitFindings,
    // The command line.
    NoCommand,
    UnknownCommand,
    StandardOutputUnwritable,
    WriteError,
    NumberValue,
    DateValue,
    TimeValue,
    TermStartRange,
    OutputEmpty,
    ReadingValue,
    FieldsValue,
    SeparatorValue,
    NeedsValue,
    UnknownOption,
    UnexpectedArgument,
    WeekWithDate,
    ReadingWithDialect,
    NoOperand,
    // The term.
    NoticeNotADate,
    NoticeStartOutOfRange,
    NoticeNotAMonday,
    NoticeWeeksOutOfRange,
    NoticeEditionNotText,
    NoticeEditionTooLong,
    NoticeNotAPeriod,
    NoticeUnrecognisedLine,
    NoticeFileUnreadable,
    NoticeMondayUsed,
    NoticeDefaultUsed,
    TermNoSuchFile,
    TermRefused,
    LooksLikeExport,
    // The calendar.
    WeekNotComposed,
    OverTheWorkbook,
    CalendarWritten,
    WriteFailed,
    // The import.
    NotUnderstood,
    NotRead,
    ImportSummary,
    DetailsLeftOut,
    ReadingMissingOne,
    ReadingMissingMany,
    ImportToStandardOutput,
    ImportOverExport,
    DefaultOutExists,
    ImportWritten,
};

// The text in the language, each {N} replaced by the N-th argument (counted from 1); an
// argument the language's wording does not use is left out.
std::string say(Language language, Text text, std::initializer_list<std::string_view> args = {});

} // namespace orvanto::cli
