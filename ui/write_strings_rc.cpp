// write_strings_rc: prints resources/strings.rc from the program's string
// table, so the resource script and the core never disagree.
#include <cstdio>
#include <string>

#include "ui/help_texts.h"

namespace {

// A resource-script string literal: quotes doubled, backslashes escaped.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += "\"\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

}  // namespace

int main() {
    std::printf(
        "// Button captions and tooltip texts. Written by write_strings_rc from the\n"
        "// string table in ui/help_texts.cpp; ui_tests checks that they agree.\n"
        "#pragma code_page(65001)\n"
        "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\n\n"
        "STRINGTABLE\n"
        "BEGIN\n");
    for (size_t i = 0; i < kCaptionStringCount; ++i)
        std::printf("    %d %s\n", kCaptionStrings[i].id, quoted(kCaptionStrings[i].text).c_str());
    std::printf("END\n");
    return 0;
}
