#include "XlsxReader.h"

#include "OoxmlNamespaces.h"
#include "PackageRelationships.h"
#include "SharedStringsPart.h"
#include "StylesPart.h"
#include "WorkbookPart.h"
#include "WorksheetPart.h"
#include "ZipArchive.h"
#include "core/WorkbookLayout.h"
#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/QuietGsf.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {

namespace {

// 1-based, as cell references number columns.
constexpr int kMarkerColumn =
    core::WorkbookLayout::columnNumber(core::WorkbookLayout::kMarkerColumn);
constexpr int kFirstGridColumn =
    core::WorkbookLayout::columnNumber(core::WorkbookLayout::kFirstClassColumn);

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
// only if the viewer reads it (see viewerCells): writers leave such sheets behind.
std::vector<SheetEntry> sheetEntries(const WorkbookPart& workbook,
                                     const PackageRelationships& relationships) {
    std::vector<SheetEntry> entries;
    for (const auto& sheet : workbook.sheets()) {
        const auto* relationship = relationships.byId(sheet.relationshipId);
        if (relationship == nullptr) {
            entries.push_back({{},
                               false,
                               loadFailure(core::Status::MissingPart,
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

// The package opened down to the workbook part, its relationships and its sheets.
struct Package {
    ZipArchive archive;
    std::string workbookPath;
    WorkbookPart workbook;
    PackageRelationships relationships;
    std::vector<SheetEntry> entries;
};

core::Result<Package> openPackage(std::span<const std::uint8_t> bytes, ReadBudget& budget) {
    auto archive = ZipArchive::open(bytes);
    if (!archive) {
        return archive.failure();
    }
    auto path = workbookPath(*archive);
    if (!path) {
        return path.failure();
    }
    if (path->ends_with(".bin")) {
        return loadFailure(core::Status::UnsupportedFormat, "this binary (.xlsb) workbook");
    }
    auto workbook = WorkbookPart::read(*archive, *path, budget);
    if (!workbook) {
        return workbook.failure();
    }
    auto relationships = PackageRelationships::read(*archive, *path);
    if (!relationships) {
        return relationships.failure();
    }
    auto entries = sheetEntries(*workbook, *relationships);
    return Package{std::move(archive).value(), std::move(path).value(), std::move(workbook).value(),
                   std::move(relationships).value(), std::move(entries)};
}

// Moves the kept values in; the per-sheet lists are dropped right after.
void place(Cells& cells, WorkbookCells& out, bool markers, bool grid) {
    for (auto& cell : cells) {
        if (markers && cell.column == kMarkerColumn && cell.row <= WorkbookCells::kMarkerRows) {
            out.markerColumn[static_cast<std::size_t>(cell.row - 1)] = std::move(cell.value);
        }
        if (grid && cell.column >= kFirstGridColumn &&
            cell.column < kFirstGridColumn + WorkbookCells::kGridColumns &&
            cell.row <= WorkbookCells::kGridRows) {
            out.grid[static_cast<std::size_t>(cell.row - 1)]
                    [static_cast<std::size_t>(cell.column - kFirstGridColumn)] =
                std::move(cell.value);
        }
    }
}

// Fills in the texts of shared-string cells and the format kinds of numbers.
core::Result<void> resolve(const ZipArchive& archive, const PackageRelationships& relationships,
                           std::vector<Cells*> sheets, ReadBudget& budget) {
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
            return loadFailure(core::Status::MissingPart, "the shared strings part",
                               "cells refer to shared strings");
        }
        if (auto read = SharedStringsPart::read(archive, part->target, strings, budget); !read) {
            return read;
        }
    }
    std::optional<StylesPart> styles;
    if (numbers) {
        if (const auto* part = relationships.byType("styles")) {
            auto read = StylesPart::read(archive, part->target, budget);
            if (!read) {
                return read.failure();
            }
            styles = std::move(read.value());
        }
    }
    // One long shared string used by every kept cell would be copied into each: every copy
    // is charged before it is made.
    for (Cells* cells : sheets) {
        for (auto& cell : *cells) {
            if (cell.sharedString >= 0) {
                const std::string& text = strings[cell.sharedString];
                if (!budget.take(text.size())) {
                    return ReadBudget::spent();
                }
                cell.value.text = text;
            }
            if (cell.value.kind == CellValue::Kind::Number && styles) {
                cell.value.format = styles->formatKind(cell.style);
            }
        }
    }
    return {};
}

// The viewer's cells: the marker column of the first worksheet, the grid of the active sheet.
core::Result<WorkbookCells> viewerCells(const Package& package, ReadBudget& budget) {
    const ZipArchive& archive = package.archive;
    const std::string& path = package.workbookPath;
    const WorkbookPart& workbook = package.workbook;
    const PackageRelationships& relationships = package.relationships;
    const auto& entries = package.entries;

    // Until a sheet is known to be the first worksheet, an unresolved one might be it.
    std::size_t first = 0;
    for (; first < entries.size() && !entries[first].worksheet; ++first) {
        if (!entries[first].resolved) {
            return entries[first].resolved.failure();
        }
    }
    if (first == entries.size()) {
        return partFailure(core::Status::NoWorksheet, path);
    }
    // An activeTab past the last sheet is taken as the first sheet, as on a fresh open.
    const std::size_t active = workbook.activeTab() < static_cast<long long>(entries.size())
                                   ? static_cast<std::size_t>(workbook.activeTab())
                                   : 0;
    if (!entries[active].resolved) {
        return entries[active].resolved.failure();
    }

    WorkbookCells result;
    result.date1904 = workbook.date1904();
    result.activeSheetIsWorksheet = entries[active].worksheet;
    result.activeIsFirstWorksheet = active == first;
    result.firstWorksheetName = workbook.sheets()[first].name;
    result.activeSheetName = workbook.sheets()[active].name;

    const bool sameSheet = first == active;
    auto firstCells = WorksheetPart::read(archive, entries[first].path,
                                          sameSheet ? KeptRegion::markerColumnAndGrid()
                                                    : KeptRegion::markerColumn(),
                                          result.date1904, budget);
    if (!firstCells) {
        return firstCells.failure();
    }
    std::vector<Cells*> sheets{&firstCells->cells};

    core::Result<WorksheetPart::Contents> activeCells = WorksheetPart::Contents{};
    if (!sameSheet && result.activeSheetIsWorksheet) {
        activeCells = WorksheetPart::read(archive, entries[active].path, KeptRegion::grid(),
                                          result.date1904, budget);
        if (!activeCells) {
            return activeCells.failure();
        }
        sheets.push_back(&activeCells->cells);
    }
    if (auto resolved = resolve(archive, relationships, sheets, budget); !resolved) {
        return resolved.failure();
    }
    place(firstCells->cells, result, true, sameSheet);
    place(activeCells->cells, result, false, true);
    return result;
}

// Every worksheet's cells and merged ranges, for reading an export.
core::Result<std::vector<SheetContents>> allSheets(const Package& package, ReadBudget& budget) {
    const ZipArchive& archive = package.archive;
    const std::string& path = package.workbookPath;
    const WorkbookPart& workbook = package.workbook;
    const PackageRelationships& relationships = package.relationships;
    const auto& entries = package.entries;

    std::vector<WorksheetPart::Contents> read;
    std::vector<std::string> names;
    std::vector<std::string> unread; // worksheets past the count read
    std::size_t keptCells = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // A sheet whose relationship does not resolve, or a chart, holds no cells to import.
        if (!entries[i].resolved || !entries[i].worksheet) {
            continue;
        }
        if (read.size() == limits::kExportSheets) {
            unread.push_back(workbook.sheets()[i].name);
            continue;
        }
        auto contents = WorksheetPart::read(archive, entries[i].path, KeptRegion::wholeSheet(),
                                            workbook.date1904(), budget);
        if (!contents) {
            return contents.failure();
        }
        keptCells += contents->cells.size();
        if (keptCells > KeptRegion::kMaxWholeSheetCells) {
            return loadFailure(core::Status::TooLarge, {},
                               "its worksheets hold more than " +
                                   std::to_string(KeptRegion::kMaxWholeSheetCells) + " cells");
        }
        read.push_back(std::move(contents).value());
        names.push_back(workbook.sheets()[i].name);
    }
    if (read.empty()) {
        return partFailure(core::Status::NoWorksheet, path);
    }
    std::vector<Cells*> sheets;
    for (auto& contents : read) {
        sheets.push_back(&contents.cells);
    }
    if (auto resolved = resolve(archive, relationships, sheets, budget); !resolved) {
        return resolved.failure();
    }
    std::vector<SheetContents> result;
    for (std::size_t i = 0; i < read.size(); ++i) {
        SheetContents sheet;
        sheet.name = names[i];
        sheet.date1904 = workbook.date1904();
        sheet.merges = std::move(read[i].merges);
        for (auto& cell : read[i].cells) {
            if (cell.value.kind != CellValue::Kind::Empty) {
                sheet.cells.push_back({cell.row, cell.column, std::move(cell.value)});
            }
        }
        result.push_back(std::move(sheet));
    }
    for (auto& name : unread) {
        SheetContents sheet;
        sheet.name = std::move(name);
        sheet.read = false;
        result.push_back(std::move(sheet));
    }
    return result;
}

// One read of a file: libgsf kept quiet and one budget for all it keeps, from the opening on.
template <typename T>
core::Result<T> readPackage(std::span<const std::uint8_t> bytes, ReadBudget& budget,
                            core::Result<T> (*read)(const Package&, ReadBudget&)) {
    const QuietGsf quiet;
    auto package = openPackage(bytes, budget);
    if (!package) {
        return package.failure();
    }
    return read(*package, budget);
}

} // namespace

core::Result<WorkbookCells> readXlsx(std::span<const std::uint8_t> bytes) {
    ReadBudget budget;
    return readPackage(bytes, budget, viewerCells);
}

core::Result<std::vector<SheetContents>> readXlsxSheets(std::span<const std::uint8_t> bytes,
                                                        ReadBudget& budget) {
    return readPackage(bytes, budget, allSheets);
}

} // namespace orvanto::spreadsheet
