// The INI profile functions on both backends, driven by one table: what
// GetPrivateProfileIntA reads from values and file shapes, and what
// WritePrivateProfileStringA leaves in the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/TestPlatform.h"

namespace {

using vxtest::TestPlatform;

bool OnWine() {
    return std::string(TestPlatform::Backend()) == "win32";
}

vx::IProfile& Profile() {
    return *vx::Platform().profile;
}

bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

struct ReadCase {
    const char* what;
    const char* text;  // nullptr: no file
    const char* section;
    const char* key;
    int32_t defaultValue;
    uint32_t expected;
};

// The line of key K in a file of one section S, "[S]\r\n" line "\r\n",
// read with the default 9.
struct ValueCase {
    const char* what;
    const char* line;
    uint32_t expected;
};

const ValueCase kValues[] = {
    {"spaces around", "K= 42 ", 42},
    {"tabs around", "K\t=\t5\t", 5},
    {"negative", "K=-7", 0xFFFFFFF9},
    {"plus sign", "K=+3", 3},
    {"digits then letters", "K=12abc", 12},
    {"no digits", "K=abc", 0},
    {"two signs", "K=+-3", 0},
    {"space after sign", "K=- 3", 0},
    {"leading zeros", "K=00012", 12},
    {"wraps past 2^32", "K=4294967297", 1},
    {"wraps below -2^31", "K=-2147483649", 2147483647},
    {"2^31", "K=2147483648", 0x80000000},
    {"hexadecimal prefix", "K=0x10", 16},
    {"upper-case X is no prefix", "K=0X10", 0},
    {"negative hexadecimal", "K=-0x10", 0xFFFFFFF0},
    {"all bits in hexadecimal", "K=0xFFFFFFFF", 0xFFFFFFFF},
    {"octal prefix", "K=0o17", 15},
    {"binary prefix", "K=0b101", 5},
    {"prefix without digits", "K=0x", 0},
    {"double quotes", "K=\"42\"", 42},
    {"single quotes", "K='42'", 42},
    {"quoted negative", "K=\"-5\"", 0xFFFFFFFB},
    {"opening quote only", "K=\"42", 0},
    {"empty quotes give the default", "K=\"\"", 9},
    {"no comment after a value", "K=5 ; five", 5},
    {"second equals sign belongs to the value", "K==5", 0},
    {"only 29 characters are read", "K=0000000000000000000000000000042", 0},
    // The 29 characters that are read: a value that fills them and one that
    // is one longer; digits further right tell how many were kept.
    {"29 characters fit", "K=00000000000000000000000000012", 12},
    {"the 30th character is cut", "K=000000000000000000000000000012", 1},
    // Quoted: the quotes go only while the closing one lies within the
    // read characters; in the last place it takes the character before it.
    {"quoted, 28 inside", "K=\"0000000000000000000000000012\"", 12},
    {"quoted, 29 inside", "K=\"00000000000000000000000000012\"", 1},
    {"quoted, 30 inside", "K=\"000000000000000000000000000012\"", 1},
    {"quoted, 31 inside", "K=\"0000000000000000000000000000012\"", 0},
    {"single-quoted, 28 inside", "K='0000000000000000000000000012'", 12},
    {"single-quoted, 29 inside", "K='00000000000000000000000000012'", 1},
    {"one quote character", "K=\"", 0},
    {"quotes of two kinds", "K=\"42'", 0},
    // White space and control bytes inside quotes stay in the value, which
    // the conversion then skips at its start.
    {"tab inside quotes", "K=\"\t7\t\"", 7},
    {"control byte inside quotes", "K=\"\001\0377\"", 7},  // bytes 1 and 31, then '7'
    {"quoted spaces only", "K=\"  \"", 0},
    // Bytes around a quoted value: trimmed ones leave the quotes at its
    // ends, others hide them.
    {"tab after the closing quote", "K=\"7\"\t", 7},
    {"Ctrl-Z after the closing quote", "K=\"7\"\x1A", 7},
    {"Ctrl-Z before the opening quote", "K=\x1A\"7\"", 7},
    {"byte 0x01 after the closing quote", "K=\"7\"\x01", 0},
    {"byte 0x01 before the opening quote", "K=\x01\"7\"", 0},
};

const ReadCase kShapes[] = {
    {"no file", nullptr, "S", "K", -1, 0xFFFFFFFFu},
    {"empty value gives the default", "[S]\r\nK=\r\n", "S", "K", -3, 0xFFFFFFFDu},
    {"empty file", "", "S", "K", 4, 4},
    {"no such section", "[T]\r\nK=1\r\n", "S", "K", 4, 4},
    {"no such key", "[S]\r\nJ=1\r\n", "S", "K", 4, 4},
    {"key without equals sign", "[S]\r\nK\r\n", "S", "K", 4, 4},
    {"key before any section is not in a section", "K=1\r\n[S]\r\n", "S", "K", 4, 4},
    {"key before the section does not hide it", "K=1\r\n[S]\r\nK=2\r\n", "S", "K", 4, 2},
    {"first of two sections wins", "[S]\r\nK=1\r\n[s]\r\nK=2\r\n", "S", "K", 4, 1},
    {"second section of a name is not searched", "[S]\r\nA=1\r\n[S]\r\nK=2\r\n", "S", "K", 4, 4},
    {"first of two keys wins", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", 4, 1},
    {"letter case of names", "[sEcTiOn]\r\nkEy=6\r\n", "Section", "KEY", 4, 6},
    {"spaces in the file's names", "[ Sec Name ]\r\n  Key Name  =  33  \r\n", "Sec Name",
     "Key Name", 4, 33},
    {"spaces in the asked names", "[Sec Name]\r\nKey Name=33\r\n", "  sec name ", " key name  ", 4,
     33},
    {"line feeds only", "[S]\nA=1\nK=7\n", "S", "K", 4, 7},
    {"carriage returns only", "[S]\rA=1\rK=7\r", "S", "K", 4, 7},
    {"no final line ending", "[S]\r\nK=7", "S", "K", 4, 7},
    {"blank lines and indentation", "\r\n  [S]  \r\n\r\n\tK=7\r\n\r\n", "S", "K", 4, 7},
    {"commented-out key", "[S]\r\n;K=5\r\nJ=1\r\n", "S", "K", 4, 4},
    {"text after the bracket", "[S] old\r\nK=7\r\n", "S", "K", 4, 7},
    {"header without bracket is a key", "[S\r\nK=7\r\n", "S", "K", 4, 4},
    {"name up to the last bracket", "[S]]\r\nK=7\r\n", "S]", "K", 4, 7},
    {"UTF-8 mark", "\xEF\xBB\xBF[S]\r\nK=7\r\n", "S", "K", 4, 7},
    {"end-of-file mark", "[S]\r\nK=7\r\n\x1A", "S", "K", 4, 7},
    // Ctrl-Z is white space around names; byte 0x01 is not.
    {"Ctrl-Z before a key name", "[S]\r\n\x1AK=7\r\n", "S", "K", 4, 7},
    {"Ctrl-Z after a key name", "[S]\r\nK\x1A=7\r\n", "S", "K", 4, 7},
    {"Ctrl-Z inside a key name", "[S]\r\nK\x1AL=7\r\n", "S", "K", 4, 4},
    {"Ctrl-Z around a section name", "[\x1AS\x1A]\r\nK=7\r\n", "S", "K", 4, 7},
    {"byte 0x01 before a key name", "[S]\r\n\x01K=7\r\n", "S", "K", 4, 4},
    {"byte 0x01 after a key name", "[S]\r\nK\x01=7\r\n", "S", "K", 4, 4},
    // Letter case: both ends of the alphabet match their other case; the
    // bytes next to them ('@' '[' '`' '{') are no letters and match only
    // themselves.
    {"A and Z match a and z", "[az]\r\nZa=7\r\n", "AZ", "zA", 4, 7},
    {"a and z match A and Z", "[AZ]\r\nzA=7\r\n", "az", "Za", 4, 7},
    {"'@' is not '`'", "[S]\r\n@K=7\r\n", "S", "`K", 4, 4},
    {"'`' is not '@'", "[S]\r\n`K=7\r\n", "S", "@K", 4, 4},
    {"'[' is not '{'", "[S]\r\nK[=7\r\n", "S", "K{", 4, 4},
    {"'{' is not '['", "[S{]\r\nK=7\r\n", "S[", "K", 4, 4},
    {"'@' and '[' match themselves", "[S[]\r\n@K=7\r\n", "S[", "@K", 4, 7},
};

void RunReads(const ReadCase* cases, size_t count) {
    TestPlatform platform;
    for (size_t i = 0; i < count; ++i) {
        const ReadCase& c = cases[i];
        SCOPED_TRACE(c.what);
        // A file of its own for every case: no cached copy can answer.
        std::string path = platform.IniPath("read" + std::to_string(i) + ".ini");
        if (c.text != nullptr) TestPlatform::WriteFile(path, c.text);
        EXPECT_EQ(c.expected, Profile().GetInt(c.section, c.key, c.defaultValue, path.c_str()));
    }
}

TEST(ProfileTable, ReadsValuesAsWindowsDoes) {
    std::vector<std::string> texts;
    for (const ValueCase& c : kValues) texts.push_back(std::string("[S]\r\n") + c.line + "\r\n");
    std::vector<ReadCase> cases;
    for (size_t i = 0; i < texts.size(); ++i) {
        const ValueCase& c = kValues[i];
        cases.push_back({c.what, texts[i].c_str(), "S", "K", 9, c.expected});
    }
    RunReads(cases.data(), cases.size());
}

TEST(ProfileTable, ReadsFileShapesAsWindowsDoes) {
    RunReads(kShapes, std::size(kShapes));
}

struct WriteCase {
    const char* what;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    int result;
    const char* after;  // nullptr: no file
    // Wine writes the whole file anew from what it parsed: blank lines go,
    // every line ends in CR LF. nullptr: the same as after.
    const char* afterOnWine;
};

const WriteCase kWrites[] = {
    {"new file", nullptr, "S", "K", "1", 1, "[S]\r\nK=1\r\n", nullptr},
    {"new section", "[S]\r\nK=1\r\n", "T", "K", "2", 1, "[S]\r\nK=1\r\n[T]\r\nK=2\r\n", nullptr},
    {"new key at the end of its section", "[S]\r\nK=1\r\n[T]\r\nK=2\r\n", "S", "K2", "3", 1,
     "[S]\r\nK=1\r\nK2=3\r\n[T]\r\nK=2\r\n", nullptr},
    {"replace a value", "[S]\r\nA=1\r\nK=5\r\nB=2\r\n", "S", "K", "-128", 1,
     "[S]\r\nA=1\r\nK=-128\r\nB=2\r\n", nullptr},
    {"names match without case and spaces", "[S]\r\nA=1\r\n", " s ", "  a ", "8", 1,
     "[S]\r\nA=8\r\n", nullptr},
    {"leading spaces of the value dropped", "[S]\r\nA=1\r\n", "S", "A", "  9", 1, "[S]\r\nA=9\r\n",
     nullptr},
    {"the same value leaves the file alone", "[S]\r\nA = 1 \r\n\r\n", "S", "A", "1", 1,
     "[S]\r\nA = 1 \r\n\r\n", nullptr},
    {"replace keeps comments, blank lines and line feeds",
     "; head\n\n[S]\nA = 1\n; c\n\nK = 5\n\n[T]\nB=2", "s", "k", "7", 1,
     "; head\n\n[S]\nA = 1\n; c\n\nK = 7\n\n[T]\nB=2",
     "; head\r\n[S]\r\nA=1\r\n; c\r\nK=7\r\n[T]\r\nB=2\r\n"},
    {"new key goes before the blank lines that end its section",
     "; head\n\n[S]\nA = 1\n; c\n\nK = 5\n\n[T]\nB=2", "S", "N", "7", 1,
     "; head\n\n[S]\nA = 1\n; c\n\nK = 5\nN=7\n\n[T]\nB=2",
     "; head\r\n[S]\r\nA=1\r\n; c\r\nK=5\r\nN=7\r\n[T]\r\nB=2\r\n"},
    {"new section after a last line without ending", "[S]\r\nA=1\r\n[T]\r\nB=2", "U", "C", "3", 1,
     "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[U]\r\nC=3", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[U]\r\nC=3\r\n"},
    {"new key goes into the first of two sections", "[S]\r\nA=1\r\n[S]\r\nK=2\r\n", "S", "K", "3",
     1, "[S]\r\nA=1\r\nK=3\r\n[S]\r\nK=2\r\n", nullptr},
    {"null value deletes the key", "[S]\r\nA=1\r\nB=2\r\n", "S", "A", nullptr, 1, "[S]\r\nB=2\r\n",
     nullptr},
    {"key deleted from a later section of the name", "[S]\r\nA=1\r\n[S]\r\nK=2\r\n", "S", "K",
     nullptr, 1, "[S]\r\nA=1\r\n[S]\r\n", nullptr},
    {"null key deletes the section", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n", "S", nullptr, nullptr, 1,
     "[T]\r\nB=2\r\n", nullptr},
    {"deleting in no file creates none", nullptr, "S", "A", nullptr, 1, nullptr, nullptr},
    {"null section is refused", "[S]\r\nA=1\r\n", nullptr, "A", "9", 0, "[S]\r\nA=1\r\n", nullptr},
};

TEST(ProfileTable, WritesAsWindowsDoes) {
    TestPlatform platform;
    for (size_t i = 0; i < std::size(kWrites); ++i) {
        const WriteCase& c = kWrites[i];
        SCOPED_TRACE(c.what);
        std::string path = platform.IniPath("write" + std::to_string(i) + ".ini");
        if (c.before != nullptr) TestPlatform::WriteFile(path, c.before);
        EXPECT_EQ(c.result, Profile().WriteString(c.section, c.key, c.value, path.c_str()));
        TestPlatform::WriteBackProfiles();
        const char* after = OnWine() && c.afterOnWine != nullptr ? c.afterOnWine : c.after;
        if (after == nullptr) {
            EXPECT_FALSE(FileExists(path));
        } else {
            EXPECT_EQ(after, TestPlatform::ReadFile(path));
        }
    }
}

TEST(ProfileTable, WrittenValuesReadBack) {
    TestPlatform platform;
    std::string path = platform.IniPath("roundtrip.ini");
    for (const char* text : {"0", "5", "-1", "-128", "2147483647", "-2147483648"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(1, Profile().WriteString("Vexaro", "Flags", text, path.c_str()));
        EXPECT_EQ(static_cast<uint32_t>(std::stol(text)),
                  Profile().GetInt("Vexaro", "Flags", 77, path.c_str()));
    }
}

TEST(ProfileTable, FileNamesTakeEitherSeparatorAndAnyLetterCase) {
    TestPlatform platform;
    TestPlatform::WriteFile(platform.IniPath("Mixed.ini"), "[S]\r\nK=3\r\n");
    std::string slashes = platform.IniPath("MIXED.INI");
    std::string backslashes = slashes;
    for (char& c : slashes) c = c == '\\' ? '/' : c;
    for (char& c : backslashes) c = c == '/' ? '\\' : c;
    EXPECT_EQ(3u, Profile().GetInt("S", "K", 0, slashes.c_str()));
    EXPECT_EQ(3u, Profile().GetInt("S", "K", 0, backslashes.c_str()));

    ASSERT_EQ(1, Profile().WriteString("S", "K", "4", backslashes.c_str()));
    TestPlatform::WriteBackProfiles();
    EXPECT_EQ("[S]\r\nK=4\r\n", TestPlatform::ReadFile(platform.IniPath("Mixed.ini")));
}

TEST(ProfileTable, WriteIntoMissingFolderFails) {
    TestPlatform platform;
    std::string path = platform.IniPath("missing") + (OnWine() ? "\\x.ini" : "/x.ini");
    EXPECT_EQ(0, Profile().WriteString("S", "K", "1", path.c_str()));
    EXPECT_EQ(0, Profile().WriteString("S", "K", nullptr, path.c_str()));
    EXPECT_EQ(6u, Profile().GetInt("S", "K", 6, path.c_str()));
}

}  // namespace
