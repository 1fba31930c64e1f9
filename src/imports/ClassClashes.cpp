#include "imports/ClassClashes.h"

#include <algorithm>
#include <numeric>
#include <tuple>

namespace orvanto::imports {

bool meetTogether(const ImportedClass& a, const ImportedClass& b) {
    return a.weekday == b.weekday && a.periods.first <= b.periods.last &&
           b.periods.first <= a.periods.last && (a.weeks & b.weeks).any();
}

std::vector<std::size_t> clashingClasses(const std::vector<ImportedClass>& classes) {
    // By weekday and first period, so that each class is set only beside those that can still
    // overlap it: an export of a few hundred classes stays far from n².
    std::vector<std::size_t> order(classes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&classes](std::size_t x, std::size_t y) {
        const ImportedClass& a = classes[x];
        const ImportedClass& b = classes[y];
        return std::tie(a.weekday, a.periods.first) < std::tie(b.weekday, b.periods.first);
    });
    std::vector<bool> clashes(classes.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ImportedClass& a = classes[order[i]];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const ImportedClass& b = classes[order[j]];
            if (b.weekday != a.weekday || b.periods.first > a.periods.last) {
                break; // later ones start later still
            }
            if (meetTogether(a, b)) {
                clashes[order[i]] = clashes[order[j]] = true;
            }
        }
    }
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < clashes.size(); ++i) {
        if (clashes[i]) {
            indices.push_back(i);
        }
    }
    return indices;
}

} // namespace orvanto::imports
