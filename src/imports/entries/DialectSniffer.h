// Finds how a file writes its classes, as a CSV sniffer finds a file's dialect: every
// candidate reads every class cell of the file, and the one that explains the most cells, its
// texts fitting their fields best, wins. The others are the runners-up, best first.
#pragma once

#include "imports/ImportedClass.h"
#include "imports/entries/ClassCell.h"
#include "imports/entries/Dialect.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

// The candidates in the order a tie goes: the known forms first, then every order of the four
// fields under every separator.
const std::vector<Dialect>& candidateDialects();

// One cell's text read under one dialect.
CellReading readCellIn(std::string_view text, const Dialect& dialect);

// Every candidate scored over the texts, best first; candidates that read the file exactly as
// a better one does are left out, so each runner-up is a reading of its own.
std::vector<DialectScore> rankDialects(std::span<const std::string> texts);

// The score of one dialect over the texts.
DialectScore scoreDialect(std::span<const std::string> texts, const Dialect& dialect);

} // namespace orvanto::imports
