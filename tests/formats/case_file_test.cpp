#include "formats/case_file.h"

#include <gtest/gtest.h>

#if defined(__unix__)
#include <sys/resource.h>

#include <csignal>
#endif

#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace zano {
namespace {

namespace fs = std::filesystem;

auto fields(const CaseData& c) {
    return std::tie(c.deti, c.spi, c.dete, c.spe, c.intTin, c.intTout, c.intPort, c.estTin,
                    c.estTout, c.estPort, c.L, c.intfluid, c.estfluid, c.mat, c.intSporc,
                    c.estSporc, c.intpress, c.estpress, c.q, c.intToutGiven, c.controequi, c.LGiven,
                    c.estToutGiven);
}

// The case held by the hand-written file tests/data/case_file_full.zan.
CaseData fullCase() {
    CaseData c;
    c.deti = "25,4", c.spi = "1,65", c.dete = "48,3", c.spe = "2,6";
    c.intTin = "80", c.intTout = "60,5", c.intPort = "0,125";
    c.estTin = "15", c.estTout = "35,2", c.estPort = "0,8", c.L = "3,75";
    c.intfluid = "Water", c.estfluid = "Ethylene Glycol 30%";
    c.mat = "Acciaio inox ° – “AISI 304”, €";
    c.intSporc = "0,0002", c.estSporc = "1E-04", c.intpress = "1", c.estpress = "2,5";
    c.q = "12,5";
    c.intToutGiven = false, c.controequi = "equi", c.LGiven = false;
    return c;
}

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string fullCaseBytes() {
    return readBytes(fs::path(ZANO_TEST_DATA) / "case_file_full.zan");
}

// Saved right after start-up: every text empty, fouling factors "0", default modes.
const std::string kDefaultBytes =
    "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
    "\"\"\r\n\"\"\r\n\"\"\r\n"
    "#TRUE#\r\n#TRUE#\r\n"
    "\"0\"\r\n\"0\"\r\n"
    "\"\"\r\n\"\"\r\n\"\"\r\n"
    "#TRUE#\r\n";

// The default file with the given lines (numbered from 1) replaced by raw texts.
std::string withLines(const std::map<int, std::string>& raw) {
    std::string out;
    std::size_t pos = 0;
    for (int i = 1; i <= 22; ++i) {
        const std::size_t end = kDefaultBytes.find("\r\n", pos);
        out += (raw.count(i) ? raw.at(i) : kDefaultBytes.substr(pos, end - pos)) + "\r\n";
        pos = end + 2;
    }
    return out;
}
std::string withLine(int line, const std::string& raw) {
    return withLines({{line, raw}});
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CaseFileError& e) {
        return e.what();
    }
    return "(no CaseFileError)";
}

TEST(CaseFile, DefaultCaseBytes) {
    EXPECT_EQ(caseFileText(CaseData{}), kDefaultBytes);
    CaseData c;
    c.controequi = "Contro";  // only the exact word means countercurrent
    EXPECT_EQ(caseFileText(c), withLine(16, "#FALSE#"));
}

TEST(CaseFile, FullCaseRoundTripsThroughHandWrittenFile) {
    const std::string bytes = fullCaseBytes();
    ASSERT_EQ(bytes.size(), 215u);
    EXPECT_EQ(caseFileText(fullCase()), bytes);
    EXPECT_EQ(fields(parseCaseFile(bytes)), fields(fullCase()));
    EXPECT_EQ(fields(loadCaseFile(fs::path(ZANO_TEST_DATA) / "case_file_full.zan")),
              fields(fullCase()));
}

TEST(CaseFile, CodePageCharacters) {
    struct Row {
        const char* utf8;
        const char* cp1252;
    };
    const std::vector<Row> rows = {{"€", "\x80"}, {"‘", "\x91"},      {"’", "\x92"}, {"“", "\x93"},
                                   {"”", "\x94"}, {"–", "\x96"},      {"—", "\x97"}, {"Š", "\x8A"},
                                   {"Ÿ", "\x9F"}, {"\u00A0", "\xA0"}, {"°", "\xB0"}, {"é", "\xE9"},
                                   {"ÿ", "\xFF"}};
    for (const Row& r : rows) {
        CaseData c;
        c.mat = std::string("x") + r.utf8;
        const std::string text = caseFileText(c);
        EXPECT_NE(text.find(std::string("\"x") + r.cp1252 + "\"\r\n#TRUE#"), text.npos) << r.utf8;
        EXPECT_EQ(parseCaseFile(text).mat, c.mat) << r.utf8;
    }
}

TEST(CaseFile, RefusesTextsTheFormatCannotHold) {
    struct Row {
        std::string CaseData::*field;
        const char* value;
        const char* label;
        const char* why;
    };
    const std::vector<Row> rows = {
        {&CaseData::intfluid, "Wa\"ter", "\"Internal fluid\"", "double quote"},
        {&CaseData::mat, "Steel\n304", "\"Wall material\"", "line break"},
        {&CaseData::deti, "25\r", "\"Outside diameter of the internal pipe\"", "line break"},
        {&CaseData::intSporc, "\"0\"", "\"Internal fouling factor\"", "double quote"},
        {&CaseData::q, "12 日", "\"Capacity\"", "U+65E5"},
        {&CaseData::estpress, "1 \u0080", "\"Pressure of the external fluid\"", "U+0080"},
        {&CaseData::estfluid, "Air\xC3", "\"External fluid\"", "not valid UTF-8"},
    };
    for (const Row& r : rows) {
        CaseData c;
        c.*r.field = r.value;
        const std::string e = errorOf([&] { caseFileText(c); });
        EXPECT_NE(e.find(r.label), e.npos) << r.value << ": " << e;
        EXPECT_NE(e.find(r.why), e.npos) << r.value << ": " << e;
    }
}

TEST(CaseFile, ShortFilesAreRefused) {
    const std::string lines21 = kDefaultBytes.substr(0, kDefaultBytes.size() - 8);
    ASSERT_EQ(lines21.substr(lines21.size() - 4), "\"\"\r\n");
    const std::vector<std::pair<std::string, const char*>> rows = {
        {"", "after 0 fields"},
        {"\r\n  \r\n", "after 0 fields"},
        {"\"25,4\"", "after 1 field;"},
        {lines21, "after 21 fields; a case file has 22"},
        {lines21 + "\r\n\r\n", "after 21 fields"},
    };
    for (const auto& [bytes, expected] : rows) {
        const std::string e = errorOf([&] { parseCaseFile(bytes); });
        EXPECT_NE(e.find(expected), e.npos) << '[' << bytes << "] -> " << e;
    }
}

TEST(CaseFile, BadBooleansNameTheLine) {
    struct Row {
        int line;
        const char* raw;
        const char* shown;
    };
    const std::vector<Row> rows = {
        {15, "maybe", "Line 15 (\"Outlet temp.\" of the internal fluid chosen) reads \"maybe\""},
        {16, "\"\"", "Line 16 (\"Countercurrent\" chosen) reads \"\""},
        {22, "yes", "Line 22 (\"Lenght [m]\" chosen) reads \"yes\""},
        {15, "#MAYBE#", "Line 15"},
        {16, "\"1,2,3\"", "Line 16"},
        {22, "1E", "Line 22"},
        {22, "Truex", "Line 22"},
    };
    for (const Row& r : rows) {
        const std::string e = errorOf([&] { parseCaseFile(withLine(r.line, r.raw)); });
        EXPECT_NE(e.find(r.shown), e.npos) << r.raw << " -> " << e;
    }
    // Every field is checked, so two faults are both named.
    const std::string e = errorOf([&] { parseCaseFile(withLines({{15, "no"}, {22, "off"}})); });
    EXPECT_NE(e.find("Line 15"), e.npos) << e;
    EXPECT_NE(e.find("Line 22"), e.npos) << e;
}

TEST(CaseFile, BooleanSpellings) {
    const std::vector<std::pair<const char*, bool>> rows = {
        {"#TRUE#", true},     {"#FALSE#", false},   {"True", true}, {"FALSE", false},
        {"tRuE", true},       {"\"False\"", false}, {"0", false},   {"1", true},
        {"-1", true},         {"\"0,0\"", false},   {"0.0", false}, {"\"2,5\"", true},
        {"0.001", true},      {"  1  ", true},      {"1E3", true},  {"-0e5", false},
        {"\"#TRUE#\"", true},
    };
    for (const auto& [raw, expected] : rows) {
        const CaseData c = parseCaseFile(withLines({{15, raw}, {16, raw}, {22, raw}}));
        EXPECT_EQ(c.intToutGiven, expected) << raw;
        EXPECT_EQ(c.controequi, expected ? "contro" : "equi") << raw;
        EXPECT_EQ(c.LGiven, expected) << raw;
    }
}

TEST(CaseFile, LineEndsSeparatorsAndExtraFields) {
    const std::string crlf = fullCaseBytes();
    std::string lf, commas;
    for (char ch : crlf) {
        if (ch != '\r') lf += ch;
        if (ch != '\r') commas += ch == '\n' ? ',' : ch;
    }
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"LF only", lf},
        {"one line, commas", commas},
        {"no final line end", crlf.substr(0, crlf.size() - 2)},
        {"fields past 22", crlf + "\"extra\",maybe\r\n#FALSE#\r\n"},
    };
    for (const auto& [name, bytes] : rows)
        EXPECT_EQ(fields(parseCaseFile(bytes)), fields(fullCase())) << name;

    // A blank line is an empty field: line 2 left blank does not shift the others.
    CaseData blank = fullCase();
    blank.spi.clear();
    std::string blankLine = lf;
    blankLine.replace(blankLine.find("\"1,65\""), 6, "");
    EXPECT_EQ(fields(parseCaseFile(blankLine)), fields(blank));
}

TEST(CaseFile, FieldReadingRules) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"  \"Steel, AISI 304\"  ", "Steel, AISI 304"},  // commas inside quotes, blanks around
        {"\"abc\"junk after", "abc"},                    // skipped up to the line end
        {"  \"  padded  \"", "  padded  "},              // blanks inside quotes kept
        {"   Steel 304 \t", "Steel 304"},                // unquoted: blanks trimmed
        {"#TRUE#", "True"},
    };
    for (const auto& [raw, expected] : rows)
        EXPECT_EQ(parseCaseFile(withLine(14, raw)).mat, expected) << raw;
}

class SaveCaseFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zano_case_file_test_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::set<std::string> listing() const {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            names.insert(fs::relative(e.path(), dir).string());
        return names;
    }
    void write(const fs::path& p, const std::string& bytes) const {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    fs::path dir;
};

TEST_F(SaveCaseFile, WritesTheNameAsGivenAndReplacesAnOldCase) {
    saveCaseFile(dir / "case", CaseData{});
    EXPECT_EQ(listing(), std::set<std::string>{"case"});
    EXPECT_EQ(readBytes(dir / "case"), kDefaultBytes);

    saveCaseFile(dir / "case", fullCase());
    EXPECT_EQ(listing(), std::set<std::string>{"case"});
    EXPECT_EQ(readBytes(dir / "case"), fullCaseBytes());
    EXPECT_EQ(fields(loadCaseFile(dir / "case")), fields(fullCase()));
}

TEST_F(SaveCaseFile, FailedSaveLeavesOldCaseIntact) {
    const std::string old = fullCaseBytes();
    CaseData quoted;
    quoted.mat = "\"inox\"";
    struct Row {
        const char* name;
        fs::path target;
        CaseData c;
    };
    const std::vector<Row> rows = {
        {"folder missing", dir / "missing" / "new.zan", CaseData{}},
        {"parent is a file", dir / "old.zan" / "new.zan", CaseData{}},
        {"target is a folder", dir / "sub", CaseData{}},
        {"text refused", dir / "old.zan", quoted},
    };
    for (const Row& r : rows) {
        write(dir / "old.zan", old);
        fs::create_directories(dir / "sub");
        write(dir / "sub" / "keep", "x");
        const auto before = listing();
        const std::string e = errorOf([&] { saveCaseFile(r.target, r.c); });
        EXPECT_NE(e.find(r.target.string()), e.npos) << r.name << ": " << e;
        EXPECT_EQ(readBytes(dir / "old.zan"), old) << r.name;
        EXPECT_EQ(listing(), before) << r.name;
    }
}

TEST_F(SaveCaseFile, ReadOnlyFolder) {
    write(dir / "old.zan", kDefaultBytes);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(dir / "probe")) GTEST_SKIP() << "the folder stays writable (root)";
    const std::string e = errorOf([&] { saveCaseFile(dir / "old.zan", fullCase()); });
    EXPECT_NE(e.find("old.zan"), e.npos) << e;
    EXPECT_EQ(readBytes(dir / "old.zan"), kDefaultBytes);
    EXPECT_EQ(listing(), std::set<std::string>{"old.zan"});
}

#if defined(__unix__)
// A file size limit makes the write fail part way, as a full disk does, even for root.
TEST_F(SaveCaseFile, WriteFailureLeavesOldCaseIntact) {
    write(dir / "old.zan", kDefaultBytes);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string e;
    try {
        saveCaseFile(dir / "old.zan", fullCase());
    } catch (const CaseFileError& x) {
        e = x.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);  // before anything is printed
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(e.find("old.zan\". Writing the file failed"), e.npos) << e;
    EXPECT_EQ(readBytes(dir / "old.zan"), kDefaultBytes);
    EXPECT_EQ(listing(), std::set<std::string>{"old.zan"});
}
#endif

TEST_F(SaveCaseFile, LoadFailuresNameTheFile) {
    for (const fs::path& p : {dir / "absent.zan", dir}) {
        const std::string e = errorOf([&] { loadCaseFile(p); });
        EXPECT_NE(e.find("Cannot open \"" + p.string() + "\""), e.npos) << e;
    }
    write(dir / "short.zan", "\"25,4\"\r\n");
    const std::string e = errorOf([&] { loadCaseFile(dir / "short.zan"); });
    EXPECT_NE(e.find("short.zan"), e.npos) << e;
    EXPECT_NE(e.find("after 1 field"), e.npos) << e;
}

}  // namespace
}  // namespace zano
