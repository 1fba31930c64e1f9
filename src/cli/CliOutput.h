// How orvanto-cli prints a composed grid: a JSON object or an aligned text table.
#pragma once

#include "core/Term.h"
#include "timetable/GridComposer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::cli {

std::string gridJson(std::int16_t week, const timetable::MarkerRows& markers,
                     const timetable::GridComposition& grid);
std::string gridTable(std::int16_t week, const timetable::GridComposition& grid,
                      const core::Term& term = {});

// Columns a text takes in a terminal: East Asian wide characters count two.
int displayWidth(std::string_view utf8);
std::string jsonString(std::string_view utf8);

} // namespace orvanto::cli
