#include "XlsxReader.h"

#include "OoxmlNamespaces.h"
#include "PackageRelationships.h"
#include "SharedStringsPart.h"
#include "StylesPart.h"
#include "WorkbookPart.h"
#include "WorksheetPart.h"
#include "ZipArchive.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/QuietGsf.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {

namespace {

using Cells = std::vector<WorksheetPart::Cell>;

struct SheetEntry {
    std::string path;
    bool worksheet = false;
    // Fails with the reason when the sheet's relationship does not resolve.
    core::Result<void> resolved;
};

// The workbook part named by the package relationships; xl/workbook.xml when
// the package does not say.
core::Result<std::string> workbookPath(const ZipArchive& archive) {
    auto relationships = PackageRelationships::read(archive, "");
    if (!relationships) {
        return relationships.failure();
    }
    if (const auto* document = relationships->byType("officeDocument")) {
        return document->target;
    }
    return std::string("xl/workbook.xml");
}

// The sheets in workbook order. A sheet whose relationship does not resolve fails the load
// only if the viewer reads it (see readXlsx): writers leave such sheets behind.
std::vector<SheetEntry> sheetEntries(const WorkbookPart& workbook,
                                     const PackageRelationships& relationships) {
    std::vector<SheetEntry> entries;
    for (const auto& sheet : workbook.sheets()) {
        const auto* relationship = relationships.byId(sheet.relationshipId);
        if (relationship == nullptr) {
            entries.push_back({{},
                               false,
                               loadFailure(core::LoadStatus::MissingPart,
                                           "relationship " + quoted(sheet.relationshipId) +
                                               " of sheet " + quoted(sheet.name),
                                           "not in " + relationships.partPath())});
            continue;
        }
        // Chart, dialog and macro sheets are sheets but not worksheets.
        entries.push_back({relationship->target,
                           ooxml::hasRelationshipType(relationship->type, "worksheet"),
                           {}});
    }
    return entries;
}

// Moves the kept values in; the per-sheet lists are dropped right after.
void place(Cells& cells, WorkbookCells& out, bool markers, bool grid) {
    for (auto& cell : cells) {
        if (markers && cell.column == 2 && cell.row <= WorkbookCells::kMarkerRows) {
            out.markerColumn[static_cast<std::size_t>(cell.row - 1)] = std::move(cell.value);
        }
        if (grid && cell.column >= 3 && cell.column < 3 + WorkbookCells::kGridColumns &&
            cell.row <= WorkbookCells::kGridRows) {
            out.grid[static_cast<std::size_t>(cell.row - 1)]
                    [static_cast<std::size_t>(cell.column - 3)] = std::move(cell.value);
        }
    }
}

// Fills in the texts of shared-string cells and the format kinds of numbers.
core::Result<void> resolve(const ZipArchive& archive, const PackageRelationships& relationships,
                           std::vector<Cells*> sheets) {
    std::map<long long, std::string> strings;
    bool numbers = false;
    for (const Cells* cells : sheets) {
        for (const auto& cell : *cells) {
            if (cell.sharedString >= 0) {
                strings.emplace(cell.sharedString, std::string());
            }
            numbers = numbers || cell.value.kind == CellValue::Kind::Number;
        }
    }
    if (!strings.empty()) {
        const auto* part = relationships.byType("sharedStrings");
        if (part == nullptr) {
            return loadFailure(core::LoadStatus::MissingPart, "the shared strings part",
                               "cells refer to shared strings");
        }
        if (auto read = SharedStringsPart::read(archive, part->target, strings); !read) {
            return read;
        }
    }
    std::optional<StylesPart> styles;
    if (numbers) {
        if (const auto* part = relationships.byType("styles")) {
            auto read = StylesPart::read(archive, part->target);
            if (!read) {
                return read.failure();
            }
            styles = std::move(read.value());
        }
    }
    // One long shared string used by every kept cell would be copied into each: count
    // what the cells will hold before copying anything.
    std::size_t keptTextBytes = 0;
    for (const Cells* cells : sheets) {
        for (const auto& cell : *cells) {
            keptTextBytes += cell.value.formula.size() + (cell.sharedString >= 0
                                                              ? strings[cell.sharedString].size()
                                                              : cell.value.text.size());
        }
    }
    if (keptTextBytes > WorkbookCells::kMaxTextBytes) {
        return tooMuchKeptText();
    }
    for (Cells* cells : sheets) {
        for (auto& cell : *cells) {
            if (cell.sharedString >= 0) {
                cell.value.text = strings[cell.sharedString];
            }
            if (cell.value.kind == CellValue::Kind::Number && styles) {
                cell.value.format = styles->formatKind(cell.style);
            }
        }
    }
    return {};
}

} // namespace

core::Result<WorkbookCells> readXlsx(std::span<const std::uint8_t> bytes) {
    const QuietGsf quiet;
    auto archive = ZipArchive::open(bytes);
    if (!archive) {
        return archive.failure();
    }
    auto path = workbookPath(*archive);
    if (!path) {
        return path.failure();
    }
    if (path->ends_with(".bin")) {
        return loadFailure(core::LoadStatus::UnsupportedFormat, "this binary (.xlsb) workbook");
    }
    auto workbook = WorkbookPart::read(*archive, *path);
    if (!workbook) {
        return workbook.failure();
    }
    auto relationships = PackageRelationships::read(*archive, *path);
    if (!relationships) {
        return relationships.failure();
    }
    const auto entries = sheetEntries(*workbook, *relationships);

    // Until a sheet is known to be the first worksheet, an unresolved one might be it.
    std::size_t first = 0;
    for (; first < entries.size() && !entries[first].worksheet; ++first) {
        if (!entries[first].resolved) {
            return entries[first].resolved.failure();
        }
    }
    if (first == entries.size()) {
        return partFailure(core::LoadStatus::NoWorksheet, *path);
    }
    // An activeTab past the last sheet is taken as the first sheet, as on a fresh open.
    const std::size_t active = workbook->activeTab() < static_cast<long long>(entries.size())
                                   ? static_cast<std::size_t>(workbook->activeTab())
                                   : 0;
    if (!entries[active].resolved) {
        return entries[active].resolved.failure();
    }

    WorkbookCells result;
    result.date1904 = workbook->date1904();
    result.activeSheetIsWorksheet = entries[active].worksheet;
    result.activeIsFirstWorksheet = active == first;
    result.firstWorksheetName = workbook->sheets()[first].name;
    result.activeSheetName = workbook->sheets()[active].name;

    const bool sameSheet = first == active;
    WorksheetPart::Wanted firstWanted{WorkbookCells::kMarkerRows,
                                      sameSheet ? WorkbookCells::kGridRows : 0};
    auto firstCells =
        WorksheetPart::read(*archive, entries[first].path, firstWanted, result.date1904);
    if (!firstCells) {
        return firstCells.failure();
    }
    std::vector<Cells*> sheets{&firstCells.value()};

    core::Result<Cells> activeCells = Cells{};
    if (!sameSheet && result.activeSheetIsWorksheet) {
        activeCells = WorksheetPart::read(*archive, entries[active].path,
                                          {0, WorkbookCells::kGridRows}, result.date1904);
        if (!activeCells) {
            return activeCells.failure();
        }
        sheets.push_back(&activeCells.value());
    }
    if (auto resolved = resolve(*archive, *relationships, sheets); !resolved) {
        return resolved.failure();
    }
    place(firstCells.value(), result, true, sameSheet);
    place(activeCells.value(), result, false, true);
    return result;
}

} // namespace orvanto::spreadsheet
