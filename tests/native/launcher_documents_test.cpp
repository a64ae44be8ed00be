// The stored launcher documents against their expected bytes, written out here line by line,
// and against the rules the launcher files follow: sizes, byte set, line ends, the two-tab line.
#include "switcher/launcher_documents.h"

#include "launcher_hosts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace dorvane {
namespace {

struct Hosts {
    std::string experience1, experience2, experience3;
    std::string official1, official2, official3, official4, official5, officialCommented;

    auto Fields() const {
        return std::tie(experience1, experience2, experience3, official1, official2, official3,
                        official4, official5, officialCommented);
    }
    bool operator==(const Hosts& other) const { return Fields() == other.Fields(); }
};

// The values a build gets when none are given when configuring.
const Hosts kDefaultHosts{"experience.dorvane.example", "192.0.2.1", "192.0.2.10",
                          "official.dorvane.example", "198.51.100.10", "198.51.100.11",
                          "203.0.113.1", "203.0.113.2", "203.0.113.9"};

Hosts ConfiguredHosts() {
    return {DORVANE_EXPERIENCE_HOST1, DORVANE_EXPERIENCE_HOST2, DORVANE_EXPERIENCE_HOST3,
            DORVANE_OFFICIAL_HOST1,   DORVANE_OFFICIAL_HOST2,   DORVANE_OFFICIAL_HOST3,
            DORVANE_OFFICIAL_HOST4,   DORVANE_OFFICIAL_HOST5,   DORVANE_OFFICIAL_COMMENTED_HOST};
}

enum class LastLine { EndsWithCrLf, EndsWithoutLineEnd };

std::string JoinLines(std::initializer_list<std::string> lines, LastLine lastLine) {
    std::string document;
    for (const std::string& line : lines) {
        document += line + "\r\n";
    }
    if (lastLine == LastLine::EndsWithoutLineEnd) {
        document.erase(document.size() - 2);
    }
    return document;
}

std::string ExpectedExperienceVersionServerXml(const Hosts& h) {
    return JoinLines(
        {
            R"(<?xml version="1.0" encoding="gb2312"?>)",
            R"(<Server>)",
            R"(  <versionserver version="1" count="3" SuccessfulServerID="1" SectionTimeOut="5000" TotalTimeOut="600000" SuccessfulPort="8000">)",
            R"(    <Server1 host=")" + h.experience1 + R"("/>)",
            R"(    <Server2 host=")" + h.experience2 + R"("/>)",
            R"(    <Server3 host=")" + h.experience3 + R"("/>)",
            R"(    <portlist count="2" port1="8000" port2="10008"/>)",
            R"(  </versionserver>)",
            R"(</Server>)",
        },
        LastLine::EndsWithoutLineEnd);
}

std::string ExpectedExperienceDirServerXml(const Hosts& h) {
    return JoinLines(
        {
            R"(<?xml version="1.0" encoding="gb2312"?>)",
            R"(<Server>)",
            R"(  <DirServer count="3" SuccessfulServerID="1" SectionTimeOut="5000" TotalTimeOut="600000" SuccessfulPort="8080">)",
            R"(    <Server1 host=")" + h.experience1 + R"(" Catalog=""/>)",
            R"(    <Server2 host=")" + h.experience2 + R"(" Catalog=""/>)",
            R"(    <Server3 host=")" + h.experience3 + R"(" Catalog=""/>)",
            R"(    <portlist count="3" port1="8080" port2="443" port3="10009">0</portlist>)",
            R"(  </DirServer>)",
            R"(</Server>)",
        },
        LastLine::EndsWithoutLineEnd);
}

std::string ExpectedOfficialVersionServerXml(const Hosts& h) {
    return JoinLines(
        {
            R"(<?xml version="1.0" encoding="gb2312" ?>)",
            R"(<Server>)",
            R"(    <versionserver version="1" count="5" SuccessfulServerID="1" SectionTimeOut="5000" TotalTimeOut="600000" SuccessfulPort="10008">)",
            "       \t" R"(<server1 host=")" + h.official1 + R"(" />)",
            "\t\t" R"(<server2 host=")" + h.official2 + R"(" />)",
            "\t\t" R"(<server3 host=")" + h.official3 + R"(" />)",
            "\t\t" R"(<server4 host=")" + h.official4 + R"(" />)",
            "\t\t" R"(<server5 host=")" + h.official5 + R"(" />)",
            R"(        <portlist count="3" port1="10008" port2="8000" port3="443"/>)",
            R"(    </versionserver>)",
            R"(</Server>)",
            "",
            R"(<!--<Server>)",
            R"(    <versionserver version="1" count="1" SuccessfulServerID="1" SectionTimeOut="5000" TotalTimeOut="600000" SuccessfulPort="8000">)",
            "       \t" R"(<server1 host=")" + h.officialCommented + R"(" />)",
            "\t\t",
            R"(        <portlist count="3" port1="10008" port2="8000" port3="443"/>)",
            R"(    </versionserver>)",
            R"(</Server> -->)",
            "",
        },
        LastLine::EndsWithCrLf);
}

std::string ExpectedOfficialDirServerXml(const Hosts& h) {
    return JoinLines(
        {
            R"(<!-- dir server ip ,port   -->)",
            R"(<Server>)",
            R"(    <DirServer count="5" SuccessfulServerID="1" SuccessfulPort="8080">)",
            R"(        <Server1 Catalog="" host=")" + h.official1 + R"(" />)",
            "\t\t" R"(<Server2 Catalog="" host=")" + h.official2 + R"(" />)",
            "\t\t" R"(<Server3 Catalog="" host=")" + h.official3 + R"(" />)",
            "\t\t" R"(<Server4 Catalog="" host=")" + h.official4 + R"(" />)",
            "\t\t" R"(<Server5 Catalog="" host=")" + h.official5 + R"(" />)",
            R"(        <portlist count="3" port1="5223" port2="10009" port3="8080">0</portlist>)",
            R"(    </DirServer>)",
            "",
            R"(</Server>)",
            "",
            R"(<!--<Server>)",
            R"(    <DirServer count="1" SuccessfulServerID="1" SuccessfulPort="8080">)",
            R"(        <Server1 Catalog="" host=")" + h.officialCommented + R"(" />)",
            "\t\t",
            R"(        <portlist count="3" port1="5223" port2="10009" port3="8080">0</portlist>)",
            R"(    </DirServer>)",
            "",
            R"(</Server>-->)",
        },
        LastLine::EndsWithCrLf);
}

// What the launcher files must look like, one row per document.
struct DocumentRules {
    const char* name;
    const StoredDocument* document;
    std::string (*expected)(const Hosts&);
    std::size_t fixedTextBytes;  // every byte but the host values
    std::vector<std::string> hostValues;
    std::size_t lineCount;
    LastLine lastLine;
    const char* begins;
    const char* ends;
    std::size_t twoTabLine;  // 1-based; 0 when the document has none
};

std::vector<DocumentRules> AllDocuments(const Hosts& h) {
    const std::vector<std::string> experience{h.experience1, h.experience2, h.experience3};
    const std::vector<std::string> official{h.official1, h.official2, h.official3,
                                            h.official4, h.official5, h.officialCommented};
    return {
        {"ExperienceVersionServerXml", &ExperienceVersionServerXml,
         ExpectedExperienceVersionServerXml, 336, experience, 9, LastLine::EndsWithoutLineEnd,
         "<?xml", "\r\n</Server>", 0},
        {"ExperienceDirServerXml", &ExperienceDirServerXml, ExpectedExperienceDirServerXml, 372,
         experience, 9, LastLine::EndsWithoutLineEnd, "<?xml", "\r\n</Server>", 0},
        {"OfficialVersionServerXml", &OfficialVersionServerXml, ExpectedOfficialVersionServerXml,
         699, official, 20, LastLine::EndsWithCrLf, "<?xml", "\r\n</Server> -->\r\n\r\n", 16},
        {"OfficialDirServerXml", &OfficialDirServerXml, ExpectedOfficialDirServerXml, 651,
         official, 21, LastLine::EndsWithCrLf, "<!--", "\n\r\n</Server>-->\r\n", 17},
    };
}

std::string Bytes(const StoredDocument& document) { return std::string(document.text()); }

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Splits at CR LF. A document that ends with CR LF yields no empty piece after it.
std::vector<std::string> SplitLines(const std::string& document) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < document.size()) {
        std::size_t end = document.find("\r\n", start);
        if (end == std::string::npos) end = document.size();
        lines.push_back(document.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(LauncherDocuments, HoldTheExpectedBytesForTheDefaultHosts) {
    if (!(ConfiguredHosts() == kDefaultHosts)) {
        GTEST_SKIP() << "this build was configured with other host values";
    }
    for (const DocumentRules& rules : AllDocuments(kDefaultHosts)) {
        EXPECT_EQ(Bytes(*rules.document), rules.expected(kDefaultHosts)) << rules.name;
    }
    EXPECT_EQ(ExperienceVersionServerXml.size, 381u);
    EXPECT_EQ(ExperienceDirServerXml.size, 417u);
    EXPECT_EQ(OfficialVersionServerXml.size, 782u);
    EXPECT_EQ(OfficialDirServerXml.size, 734u);
}

TEST(LauncherDocuments, HoldTheExpectedBytesForTheConfiguredHosts) {
    const Hosts hosts = ConfiguredHosts();
    for (const DocumentRules& rules : AllDocuments(hosts)) {
        EXPECT_EQ(Bytes(*rules.document), rules.expected(hosts)) << rules.name;
    }
}

// The fixed text is counted independently of the expected lines above, so that a slip made the
// same way in the program and in this test still shows.
TEST(LauncherDocuments, SizeIsFixedTextPlusHostLengths) {
    for (const DocumentRules& rules : AllDocuments(ConfiguredHosts())) {
        const std::size_t hostBytes = std::accumulate(
            rules.hostValues.begin(), rules.hostValues.end(), std::size_t{0},
            [](std::size_t sum, const std::string& host) { return sum + host.size(); });
        EXPECT_EQ(rules.document->size, rules.fixedTextBytes + hostBytes) << rules.name;
    }
}

TEST(LauncherDocuments, HoldOnlyTabCrLfAndPrintableAscii) {
    for (const DocumentRules& rules : AllDocuments(ConfiguredHosts())) {
        const std::string bytes = Bytes(*rules.document);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            const bool allowed = c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E);
            EXPECT_TRUE(allowed) << rules.name << ": byte " << int(c) << " at offset " << i;
            if (c == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n')
                    << rules.name << ": CR without LF at offset " << i;
            }
            if (c == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r')
                    << rules.name << ": LF without CR at offset " << i;
            }
        }
    }
}

TEST(LauncherDocuments, BeginAndEndAsTheLauncherFilesDo) {
    for (const DocumentRules& rules : AllDocuments(ConfiguredHosts())) {
        const std::string bytes = Bytes(*rules.document);
        EXPECT_EQ(bytes.rfind(rules.begins, 0), 0u) << rules.name;
        EXPECT_TRUE(EndsWith(bytes, rules.ends)) << rules.name;
        EXPECT_EQ(EndsWith(bytes, "\r\n"), rules.lastLine == LastLine::EndsWithCrLf) << rules.name;
        EXPECT_EQ(SplitLines(bytes).size(), rules.lineCount) << rules.name;
    }
}

// Trailing blanks would change the bytes the launcher gets; the one exception is a line of two
// tabs in each official document.
TEST(LauncherDocuments, OnlyTheTwoTabLineEndsInBlanks) {
    for (const DocumentRules& rules : AllDocuments(ConfiguredHosts())) {
        const std::vector<std::string> lines = SplitLines(Bytes(*rules.document));
        for (std::size_t number = 1; number <= lines.size(); ++number) {
            const std::string& line = lines[number - 1];
            const bool endsInBlank = !line.empty() && (line.back() == ' ' || line.back() == '\t');
            if (number == rules.twoTabLine) {
                EXPECT_EQ(line, "\t\t") << rules.name << " line " << number;
            } else {
                EXPECT_FALSE(endsInBlank) << rules.name << " line " << number;
            }
        }
    }
}

}  // namespace
}  // namespace dorvane
