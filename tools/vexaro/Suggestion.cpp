#include "Suggestion.h"

#include <algorithm>

#include "platform/NoCase.h"

namespace vexaro {

namespace {

// Optimal string alignment distance: insertions, deletions, substitutions
// and swaps of neighbours, each 1.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::string Suggest(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    size_t bestDistance = 0;
    const std::string lower = vx::LowerCase(word);
    for (const std::string& c : candidates) {
        size_t d = Distance(lower, vx::LowerCase(c));
        if (best.empty() || d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    }
    // A close spelling, or the start of exactly one candidate.
    const size_t core = lower.size() - (lower.compare(0, 2, "--") == 0 ? 2 : 0);
    if (!best.empty() && best != word && bestDistance <= (core >= 6 ? 2u : 1u)) return best;
    std::string prefixOf;
    for (const std::string& c : candidates) {
        if (core < 2 || c == word || vx::LowerCase(c).compare(0, lower.size(), lower) != 0)
            continue;
        if (!prefixOf.empty()) return "";
        prefixOf = c;
    }
    return prefixOf;
}

std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates) {
    std::string suggestion = Suggest(word, candidates);
    return suggestion.empty() ? "" : ": did you mean " + suggestion + "?";
}

}  // namespace vexaro
