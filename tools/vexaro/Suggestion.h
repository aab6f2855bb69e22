// What a mistyped word probably meant: for commands, options and kinds of
// finding alike.
#pragma once

#include <string>
#include <vector>

namespace vexaro {

// The candidate closest to a mistyped word, or "" when none is close
// enough to be what was meant.
std::string Suggest(const std::string& word, const std::vector<std::string>& candidates);

// ": did you mean WORD?" for a close candidate, or "".
std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace vexaro
