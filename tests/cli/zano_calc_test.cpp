// The headless calculator run as a user runs it: on the shipped examples, with --json, and on
// bad command lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "scratch_files.h"

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

using zano::testing::fileBytes;
namespace fs = std::filesystem;

// The nitrogen example as a file that does not store its external outlet mode (its 22 lines), as
// cases were saved before the mode was stored; its path.
std::string withoutStoredMode(const zano::testing::ScratchDir& dir) {
    const std::string bytes = fileBytes(ZANO_SOURCE_DIR "/examples/nitrogen-cooler-est-outlet.zan");
    std::size_t end = 0;
    for (int line = 0; line < 22; ++line) end = bytes.find("\r\n", end) + 2;
    return dir.write("nitrogen-22-lines.zan", bytes.substr(0, end)).string();
}

// Command lines as a user types them, each run's status and output kept in
// tests/cli/golden/runs.txt (what every case prints with --json alone is pinned by the golden
// cases). The file name of a case that does not store its mode is shown as <case>.
TEST(ZanoCalc, RunsAsTheGoldenTranscriptSays) {
    const zano::testing::ScratchDir dir;
    const std::string old = withoutStoredMode(dir), user = " examples/user-fluid.zan";
    const std::string rows[] = {
        // A case file that stores the external outlet mode is calculated in it, option or not;
        // one that does not, read without the option, has no external mass flow.
        "--json examples/nitrogen-cooler-est-outlet.zan",
        "--json --est-outlet-given examples/nitrogen-cooler-est-outlet.zan",
        "--json '" + old + "' 2>/dev/null",
        "'" + old + "' 2>&1 >/dev/null",
        // Bad use: status 2.
        "--frobnicate" + user + " 2>&1",
        "2>/dev/null",
        "--data 2>/dev/null",
        "no-such-case.zan 2>&1",
        "--data /nonexistent" + user + " 2>&1",
        "--profile 0" + user + " 2>&1",
        "--profile 2,5" + user + " 2>&1",
        "--correlations modern" + user + " 2>&1",
        "--set hairpins=2,5" + user + " 2>&1",
        "--set Hairpin=2" + user + " 2>&1",
        "--set =2" + user + " 2>&1",
        "--help",
        // The outputs beside the JSON: the profile and the margins, CSV, the film breakdown
        // with the other set beside it (and the line that warns where they differ by 20 %).
        "--profile 4" + user,
        "--csv" + user + " examples/water-heated-by-water.zan",
        "--films" + user,
        "--films examples/air-heated-by-water.zan",
        "--csv --films" + user,
        // Fields and settings set over the file's: the hairpins set give the length.
        "--set hairpinLength=2 --set HAIRPINS=' 4 ' --set intTin=20 "
        "examples/water-heated-by-water.zan 2>&1",
        // Sweeps: a fouling factor; hairpins with values that are no count, whose rows say so
        // (status 1); the JSON of two points; bad sweeps (status 2).
        "--sweep intSporc=0:0,0004:2 examples/water-heated-by-water.zan",
        "--set hairpinLength=2 --sweep HAIRPINS=3:5:4 examples/water-heated-by-water.zan 2>&1",
        "--json --sweep estPort=0,3:0,5:1 examples/water-heated-by-water.zan",
        "--sweep intfluid=1:2:2" + user + " 2>&1",
        "--sweep dutyFrom=1:2:2" + user + " 2>&1",
        "--sweep intTin=a:2:2" + user + " 2>&1",
        "--sweep intTin=1:2:2,5" + user + " 2>&1",
        "--sweep q=1:2:2 examples/water-heated-by-water.zan 2>&1",
        // A design search around a duty from a stream's outlet: its duty, and candidates with the
        // fluids swapped among those that meet every limit.
        "--design --leg 3 tests/golden/duty-from-the-external-outlet.zan | sed -n 1,3p",
        // The same in US customary units, a leg typed in ft: the CSV's headings and first row,
        // and a limit out of range, said in psi.
        "--design --units us --leg 10 --csv tests/golden/duty-from-the-external-outlet.zan "
        "| sed -n 1,2p",
        "--design --units us --int-dp 20000 tests/golden/duty-from-the-external-outlet.zan 2>&1",
        // US customary units with a decimal point: the text with what makes up U and the
        // profile, the CSV, a sweep typed in US units (°F); bad choices (status 2).
        "--units us --decimal point --films --profile 2 examples/water-heated-by-water.zan",
        "--units us --csv examples/water-heated-by-water.zan",
        "--units us --sweep intTin=50:68:2 examples/water-heated-by-water.zan",
        "--units imperial" + user + " 2>&1",
        "--units us --decimal dot" + user + " 2>&1",
        // The pipe catalogue, which calculates nothing.
        "--pipes",
        "--pipes" + user + " 2>&1",
        "--pipes --data /nonexistent 2>&1",
    };
    std::string runs;
    for (const std::string& args : rows) {
        const Output out = zanoCalc(args);
        runs += "> " + args + "\nstatus " + std::to_string(out.status) + "\n" + out.out;
    }
    for (std::size_t at; (at = runs.find(old)) != std::string::npos;)
        runs.replace(at, old.size(), "<case>");
    EXPECT_EQ(golden_text::mismatch("cli/golden/runs.txt", runs), "");
}

// The text after "key": in a JSON document, from `from` on, to the next comma, brace or line end.
std::string jsonValue(const std::string& json, const std::string& key, std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos) return "(none)";
    const std::size_t start = at + key.size() + 4;
    return json.substr(start, json.find_first_of(",}\n", start) - start);
}

// A design search on a case of its own (a length given: its capacity is the duty): the list as
// the golden file says and the same on one thread and two, the feasible ones by their surface,
// a failure listed with the limit it broke, and the best written as a case that, calculated
// alone, meets its allowances and gives the figures the list showed; in SI, and in US customary
// units with the limits typed in psi, in and ft.
TEST(ZanoCalc, DesignSearchListsWhatEachCandidateGivesAlone) {
    const zano::testing::ScratchDir dir;
    const std::string around =
        "--design tests/cli/golden/design-brine-cooler.zan --standard 'ASME B36.10M' "
        "--schedule 'Sch 40' --min-over-surface 5 --failed 6";
    const std::string search = around + " --inner-od 30:43 --leg 3 --leg 6 --int-dp 30 --est-dp 30";
    EXPECT_EQ(golden_text::mismatch("cli/golden/design.txt", zanoCalc(search).out), "");
    const struct {
        std::string search, surface, U, dp;
    } systems[] = {
        {search, "surfaceBuilt_m2", "overallCoefficient_W_m2K", "pressureDropBuilt_kPa"},
        {around + " --units us --inner-od 1.18:1.7 --leg 10 --leg 20 --int-dp 4.35 --est-dp 4.35",
         "surfaceBuilt_ft2", "overallCoefficient_Btu_hft2F", "pressureDropBuilt_psi"},
    };
    for (const auto& [search, surface, U, dp] : systems) {
        SCOPED_TRACE(search);
        const Output one = zanoCalc(search + " --json --threads 1");
        ASSERT_EQ(one.status, 0);
        EXPECT_EQ(one.out, zanoCalc(search + " --json --threads 2").out);
        const std::size_t failed = one.out.find("\"nearestFailed\"");
        double last = 0;
        for (std::size_t at = 0; (at = one.out.find("\"" + surface + "\"", at + 1)) < failed;) {
            EXPECT_LE(last, std::stod(jsonValue(one.out, surface, at)));
            last = std::stod(jsonValue(one.out, surface, at));
        }
        EXPECT_NE(one.out.find("{\"limit\": \"pressureDrop\"", failed), std::string::npos);

        const std::string best = (dir.path / "best.zan").string();
        ASSERT_EQ(zanoCalc(search + " --design-pick 1 --out '" + best + "'").status, 0);
        const std::string units =
            search.find("--units us") == std::string::npos ? "" : "--units us ";
        const Output alone = zanoCalc("--json " + units + "'" + best + "'");
        ASSERT_EQ(alone.status, 0);
        EXPECT_EQ(jsonValue(alone.out, "notes"), "[]");
        const std::size_t external = alone.out.find("\"external\"");
        const std::pair<std::string, std::string> figures[] = {
            {jsonValue(one.out, "hairpins"), jsonValue(alone.out, "hairpins")},
            {jsonValue(one.out, "overSurface_percent"),
             jsonValue(alone.out, "overSurface_percent")},
            {jsonValue(one.out, U), jsonValue(alone.out, U)},
            {jsonValue(one.out, dp), jsonValue(alone.out, dp)},
            {jsonValue(one.out, dp, one.out.find("\"annulus\"")),
             jsonValue(alone.out, dp, external)},
        };
        for (const auto& [listed, calculated] : figures) {
            EXPECT_NE(listed, "(none)");
            EXPECT_EQ(listed, calculated);
        }
    }
}

// The page goes into a pipe as any tool's output does (--report /dev/stdout), and never over a
// file that the run reads: the case itself, or a table.
TEST(ZanoCalc, ReportGoesIntoAPipeAndNeverOverAnInput) {
    // A scratch copy of the case and of the data folder: a failure here must not spoil either.
    const zano::testing::ScratchDir scratch;
    const fs::path& dir = scratch.path;
    fs::copy(ZANO_SOURCE_DIR "/data", dir / "data");
    const fs::path self = dir / "self.zan";
    fs::copy_file(ZANO_SOURCE_DIR "/examples/user-fluid.zan", self);
    const fs::path inputs[] = {self, dir / "data" / "Water.dat", dir / "data" / "condmat.dat"};
    for (const fs::path& input : inputs) {
        const std::string before = fileBytes(input);
        const Output over = zanoCalc("--data '" + (dir / "data").string() + "' --report '" +
                                     input.string() + "' '" + self.string() + "' 2>&1");
        EXPECT_EQ(over.status, 2) << input;
        EXPECT_EQ(fileBytes(input), before) << input;
        if (over.out.find("not part of this build") != std::string::npos) GTEST_SKIP();
        EXPECT_NE(over.out.find("which this run reads"), std::string::npos) << over.out;
    }
    const Output piped =
        zanoCalc("--report /dev/stdout examples/user-fluid.zan | grep -a -c '^%%EOF'");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, "1\n");
}

// A fluid named after a table of the user's own calculates wherever that table lies, in the
// user's data folder here; where it is missing, the message names the table.
TEST(ZanoCalc, CalculatesWithATableOfTheUsersOwn) {
    const zano::testing::ScratchDir scratch;
    const fs::path& home = scratch.path;
    fs::create_directories(home / "ZANO" / "data");
    fs::copy_file(ZANO_SOURCE_DIR "/data/Water.dat", home / "ZANO" / "data" / "Cooling water.dat");
    std::string bytes = fileBytes(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan");
    bytes.replace(bytes.find("\"Water\""), 7, "\"Cooling water\"");
    const std::string zan = scratch.write("own-table.zan", bytes).string();

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
    const zano::testing::ScratchDir scratch;
    const fs::path& dir = scratch.path;
    fs::create_directories(dir / "data");
    fs::create_directories(dir / "xdg");
    const auto file = [&](const std::string& name, const std::string& text) {
        return "'" + scratch.write(name, text).string() + "'";
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
    // golden file.
    const std::string rows[] = {
        "--import-table " + bomCsv + " --name 'User defined'" + data,
        "--name Oil --import-table " + crCsv,
        "--import-table " + crCsv + " --name Oil",
        "--import-table " + bomCsv + " --name Oil --replace",
        "--import-table " + file("typo.csv", "2O;1;1;1;1\n40;1;1;1;1\n") + " --name Oil2",
        "--import-table " + file("units.csv", "20;1;4180;1;1\n40;1;4180;1;1\n") + " --name Oil2",
        "--import-table '" + (dir / "pipe.csv").string() + "' --name Oil2",
        "--import-table /dev/zero --name Oil2",
        "--import-table " + bomCsv + " --name Water",
        "--import-table " + bomCsv,
        "--import-table " + bomCsv + " --name Oil3 examples/user-fluid.zan",
    };
    setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
    const auto shown = [&dir](std::string text) {
        for (std::size_t at; (at = text.find(dir.string())) != std::string::npos;)
            text.replace(at, dir.string().size(), "<dir>");
        return text;
    };
    std::string runs;
    for (const std::string& args : rows) {
        const Output out = zanoCalc(args + " 2>&1");
        runs +=
            "> " + shown(args) + "\nstatus " + std::to_string(out.status) + "\n" + shown(out.out);
    }
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(golden_text::mismatch("cli/golden/import_table.txt", runs), "");
    // The tables saved hold the import of the text (Oil the one that replaced the first).
    const std::string imported = zano::importedTableText(zano::parseFluidTable(bom));
    EXPECT_EQ(fileBytes(dir / "data/User defined.dat"), imported);
    EXPECT_EQ(fileBytes(dir / "xdg/ZANO/data/Oil.dat"), imported);
    EXPECT_FALSE(fs::exists(dir / "xdg/ZANO/data/Oil2.dat"));
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
