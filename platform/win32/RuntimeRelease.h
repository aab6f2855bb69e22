// What the statically linked C and C++ runtime of a DLL keeps in the
// process and does not give back when the DLL is freed: the record that its
// threads library makes for the thread that loaded the DLL (while the
// DLL's unwind tables are registered), with a duplicate of that thread's
// handle, an event and a thread-local slot, and the emergency pool for
// exceptions. Each load and free of such a DLL would leave them behind once
// more; the process runs out of thread-local slots after about a thousand.
#pragma once

namespace vx {

// Gives them back. Called from a DLL's entry point on DLL_PROCESS_DETACH
// when the DLL is freed (the reserved pointer is null), on the thread that
// frees it; does nothing for parts of the runtime that are not the
// calling DLL's own copy.
void ReleaseStaticRuntime();

}  // namespace vx
