// The text of one HTML table cell laid out as a browser shows it: blanks collapse to one space,
// <br> breaks the line, a block element (<p>, <div>, a nested table) starts a new line.
#pragma once

#include <string>
#include <string_view>

namespace orvanto::imports {

class HtmlCellText {
  public:
    // Text as the parser gives it, in UTF-8. A no-break space is a blank like any other: the
    // exports fill empty cells and pad names with &nbsp;, which means nothing to a class.
    void appendText(std::string_view text);
    void lineBreak();     // <br>: always a line, so <br><br> leaves the blank line between classes
    void blockBoundary(); // start or end of a block: a new line unless the line is still empty

    // The lines joined with '\n', without leading or trailing line breaks; the text is reset.
    std::string take();

  private:
    std::string m_text;
    bool m_pendingSpace = false;
    bool m_pendingLine = false;
};

} // namespace orvanto::imports
