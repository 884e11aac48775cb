// The headless calculator run as a user runs it: on the shipped examples, with --json, and on
// bad command lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "golden_text.h"
#include "properties/fluid_table.h"
#include "properties/table_import.h"

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

// The nitrogen example as a file that does not store its external outlet mode (its 22 lines), as
// cases were saved before the mode was stored; its path.
std::string withoutStoredMode() {
    std::ifstream in(ZANO_SOURCE_DIR "/examples/nitrogen-cooler-est-outlet.zan", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::size_t end = 0;
    for (int line = 0; line < 22; ++line) end = bytes.find("\r\n", end) + 2;
    const std::string path = ::testing::TempDir() + "nitrogen-22-lines.zan";
    std::ofstream(path, std::ios::binary) << bytes.substr(0, end);
    return path;
}

// What every case prints with --json is pinned by examples/*.expected and
// tests/golden/*.expected; here the options, the status and the other outputs.
TEST(ZanoCalc, JsonIsOneDocumentPerCaseAndNamesAFailure) {
    const Output ok = zanoCalc("--json examples/water-heated-by-water.zan examples/user-fluid.zan");
    EXPECT_EQ(ok.status, 0);
    std::size_t documents = 0;
    for (std::size_t at = 0; (at = ok.out.find("\n}\n", at)) != std::string::npos; ++at)
        ++documents;
    EXPECT_EQ(documents, 2u) << "one document per case";

    // A case file that stores the external outlet mode is calculated in it, option or not.
    const Output stored = zanoCalc("--json examples/nitrogen-cooler-est-outlet.zan");
    EXPECT_EQ(stored.status, 0) << stored.out;
    EXPECT_EQ(stored.out,
              zanoCalc("--json --est-outlet-given examples/nitrogen-cooler-est-outlet.zan").out);

    // One that does not store it, read without the option, has no external mass flow.
    const Output failed = zanoCalc("--json '" + withoutStoredMode() + "' 2>/dev/null");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out,
              "{\n  \"ok\": false,\n  \"message\": \"Invalid data\",\n  \"detail\": \"The mass "
              "flow of the external fluid is empty\",\n  \"notes\": [],\n  \"found\": {}\n}\n");
}

TEST(ZanoCalc, ReportsMessagesOnStderrAndBadUseWithStatus2) {
    const std::string file = withoutStoredMode();
    const Output failed = zanoCalc("'" + file + "' 2>&1 >/dev/null");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, file + ": Invalid data\nThe mass flow of the external fluid is empty\n");
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

// The page goes into a pipe as any tool's output does (--report /dev/stdout), and never over a
// file that the run reads: the case itself, or a table.
TEST(ZanoCalc, ReportGoesIntoAPipeAndNeverOverAnInput) {
    namespace fs = std::filesystem;
    // A scratch copy of the case and of the data folder: a failure here must not spoil either.
    const fs::path dir = fs::path(::testing::TempDir()) / "zano-report-inputs";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(ZANO_SOURCE_DIR "/data", dir / "data");
    const fs::path self = dir / "self.zan";
    fs::copy_file(ZANO_SOURCE_DIR "/examples/user-fluid.zan", self);
    const auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    };
    const fs::path inputs[] = {self, dir / "data" / "Water.dat", dir / "data" / "condmat.dat"};
    for (const fs::path& input : inputs) {
        const std::string before = bytes(input);
        const Output over = zanoCalc("--data '" + (dir / "data").string() + "' --report '" +
                                     input.string() + "' '" + self.string() + "' 2>&1");
        EXPECT_EQ(over.status, 2) << input;
        EXPECT_EQ(bytes(input), before) << input;
        if (over.out.find("not part of this build") != std::string::npos) GTEST_SKIP();
        EXPECT_NE(over.out.find("which this run reads"), std::string::npos) << over.out;
    }
    const Output piped =
        zanoCalc("--report /dev/stdout examples/user-fluid.zan | grep -a -c '^%%EOF'");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, "1\n");
    fs::remove_all(dir);
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
    EXPECT_EQ(csv.out.rfind("Capacity [kW],Surface [m^2],Lenght [m],", 0), 0u) << csv.out;
    EXPECT_NE(csv.out.find("\n30,0.985652,12.54971,"), std::string::npos) << csv.out;

    EXPECT_EQ(zanoCalc("--profile 0 examples/user-fluid.zan 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("--profile 2,5 examples/user-fluid.zan 2>/dev/null").status, 2);
    EXPECT_EQ(zanoCalc("--correlations modern examples/user-fluid.zan 2>/dev/null").status, 2);
    // The film breakdown in text: a line per quantity, the resistances with their shares.
    const Output films = zanoCalc("--films examples/user-fluid.zan");
    EXPECT_NE(films.out.find("Film resistance"), std::string::npos) << films.out;
    EXPECT_NE(films.out.find("Flow regime                            turbulent"), std::string::npos)
        << films.out;
    EXPECT_EQ(films.out.find("differ by"), std::string::npos) << films.out;
    // The other set beside it, and the line that warns where they differ by more than 20 %.
    const Output air = zanoCalc("--films examples/air-heated-by-water.zan");
    EXPECT_NE(air.out.find("Refined set: U 39,83 W/(m^2 K), capacity 1,036 kW"), std::string::npos)
        << air.out;
    EXPECT_NE(air.out.find("The two correlation sets differ by 31 % in U"), std::string::npos)
        << air.out;
    // And in CSV, the film columns.
    const Output filmsCsv = zanoCalc("--csv --films examples/user-fluid.zan");
    EXPECT_NE(filmsCsv.out.find("Nusselt number (internal pipe)"), std::string::npos)
        << filmsCsv.out;
}

// A fluid named after a table of the user's own calculates wherever that table lies, in the
// user's data folder here; where it is missing, the message names the table.
TEST(ZanoCalc, CalculatesWithATableOfTheUsersOwn) {
    namespace fs = std::filesystem;
    const fs::path home = fs::path(::testing::TempDir()) / "zano-xdg";
    fs::remove_all(home);
    fs::create_directories(home / "ZANO" / "data");
    fs::copy_file(ZANO_SOURCE_DIR "/data/Water.dat", home / "ZANO" / "data" / "Cooling water.dat");
    std::ifstream in(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan", std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    bytes.replace(bytes.find("\"Water\""), 7, "\"Cooling water\"");
    const std::string zan = (home / "own-table.zan").string();
    std::ofstream(zan, std::ios::binary) << bytes;

    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const Output own = zanoCalc("'" + zan + "'");
    fs::remove(home / "ZANO" / "data" / "Cooling water.dat");
    const Output missing = zanoCalc("'" + zan + "' 2>&1");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(own.status, 0) << own.out;
    EXPECT_NE(own.out.find("q = 28,823"), std::string::npos) << own.out;  // as with "Water"
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("(no table \"Cooling water.dat\" in the data folders)"),
              std::string::npos)
        << missing.out;
}

// --import-table takes a table as Options > Import table does: the same checks and messages, the
// same file written, into --data DIR or, for a name of one's own, the user's folder. Status 0
// when saved, 1 when the table is refused, 2 for a bad command line, a file that cannot be read
// or a table that cannot be saved.
TEST(ZanoCalc, ImportsATableAsTheWindowDoes) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "zano-import";
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
    fs::create_directories(dir / "xdg");
    const auto file = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return "'" + (dir / name).string() + "'";
    };
    const std::string bom =
        "\xEF\xBB\xBF"
        "20;998,2;4,18;0,6;0,001\r\n40;992,2;4,18;0,63;0,00065\r\n"
        "60;983,2;4,18;0,65;0,00047\r\n";
    const std::string cr =
        "T\trho\tcp\tk\tmu\r20\t890\t1.9\t0.145\t0.8\r80\t850\t2.1\t0.138\t0.03\r";
    const std::string bomCsv = file("bom.csv", bom), crCsv = file("cr.csv", cr);
    ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
    const std::string data = " --data '" + (dir / "data").string() + "'";
    // Each run's status and output (stdout and stderr, the folder as <dir>) are kept in the
    // golden file; here the arguments, and the file a saved table must hold.
    const struct {
        std::string args;
        std::string saved;      // the file written, under dir
        std::string savedFrom;  // the text whose import it holds
    } rows[] = {
        {"--import-table " + bomCsv + " --name 'User defined'" + data, "data/User defined.dat",
         bom},
        {"--name Oil --import-table " + crCsv, "xdg/ZANO/data/Oil.dat", cr},
        {"--import-table " + crCsv + " --name Oil", "", ""},
        {"--import-table " + bomCsv + " --name Oil --replace", "xdg/ZANO/data/Oil.dat", bom},
        {"--import-table " + file("typo.csv", "2O;1;1;1;1\n40;1;1;1;1\n") + " --name Oil2", "", ""},
        {"--import-table " + file("units.csv", "20;1;4180;1;1\n40;1;4180;1;1\n") + " --name Oil2",
         "", ""},
        {"--import-table '" + (dir / "pipe.csv").string() + "' --name Oil2", "", ""},
        {"--import-table /dev/zero --name Oil2", "", ""},
        {"--import-table " + bomCsv + " --name Water", "", ""},
        {"--import-table " + bomCsv, "", ""},
        {"--import-table " + bomCsv + " --name Oil3 examples/user-fluid.zan", "", ""},
    };
    setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    const auto shown = [&dir](std::string text) {
        for (std::size_t at; (at = text.find(dir.string())) != std::string::npos;)
            text.replace(at, dir.string().size(), "<dir>");
        return text;
    };
    std::string runs;
    for (const auto& r : rows) {
        const Output out = zanoCalc(r.args + " 2>&1");
        runs +=
            "> " + shown(r.args) + "\nstatus " + std::to_string(out.status) + "\n" + shown(out.out);
        if (r.saved.empty()) continue;
        std::ifstream in(dir / r.saved, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  zano::importedTableText(zano::parseFluidTable(r.savedFrom)))
            << r.args;
    }
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(golden_text::mismatch("cli/golden/import_table.txt", runs), "");
    EXPECT_FALSE(fs::exists(dir / "xdg/ZANO/data/Oil2.dat"));
    const Output help = zanoCalc("--help");
    for (const char* word : {"--import-table", "--name", "--replace"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
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
