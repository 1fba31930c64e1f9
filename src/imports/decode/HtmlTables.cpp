#include "imports/decode/HtmlTables.h"

#include "imports/decode/HtmlAttributeScan.h"
#include "imports/decode/HtmlCellText.h"
#include "imports/decode/HtmlEncoding.h"
#include "imports/decode/HtmlTableGrid.h"

#include <algorithm>
#include <array>
#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <optional>
#include <string_view>

namespace orvanto::imports {

namespace {

// looksLikeHtml reads this much of the start: a page's first tag comes early.
constexpr std::size_t kSniffBytes = 8 * 1024;

// The elements around which a browser starts a new line in a cell.
constexpr std::array<std::string_view, 35> kBlockElements = {
    "address", "article", "aside",  "blockquote", "center",  "dd",       "details",
    "dialog",  "dir",     "div",    "dl",         "dt",      "fieldset", "figcaption",
    "figure",  "footer",  "form",   "h1",         "h2",      "h3",       "h4",
    "h5",      "h6",      "header", "hr",         "li",      "main",     "menu",
    "nav",     "ol",      "p",      "pre",        "section", "summary",  "ul"};

bool isBlockElement(std::string_view name) {
    return std::find(kBlockElements.begin(), kBlockElements.end(), name) != kBlockElements.end();
}

bool isRowGroup(std::string_view name) {
    return name == "thead" || name == "tbody" || name == "tfoot";
}

// A span attribute as a browser reads it: leading blanks, then digits ("2px" is 2); no digits
// at all gives the default. Large values saturate instead of overflowing.
int spanAttribute(const xmlChar** attributes, std::string_view name, int fallback) {
    for (const xmlChar** a = attributes; a != nullptr && a[0] != nullptr; a += 2) {
        if (name != reinterpret_cast<const char*>(a[0]) || a[1] == nullptr) {
            continue;
        }
        const char* value = reinterpret_cast<const char*>(a[1]);
        while (*value == ' ' || *value == '\t' || *value == '\n' || *value == '\r' ||
               *value == '\f') {
            ++value;
        }
        if (*value < '0' || *value > '9') {
            return fallback;
        }
        constexpr int kSaturated = 10'000'000; // past any grid kept, far from overflowing
        int number = 0;
        for (; *value >= '0' && *value <= '9'; ++value) {
            number = std::min(number * 10 + (*value - '0'), kSaturated);
        }
        return number;
    }
    return fallback;
}

// Turns the SAX events of one page into its tables. Tables nest, so the open ones are a stack;
// each keeps the cell being read and that cell's text.
class PageReader {
  public:
    // Each table and its cells are charged to budget as the table ends.
    explicit PageReader(spreadsheet::ReadBudget& budget) : m_budget(budget) {}

    // A start tag (isStart) or an end tag, which libxml2 also reports for an element closed
    // implicitly, so cells and rows left open are closed in time.
    void element(std::string_view name, const xmlChar** attributes, bool isStart) {
        if (name == "table") {
            isStart ? startTable() : endTable();
            return;
        }
        if (m_ignoredDepth > 0 || m_open.empty()) {
            return;
        }
        OpenTable& table = m_open.back();
        if (name == "td" || name == "th") {
            closeCell(table);
            if (isStart) {
                startCell(table, attributes);
            }
        } else if (name == "tr") {
            closeCell(table);
            isStart ? table.grid.beginRow() : table.grid.endRow();
        } else if (isRowGroup(name)) {
            closeCell(table);
            table.grid.beginRowGroup();
        } else if (!table.cell) {
            return;
        } else if (name == "br") {
            if (isStart) {
                table.text.lineBreak();
            }
        } else if (isBlockElement(name)) {
            table.text.blockBoundary();
        }
    }

    void characters(std::string_view text) {
        if (m_ignoredDepth > 0 || m_open.empty() || !m_open.back().cell) {
            return; // text outside any cell is no cell's text
        }
        m_open.back().text.appendText(text);
    }

    int tablesSeen() const { return m_tablesSeen; }

    // Set once the budget is spent; the parse stops then.
    const std::optional<core::Failure>& failure() const { return m_failure; }

    core::Result<std::vector<SourceTable>> tables() {
        while (!m_open.empty()) {
            endTable(); // the page ended inside a table
        }
        if (m_failure) {
            return *m_failure;
        }
        return std::move(m_finished);
    }

  private:
    struct OpenTable {
        std::size_t slot = 0; // its place among the tables, by where it starts
        HtmlTableGrid grid{kMaxHtmlTableRows, kMaxHtmlTableColumns};
        std::optional<std::size_t> cell; // the cell being read, when it is kept
        HtmlCellText text;
    };

    void startTable() {
        ++m_tablesSeen;
        separateFromOuterCell();
        if (m_ignoredDepth > 0 || m_finished.size() >= static_cast<std::size_t>(kMaxHtmlTables)) {
            ++m_ignoredDepth; // beyond the limit: its text goes nowhere, not to an outer cell
            return;
        }
        OpenTable table;
        table.slot = m_finished.size();
        m_finished.emplace_back();
        m_open.push_back(std::move(table));
    }

    void endTable() {
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
        } else if (!m_open.empty()) {
            OpenTable& table = m_open.back();
            closeCell(table);
            auto finished = SourceTable::charged("表格" + std::to_string(table.slot + 1),
                                                 table.grid.finish(), m_budget);
            if (finished) {
                m_finished[table.slot] = std::move(finished).value();
            } else if (!m_failure) {
                m_failure = finished.failure();
            }
            m_open.pop_back();
        }
        separateFromOuterCell();
    }

    // A nested table stands on lines of its own in the cell around it.
    void separateFromOuterCell() {
        if (m_ignoredDepth == 0 && !m_open.empty() && m_open.back().cell) {
            m_open.back().text.blockBoundary();
        }
    }

    void startCell(OpenTable& table, const xmlChar** attributes) {
        if (m_cellsKept >= kMaxHtmlCells) {
            return;
        }
        table.cell = table.grid.addCell(spanAttribute(attributes, "rowspan", 1),
                                        spanAttribute(attributes, "colspan", 1));
        if (table.cell) {
            ++m_cellsKept;
        }
    }

    static void closeCell(OpenTable& table) {
        if (table.cell) {
            table.grid.cell(*table.cell).text = table.text.take();
            table.cell.reset();
        }
    }

    spreadsheet::ReadBudget& m_budget;
    std::optional<core::Failure> m_failure;
    std::vector<SourceTable> m_finished; // by slot
    std::vector<OpenTable> m_open;
    int m_ignoredDepth = 0; // open tables past kMaxHtmlTables, and those inside them
    int m_tablesSeen = 0;
    std::size_t m_cellsKept = 0;
};

core::Failure pageFailure(core::Status status, std::string reason) {
    return core::errors::loadFailure(status, std::move(reason));
}

// One parse: the page's reader, and the parser's work kept linear in the page. Each end tag
// that closes no open element makes libxml2 walk all open elements: the depth and the number
// of such end tags are both bounded, and the parse stops at once past either.
struct Parse {
    explicit Parse(spreadsheet::ReadBudget& budget) : reader(budget) {}

    PageReader reader;
    htmlParserCtxtPtr context = nullptr;
    int depth = 0;
    std::size_t strayEndTags = 0;
    std::optional<core::Failure> refused;

    void refuse(core::Failure failure) {
        if (!refused) {
            refused = std::move(failure);
            xmlStopParser(context);
        }
    }
    // Stops the parse once the tables kept are over the budget.
    void stopIfSpent() {
        if (reader.failure()) {
            refuse(*reader.failure());
        }
    }
};

Parse& parseOf(void* context) {
    return *static_cast<Parse*>(context);
}

void onStartElement(void* context, const xmlChar* name, const xmlChar** attributes) {
    Parse& parse = parseOf(context);
    if (parse.refused) {
        return;
    }
    if (++parse.depth > spreadsheet::limits::kHtmlDepth) {
        parse.refuse(pageFailure(core::Status::TooLarge,
                                 "the HTML page nests elements more than " +
                                     std::to_string(spreadsheet::limits::kHtmlDepth) + " deep"));
        return;
    }
    parse.reader.element(reinterpret_cast<const char*>(name), attributes, true);
    parse.stopIfSpent();
}

void onEndElement(void* context, const xmlChar* name) {
    Parse& parse = parseOf(context);
    if (parse.refused) {
        return;
    }
    --parse.depth;
    parse.reader.element(reinterpret_cast<const char*>(name), nullptr, false);
    parse.stopIfSpent();
}

void onCharacters(void* context, const xmlChar* text, int length) {
    Parse& parse = parseOf(context);
    if (parse.refused) {
        return;
    }
    parse.reader.characters(
        {reinterpret_cast<const char*>(text), static_cast<std::size_t>(std::max(length, 0))});
}

void ignoreCdata(void*, const xmlChar*, int) {} // <script> and <style> content

// The parser reports an end tag that matches no open element, or closes others on its way,
// as a name mismatch, after walking the open elements for it.
void onParseError(void* context, xmlErrorPtr error) {
    if (error == nullptr || error->code != XML_ERR_TAG_NAME_MISMATCH) {
        return;
    }
    Parse& parse = parseOf(context);
    if (++parse.strayEndTags > spreadsheet::limits::kHtmlStrayEndTags) {
        parse.refuse(pageFailure(core::Status::TooLarge,
                                 "the HTML page has more than " +
                                     std::to_string(spreadsheet::limits::kHtmlStrayEndTags) +
                                     " end tags that close no element"));
    }
}

void ignoreStructuredError(void*, xmlErrorPtr) {}

void ignoreGenericError(void*, const char*, ...) {}

// While it lives, libxml2 reports nothing to stderr: a broken page is the export's business,
// and what the parser makes of it is all the import needs.
class QuietLibxml {
  public:
    QuietLibxml()
        : m_generic(xmlGenericError), m_genericContext(xmlGenericErrorContext),
          m_structured(xmlStructuredError), m_structuredContext(xmlStructuredErrorContext) {
        xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
        xmlSetStructuredErrorFunc(nullptr, ignoreStructuredError);
    }
    ~QuietLibxml() {
        xmlSetGenericErrorFunc(m_genericContext, m_generic);
        xmlSetStructuredErrorFunc(m_structuredContext, m_structured);
    }
    QuietLibxml(const QuietLibxml&) = delete;
    QuietLibxml& operator=(const QuietLibxml&) = delete;

  private:
    xmlGenericErrorFunc m_generic;
    void* m_genericContext;
    xmlStructuredErrorFunc m_structured;
    void* m_structuredContext;
};

// Browsers read the end tag </br> as a line break; libxml2 drops it as an end tag without a
// start. Rewritten in place to <br/>, of the same length. Escaped text (&lt;/br&gt;) is not
// touched: it stays text for the cell reader.
void rewriteBreakEndTags(std::string& page) {
    for (std::size_t at = page.find("</"); at != std::string::npos; at = page.find("</", at + 2)) {
        if (at + 4 > page.size() || (page[at + 2] != 'b' && page[at + 2] != 'B') ||
            (page[at + 3] != 'r' && page[at + 3] != 'R')) {
            continue;
        }
        const char after = at + 4 < page.size() ? page[at + 4] : '\0';
        if (after == '>' || after == ' ' || after == '/' || after == '\t' || after == '\n' ||
            after == '\r' || after == '\f') {
            page.replace(at, 4, "<br/");
        }
    }
}

// The name of the first element, without a namespace prefix: declarations, processing
// instructions and comments before it are passed over.
std::string_view rootElementName(std::string_view head, std::size_t from) {
    for (std::size_t at = head.find('<', from); at != std::string_view::npos;
         at = head.find('<', at + 1)) {
        if (at + 1 < head.size() && head[at + 1] >= 'a' && head[at + 1] <= 'z') {
            std::string_view name = head.substr(at + 1);
            name = name.substr(0, name.find_first_of(" \t\r\n\f>/"));
            const std::size_t prefix = name.rfind(':');
            return prefix == std::string_view::npos ? name : name.substr(prefix + 1);
        }
    }
    return {};
}

} // namespace

bool looksLikeHtml(std::span<const std::uint8_t> bytes) {
    const std::size_t bom = byteOrderMarkLength(bytes);
    const bool utf16 = bom == 2;
    const bool littleEndian = utf16 && bytes[0] == 0xFF;
    // The start as lower-case ASCII; a UTF-16 page gives one character per pair of bytes.
    std::string head;
    const std::size_t step = utf16 ? 2 : 1;
    for (std::size_t i = bom; i + step <= bytes.size() && i < kSniffBytes; i += step) {
        unsigned unit = bytes[i];
        if (utf16) {
            unit = littleEndian ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1];
        }
        char c = unit < 0x80 ? static_cast<char>(unit) : '\x80';
        head.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    const std::size_t start = head.find_first_not_of(" \t\r\n\f");
    if (start == std::string::npos || head[start] != '<') {
        return false;
    }
    // An XML spreadsheet has a <Table> too, under its <Workbook> root: not a page.
    if (rootElementName(head, start) == "workbook") {
        return false;
    }
    static constexpr std::array<std::string_view, 7> kTags = {
        "<html", "<!doctype html", "<head", "<body", "<table", "<meta", "<title"};
    for (const std::string_view tag : kTags) {
        for (std::size_t at = head.find(tag, start); at != std::string::npos;
             at = head.find(tag, at + 1)) {
            const std::size_t end = at + tag.size();
            if (end == head.size() ||
                std::string_view(" \t\r\n\f>/").find(head[end]) != std::string_view::npos) {
                return true;
            }
        }
    }
    return false;
}

core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes) {
    spreadsheet::ReadBudget budget;
    return readHtmlTables(bytes, budget);
}

core::Result<std::vector<SourceTable>> readHtmlTables(std::span<const std::uint8_t> bytes,
                                                      spreadsheet::ReadBudget& budget) {
    using namespace spreadsheet::limits;
    if (bytes.size() > kMaxHtmlPageBytes) {
        return pageFailure(core::Status::TooLarge, "the HTML page is larger than 8 MiB");
    }
    if (bytes.empty()) {
        return pageFailure(core::Status::Empty, "the HTML page is empty");
    }
    DecodedPage page = decodeHtmlPage(bytes);
    rewriteBreakEndTags(page.text);
    if (mostAttributesOnOneTag(page.text) > static_cast<std::size_t>(kHtmlAttributes)) {
        return pageFailure(core::Status::TooLarge, "an element of the HTML page has more than " +
                                                       std::to_string(kHtmlAttributes) +
                                                       " attributes");
    }

    const QuietLibxml quiet;
    xmlInitParser();
    htmlParserCtxtPtr context =
        htmlCreateMemoryParserCtxt(page.text.data(), static_cast<int>(page.text.size()));
    if (context == nullptr) {
        return pageFailure(core::Status::Damaged, "the HTML page cannot be parsed");
    }
    Parse parse(budget);
    parse.context = context;
    htmlSAXHandler handler{};
    handler.startElement = onStartElement;
    handler.endElement = onEndElement;
    handler.characters = onCharacters;
    handler.ignorableWhitespace = onCharacters;
    handler.cdataBlock = ignoreCdata;
    handler.serror = onParseError;
    handler.initialized = XML_SAX2_MAGIC; // so that serror is used
    *context->sax = handler;
    context->userData = &parse;
    // The page is UTF-8 by now, whatever its meta says; no network, nothing printed. Recovery
    // ends a script only at </script>, not at the first "</td>" in one of its strings.
    htmlCtxtUseOptions(context, HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR |
                                    HTML_PARSE_NOWARNING | HTML_PARSE_IGNORE_ENC |
                                    HTML_PARSE_NODEFDTD);
    xmlSwitchEncoding(context, XML_CHAR_ENCODING_UTF8);
    htmlParseDocument(context);
    if (context->myDoc != nullptr) {
        xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
    }
    htmlFreeParserCtxt(context);

    if (parse.refused) {
        return *parse.refused;
    }
    if (parse.reader.tablesSeen() == 0) {
        return pageFailure(core::Status::NotAWorkbook, "no table in the HTML page");
    }
    return parse.reader.tables();
}

} // namespace orvanto::imports
