// The index of the INI reader gives the answers of the whole document: the
// same value, or the same miss, on texts that test the reading rules (first
// section of a name, first key, keys without '=', the unnamed section,
// letter case, white space, line endings, the encoding mark); Holds says
// exactly when SetValue changes nothing; and an index brought up to date
// after SetValue answers as one made anew from the edited text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host/IniDocument.h"

namespace vxtest {
namespace {

const std::vector<std::string> kTexts = {
    "",
    "[Display]\r\nFast=1\r\nSmooth=0\r\n",
    "[display]\nfast = 7 \n[Display]\nFast=9\n",
    "Fast=1\n[Display]\nFast=2\n",
    "\xEF\xBB\xBF[Display]\r\nFast=3",
    "\xEF\xBB\xBF"
    "Fast=4\n[]\nFast=5\n",
    "[Display]\nFast\nFast=6\n",
    "[ Display ]\r  Fast\t=\t 8\t\r\n[Other]\rFast=1\r",
    "[Display] trailing\n;Fast=1\nFast=\n",
    "[Disp]lay]\nFast=10\n[Display\nFast=11\n",
    "\x1A[Display]\x1A\n\x0B Fast=12 \x1A\n",
};

struct Query {
    std::string section;
    std::string key;
};

const std::vector<Query> kQueries = {
    {"Display", "Fast"}, {"DISPLAY", "fast"},    {" Display ", " Fast "}, {"", "Fast"},
    {"Other", "Fast"},   {"Display", "Smooth"},  {"Disp]lay", "Fast"},    {"Display", ";Fast"},
    {"Missing", "Fast"}, {"Display", "Missing"},
};

TEST(IniLookupTest, IndexAnswersAsTheDocument) {
    for (const std::string& text : kTexts) {
        for (const Query& q : kQueries) {
            SCOPED_TRACE("text \"" + text + "\" section \"" + q.section + "\" key \"" + q.key +
                         "\"");
            std::string whole = "unset";
            std::string lines = "unset";
            const bool foundWhole = vx::IniDocument(text).FindValue(q.section, q.key, &whole);
            const bool foundLines = vx::IniIndex(text).Find(q.section, q.key, &lines);
            EXPECT_EQ(foundLines, foundWhole);
            if (foundWhole) {
                EXPECT_EQ(lines, whole);
            }
        }
    }
}

TEST(IniLookupTest, HoldsValueExactlyWhenSetValueChangesNothing) {
    const std::vector<std::string> values = {"1", "7", " 8", "8\t", "", "12", "x"};
    for (const std::string& text : kTexts) {
        for (const Query& q : kQueries) {
            for (const std::string& value : values) {
                SCOPED_TRACE("text \"" + text + "\" section \"" + q.section + "\" key \"" + q.key +
                             "\" value \"" + value + "\"");
                vx::IniDocument document(text);
                const bool changed = document.SetValue(q.section, q.key, value);
                EXPECT_EQ(vx::IniIndex(text).Holds(q.section, q.key, value), !changed);
            }
        }
    }
}

// Names that read otherwise once written ('=' inside, a leading '[', the
// encoding mark) are among the written ones: Update must refuse them.
TEST(IniLookupTest, UpdatedIndexAnswersAsANewOne) {
    const std::vector<Query> written = {
        {"Display", "Fast"},
        {"display", " NEW "},
        {"Fresh", "Fast"},
        {"", "Fast"},
        {"Other", "Fast"},
        {"Display", "a=b"},
        {"Display", "[Other]"},
        {"",
         "\xEF\xBB\xBF"
         "Fast"},
    };
    for (const std::string& text : kTexts) {
        for (const Query& w : written) {
            SCOPED_TRACE("text \"" + text + "\" written section \"" + w.section + "\" key \"" +
                         w.key + "\"");
            vx::IniDocument document(text);
            vx::IniIndex index(text);
            if (!document.SetValue(w.section, w.key, " 42 ")) continue;
            if (!index.Update(document, w.section, w.key)) index = vx::IniIndex(document.Text());
            const vx::IniIndex fresh(document.Text());
            std::vector<Query> asked = kQueries;
            asked.insert(asked.end(), written.begin(), written.end());
            asked.push_back({"Display", "a"});
            for (const Query& q : asked) {
                std::string updated = "unset";
                std::string made = "unset";
                EXPECT_EQ(index.Find(q.section, q.key, &updated),
                          fresh.Find(q.section, q.key, &made))
                    << q.section << "/" << q.key;
                EXPECT_EQ(updated, made) << q.section << "/" << q.key;
            }
        }
    }
}

}  // namespace
}  // namespace vxtest
