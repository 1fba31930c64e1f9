#include "XmlPartParser.h"

#include "spreadsheet/LoadFailure.h"
#include "spreadsheet/ReadLimits.h"

#include <cstring>
#include <expat.h>
#include <memory>
#include <string>

namespace orvanto::spreadsheet {

namespace {

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

struct Context {
    XML_Parser parser;
    XmlHandler& handler;
    bool doctype = false;
    int depth = 0;
    bool tooDeep = false;
};

void splitName(const char* full, std::string_view& ns, std::string_view& local) {
    const char* separator = std::strrchr(full, XmlPartParser::kNamespaceSeparator);
    if (separator == nullptr) {
        ns = {};
        local = full;
    } else {
        ns = std::string_view(full, static_cast<std::size_t>(separator - full));
        local = separator + 1;
    }
}

void stopIfFinished(Context& context) {
    if (context.handler.finished()) {
        XML_StopParser(context.parser, XML_FALSE);
    }
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& context = *static_cast<Context*>(data);
    if (++context.depth > limits::kXmlDepth) {
        context.tooDeep = true;
        XML_StopParser(context.parser, XML_FALSE);
        return;
    }
    std::string_view ns, local;
    splitName(name, ns, local);
    context.handler.startElement(ns, local, attributes);
    stopIfFinished(context);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto& context = *static_cast<Context*>(data);
    if (context.tooDeep) {
        return; // the end of the empty element that went too deep
    }
    --context.depth;
    std::string_view ns, local;
    splitName(name, ns, local);
    context.handler.endElement(ns, local);
    stopIfFinished(context);
}

void XMLCALL onCharacters(void* data, const XML_Char* text, int length) {
    auto& context = *static_cast<Context*>(data);
    context.handler.characters(std::string_view(text, static_cast<std::size_t>(length)));
    stopIfFinished(context);
}

// Package parts never carry a DTD; refusing one rules out entity expansion of any kind.
void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto& context = *static_cast<Context*>(data);
    context.doctype = true;
    XML_StopParser(context.parser, XML_FALSE);
}

} // namespace

core::Result<void> XmlPartParser::parse(const ZipArchive& archive, const std::string& path,
                                        XmlHandler& handler) {
    auto opened = archive.member(path);
    if (!opened) {
        return opened.failure();
    }
    ZipMember& member = opened.value();
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!parser) {
        return partFailure(core::Status::CannotOpen, member.path(),
                           "out of memory for an XML parser");
    }
    handler.m_part = member.path();
    Context context{parser.get(), handler};
    XML_SetUserData(parser.get(), &context);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onCharacters);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

    for (;;) {
        auto chunk = member.read();
        if (!chunk) {
            return chunk.failure();
        }
        const bool last = chunk->empty();
        const auto status = XML_Parse(parser.get(), reinterpret_cast<const char*>(chunk->data()),
                                      static_cast<int>(chunk->size()), last ? XML_TRUE : XML_FALSE);
        if (context.doctype) {
            return partFailure(core::Status::Damaged, member.path(),
                               "a DOCTYPE declaration, which workbook parts never carry");
        }
        if (context.tooDeep) {
            return partFailure(core::Status::Damaged, member.path(),
                               "elements nested more than " + std::to_string(limits::kXmlDepth) +
                                   " deep");
        }
        if (!handler.outcome()) {
            return handler.outcome();
        }
        if (handler.finished()) {
            return {};
        }
        if (status != XML_STATUS_OK) {
            return partFailure(core::Status::Damaged, member.path(),
                               "malformed XML at line " +
                                   std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                                   XML_ErrorString(XML_GetErrorCode(parser.get())));
        }
        if (last) {
            return {};
        }
    }
}

} // namespace orvanto::spreadsheet
