#include "SharedStringTable.h"

#include "BiffContinuedReader.h"
#include "BiffTextDecoder.h"
#include "XlsRecordIds.h"
#include "core/Utf8.h"
#include "spreadsheet/LoadFailure.h"

#include <algorithm>

namespace orvanto::spreadsheet {

namespace {
constexpr std::size_t kCountsSize = 8; // total and unique string counts, both unused
}

core::Result<std::unordered_map<std::uint32_t, std::string>>
SharedStringTable::lookup(BiffRecordCursor& cursor, std::uint64_t sstOffset,
                          std::vector<std::uint32_t> wanted, ReadBudget& budget) {
    std::unordered_map<std::uint32_t, std::string> found;
    if (wanted.empty()) {
        return found;
    }
    std::ranges::sort(wanted);
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());

    cursor.seek(sstOffset);
    auto sst = cursor.next();
    if (!sst) {
        return sst.failure();
    }
    if (!*sst || (*sst)->id != biff::kSst || (*sst)->data.size() < kCountsSize) {
        return loadFailure(core::Status::Damaged, "the shared string table");
    }
    BiffContinuedReader reader((*sst)->data.subspan(kCountsSize), cursor);

    std::u16string units;
    std::uint32_t index = 0;
    for (std::uint32_t want : wanted) {
        for (; index <= want; ++index) {
            units.clear();
            if (!reader.readUnicodeString(units)) {
                return reader.failureOr(
                    loadFailure(core::Status::Damaged, "the shared string table",
                                "shared string " + std::to_string(want) + " is missing"));
            }
        }
        std::string text = core::toUtf8(units);
        if (!budget.take(text.size())) {
            return ReadBudget::spent();
        }
        found.emplace(want, std::move(text));
    }
    return found;
}

} // namespace orvanto::spreadsheet
