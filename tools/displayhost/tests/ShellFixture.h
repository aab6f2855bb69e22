// Set-up for running tarnel.dll as the Display control panel runs it: the
// driver's registry data and INI file in place, the extension registered
// with the shell under its real path, COM started and the module's debug
// trace captured.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DebugTraceCapture.h"
#include "platform/win32/WinHandles.h"
#include "support/TestPlatform.h"

namespace shelltest {

extern const char kClsidText[];
extern const GUID kClsidVexaro;
extern const char kDriverKey[];  // where the test data puts the driver's key

// Folder of this program, where the build puts tarnel.dll and the stand-ins.
std::string ProgramFolder();
std::string TarnelPath();
bool TarnelLoaded();

// Registry text (REGEDIT4) that registers tarnel.dll at path with the shell.
std::string RegistrationText(const std::string& dllPath);
// The sample driver data with its INI file moved to iniPath.
std::string SampleDriverText(const std::string& iniPath);
// Doubles the backslashes of a path for a registry text string.
std::string RegString(const std::string& text);

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the driver data (keys under the display class and the
    // maker's key) with driverText plus the shell registration.
    void LoadDriverData(const std::string& driverText);
    // The INI file of the sample data, copied into the test's folder.
    std::string IniText() const { return vxtest::TestPlatform::ReadFile(m_iniPath); }
    int IniInt(const char* section, const char* key) const;

    // Trace lines so far (without their line ends).
    std::vector<std::string> Trace() const { return m_trace.Lines(); }
    // References that the trace shows as taken on CShellExt objects and not
    // given back: AddRef lines minus Release lines.
    int OutstandingReferences() const;

    vxtest::TestPlatform m_platform;
    std::string m_iniPath;
    displayhost::DebugTraceCapture m_trace;

  private:
    vx::UniqueApartment m_com = vx::EnterComApartment();
};

// A test that sees tarnel.dll loaded and unloaded again in its process:
// skipped where an earlier test of the process left the module held.
class FreshModuleTest : public ShellTest {
  protected:
    void SetUp() override;
};

// The trace lines of the extension's creation up to its initialisation,
// the same whichever loader creates it.
std::vector<std::string> CreationTrace();

}  // namespace shelltest
