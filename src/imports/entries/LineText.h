// A line of an export's text as code points, full-width forms read as ASCII, and sliced back
// into its own bytes by code point index, so that what is kept stays exactly as written.
#pragma once

#include "imports/entries/ImportText.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanto::imports {

class LineText {
  public:
    explicit LineText(std::string_view text) : m_text(text), m_points(codePointsOf(text)) {}

    std::size_t size() const { return m_points.size(); }
    // The code point at i, full-width forms folded ("［" reads as "[").
    char32_t at(std::size_t i) const { return foldWidth(m_points[i].value); }
    // The bytes of code points [from, to); indices past the end stand for the end.
    std::string_view slice(std::size_t from, std::size_t to) const {
        const std::size_t begin = from < size() ? m_points[from].offset : m_text.size();
        const std::size_t end = to < size() ? m_points[to].offset : m_text.size();
        return m_text.substr(begin, end - begin);
    }
    std::string trimmed(std::size_t from, std::size_t to) const {
        return std::string(trimBlanks(slice(from, to)));
    }

  private:
    std::string_view m_text;
    std::vector<CodePoint> m_points;
};

} // namespace orvanto::imports
