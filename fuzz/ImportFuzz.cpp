// Fuzz target: a school's export, from its bytes (HTML, .xls or .xlsx) through the tables and
// layouts to the classes and the workbook layout written for them.
#include "Keep.h"
#include "imports/ExportReader.h"
#include "imports/output/WorkbookLayout.h"

#include <cstddef>
#include <cstdint>

using namespace orvanto;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = imports::readExport(std::span<const std::uint8_t>{data, size});
    if (!result) {
        fuzz::keep(result.failure().detail.size());
        return 0;
    }
    std::size_t sum = result->unread.size();
    for (const auto& entry : result->classes) {
        sum += entry.course.size() + entry.teacher.size() + entry.room.size() + entry.weeks.count();
    }
    const auto laidOut = imports::layOutClasses(result->classes);
    fuzz::keep(sum + (laidOut ? laidOut->size() : 0));
    return 0;
}
