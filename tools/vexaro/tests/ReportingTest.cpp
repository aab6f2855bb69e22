// How a run ends: errors as text or also as JSON, exit codes of check,
// lines of the input that Windows skips, and the option table's rows.
#include <gtest/gtest.h>

#include <sstream>

#include "CommandTables.h"
#include "ErrorReport.h"
#include "Findings.h"
#include "InputWarnings.h"

namespace vexaro {
namespace {

TEST(Reporting, ErrorsAsTextOrAlsoAsJson) {
    std::ostringstream out, err;
    EXPECT_EQ(ErrorReport::TextOnly(err).Fail("no way"), kExitError);
    EXPECT_EQ(err.str(), "vexaro: no way\n");
    EXPECT_EQ(out.str(), "");

    Options json;
    json.json = true;
    err.str("");
    EXPECT_EQ(ErrorReport::For(json, out, err).Fail("bad"), kExitError);
    EXPECT_EQ(err.str(), "vexaro: bad\n");
    EXPECT_EQ(out.str(), "{\"schema\":1,\"error\":{\"message\":\"bad\"}}\n");

    out.str("");
    err.str("");
    EXPECT_EQ(ErrorReport::For(Options{}, out, err).Fail("bad"), kExitError);
    EXPECT_EQ(out.str(), "");
}

TEST(Reporting, ExitCodesOfCheck) {
    const Finding note{"not-loaded", "Check1_9", "", Severity::Note};
    const Finding warning{"short-name", "Chk", "", Severity::Warning};
    const Finding error{"evicted", "Check1_1", "", Severity::Error};
    EXPECT_EQ(ExitCodeOnErrors({}), kExitOk);
    EXPECT_EQ(ExitCodeOnErrors({note, warning}), kExitOk);
    EXPECT_EQ(ExitCodeOnErrors({note, error}), kExitFindings);
    EXPECT_EQ(ExitCodeOnAnyFinding({}), kExitOk);
    EXPECT_EQ(ExitCodeOnAnyFinding({note}), kExitFindings);
}

TEST(Reporting, InputWarningsPrintedOrRefused) {
    const std::vector<std::string> warnings = {"a.reg:3: no key", "a.reg:5: odd line"};
    std::ostringstream err;
    std::string error;
    Options loose;
    EXPECT_TRUE(HandleInputWarnings(warnings, loose, err, &error));
    EXPECT_EQ(err.str(), "vexaro: warning: a.reg:3: no key\nvexaro: warning: a.reg:5: odd line\n");
    EXPECT_EQ(error, "");

    Options strict;
    strict.strict = true;
    err.str("");
    EXPECT_FALSE(HandleInputWarnings(warnings, strict, err, &error));
    EXPECT_EQ(error, "a.reg:3: no key (--strict: nothing done)");
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(HandleInputWarnings({}, strict, err, &error));
}

// Each row is found under its name and its id; a relation names an option
// that a command taking this one also takes.
TEST(Reporting, OptionRowsAndRelations) {
    for (const OptionDef& o : OptionTable()) {
        SCOPED_TRACE(o.name);
        EXPECT_EQ(FindOption(o.name), &o);
        EXPECT_EQ(&Option(o.id), &o);
        for (OptionId related : {o.insteadOf, o.needs}) {
            if (related == OptionId::None) continue;
            EXPECT_NE(Option(related).commands & o.commands, 0u) << Option(related).name;
        }
        // Only a value that lands in a list may be given twice.
        EXPECT_EQ(o.Repeatable(), o.list != nullptr);
    }
    EXPECT_EQ(OptionTable().size(), kOptionCount);
}

}  // namespace
}  // namespace vexaro
