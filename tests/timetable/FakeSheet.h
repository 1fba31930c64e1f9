// An in-memory sheet for the timetable tests: texts by address, and addresses whose
// read fails the way an error cell does.
#pragma once

#include "core/CellSource.h"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace orvanto::testing {

class FakeSheet : public core::CellSource {
  public:
    FakeSheet& set(char column, int row, std::string text) {
        m_texts[{column, row}] = std::move(text);
        return *this;
    }
    FakeSheet& fail(char column, int row) {
        m_failing.insert({column, row});
        return *this;
    }
    core::Result<std::string> cellText(char column, int row) const override {
        ++m_reads;
        if (m_failing.count({column, row}) != 0) {
            return core::errors::typeMismatch();
        }
        const auto it = m_texts.find({column, row});
        return it == m_texts.end() ? std::string() : it->second;
    }
    int reads() const { return m_reads; }

  private:
    std::map<std::pair<char, int>, std::string> m_texts;
    std::set<std::pair<char, int>> m_failing;
    mutable int m_reads = 0;
};

} // namespace orvanto::testing
