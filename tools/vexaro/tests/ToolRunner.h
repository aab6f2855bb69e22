// Runs the vexaro program as a user does, in a scratch folder that holds
// copies of the test data, and reads back what it printed and wrote.
#pragma once

#include <string>
#include <vector>

#include "platform/UniqueHandle.h"

namespace vexarotest {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class Scratch : vx::Pinned {
  public:
    Scratch();
    ~Scratch();

    const std::string& Dir() const { return m_dir; }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    // Copies a file of the test data (or of the sample folder) in.
    void CopyTestData(const std::string& name);
    void CopySample(const std::string& name);
    // The worked example (example.reg, example.ini of the test data) and the
    // sample driver (driver.reg, vexaro.ini of the sample folder).
    void CopyExample();
    void CopySampleDriver();
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

    // Runs vexaro with the arguments, in this folder; prefix (shell words
    // ending in a blank) goes in front of the program, such as a command
    // that runs it as another user.
    Result Run(const std::vector<std::string>& args, const std::string& prefix = "") const;
    // Runs vexaro with shell redirections after the arguments ("< in.reg",
    // "> /dev/full"); what a redirection takes from the result stays empty.
    Result RunRedirected(const std::vector<std::string>& args,
                         const std::string& redirections) const;

  private:
    std::string m_dir;
};

std::string ReadFile(const std::string& path);
// A file of the test data, as it is.
std::string TestData(const std::string& name);
// Checks that the scratch copies of these test data files are as copied.
void ExpectUnchanged(const Scratch& scratch, const std::vector<std::string>& names);

}  // namespace vexarotest
