// INF files: the line syntax, the AddReg lines and their flags, the host
// registry filled from them, and AddReg lines written from registry data.
#include <gtest/gtest.h>

#include "platform/host/HostRegistryTree.h"
#include "platform/host/InfImport.h"
#include "platform/regfile/InfFile.h"

namespace vx::regfile {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<AddRegEntry> Entries(const std::string& text, const std::string& section = "S") {
    InfDocument inf;
    ParseError error;
    std::vector<AddRegEntry> entries;
    EXPECT_TRUE(ParseInf(text, &inf, &error)) << error.line << ": " << error.reason;
    EXPECT_TRUE(ReadAddReg(inf, section, &entries, &error)) << error.line << ": " << error.reason;
    return entries;
}

// The first fault of a text, as "line: reason"; "" when it reads.
std::string Fault(const std::string& text) {
    InfDocument inf;
    ParseError error;
    std::vector<AddRegEntry> entries;
    if (ParseInf(text, &inf, &error) && ReadAddReg(inf, "S", &entries, &error)) return "";
    return std::to_string(error.line) + ": " + error.reason;
}

TEST(InfFile, FieldsQuotesCommentsContinuationsAndStrings) {
    const std::string text =
        "; comment\r\n"
        "[S]\r\n"
        "HKR, \"Sub Key\" , \"a, b; c\" ,0, \"say \"\"hi\"\"\" ; a comment\r\n"
        "HKR,,%Name%,, \"100%% of %Name% %unknown%\"\r\n"
        "HKR,k,bin,1,01,\\\r\n"
        "   02 , 0x3 ; continued\r\n"
        "[strings]\r\n"
        "name = \"Caption;x\"\r\n"
        "[s]\r\n"
        "HKR,k,\"tail\",0,\"  blanks kept  \"\x1A garbage after the end-of-file mark\r\n"
        "HKR,k,never,0,x\r\n";
    std::vector<AddRegEntry> e = Entries(text);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].line, 3);
    EXPECT_EQ(e[0].root, "HKR");
    EXPECT_EQ(e[0].subkey, "Sub Key");
    EXPECT_EQ(e[0].name, "a, b; c");
    EXPECT_EQ(e[0].data, Bytes(std::string("say \"hi\"") + '\0'));
    EXPECT_EQ(e[1].name, "Caption;x");
    EXPECT_EQ(e[1].data, Bytes(std::string("100% of Caption;x %unknown%") + '\0'));
    EXPECT_EQ(e[2].line, 5);
    EXPECT_EQ(e[2].type, 3u);
    EXPECT_EQ(e[2].data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(e[3].data, Bytes(std::string("  blanks kept  ") + '\0'));
}

// Lines split as the setup engines split them (cases observed on Windows;
// a line without '=' has no key here).
TEST(InfFile, LinesAsTheSetupEnginesSplitThem) {
    const struct {
        std::string text;
        const char* key;  // null: no key
        std::vector<std::string> fields;
    } cases[] = {
        {"ab,cd=ef", nullptr, {"ab", "cd=ef"}},
        {",=,,b", nullptr, {"", "=", "", "b"}},
        {"ab  \\  \ncd=ef", "abcd", {"ef"}},
        {"ba=c \\ \n \\ \n a", "ba", {"ca"}},
        {"ba \\ dc=xx", "ba \\ dc", {"xx"}},
        {"ab\"\"cd=ef", "abcd", {"ef"}},
        {"ab\"\"\"cd,ef=gh\"", nullptr, {"ab\"cd,ef=gh"}},
        {"ab=cd\",ef", "ab", {"cd,ef"}},
        {"ab=cd\",ef;x\\\nab", "ab", {"cd,ef;x\\"}},
        {" a b = c ,\" d\" ", "a b", {"c", " d"}},
        {"a=b,\"\",c,\" \",d", "a", {"b", "", "c", " ", "d"}},
        {"ab=c\x1A"
         "d\nx=y",
         "ab",
         {"c"}},
        {std::string("abcd=ef\0gh", 10), "abcd", {"ef gh"}},
        {"%% %foo%=%bar%", "% aaa", {"bbb"}},
        {"%f\"o\"o%=ccc", "aaa", {"ccc"}},
        {"abc=%bar;bla%", "abc", {"%bar"}},
        {"%per%%cent%=100", "12", {"100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InfDocument inf;
        ParseError error;
        ASSERT_TRUE(
            ParseInf("[Strings]\nfoo=aaa\nbar=bbb\nper=1\ncent=2\n[T]\n" + c.text, &inf, &error))
            << error.reason;
        const InfSection* t = inf.Find("t");
        ASSERT_NE(t, nullptr);
        ASSERT_GE(t->lines.size(), 1u);
        const InfLine& line = t->lines[0];
        EXPECT_EQ(line.hasKey, c.key != nullptr);
        if (c.key != nullptr) {
            EXPECT_EQ(line.key, c.key);
        }
        EXPECT_EQ(line.fields, c.fields);
    }
}

TEST(InfFile, FlagsGiveTypeAndData) {
    struct Case {
        const char* line;
        uint32_t type;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"HKR,k,v,,\"t\"", 1, {'t', 0}},
        {"HKR,k", 1, {0}},  // no value name field: the default value, empty
        {"HKR,k,v,0x10001,-1", 4, {0xff, 0xff, 0xff, 0xff}},
        {"HKR,k,v,0x10001,12abc", 4, {12, 0, 0, 0}},
        {"HKR,k,v,0x10001,0x100000000", 4, {0xff, 0xff, 0xff, 0xff}},
        {"HKR,k,v,0x10001,", 4, {0, 0, 0, 0}},
        {"HKR,k,v,0x10001,09", 4, {0, 0, 0, 0}},  // octal up to the 9
        {"HKR,k,v,0x00010000,\"a\",\"\",\"b\"", 7, {'a', 0, 0}},
        {"HKR,k,v,1,0x7f,0ff,7", 3, {0x7f, 0xff, 7}},
        {"HKR,k,v", 1, {0}},
        {"HKR,k,v,0x00020000,\"%%x%%\"", 2, {'%', 'x', '%', 0}},
        {"HKR,k,v,0x00010000,\"a\",\"b\"", 7, {'a', 0, 'b', 0, 0}},
        {"HKR,k,v,0x00010000", 7, {0}},
        {"HKR,k,v,0x00000001,fe,00", 3, {0xfe, 0}},
        {"HKR,k,v,65537,0xfffffffe", 4, {0xfe, 0xff, 0xff, 0xff}},
        {"HKR,k,v,0x10001,010", 4, {8, 0, 0, 0}},  // a leading 0 is octal
        {"HKR,k,v,0x10001,4294967295", 4, {0xff, 0xff, 0xff, 0xff}},
        {"HKR,k,v,0x10001,01,02", 4, {1, 2}},  // the bytes form
        {"HKR,k,v,0x10001", 4, {}},
        {"HKR,k,v,0x00020001,7", 0, {7}},
        {"HKR,k,v,0x00040001,01,02,03", 4, {1, 2, 3}},
        {"HKR,k,v,0x00070001,61,00,00", 7, {'a', 0, 0}},
        {"HKR,k,v,0xffff0001", 0xffff, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<AddRegEntry> e = Entries(std::string("[S]\n") + c.line + "\n");
        ASSERT_EQ(e.size(), 1u);
        EXPECT_FALSE(e[0].keyOnly);
        EXPECT_EQ(e[0].type, c.type);
        EXPECT_EQ(e[0].data, c.data);
    }
}

// Data read otherwise than written is noted with its line; what reads as
// written (-1, an empty DWORD field) is not.
TEST(InfFile, DataNotTakenAsWrittenIsNoted) {
    InfDocument inf;
    ParseError error;
    std::vector<AddRegEntry> entries;
    std::vector<ParseError> notes;
    ASSERT_TRUE(
        ParseInf("[S]\nHKR,k,a,0x10001,12abc\nHKR,k,b,0x10001,-1\n"
                 "HKR,k,c,0x10001,0x100000000\nHKR,k,d,0x10001,\n"
                 "HKR,k,e,0x10000,\"x\",\"\"\nHKR,k,f,0x10000,\"x\",\"\",\"y\"\n"
                 "HKR,k,g,0x10001,zz\n",
                 &inf, &error));
    ASSERT_TRUE(ReadAddReg(inf, "S", &entries, &error, &notes)) << error.reason;
    std::vector<int> lines;
    for (const ParseError& n : notes) lines.push_back(n.line);
    EXPECT_EQ(lines, (std::vector<int>{2, 4, 7, 8}));
    EXPECT_NE(notes[0].reason.find("12"), std::string::npos) << notes[0].reason;
}

TEST(InfFile, FaultsNameTheirLine) {
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {"HKR,k,v,0,x\n", "1: line outside a section"},
        {"[S\n", "1: section name without closing ']'"},
        {"[S]\n\nHKX,k,v,0,x\n", "3: unknown root key \"HKX\""},
        {"[S]\nHKR,k,v,zero,x\n", "2: flags \"zero\" are not a number"},
        {"[S]\nHKR,k,v,0x40,x\n", "2: unsupported flag 0x00000040"},
        {"[S]\nHKR,k,v,0x00030000,x\n", "2: unknown value type in flags 0x00030000"},
        {"[S]\nHKR,k,v,0,a,b\n", "2: more than one text for a string value"},
        {"[S]\nHKR,k,v,1,0x\n", "2: bad byte \"0x\""},
        {"[S]\nHKR,k,v,1,ff,100\n", "2: bad byte \"100\""},
        {"[S]\nHKR,k,v,1,ff,,00\n", "2: bad byte \"\""},
        {"[S]\nAddReg=T\n", "2: no section [T]"},
        {"[S]\nHKR=k\n", "2: '=' in a registry line"},
        {"[T]\n", "0: no section [S]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Fault(c.text), c.fault);
    }
}

TEST(InfFile, InstallSectionReadsItsAddRegSectionsInOrder) {
    std::vector<AddRegEntry> e = Entries(
        "[Install]\nCopyFiles=Files\nAddReg = B, A\n[A]\nHKLM,a,v,0,\"1\"\n"
        "[B]\nHKR,b,v,0,\"2\"\nHKCU,b,,0x10\n[Files]\nx.dll\n",
        "install");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].subkey, "b");
    EXPECT_EQ(e[1].root, "HKEY_CURRENT_USER");
    EXPECT_TRUE(e[1].keyOnly);
    EXPECT_EQ(e[2].root, "HKEY_LOCAL_MACHINE");
}

// A section named again is read once, and applied again as long as that
// can change something: here the second naming of A appends to the list
// that the first one made, and later namings change nothing.
TEST(InfFile, SectionNamedAgainIsReadOnceAndAppliedAsOften) {
    std::string text =
        "[Install]\nAddReg=A,a\nAddReg=B,A,A\n"
        "[A]\nHKR,k,list,0x00010008,\"a\"\nHKR,k,list,0x00010002,\"b\"\n"
        "[B]\nHKR,k,n,0,\"x\"\nHKR,k,gone,0x4\n";
    InfDocument inf;
    ParseError error;
    ASSERT_TRUE(ParseInf(text, &inf, &error));
    std::vector<AddRegEntry> all;
    ASSERT_TRUE(ReadAddReg(inf, "Install", &all, &error));
    EXPECT_EQ(all.size(), 10u);
    std::vector<AddRegEntry> once;
    std::vector<AddRegRun> runs;
    ASSERT_TRUE(ReadAddReg(inf, "Install", &once, &error, nullptr, &runs));
    ASSERT_EQ(once.size(), 4u);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[1].first, runs[0].first);
    EXPECT_EQ(runs[2].first, 2u);

    const std::string hkr = "HKEY_LOCAL_MACHINE\\Drv";
    HostRegistryTree expanded;
    HostRegistryTree applied;
    for (HostRegistryTree* r : {&expanded, &applied}) r->SetString(hkr + "\\k", "gone", "old");
    ASSERT_TRUE(ImportAddReg(expanded, all, hkr, &error));
    ASSERT_TRUE(ImportAddReg(applied, once, hkr, &error, &runs));
    EXPECT_EQ(Write(applied.Export()), Write(expanded.Export()));
    RegistryValue list;
    ASSERT_TRUE(applied.ReadValue(hkr + "\\k", "list", &list));
    EXPECT_EQ(list.data, Bytes(std::string("b\0a\0\0", 5)));

    // Named 50,000 times: read once, and each naming costs next to nothing.
    text = "[Install]\nAddReg=A";
    for (int i = 1; i < 50000; ++i) text += ",A";
    text += "\n[A]\nHKR,k,v,0,\"1\"\nHKR,k,w,0x00010001,2\n";
    ASSERT_TRUE(ParseInf(text, &inf, &error));
    ASSERT_TRUE(ReadAddReg(inf, "Install", &once, &error, nullptr, &runs));
    EXPECT_EQ(once.size(), 2u);
    EXPECT_EQ(runs.size(), 50000u);
    HostRegistryTree many;
    ASSERT_TRUE(ImportAddReg(many, once, hkr, &error, &runs));
    EXPECT_TRUE(many.ReadValue(hkr + "\\k", "w", nullptr));
}

TEST(InfFile, UnicodeFileIsReadAsSingleByteText) {
    const std::u16string text = u"[S]\r\nHKR,k,v,0,\"caf\u00e9 \u20ac\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    std::vector<AddRegEntry> e = Entries(bytes);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].data, Bytes(std::string("caf\xE9 \x80") + '\0'));
}

TEST(InfFile, ImportAppliesFlagsInOrder) {
    HostRegistryTree registry;
    const std::string hkr = "HKEY_LOCAL_MACHINE\\Drv";
    registry.SetString(hkr + "\\k", "kept", "old");
    registry.SetString(hkr + "\\k", "gone", "old");
    registry.SetValue(hkr + "\\k", "list", 7, Bytes(std::string("a\0b\0\0", 5)));
    std::vector<AddRegEntry> e = Entries(
        "[S]\n"
        "HKR,k,kept,0x2,\"new\"\n"
        "HKR,k,fresh,0x2,\"new\"\n"
        "HKR,k,absent,0x20,\"new\"\n"
        "HKR,k,gone,0x4\n"
        "HKR,k,list,0x00010008,\"B\",\"c\"\n"
        "HKR,k,nolist,0x00010008,\"c\"\n"
        "HKR,empty,,0x10\n"
        "HKLM,Other,,0,\"d\"\n");
    ParseError error;
    ASSERT_TRUE(ImportAddReg(registry, e, hkr, &error)) << error.reason;
    RegistryValue v;
    ASSERT_TRUE(registry.ReadValue(hkr + "\\k", "kept", &v));
    EXPECT_EQ(v.data, Bytes(std::string("old") + '\0'));
    ASSERT_TRUE(registry.ReadValue(hkr + "\\k", "fresh", &v));
    EXPECT_EQ(v.data, Bytes(std::string("new") + '\0'));
    EXPECT_FALSE(registry.ReadValue(hkr + "\\k", "absent", nullptr));
    EXPECT_FALSE(registry.ReadValue(hkr + "\\k", "gone", nullptr));
    ASSERT_TRUE(registry.ReadValue(hkr + "\\k", "list", &v));
    EXPECT_EQ(v.data, Bytes(std::string("a\0b\0c\0\0", 7)));
    EXPECT_FALSE(registry.ReadValue(hkr + "\\k", "nolist", nullptr));
    EXPECT_TRUE(registry.KeyExists(hkr + "\\empty"));
    EXPECT_TRUE(registry.ReadValue("HKLM\\Other", "", nullptr));

    // A key the registry cannot hold stops the import before any change.
    HostRegistryTree fresh;
    EXPECT_FALSE(ImportAddReg(fresh, Entries("[S]\nHKLM,k,v,0,\"x\"\nHKR,k,v,0,\"x\"\n"),
                              "HKEY_NOWHERE\\Drv", &error));
    EXPECT_EQ(error.line, 3);
    EXPECT_FALSE(fresh.KeyExists("HKLM\\k"));
}

// Every value that an INF can carry comes back with its type and data.
TEST(InfFile, WrittenLinesReadBackExactly) {
    std::vector<uint8_t> longData;
    for (int i = 0; i < 300; ++i) longData.push_back(static_cast<uint8_t>(i * 7));
    Key key{"Vexaro\\Sub \"Key\"; 100%", false, {}};
    key.values = {
        {"", 1, Bytes(std::string("default") + '\0'), false},
        {"Quote\"And%Percent, comma; semi", 1, Bytes(std::string("a \"b\" 50%% ;,=") + '\0'),
         false},
        {"High\x80\xE9\xFF", 1, Bytes(std::string("\x80\x81\x9F\xA0\xE9\xFF\t") + '\0'), false},
        {"Empty", 1, Bytes(std::string(1, '\0')), false},
        {"Blanks", 1, Bytes(std::string("  x  ") + '\0'), false},
        {"Expand", 2, Bytes(std::string("%WINDIR%\\x") + '\0'), false},
        {"Multi", 7, Bytes(std::string("a\0b c\0\0", 7)), false},
        {"MultiEmpty", 7, Bytes(std::string(1, '\0')), false},
        {"MultiOdd", 7, Bytes(std::string("a\0\0b\0\0", 6)), false},
        {"Dword", 4, {0xfe, 0xff, 0xff, 0xff}, false},
        {"ShortDword", 4, {0x04}, false},
        {"Binary", 3, {0xfb}, false},
        {"NoBytes", 3, {}, false},
        {"Long", 3, longData, false},
        {"None", 0, {1, 2}, false},
        {"Link", 6, {'x', 0}, false},
        {"Gone", 1, {}, true},
    };
    Key empty{"Vexaro\\Association\\Empty", false, {}};
    Key parent{"Vexaro", false, {}};
    std::string lines;
    std::string reason;
    ASSERT_TRUE(WriteAddReg({parent, key, empty}, &lines, &reason)) << reason;
    for (size_t at = lines.find('\n'); at != std::string::npos; at = lines.find('\n', at + 1)) {
        size_t start = lines.rfind('\n', at - 1);
        start = start == std::string::npos ? 0 : start + 1;
        EXPECT_LE(at - start, 100u) << "a list of bytes goes on in the next line";
    }
    std::vector<AddRegEntry> e = Entries("[S]\r\n" + lines);
    ASSERT_EQ(e.size(), key.values.size());  // the deleted value none, the empty key one
    for (size_t i = 0; i + 1 < key.values.size(); ++i) {
        SCOPED_TRACE(key.values[i].name);
        EXPECT_EQ(e[i].root, "HKR");
        EXPECT_EQ(e[i].subkey, key.path);
        EXPECT_EQ(e[i].name, key.values[i].name);
        EXPECT_EQ(e[i].type, key.values[i].type);
        EXPECT_EQ(e[i].data, key.values[i].data);
    }
    EXPECT_TRUE(e.back().keyOnly);
    EXPECT_EQ(e.back().subkey, empty.path);
    EXPECT_NE(lines.find("HKR,\"Vexaro\\Sub \"\"Key\"\"; 100%%\",\"Dword\",0x00010001,0xfffffffe"),
              std::string::npos)
        << lines;
    EXPECT_NE(lines.find(",\"Binary\",0x00000001,fb\r\n"), std::string::npos);
}

TEST(InfFile, ValuesThatNoLineCarriesAreRefused) {
    const struct {
        Value value;
        const char* reason;
    } cases[] = {
        {{"Text", 1, Bytes(std::string("two\r\nlines") + '\0'), false},
         "text data that is not one line of text ended by a zero byte"},
        {{"Text", 1, Bytes("no zero"), false},
         "text data that is not one line of text ended by a zero byte"},
        {{"Text", 2, Bytes(std::string("a\0b\0", 4)), false},
         "text data that is not one line of text ended by a zero byte"},
        {{"Text", 1, Bytes(std::string("mark\x1A") + '\0'), false},
         "text data that is not one line of text ended by a zero byte"},
        {{"Line\nEnd", 3, {1}, false}, "a line end, zero byte or 0x1A in its name"},
        {{"Big", 0x10000, {1}, false}, "the type number 0x00010000 does not fit into the flags"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        std::string lines;
        std::string reason;
        EXPECT_FALSE(WriteAddReg({{"k", false, {c.value}}}, &lines, &reason));
        EXPECT_EQ(reason, "key \"k\", value \"" + c.value.name + "\": " + c.reason);
    }
    std::string lines;
    std::string reason;
    EXPECT_TRUE(WriteAddReg({{"k", false, {{"Big", 0xFFFF, {1}, false}}}}, &lines, &reason));
}

}  // namespace
}  // namespace vx::regfile
