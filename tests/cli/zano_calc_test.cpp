// The headless calculator run as a user runs it: on the shipped examples, with --json, and on
// bad command lines.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "properties/fluid_table.h"

namespace {

struct Output {
    int status = -1;
    std::string out;
};

Output zanoCalc(const std::string& args) {
    const std::string cmd = "cd '" ZANO_SOURCE_DIR "' && '" +
                            (zano::QuestaDirectory() / "zano-calc").string() + "' " + args;
    Output r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    while (std::fgets(buf.data(), buf.size(), p)) r.out += buf.data();
    const int rc = pclose(p);
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return r;
}

// The written-back fields of every example, as a user finds them in the main window.
TEST(ZanoCalc, CalculatesEveryExample) {
    struct Row {
        const char* file;
        const char* written;
    };
    const Row rows[] = {
        {"water-heated-by-water.zan", "intPort = 0,2757  estTout = 67,8215  q = 28,823"},
        {"glycol-loop-cooled-by-water.zan", "intTout = 28,9169  estTout = 22,4674  L = 19,618"},
        {"air-heated-by-water.zan", "intTout = 79,3034  estTout = 79,5841  q = 1,047"},
        {"methanol-cooled-by-water.zan", "intPort = 0,3015  estTout = 24,5592  L = 23,453"},
        {"user-fluid.zan", "intTout = 43,8095  estTout = 55,7143  L = 12,55"},
        {"--est-outlet-given examples/co2-vapour-heater-est-outlet.zan",
         "estPort = 0,0405  intTout = 32,3  q = 1,694"},
        {"--est-outlet-given examples/nitrogen-cooler-est-outlet.zan",
         "estPort = 0,1913  intTout = 54,9792  L = 3,202"},
        {"--est-outlet-given examples/r134a-liquid-subcooler-est-outlet.zan",
         "estPort = 0,0532  intTout = 29,899  q = 1,114"},
    };
    for (const auto& row : rows) {
        const std::string file = row.file;
        const Output r = zanoCalc(file.rfind("--", 0) == 0 ? file : "examples/" + file);
        EXPECT_EQ(r.status, 0) << row.file << "\n" << r.out;
        EXPECT_NE(r.out.find(std::string("written back:  ") + row.written), std::string::npos)
            << row.file << "\n"
            << r.out;
    }
}

TEST(ZanoCalc, JsonHasTheDocumentedMembers) {
    const Output ok = zanoCalc("--json examples/water-heated-by-water.zan examples/user-fluid.zan");
    EXPECT_EQ(ok.status, 0);
    const auto firstLine = ok.out.substr(0, ok.out.find('\n'));
    for (const char* member :
         {"{\"ok\":true,\"message\":null,\"detail\":null,\"case\":{", "\"intPort\":\"0,2757\"",
          "\"results\":{\"q\":28.822864", "\"controequi\":\"contro\"",
          "\"display\":{\"Text1\":\"25\"", "\"Text27\":\"Contercurrent\"", "\"Text23\":\"28,823\""})
        EXPECT_NE(firstLine.find(member), std::string::npos) << member << "\n" << firstLine;
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 2) << "one object per line";

    // A B-mode case read without the option has no external mass flow: "Invalid data".
    const Output failed = zanoCalc("--json examples/nitrogen-cooler-est-outlet.zan 2>/dev/null");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out.rfind("{\"ok\":false,\"message\":\"Invalid data\",\"detail\":\"The mass "
                               "flow of the external fluid is empty\",\"case\":{}}",
                               0),
              0u)
        << failed.out;
}

TEST(ZanoCalc, ReportsMessagesOnStderrAndBadUseWithStatus2) {
    const Output failed = zanoCalc("examples/nitrogen-cooler-est-outlet.zan 2>&1 >/dev/null");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out,
              "examples/nitrogen-cooler-est-outlet.zan: Invalid data\n"
              "The mass flow of the external fluid is empty\n");
    EXPECT_EQ(zanoCalc("--frobnicate examples/user-fluid.zan 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("--data 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("no-such-case.zan 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("--data /nonexistent examples/user-fluid.zan 2>/dev/null").status, 2);
    const Output help = zanoCalc("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"--json", "--est-outlet-given", "--data", "exit status"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST(ZanoCalc, PrintsProfileCsvAndMargins) {
    const Output profile = zanoCalc("--profile 4 examples/user-fluid.zan");
    EXPECT_EQ(profile.status, 0);
    EXPECT_NE(profile.out.find("Fouling allowance"), std::string::npos);
    const auto table = profile.out.substr(profile.out.find("est [°C]"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 5 + 1)
        << table;  // and a blank line
    EXPECT_NE(table.find("      0.0000      20.0000      70.0000"), std::string::npos) << table;

    const Output csv = zanoCalc("--csv examples/user-fluid.zan examples/water-heated-by-water.zan");
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 3) << "one header, two rows";
    EXPECT_EQ(csv.out.rfind("q [kW],a [m^2],L [m],", 0), 0u);
    EXPECT_NE(csv.out.find("\n30,0.98565203,12.5497103,"), std::string::npos) << csv.out;

    EXPECT_EQ(zanoCalc("--profile 0 examples/user-fluid.zan 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("--profile 2,5 examples/user-fluid.zan 2>/dev/null").status, 2);
}

}  // namespace
