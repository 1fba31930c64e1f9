// Reads the class cells of one file under the dialect chosen for it. While the dialect is
// still being sniffed, a sampling reader reads by the known forms and keeps every text it is
// given: the sample the candidates are scored over.
#pragma once

#include "imports/entries/ClassCell.h"
#include "imports/entries/Dialect.h"
#include "imports/entries/DialectSniffer.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

class CellReader {
  public:
    explicit CellReader(Dialect dialect) : m_dialect(std::move(dialect)) {}
    static CellReader sampling(std::vector<std::string>& sample) {
        CellReader reader{Dialect{}};
        reader.m_sample = &sample;
        return reader;
    }

    CellReading read(std::string_view text) const {
        if (m_sample != nullptr) {
            m_sample->emplace_back(text);
        }
        return readCellIn(text, m_dialect);
    }

  private:
    Dialect m_dialect;
    std::vector<std::string>* m_sample = nullptr;
};

} // namespace orvanto::imports
