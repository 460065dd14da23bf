// The resource script's string table is the core table, entry for entry.
// On a difference, rewrite it: build/ui/write_strings_rc > resources/strings.rc
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "ui/help_texts.h"

namespace {

std::string readSource(const std::string& relative) {
    std::ifstream in(std::string(VELKOR_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// ID -> text of every `ID "text"` line between STRINGTABLE's BEGIN and END.
std::map<int, std::string> parseStringTable(const std::string& script) {
    std::map<int, std::string> table;
    const size_t begin = script.find("\nBEGIN\n", script.find("STRINGTABLE"));
    const size_t end = script.find("\nEND", begin);
    std::istringstream lines(script.substr(begin, end - begin));
    const std::regex entry(R"re(^\s*(\d+)\s+"((?:[^"]|"")*)"\s*$)re");
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (!std::regex_match(line, m, entry)) continue;
        std::string text = m[2];
        for (size_t at = 0; (at = text.find("\"\"", at)) != std::string::npos; ++at) text.erase(at, 1);
        EXPECT_TRUE(table.emplace(std::stoi(m[1]), text).second) << "twice: " << m[1];
    }
    return table;
}

TEST(StringsRc, MatchesTheCoreTable) {
    const std::string script = readSource("resources/strings.rc");
    ASSERT_FALSE(script.empty());
    EXPECT_NE(script.find("#pragma code_page(65001)"), std::string::npos);
    EXPECT_NE(script.find("LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT"), std::string::npos);
    const std::map<int, std::string> table = parseStringTable(script);
    std::map<int, std::string> core;
    for (size_t i = 0; i < kCaptionStringCount; ++i)
        core.emplace(kCaptionStrings[i].id, std::string(kCaptionStrings[i].text));
    EXPECT_EQ(table, core);
}

TEST(StringsRc, IncludedByTheProgramScript) {
    EXPECT_NE(readSource("resources/velkor.rc").find("#include \"strings.rc\""), std::string::npos);
}

}  // namespace
