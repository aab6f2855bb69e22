#include "PeerCases.h"

#include <algorithm>
#include <cstdio>

namespace vxtest::peer {

namespace {

// The expected registry of a row that leaves nothing under its key.
constexpr char kNothing[] = "";

constexpr char kWidened[] =
    "Windows 95 keeps hex text data as written; an NT registry adds a zero at its end";

// Lines are separated by \n here (the files have CR LF), except where a
// row needs a CR by itself.
const std::vector<Row> kRegRows = {
    {"CommentAfterText", R"("V"="1" ; note)", "V=1:3100"},
    {"CommentAfterDword", R"("D"=dword:0000000a ;c)", "D=4:0a000000"},
    {"BlanksAfterDword", "\"D\"=dword: \t0000000a", "D=4:0a000000"},
    {"UnknownEscape", R"("A"="a\qb")", "A=1:61716200"},
    {"EscapedLineEnds", R"("E"="x\ny\r")", "E=1:780a790d00"},
    {"EscapedZeroSkipped", "\"Z\"=\"a\\0b\"\n\"Y\"=\"2\"", "Y=1:3200"},
    {"CommentAfterContinuation", "\"H\"=hex:01,02,\\ ; more\n  03", "H=3:010203"},
    {"BlankAndCommentInContinuation", "\"H\"=hex:01,\\\n\n  ; c\n  02", "H=3:0102"},
    {"BrokenContinuation", "\"H\"=hex:01,\\\n\"N\"=\"x\"\n\"M\"=\"y\"", "M=1:7900"},
    {"CrOnlyLineEnds", "\"A\"=\"1\"\r\"B\"=\"2\"", "A=1:3100 B=1:3200"},
    {"TextAfterKey", "[@K@\\Sub] trailing\n\"V\"=\"1\"", "Sub/ Sub/V=1:3100"},
    {"DoubledBackslashes", "[@K@\\\\A\\\\B\\]\n\"V\"=\"1\"", "A/ A/B/ A/B/V=1:3100"},
    {"BlankAfterBracket", "[ @K@\\X]\n\"V\"=\"1\"", "V=1:3100"},
    {"NoClosingBracket", "[@K@\\X\n\"V\"=\"1\"", "V=1:3100"},
    {"UnknownRoot", "[HKEY_NOWHERE\\X]\n\"V\"=\"1\"", kNothing},
    {"ValuesAfterDeletion", "[@K@\\Gone]\n\"G\"=\"1\"\n[-@K@\\Gone]\n\"V\"=\"1\"", kNothing},
    {"UpperCaseTypes", "\"D\"=DWORD:1\n\"H\"=HEX:01", kNothing},
    {"DwordNineDigits", R"("D"=dword:123456789)", kNothing},
    {"DwordWith0x", R"("D"=dword:0x10)", kNothing},
    {"BytesWith0xAndZeros", R"("B"=hex:0x1f,2,0ff)", "B=3:1f02ff"},
    {"BlankBeforeComma", R"("B"=hex:01 ,02)", kNothing},
    {"TrailingComma", R"("B"=hex:01,02,)", "B=3:0102"},
    {"ByteTooBig", R"("B"=hex:100)", kNothing},
    {"ExpandWithoutZero", R"("X"=hex(2):41,42)", "X=2:4142", "X=2:414200", kWidened},
    {"MultiWithoutZero", R"("M"=hex(7):61,00,62)", "M=7:610062", "M=7:61006200", kWidened},
    {"ExpandWithZero", R"("X"=hex(2):41,00)", "X=2:4100"},
    {"TypeWith0x", R"("T"=hex(0x2):41)", kNothing},
    {"EmptyTypeNumber", R"("T"=hex():01)", "T=0:01"},
    {"TextAfterQuote", R"("S"="a" x)", kNothing},
    {"NoClosingQuote", R"("S"="abc)", kNothing},
    {"DefaultValue", R"(@ = "def")", "=1:64656600"},
    {"DeleteValue", "\"V\"=\"1\"\n\"V\"=-\n\"W\"=\"2\"\n\"W\"=- x", "W=1:3200"},
    {"UnreadableLine", "hello\n\"V\"=\"1\"", "V=1:3100"},
    {"QuoteInName", R"("a\"b"="1")", "a\"b=1:3100"},
    {"EmptyBytes", R"("B"=hex:)", "B=3:"},
    {"CommentAfterBytes", R"("B"=hex:01,02 ; c)", "B=3:0102"},
    // Last: the file ends inside the list of bytes.
    {"EndInsideContinuation", "\"H\"=hex:01,02,\\", "H=3:0102"},
};

const std::vector<Row> kInfRows = {
    {"DwordMinusOne", R"(HKCU,"@K@",D,0x00010001,-1)", "D=4:ffffffff"},
    {"DwordTrailingText", R"(HKCU,"@K@",D,0x00010001,12abc)", "D=4:0c000000"},
    {"DwordPast32Bits", R"(HKCU,"@K@",D,0x00010001,0x100000000)", "D=4:ffffffff"},
    {"DwordEmpty", R"(HKCU,"@K@",D,0x00010001,)", "D=4:00000000"},
    {"DwordOctal", R"(HKCU,"@K@",D,0x00010001,012)", "D=4:0a000000"},
    {"DwordAsBytes", R"(HKCU,"@K@",D,0x00010001,1,2,3,4)", "D=4:01020304"},
    {"Bytes0x", R"(HKCU,"@K@",B,1,0x7f,01)", "B=3:7f01", "B=3:0001",
     "the setup API's documentation reads each field as a hex number from 0 to FF; Wine stops "
     "at the x"},
    {"BytesLeadingZero", R"(HKCU,"@K@",B,1,0ff,7)", "B=3:ff07"},
    {"TypeInHighWord", R"(HKCU,"@K@",Q,0x00050001,01,02,03,04)", "Q=5:01020304"},
    {"MultiInHighWord", R"(HKCU,"@K@",M,0x00070001,61,00,62,00,00,00)", "M=7:610062000000",
     "M=7:616200",
     "Windows 95 keeps the bytes of a text type as given; NT takes them as UTF-16 text (and "
     "data of odd length gets a terminator read from past its end, so the row has even length)"},
    {"EmptyStringInMulti", R"(HKCU,"@K@",M,0x00010000,"a","","b")", "M=7:610000"},
    {"Multi", R"(HKCU,"@K@",M,0x00010000,"a","b")", "M=7:6100620000"},
    {"TwoFields", R"(HKCU,"@K@\Sub")", "Sub/ Sub/=1:00"},
    {"ThreeFields", R"(HKCU,"@K@",N)", "N=1:00"},
    {"EmptyFlags", R"(HKCU,"@K@",S,,"x")", "S=1:7800"},
    {"Expand", R"(HKCU,"@K@",E,0x00020000,"%%x%%")", "E=2:25782500"},
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

const std::vector<Row>& RegRows() {
    return kRegRows;
}

const std::vector<Row>& InfRows() {
    return kInfRows;
}

std::string RegFileText() {
    std::string text = " \tREGEDIT4\r\n";
    for (const Row& row : kRegRows) {
        const std::string key = std::string("HKEY_CURRENT_USER\\") + kRegBase + "\\" + row.name;
        text += "\r\n[" + key + "]\r\n" + Replace(Replace(row.text, "@K@", key), "\n", "\r\n");
        if (&row != &kRegRows.back()) text += "\r\n";
    }
    return text;
}

std::string InfFileText() {
    std::string text = "[Version]\r\nSignature=\"$Chicago$\"\r\n\r\n[";
    text += std::string(kInfSection) + "]\r\nAddReg=Peer.AddReg\r\n\r\n[Peer.AddReg]\r\n";
    for (const Row& row : kInfRows) {
        text += Replace(row.text, "@K@", std::string(kInfBase) + "\\" + row.name) + "\r\n";
    }
    return text;
}

std::string Render(const std::vector<Entry>& entries) {
    std::vector<std::string> parts;
    for (const Entry& e : entries) {
        std::string path = Replace(e.path, "\\", "/");
        if (!path.empty()) path += "/";
        if (e.isKey) {
            parts.push_back(path);
            continue;
        }
        std::string part = path + e.name + "=" + std::to_string(e.type) + ":";
        char digits[3];
        for (uint8_t b : e.data) {
            std::snprintf(digits, sizeof digits, "%02x", b);
            part += digits;
        }
        parts.push_back(part);
    }
    std::sort(parts.begin(), parts.end());
    std::string line;
    for (const std::string& part : parts) line += (line.empty() ? "" : " ") + part;
    return line;
}

}  // namespace vxtest::peer
