#include "imports/decode/HtmlAttributeScan.h"

#include <gtest/gtest.h>
#include <string>

namespace orvanto::imports {
namespace {

struct Counted {
    const char* page;
    std::size_t most;
};

// Counted as a browser tokenises a tag: a quoted value is one value whatever it holds, and
// what the parser never reads as tags (comments, script and style text) holds no attributes.
TEST(HtmlAttributeScan, CountsTheAttributesOfTheBusiestStartTag) {
    const Counted cases[] = {
        {"", 0},
        {"no tags at all", 0},
        {"<td>", 0},
        {"<td a>", 1},
        {"<td a=1 b='x y' c=\"p>q r\" d>", 4},
        {"<td\na\tb\fc\rd>", 4},
        {"<td a = 1 b= 2 c =3>", 3},
        {"<td a=1/><td a b/>", 2},
        {"<P A B><DIV C D E>text</DIV>", 3},
        {"</td a b c d>", 0},              // an end tag's attributes are passed over
        {"a < b c d e >", 0},              // no tag: '<' is not followed by a letter
        {"<!-- <td a b c> --><i k>", 1},   // a comment
        {"<!-- unclosed <td a b c>", 0},   // a comment to the end
        {"<!DOCTYPE html a b c><i k>", 1}, // a declaration
        {"<script>if (a<b c d e) {}</script><i k>", 1},
        {"<STYLE>p<q r s t></sTyLe><i k>", 1},
        {"<script>never closed <td a b c>", 0},
        {"<scripts a b>", 2}, // only a script is a script
        {"<td a=\"never closed b c d>", 1},
        {"<td a b c", 3}, // the page ends inside the tag
    };
    for (const Counted& counted : cases) {
        EXPECT_EQ(mostAttributesOnOneTag(counted.page), counted.most) << counted.page;
    }
}

TEST(HtmlAttributeScan, ManyTagsEachWithFewAreFew) {
    std::string page;
    for (int i = 0; i < 10'000; ++i) {
        page += "<td class=c id=i" + std::to_string(i) + ">x</td>";
    }
    EXPECT_EQ(mostAttributesOnOneTag(page), 2u);
}

} // namespace
} // namespace orvanto::imports
