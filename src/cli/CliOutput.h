// How orvanto-cli prints a composed grid: a JSON object or an aligned text table.
#pragma once

#include "service/Schedule.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::cli {

// The view's week and grid; the table's heading says when the week is not a teaching week.
std::string gridJson(const service::WeekView& view, const service::MarkerRows& markers);
std::string gridTable(const service::WeekView& view);

// Columns a text takes in a terminal: East Asian wide characters count two.
int displayWidth(std::string_view utf8);
std::string jsonString(std::string_view utf8);

} // namespace orvanto::cli
