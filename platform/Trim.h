// Trimming of text by a rule of what counts as blank: the profile
// functions, the registry files and the INF files each have their own.
#pragma once

#include <algorithm>
#include <string>

namespace vx {

template <typename IsBlank>
std::string TrimLeft(const std::string& text, IsBlank isBlank) {
    return std::string(std::find_if_not(text.begin(), text.end(), isBlank), text.end());
}

template <typename IsBlank>
std::string TrimRight(const std::string& text, IsBlank isBlank) {
    return std::string(text.begin(), std::find_if_not(text.rbegin(), text.rend(), isBlank).base());
}

template <typename IsBlank>
std::string Trim(const std::string& text, IsBlank isBlank) {
    return TrimRight(TrimLeft(text, isBlank), isBlank);
}

}  // namespace vx
