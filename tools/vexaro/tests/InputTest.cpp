// What the tool reads as the driver's data: a registry file's header is
// looked at before anything else is read, and no input is read past the
// bound that --max-input-size sets (64 MiB by default), whether it is a
// file whose size is known or a stream that goes on.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char kNotRegistry[] =
    " is not a registry file: it does not begin with \"REGEDIT4\" or \"Windows Registry "
    "Editor Version 5.00\"\n";

TEST(Input, WhatIsNoRegistryFileIsRefusedAtItsFirstBytes) {
    Scratch s;
    s.CopySample("driver.reg");
    s.Write("zeros.reg", std::string(3 << 20, '\0'));
    s.Write("text.reg", "[HKEY_LOCAL_MACHINE\\x]\r\n");
    s.Write("utf16.reg", std::string("\xFF\xFE\0\0", 4));
    const auto start = std::chrono::steady_clock::now();
    for (const char* name : {"/dev/zero", "zeros.reg", "text.reg", "utf16.reg"}) {
        SCOPED_TRACE(name);
        for (const char* command : {"check", "inf"}) {
            std::vector<std::string> args = {command, "--registry", name};
            if (std::string(command) == "check") args.insert(args.end(), {"--windir", "."});
            Result r = s.Run(args);
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_EQ(r.err, std::string("vexaro: ") + name + kNotRegistry);
        }
    }
    // An endless stream ends the read as soon as it shows what it is.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              20.0);
    // Blanks, line ends and a byte-order mark may come before the header,
    // in any letter case; the parser judges the rest.
    const std::string body = s.Read("driver.reg").substr(8);
    for (const std::string& head : {std::string("\r\n  \tREGEDIT4"),
                                    std::string("\xEF\xBB\xBFREGEDIT4"), std::string("regedit4")}) {
        s.Write("lead.reg", head + body);
        Result r = s.Run({"inf", "--registry", "lead.reg"});
        EXPECT_FALSE(Contains(r.err, "not a registry file")) << r.err;
    }
}

TEST(Input, NothingIsReadPastTheBound) {
    Scratch s;
    s.CopySampleDriver();
    const std::string reg = s.Read("driver.reg");
    ASSERT_GT(reg.size(), 1024u);
    ASSERT_LT(reg.size(), 64u << 10);
    const std::vector<std::string> check = {"check", "--registry", "driver.reg", "--windir", "."};
    auto with = [&](const std::string& size) {
        std::vector<std::string> args = check;
        args.insert(args.end(), {"--max-input-size", size});
        return args;
    };
    // Each side of the bound: the file's own size is read, a byte less is not.
    EXPECT_NE(s.Run(with(std::to_string(reg.size()))).exitCode, 2);
    Result under = s.Run(with(std::to_string(reg.size() - 1)));
    EXPECT_EQ(under.exitCode, 2);
    EXPECT_EQ(under.err, "vexaro: driver.reg is larger than " + std::to_string(reg.size() - 1) +
                             " bytes, the most that is read (--max-input-size SIZE reads more)\n");
    Result small = s.Run(with("1K"));
    EXPECT_EQ(small.err,
              "vexaro: driver.reg is larger than 1 KiB, the most that is read "
              "(--max-input-size SIZE reads more)\n");

    // A stream whose size nobody knows, past the default bound and past one given.
    const std::string endless = "(printf 'REGEDIT4\\r\\n'; yes '; more') | ";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"inf", "--registry", "-"},
          std::vector<std::string>{"apply", "--registry", "-", "--windir", ".", "--max-input-size",
                                   "3M", "Check1_1=on"}}) {
        Result r = s.Run(args, endless);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(Contains(r.err, "vexaro: standard input is larger than ")) << r.err;
        EXPECT_EQ(s.Read("vexaro.ini"), ReadFile(std::string(VEXARO_SAMPLE_DIR) + "/vexaro.ini"));
    }
    // The same for an INF file.
    s.Write("big.inf", "[Vexaro.AddReg]\r\n" + std::string(5000, ';') + "\r\n");
    Result inf = s.Run({"check", "--inf", "big.inf", "--windir", ".", "--max-input-size", "4K"});
    EXPECT_EQ(inf.err,
              "vexaro: big.inf is larger than 4 KiB, the most that is read (--max-input-size "
              "SIZE reads more)\n");
}

// The peak memory of a run of the program, in KiB.
long PeakKilobytes(const Scratch& s, const std::vector<std::string>& args) {
    pid_t child = fork();
    if (child == 0) {
        if (chdir(s.Dir().c_str()) != 0) _exit(127);
        if (freopen("/dev/null", "w", stdout) == nullptr) _exit(127);
        std::vector<const char*> argv = {VEXARO_PROGRAM};
        for (const std::string& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        execv(VEXARO_PROGRAM, const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) {
        return -1;
    }
    return usage.ru_maxrss;
}

// A 2 GiB file with a registry file's header is refused by its size,
// without taking memory for it.
TEST(Input, AHugeFileIsRefusedUnread) {
    Scratch s;
    s.Write("huge.reg", "REGEDIT4\r\n");
    ASSERT_EQ(truncate(s.Path("huge.reg").c_str(), off_t{2} << 30), 0);
    s.CopySample("driver.reg");
    const long base = PeakKilobytes(s, {"check", "--registry", "driver.reg", "--windir", "."});
    ASSERT_GT(base, 0);
    const long peak = PeakKilobytes(s, {"check", "--registry", "huge.reg", "--windir", "."});
    ASSERT_GT(peak, 0);
    EXPECT_LT(peak - base, 8 << 10) << peak << " " << base;
    Result r = s.Run({"check", "--registry", "huge.reg", "--windir", "."});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "vexaro: huge.reg is larger than 64 MiB, the most that is read (--max-input-size "
              "SIZE reads more)\n");
}

}  // namespace
}  // namespace vexarotest
