// Text containment as Excel's Find does it by default: part of the text,
// ignoring case and the difference between full-width and half-width forms.
#pragma once

#include <string>
#include <string_view>

namespace orvanto::spreadsheet {

class TextMatcher {
  public:
    explicit TextMatcher(std::string_view needle);
    bool foundIn(std::string_view haystack) const;

  private:
    std::u32string m_needle;
};

// Folds one code point: full-width ASCII to half-width, ideographic space to
// a blank, and letters to lower case.
char32_t foldForSearch(char32_t c);

// Equal ignoring ASCII case, as zip member and OLE2 stream names are compared.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace orvanto::spreadsheet
