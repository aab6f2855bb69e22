#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vexarotest {

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Scratch::Scratch() {
    const char* base = getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/vexaro-test-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) != nullptr) m_dir = name.data();
}

Scratch::~Scratch() {
    std::error_code ignored;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
}

std::string TestData(const std::string& name) {
    return ReadFile(std::string(VEXARO_TEST_DATA) + "/" + name);
}

void ExpectUnchanged(const Scratch& scratch, const std::vector<std::string>& names) {
    for (const std::string& name : names) EXPECT_EQ(scratch.Read(name), TestData(name)) << name;
}

void Scratch::CopyTestData(const std::string& name) {
    Write(name, TestData(name));
}

void Scratch::CopyExample() {
    CopyTestData("example.reg");
    CopyTestData("example.ini");
}

void Scratch::CopySampleDriver() {
    CopySample("driver.reg");
    CopySample("vexaro.ini");
}

void Scratch::CopySample(const std::string& name) {
    Write(name, ReadFile(std::string(VEXARO_SAMPLE_DIR) + "/" + name));
}

void Scratch::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Scratch::Read(const std::string& name) const {
    return ReadFile(Path(name));
}

Result Scratch::Run(const std::vector<std::string>& args, const std::string& prefix) const {
    std::string command = "cd " + Quote(m_dir) + " && " + prefix + Quote(VEXARO_PROGRAM);
    for (const std::string& a : args) command += " " + Quote(a);
    // Runs may go on at the same time: each has its own output files.
    static std::atomic<int> runs{0};
    const std::string id = std::to_string(runs++);
    const std::string outName = ".out" + id;
    const std::string errName = ".err" + id;
    command += " >" + Quote(Path(outName)) + " 2>" + Quote(Path(errName));
    Result r;
    int status = std::system(command.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Read(outName);
    r.err = Read(errName);
    std::filesystem::remove(Path(outName));
    std::filesystem::remove(Path(errName));
    return r;
}

Result Scratch::RunRedirected(const std::vector<std::string>& args,
                              const std::string& redirections) const {
    std::string command = "cd " + Quote(m_dir) + " && " + Quote(VEXARO_PROGRAM);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(Path(".out")) + " 2>" + Quote(Path(".err")) + " " + redirections;
    Result r;
    int status = std::system(command.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Read(".out");
    r.err = Read(".err");
    std::filesystem::remove(Path(".out"));
    std::filesystem::remove(Path(".err"));
    return r;
}

}  // namespace vexarotest
