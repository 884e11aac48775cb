// The headless calculator run as a user runs it: on the shipped examples, with --json, and on
// bad command lines.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "properties/fluid_table.h"

// AddressSanitizer is on: GCC says so by a macro, clang by a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define ZANO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZANO_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

struct Output {
    int status = -1;
    std::string out;
};

// `memoryMiB` limits the program's address space; 0 leaves it as it is.
Output zanoCalc(const std::string& args, int memoryMiB = 0) {
    const std::string limit =
        memoryMiB > 0 ? "ulimit -v " + std::to_string(memoryMiB * 1024) + " && " : "";
    const std::string cmd = "cd '" ZANO_SOURCE_DIR "' && " + limit + "'" +
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

// What every case prints with --json is pinned by examples/*.expected and
// tests/golden/*.expected; here the options, the status and the other outputs.
TEST(ZanoCalc, JsonIsOneObjectPerLineAndNamesAFailure) {
    const Output ok = zanoCalc("--json examples/water-heated-by-water.zan examples/user-fluid.zan");
    EXPECT_EQ(ok.status, 0);
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

// Memory running out in the middle of a case (a long profile) ends that case in "Invalid data"
// with the cause and status 1; the program never aborts. The address space is limited to the
// least in which a plain case is calculated.
TEST(ZanoCalc, MemoryExhaustedEndsTheCaseInAMessage) {
#if defined(ZANO_ADDRESS_SANITIZER)
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit";
#endif
    int least = 0;
    for (int mib = 4; mib <= 256 && least == 0; mib += 2)
        if (zanoCalc("examples/user-fluid.zan >/dev/null 2>&1", mib).status == 0) least = mib;
    ASSERT_NE(least, 0);
    const Output out = zanoCalc("--profile 100000 examples/user-fluid.zan 2>&1 >/dev/null", least);
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.out,
              "examples/user-fluid.zan: Invalid data\n"
              "the calculation failed unexpectedly (not enough memory)\n");
}

}  // namespace
