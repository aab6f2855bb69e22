// The generated settings as the vexaro tool takes them: a registry file and
// a Windows folder of INI files, for timing `vexaro apply` from the shell.
#pragma once

#include <string>

namespace vxbench {

// Writes into folder (which must exist): driver.reg (the Layout and
// Association data under driver key 0000, named by the maker's
// "CurrentDisplayKey"), the INI files, and names.txt with the name of every
// check box, one a line. False when a file cannot be written.
bool WriteToolData(int entries, const std::string& folder);

}  // namespace vxbench
