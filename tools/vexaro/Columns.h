// Columns of text for a terminal.
#pragma once

#include <cstddef>
#include <string>

namespace vexaro {

// The widest a column of names grows before it clips them.
constexpr size_t kEntryColumnWidth = 24;

// The width of text on a terminal: one column per character, a UTF-8
// sequence counted once.
size_t Columns(const std::string& text);

// The text padded with blanks to width columns; longer text cut to width
// - 1 columns and "…" put after it.
std::string FitColumn(const std::string& text, size_t width);

}  // namespace vexaro
