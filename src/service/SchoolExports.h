// A school's export as both programs take it: read under the sniffer's reading, a runner-up or
// the student's own dialect, and what the preview shows of its classes (clashes, a guess at a
// typed class, week texts). The programs name the import's types through this header; saving
// an export as a workbook goes through StudentFiles.
#pragma once

#include "imports/ClassClashes.h"
#include "imports/ExportReader.h"
#include "imports/ImportedClass.h"
#include "imports/entries/ClassGuess.h"
#include "imports/entries/Dialect.h"
#include "imports/entries/WeekText.h"
