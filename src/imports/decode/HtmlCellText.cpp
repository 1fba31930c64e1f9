#include "imports/decode/HtmlCellText.h"

namespace orvanto::imports {

namespace {

// The blanks HTML collapses; anything else (U+3000 among them) is text.
bool isHtmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isNoBreakSpace(std::string_view text, std::size_t i) {
    return text[i] == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
}

} // namespace

void HtmlCellText::appendText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (isHtmlBlank(text[i])) {
            m_pendingSpace = true;
            ++i;
            continue;
        }
        if (isNoBreakSpace(text, i)) {
            m_pendingSpace = true;
            i += 2;
            continue;
        }
        const bool atLineStart = m_text.empty() || m_text.back() == '\n';
        if (m_pendingLine && !atLineStart) {
            m_text.push_back('\n');
        } else if (m_pendingSpace && !atLineStart) {
            m_text.push_back(' ');
        }
        m_pendingLine = false;
        m_pendingSpace = false;
        std::size_t end = i + 1;
        while (end < text.size() && !isHtmlBlank(text[end]) && !isNoBreakSpace(text, end)) {
            ++end;
        }
        m_text.append(text.substr(i, end - i));
        i = end;
    }
}

void HtmlCellText::lineBreak() {
    m_text.push_back('\n');
    m_pendingLine = false;
    m_pendingSpace = false;
}

void HtmlCellText::blockBoundary() {
    m_pendingLine = true;
}

std::string HtmlCellText::take() {
    std::size_t first = m_text.find_first_not_of('\n');
    std::string text;
    if (first != std::string::npos) {
        const std::size_t last = m_text.find_last_not_of('\n');
        text = m_text.substr(first, last - first + 1);
    }
    m_text.clear();
    m_pendingLine = false;
    m_pendingSpace = false;
    return text;
}

} // namespace orvanto::imports
