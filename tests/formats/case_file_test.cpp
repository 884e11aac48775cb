// Case files read from the bytes under tests/formats/reads and written from cases, each result
// set down in tests/formats/golden (make golden rewrites them); saving and loading on disk.
#include "formats/case_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "formats/results_display.h"
#include "golden_text.h"
#include "hostile_files.h"
#include "records/case_fields.h"
#include "scratch_files.h"

namespace zano {
namespace {

namespace fs = std::filesystem;

const fs::path kReads = fs::path(ZANO_SOURCE_DIR) / "tests" / "formats" / "reads";

using testing::fileBytes;

// Every text of the case in its file order, then the modes (the external outlet mode only when
// it is chosen).
std::string describe(const CaseData& c) {
    std::string out;
    for (const CaseField& f : kCaseFields) out += std::string(f.name) + ": " + c.*f.text + "\n";
    out += "intToutGiven: " + std::to_string(c.intToutGiven) +
           ", controequi: " + arrangementWord(c.controequi) +
           ", LGiven: " + std::to_string(c.LGiven) + (c.estToutGiven ? ", estToutGiven: 1" : "") +
           (c.correlations == CorrelationSet::Refined ? ", correlations: Refined" : "") + "\n";
    for (const DocumentField& d : kDocumentFields)
        if (!(c.*d.text).empty()) out += std::string(d.caption) + ": [" + c.*d.text + "]\n";
    return out;
}

template <typename F>
std::string outcome(F f) {
    try {
        return f();
    } catch (const CaseFileError& e) {
        return std::string("error: ") + e.what() + "\n";
    }
}

TEST(CaseFile, ReadsEveryLayoutAndRefusesWhatItCannotRead) {
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(kReads)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::string out;
    for (const fs::path& file : files)
        out += "== " + file.filename().string() + "\n" +
               outcome([&] { return describe(parseCaseFile(fileBytes(file))); });
    EXPECT_EQ(golden_text::mismatch("formats/golden/case_file_reads.txt", out), "");
}

// The case a line of tests/formats/golden/case_file_texts.txt describes: "full-case.zan", or
// settings and texts
// ("estToutGiven; refined; mat=Steel"; a document field named twice takes both texts) on the
// default case.
CaseData caseOf(std::string settings) {
    if (settings == "full-case.zan") return parseCaseFile(fileBytes(kReads / settings));
    CaseData c;
    for (std::size_t end; !settings.empty();
         settings.erase(0, end == settings.npos ? end : end + 2)) {
        end = settings.find("; ");
        const std::string s = settings.substr(0, end), name = s.substr(0, s.find('='));
        if (s == "estToutGiven") c.intToutGiven = false, c.estToutGiven = true;
        if (s == "refined") c.correlations = CorrelationSet::Refined;
        for (const CaseField& f : kCaseFields)
            if (name == f.name) c.*f.text = golden_text::expanded(s.substr(name.size() + 1));
        for (const DocumentField& d : kDocumentFields)
            if (name == d.caption) c.*d.text += golden_text::expanded(s.substr(name.size() + 1));
    }
    return c;
}

// Written in the code page, it reads back as the same case; a text the format cannot hold is
// refused.
TEST(CaseFile, WritesTheCodePageAndRefusesTextsTheFormatCannotHold) {
    const std::string file = "formats/golden/case_file_texts.txt";
    const std::string out = golden_text::table(file, [](const std::string&, const std::string& s) {
        const CaseData c = caseOf(s);
        const std::string written = outcome([&] {
            const std::string bytes = caseFileText(c);
            EXPECT_EQ(describe(parseCaseFile(bytes)), describe(c)) << s;
            EXPECT_EQ(parseCaseFile(bytes).hairpinLength, c.hairpinLength) << s;
            return golden_text::escaped(bytes) + "\n";
        });
        return written.substr(0, written.size() - 1);
    });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
    EXPECT_EQ(caseFileText(caseOf("full-case.zan")), fileBytes(kReads / "full-case.zan"));
}

using SaveCaseFile = testing::ScratchTest;

TEST_F(SaveCaseFile, ReplacesAnOldCaseAndReadsItBack) {
    const CaseData full = parseCaseFile(fileBytes(kReads / "full-case.zan"));
    saveCaseFile(dir_ / "case", CaseData{});
    saveCaseFile(dir_ / "case", full);
    EXPECT_EQ(testing::listing(dir_), std::set<std::string>{"case"});
    EXPECT_EQ(describe(loadCaseFile(dir_ / "case")), describe(full));
}

TEST_F(SaveCaseFile, AFailedSaveLeavesTheOldCaseAndNamesTheFile) {
    const std::string old = fileBytes(kReads / "full-case.zan");
    CaseData quoted;
    quoted.mat = "\"inox\"";
    const struct {
        const char* name;
        fs::path target;
        CaseData c;
    } rows[] = {
        {"folder missing", dir_ / "missing" / "new.zan", CaseData{}},
        {"text refused", dir_ / "old.zan", quoted},
    };
    for (const auto& r : rows) {
        std::ofstream(dir_ / "old.zan", std::ios::binary) << old;
        const auto before = testing::listing(dir_);
        const std::string e = outcome([&] {
            saveCaseFile(r.target, r.c);
            return std::string();
        });
        EXPECT_NE(e.find(r.target.string()), e.npos) << r.name << ": " << e;
        EXPECT_EQ(fileBytes(dir_ / "old.zan"), old) << r.name;
        EXPECT_EQ(testing::listing(dir_), before) << r.name;
    }
    for (const fs::path& p : {dir_ / "absent.zan", dir_}) {
        const std::string e = outcome([&] { return describe(loadCaseFile(p)); });
        EXPECT_NE(e.find("Cannot open \"" + p.string() + "\""), e.npos) << e;
    }
}

// Refused at once unless a regular file within the cap; the answers set down in
// tests/formats/golden/hostile_files.txt.
TEST_F(SaveCaseFile, AHostileFileIsRefusedAtOnceUnlessARegularFileWithinTheCap) {
    const std::string full = fileBytes(kReads / "full-case.zan");
    const std::string out =
        testing::hostileAnswers(dir_, kMaxCaseFileBytes, full, [&](const fs::path& p) {
            const std::string got = outcome([&] { return describe(loadCaseFile(p)); });
            return got == describe(parseCaseFile(full)) ? "read" : got;
        });
    EXPECT_EQ(golden_text::mismatch("formats/golden/hostile_files.txt", out), "");
}

}  // namespace
}  // namespace zano
