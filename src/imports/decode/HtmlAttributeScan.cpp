#include "imports/decode/HtmlAttributeScan.h"

#include <algorithm>
#include <string>

namespace orvanto::imports {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[at + i];
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

// Where the text of a <script> or <style> ends: at its end tag, or at the page's end.
std::size_t endOfRawText(std::string_view page, std::size_t from, std::string_view name) {
    const std::string endTag = "</" + std::string(name);
    for (std::size_t at = page.find("</", from); at != std::string_view::npos;
         at = page.find("</", at + 2)) {
        if (startsWithNoCase(page, at, endTag)) {
            return at;
        }
    }
    return page.size();
}

class StartTag {
  public:
    // page[at] is '<' followed by a letter.
    StartTag(std::string_view page, std::size_t at) : m_page(page), m_at(at + 1) {
        const std::size_t nameStart = m_at;
        while (m_at < m_page.size() && !isBlank(m_page[m_at]) && m_page[m_at] != '>' &&
               m_page[m_at] != '/') {
            ++m_at;
        }
        m_name = m_page.substr(nameStart, m_at - nameStart);
        readAttributes();
    }

    std::string_view name() const { return m_name; }
    std::size_t attributes() const { return m_attributes; }
    std::size_t end() const { return m_at; } // just past its '>', or the page's end

  private:
    void readAttributes() {
        while (m_at < m_page.size()) {
            const char c = m_page[m_at];
            if (c == '>') {
                ++m_at;
                return;
            }
            if (isBlank(c) || c == '/') {
                ++m_at;
                continue;
            }
            ++m_attributes;
            while (m_at < m_page.size() && !isBlank(m_page[m_at]) && m_page[m_at] != '>' &&
                   m_page[m_at] != '/' && m_page[m_at] != '=') {
                ++m_at;
            }
            skipBlanks();
            if (m_at < m_page.size() && m_page[m_at] == '=') {
                ++m_at;
                skipBlanks();
                skipValue();
            }
        }
    }

    void skipBlanks() {
        while (m_at < m_page.size() && isBlank(m_page[m_at])) {
            ++m_at;
        }
    }

    void skipValue() {
        if (m_at < m_page.size() && (m_page[m_at] == '"' || m_page[m_at] == '\'')) {
            const std::size_t close = m_page.find(m_page[m_at], m_at + 1);
            m_at = close == std::string_view::npos ? m_page.size() : close + 1;
            return;
        }
        while (m_at < m_page.size() && !isBlank(m_page[m_at]) && m_page[m_at] != '>') {
            ++m_at;
        }
    }

    std::string_view m_page;
    std::size_t m_at;
    std::string_view m_name;
    std::size_t m_attributes = 0;
};

} // namespace

std::size_t mostAttributesOnOneTag(std::string_view page) {
    std::size_t most = 0;
    std::size_t at = page.find('<');
    while (at != std::string_view::npos) {
        std::size_t next = at + 1;
        if (page.substr(at, 4) == "<!--") {
            const std::size_t close = page.find("-->", at + 4);
            next = close == std::string_view::npos ? page.size() : close + 3;
        } else if (at + 1 < page.size() && isLetter(page[at + 1])) {
            const StartTag tag(page, at);
            most = std::max(most, tag.attributes());
            next = tag.end();
            for (const std::string_view raw : {"script", "style"}) {
                if (startsWithNoCase(tag.name(), 0, raw) && tag.name().size() == raw.size()) {
                    next = endOfRawText(page, next, raw);
                }
            }
        }
        at = page.find('<', next);
    }
    return most;
}

} // namespace orvanto::imports
