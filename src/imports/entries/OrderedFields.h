// A cell's pieces read as classes whose fields follow one order ("course, teacher, weeks,
// room"), however the lines and separators fall: the reading that places every piece and fits
// the texts best to their fields wins. A teacher or a room may be missing from a class; its
// course and weeks never are.
#pragma once

#include "imports/entries/CellPieces.h"
#include "imports/entries/ClassCell.h"

#include <span>
#include <vector>

namespace orvanto::imports {

struct OrderedReading {
    CellReading reading;
    double fit = 0; // how well the texts fit the fields they were given
};

OrderedReading readInOrder(std::span<const CellPiece> pieces, std::span<const EntryField> order);

} // namespace orvanto::imports
