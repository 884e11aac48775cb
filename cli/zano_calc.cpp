// zano-calc: the headless calculator. Calculates case files with the same driver as the
// desktop program and prints the written-back fields and the results.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/atomic_write.h"
#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "cli/case_output.h"
#include "cli/design_cli.h"
#include "cli/sweep_cli.h"
#include "formats/case_file.h"
#include "formats/result_schema.h"
#include "properties/data_folder.h"
#include "properties/fluid_names.h"
#include "properties/fluid_table.h"
#include "properties/table_import.h"
#include "properties/user_fluid.h"
#include "properties/wall_materials.h"
#include "records/case_sweep.h"
#include "solver/case_run.h"

#ifdef ZANO_CALC_REPORT
#include <QGuiApplication>
#include <QString>

#include "report/report_page.h"
#endif

namespace {

const char* kUsage = R"(usage: zano-calc [options] CASE.zan [CASE.zan ...]
       zano-calc --import-table FILE --name NAME [--replace] [--data DIR]
       zano-calc --pipes [--data DIR]
       zano-calc --design CASE.zan [design options, below]
       zano-calc --sweep NAME=FROM:TO:STEPS [--json] [options] CASE.zan

Calculates each case file and prints the output fields that the calculation writes back
(capacity or length, and the two sought temperatures or mass flows) and the results as the
results window shows them.

options:
  --json              each case as one JSON document, one value a line: ok, message,
                      detail, notes, the values found, then (with results) the
                      exchanger's figures and each pipe's, the unit in each key; the
                      hairpins as built where the case has a hairpin length, the other
                      set's figures with --films, the profile with --profile
  --csv               the results as CSV: a header row with units, then one row per
                      calculated case (decimal point)
  --profile N         the temperatures of both streams at N+1 evenly spaced points
                      from the internal inlet (x = 0) to the outlet (x = L); the JSON
                      of a case with a stream in branches adds profileAsBuilt, the
                      hairpins as built stream by stream
  --films             also what makes up the overall coefficient: each side's flow regime,
                      Reynolds, Prandtl and Nusselt numbers and film coefficient, the wall
                      temperature and the resistances in series with their shares of 1/U,
                      and the other correlation sets' U and capacity or length for the
                      same case (text and JSON; with --csv, further columns)
  --correlations SET  "classic", "refined" or "textbook": the film and friction rules for
                      every case, over the choice a case file stores (default: the file's,
                      else classic)
  --est-outlet-given  the external outlet temperature is given and the external mass flow
                      found, for case files that do not store this choice (without the
                      option, and without the choice in the file, the external mass flow
                      is given)
  --report FILE.pdf   also write the printed report's page (A4) of the case to FILE.pdf,
                      as the desktop program prints it; one case only. A case that ends
                      in a message writes no file and leaves an existing one as it was
  --set NAME=VALUE    set a field of every case ("deti", "intTin", "L", "q", ... as the
                      case's record names them) or a setting ("hairpins", "correlations",
                      "estGiven", "dutyFrom") to VALUE over what the file holds; repeatable.
                      dutyFrom=internal (or external): that stream's outlet temperature and
                      both mass flows given, the capacity found from its enthalpy change and
                      written back with the other outlet and the length; none: as the file
  --sweep NAME=FROM:TO:STEPS  calculate the one case at STEPS+1 evenly spaced values of
                      a numeric field or setting (as --set names them, without regard
                      to letter case; "intSporc=0:0,0005:5") and print one row a value:
                      CSV (the value, the columns of --csv, and the message where the
                      case failed at that value), or with --json one document of the
                      points; STEPS 1 to 1000. With --set, --correlations,
                      --est-outlet-given and --data; status 1 when a value failed
                      (default: the "data" folder beside this program)
                      A fluid may also name a table of the user's own, NAME.dat, in that
                      folder or in $XDG_DATA_HOME/ZANO/data (~/.local/share/ZANO/data)
  --import-table FILE  save the fluid table in FILE (CSV or tab-separated text: temperature,
                      density, specific heat, conductivity, viscosity a row) as the fluid NAME,
                      with the checks and messages of Options > Import table, and calculate
                      nothing. "User defined" is saved beside the tables, or in the user's
                      folder where those cannot be written; another name in the folder of
                      --data DIR when given, else in $XDG_DATA_HOME/ZANO/data
  --name NAME         the fluid the imported table is saved as
  --replace           replace a table of that name (not needed for "User defined")
  --pipes             print the standard pipe catalogue (pipes.dat of the data folder),
                      one pipe a line, tab-separated: standard, designation, outside
                      diameter, wall and inside diameter in mm (decimal comma), and
                      calculate nothing; exit status 2 when it cannot be read
  --units si|us       the units of the output: "si", the case's own (default), or "us",
                      US customary (in, ft, °F, lb/h, psi, Btu/h, ...; factors from NIST SP
                      811): the text, the JSON keys and values, the CSV headings and values,
                      the page of --report, and the values of --sweep (FROM and TO in the
                      units chosen). The case file, --set and the calculation stay in SI
  --decimal comma|point  the decimal separator of the text output and the page (default:
                      comma, with --units us point). JSON and CSV always write a point
  --help              this text

exit status: 0 when every case was calculated, 1 when a case ended in one of the system's
messages (printed to stderr with its cause; with --json the object still goes to stdout),
2 on a bad command line, a case file that cannot be read or a report that cannot be written.
With --import-table: 0 when the table was saved, 1 when it was refused (the line and the
reason on stderr), 2 on a bad command line (a name that cannot be a table's, or one that
exists without --replace), a file that cannot be read or a table that cannot be saved.
)";

struct Options {
    bool json = false;
    bool csv = false;
    int profileSteps = 0;
    bool estOutletGiven = false;
    bool films = false;
    std::optional<zano::CorrelationSet> correlations;
    std::filesystem::path dataDir;
    std::string reportFile;  // --report: the PDF of the one case's page
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> sets;  // --set NAME=VALUE, in their order
    std::string importFile;  // --import-table: the table to save, instead of calculating
    std::optional<std::string> tableName;
    bool replace = false;
    bool pipes = false;  // --pipes: print the pipe catalogue, instead of calculating
    std::optional<zano::SweepRange> sweep;  // --sweep: the one case over a range of one input
    zano::Units units;                      // --units, --decimal: of the output only
    bool decimalGiven = false;
};

// --units si|us, --decimal comma|point; false, said on stderr, for a bad value. US customary
// units go with a decimal point unless --decimal says otherwise.
bool readUnits(const std::string& arg, const std::string& v, Options& o) {
    if (arg == "--units") {
        const auto system = zano::systemNamed(v);
        if (!system) return std::fprintf(stderr, "zano-calc: --units needs si or us\n"), false;
        o.units.system = *system;
        if (!o.decimalGiven) o.units.decimal = *system == zano::UnitSystem::US ? '.' : ',';
        return true;
    }
    if (v != "comma" && v != "point")
        return std::fprintf(stderr, "zano-calc: --decimal needs comma or point\n"), false;
    o.units.decimal = v == "comma" ? ',' : '.';
    o.decimalGiven = true;
    return true;
}

// --set NAME=VALUE: checked on an empty case, so that a name or value it does not have is a bad
// command line before any case is calculated.
bool parseSet(const char* arg, Options& o) {
    const std::string kv = arg ? arg : "";
    const std::size_t eq = kv.find('=');
    if (eq == std::string::npos || eq == 0) {
        std::fprintf(stderr, "zano-calc: --set needs NAME=VALUE\n");
        return false;
    }
    zano::CaseData probe;
    if (const auto why = zano::setByName(probe, kv.substr(0, eq), kv.substr(eq + 1))) {
        std::fprintf(stderr, "zano-calc: --set %s: %s\n", kv.c_str(), why->c_str());
        return false;
    }
    o.sets.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
    return true;
}

// An option that takes a value (`value`: the next argument, nullptr past the last); false, said
// on stderr, for a bad one.
bool readValueOption(const std::string& arg, const char* value, Options& o) {
    const auto needs = [&](const char* what) {
        std::fprintf(stderr, "zano-calc: %s needs %s\n", arg.c_str(), what);
        return false;
    };
    const std::string v = value ? value : "";
    if (arg == "--units" || arg == "--decimal") return readUnits(arg, v, o);
    if (arg == "--correlations") {
        o.correlations = zano::correlationSetOption(v);
        if (!o.correlations) return needs("classic, refined or textbook");
    } else if (arg == "--profile") {
        const auto n = value ? zano::parseDouble(v) : std::nullopt;
        if (!n || *n < 1 || *n > 100000 || *n != static_cast<int>(*n))
            return needs("a whole number of steps, 1 to 100000");
        o.profileSteps = static_cast<int>(*n);
    } else if (arg == "--report") {
        if (v.empty()) return needs("a PDF file name");
        o.reportFile = v;
#ifndef ZANO_CALC_REPORT
        std::fprintf(stderr, "zano-calc: --report is not part of this build\n");
        return false;
#endif
    } else if (arg == "--data") {
        if (!value) return needs("a folder");
        o.dataDir = v;
    } else if (arg == "--sweep") {
        auto range = zano::parseSweep(v);
        if (const auto* why = std::get_if<std::string>(&range)) {
            std::fprintf(stderr, "zano-calc: --sweep %s: %s\n", v.c_str(), why->c_str());
            return false;
        }
        o.sweep = std::get<zano::SweepRange>(range);
    } else if (arg == "--import-table" || arg == "--name") {
        if (v.empty()) return needs(arg == "--name" ? "the fluid's name" : "a file");
        (arg == "--name" ? o.tableName.emplace() : o.importFile) = v;
    } else {
        return parseSet(value, o);
    }
    return true;
}

// The page never takes the place of what the run reads: a case file, or a table of the data
// folder. False, said on stderr, when it would.
bool reportSparesTheInputs(const Options& o) {
    std::vector<std::filesystem::path> inputs(o.files.begin(), o.files.end());
    std::error_code ec;
    const std::filesystem::path data =
        o.dataDir.empty() ? zano::QuestaDirectory() / "data" : o.dataDir;
    for (std::filesystem::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec))
        inputs.push_back(it->path());
    for (const auto& input : inputs)
        if (zano::isSameFile(o.reportFile, input)) {
            std::fprintf(stderr,
                         "zano-calc: --report %s would write over \"%s\", which this run reads\n",
                         o.reportFile.c_str(), zano::pathText(input).c_str());
            return false;
        }
    return true;
}

// What the options ask for goes together; false, said on stderr, where it does not.
bool argsAgree(const Options& o) {
    const auto refuse = [](const char* why) {
        std::fprintf(stderr, "zano-calc: %s\n", why);
        return false;
    };
    if (!o.importFile.empty()) {
        if (!o.files.empty()) return refuse("--import-table takes no case files");
        if (!o.tableName)
            return refuse("--import-table needs --name, the fluid to save the table as");
        return true;
    }
    if (o.tableName || o.replace) return refuse("--name and --replace go with --import-table");
    if (o.pipes) return o.files.empty() || refuse("--pipes takes no case files");
    if (o.files.empty()) return refuse("no case file given (see --help)");
    if (o.sweep && o.files.size() > 1) return refuse("--sweep calculates one case file");
    if (o.sweep && (o.films || o.profileSteps > 0 || !o.reportFile.empty()))
        return refuse("--sweep prints the results alone: no --films, --profile or --report");
    // One page is one case: a second case would silently replace the first one's file.
    if (!o.reportFile.empty() && o.files.size() > 1) {
        std::fprintf(stderr, "zano-calc: --report writes the page of one case; %zu were given\n",
                     o.files.size());
        return false;
    }
    return o.reportFile.empty() || reportSparesTheInputs(o);
}

bool parseArgs(int argc, char** argv, Options& o) {
    static const std::pair<const char*, bool Options::*> flags[] = {
        {"--json", &Options::json},   {"--csv", &Options::csv},
        {"--films", &Options::films}, {"--est-outlet-given", &Options::estOutletGiven},
        {"--pipes", &Options::pipes}, {"--replace", &Options::replace}};
    static const std::string valued[] = {"--correlations", "--profile", "--report", "--data",
                                         "--import-table", "--name",    "--set",    "--sweep",
                                         "--units",        "--decimal"};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto flag = std::find_if(std::begin(flags), std::end(flags),
                                       [&](const auto& f) { return arg == f.first; });
        if (flag != std::end(flags)) {
            o.*flag->second = true;
        } else if (std::find(std::begin(valued), std::end(valued), arg) != std::end(valued)) {
            if (!readValueOption(arg, ++i < argc ? argv[i] : nullptr, o)) return false;
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "zano-calc: unknown option %s (see --help)\n", arg.c_str());
            return false;
        } else {
            o.files.push_back(arg);
        }
    }
    return argsAgree(o);
}

// A cause as the windows show it: a capital first, a full stop last.
std::string asSentence(std::string cause) {
    if (!cause.empty() && cause[0] >= 'a' && cause[0] <= 'z') cause[0] = cause[0] - 'a' + 'A';
    if (!cause.empty() && cause.back() != '.') cause += '.';
    return cause;
}

// --import-table: the table read, checked and saved as Options > Import table does, the same
// messages on stderr (headline, then the cause); the exit status.
int importTable(const Options& o) {
    namespace fs = std::filesystem;
    const std::string& file = o.importFile;
    const std::string& name = *o.tableName;
    const auto refused = [](const std::string& headline, const std::string& cause, int status) {
        std::fprintf(stderr, "zano-calc: %s\n%s\n", headline.c_str(), asSentence(cause).c_str());
        return status;
    };
    std::string bytes;
    try {
        bytes = zano::readTableFile(file);
    } catch (const zano::TableFileError& e) {
        return refused("The table \"" + file + "\" cannot be read.", e.what(), 2);
    }
    std::vector<zano::ImportedRow> rows;
    std::string table;
    try {
        rows = zano::parseFluidTable(bytes);
        table = zano::importedTableText(rows);
    } catch (const zano::TableImportError& e) {
        return refused("The table \"" + file + "\" cannot be imported.", e.what(), 1);
    }

    const fs::path dataDir = o.dataDir.empty() ? zano::QuestaDirectory() / "data" : o.dataDir;
    const fs::path userDir = zano::userDataDir();
    const bool userFluid = name == zano::kUserFluidName;
    fs::path target;
    bool makeFolder = true;
    if (userFluid) {
        const zano::UserFluidPlace place = zano::userFluidPlace(dataDir, userDir);
        target = place.file;
        makeFolder = place.inUserDir;
    } else {
        // A table of one's own goes into --data DIR, where no shipped table lies beside it to be
        // hidden, or else into the user's folder, beside the shipped tables.
        const std::string nameRefused =
            "The table cannot be saved as \"" + zano::excerpt(name) + "\".";
        std::string why = zano::ownTableNameRefusal(name, o.dataDir.empty() ? dataDir : fs::path());
        // The fluid's name is stored in the case files that use it.
        if (why.empty())
            if (const std::string text = zano::caseTextRefusal(name); !text.empty())
                why = "the name " + text;
        const fs::path folder = o.dataDir.empty() ? userDir : o.dataDir;
        if (why.empty() && folder.empty())
            why = "there is no folder for your own tables: neither XDG_DATA_HOME nor HOME is set";
        if (!why.empty()) return refused(nameRefused, why, 2);
        target = zano::ownTableFile(folder, name);
        std::error_code ec;
        if (fs::exists(target, ec) && !o.replace) {
            std::fprintf(stderr,
                         "zano-calc: The table \"%s\" already exists; --replace replaces it.\n",
                         name.c_str());
            return 2;
        }
    }
    const std::string cannotSave = "Cannot save the table to \"" + zano::pathText(target) + "\".";
    if (const std::string why = makeFolder ? zano::makeFolderFor(target) : ""; !why.empty())
        return refused(cannotSave, why, 2);
    try {
        zano::writeImportedTable(target, table);
    } catch (const zano::TableImportError& e) {  // the old table stays as it was
        std::fprintf(stderr, "zano-calc: %s\n", e.what());
        return 2;
    }
    const std::string saved = userFluid ? "Table" : "Table \"" + name + "\"";
    std::printf("%s: %s to %s °C, %zu rows, saved to \"%s\"\n", saved.c_str(),
                zano::formatSingle(rows.front().T).c_str(),
                zano::formatSingle(rows.back().T).c_str(), rows.size(),
                zano::pathText(target).c_str());
    return 0;
}

// The output of one case; the JSON object and the CSV row go to stdout, a message to stderr.
void printCase(const Options& opt, const std::string& file, const zano::CaseRun& run,
               bool& csvHeaderDone) {
    // The breakdown of U and the other set with --films, the profile with --profile: what the
    // desktop program's export holds with --films.
    const zano::ExportParts parts{opt.films, opt.films, opt.profileSteps > 0};
    std::string out;
    if (opt.json)
        out = zano::caseJson(run, parts, opt.units);
    else if (opt.csv)
        out = zano::caseCsv(run, parts, !csvHeaderDone, opt.units);
    else
        out = zano::cli::textReport(file, run, parts, opt.units) + "\n";
    std::fputs(out.c_str(), stdout);
    if (opt.csv && run.ok()) csvHeaderDone = true;
    if (!run.ok()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), run.out.message.c_str());
        if (!run.out.detail.empty()) std::fprintf(stderr, "%s\n", run.out.detail.c_str());
    }
    for (const std::string& note : run.notes)
        std::fprintf(stderr, "%s: note: %s\n", file.c_str(), note.c_str());
}

#ifdef ZANO_CALC_REPORT
// The printed report's page of a calculated case, as the desktop program prints it after the
// same calculation, put in place as a PDF file; false, said on stderr, when it cannot be.
bool writeReport(const std::string& reportFile, const std::string& file, const zano::CaseRun& run,
                 const zano::Units& units) {
    QString why;
    std::fflush(stdout);  // the case's text before the page, when both go to one stream
    try {
        const QString name =
            QString::fromStdString(std::filesystem::path(file).filename().string());
        why = writeReportPdf(QString::fromStdString(reportFile),
                             *calculatedReportTexts(run, name, units));
        if (why.isEmpty()) return true;
    } catch (...) {  // memory exhausted, say: the case's own output stands
        why = QString::fromStdString(zano::faultText());
    }
    std::fprintf(stderr, "zano-calc: the report could not be written to \"%s\": %s\n",
                 reportFile.c_str(), why.toStdString().c_str());
    return false;
}
#endif

// What the run is asked for: the profile that is printed (or that the page draws), and the
// other correlation set where it is shown.
zano::RunOptions runOptions(const Options& opt) {
    zano::RunOptions o{opt.profileSteps, opt.films};
#ifdef ZANO_CALC_REPORT
    if (!opt.reportFile.empty()) {
        o.otherSet = true;
        if (o.profileSteps == 0) o.profileSteps = kChartProfileSteps;
    }
#endif
    return o;
}

// Calculates one case that has been read; false when it ended in a message. With --report,
// `reportFailed` is set when the page of a calculated case could not be written.
// The case as the options make it over what the file holds.
void applyOptions(const Options& opt, zano::CaseData& c) {
    c.estToutGiven = !c.intToutGiven && (c.estToutGiven || opt.estOutletGiven);
    if (opt.correlations) c.correlations = *opt.correlations;
    for (const auto& [name, value] : opt.sets) zano::setByName(c, name, value);
}

bool calculateCase(const Options& opt, const std::string& file, zano::CaseData c,
                   const zano::DataFolder& data, bool& csvHeaderDone, bool& reportFailed) {
    applyOptions(opt, c);
    const zano::CaseRun run = zano::runCase(c, data, runOptions(opt));
    try {
        printCase(opt, file, run, csvHeaderDone);
    } catch (...) {  // the message at least, which needs no memory
        std::fprintf(stderr, "%s: %s\n", file.c_str(), zano::msg::kInvalidData);
        return false;
    }
#ifdef ZANO_CALC_REPORT
    if (!opt.reportFile.empty() && run.ok() && !writeReport(opt.reportFile, file, run, opt.units))
        reportFailed = true;
#else
    (void)reportFailed;
#endif
    return run.ok();
}

// The data folder of the run, its wall materials read; false, said on stderr, when they cannot be.
bool loadDataFolder(const std::filesystem::path& dataDir, zano::DataFolder& data) {
    zano::CalcState state;
    if (!dataDir.empty()) state.data.dataDir = dataDir;
    state.data.userDir = zano::userDataDir();
    try {
        zano::dbmateriale(state);
    } catch (const zano::CalcError& e) {
        std::fprintf(stderr, "zano-calc: the wall material table cannot be read: %s\n",
                     e.detail().c_str());
        return false;
    } catch (...) {
        std::fprintf(stderr, "zano-calc: the wall material table \"%s\" cannot be read: %s\n",
                     zano::pathText(state.data.dataDir / "condmat.dat").c_str(),
                     zano::faultText().c_str());
        return false;
    }
    data = state.data;
    return true;
}

// The pipe catalogue of the data folder, a pipe a line, with the bore it leaves.
int printPipes(const Options& o) {
    zano::DataFolder data;
    if (!o.dataDir.empty()) data.dataDir = o.dataDir;
    zano::PipeCatalogue pipes;
    try {
        pipes = data.pipeCatalogue();
    } catch (const zano::CalcError& e) {
        std::fprintf(stderr, "zano-calc: the pipe catalogue cannot be read: %s\n",
                     e.detail().c_str());
        return 2;
    }
    std::string out =
        "standard\tdesignation\toutside diameter [mm]\twall [mm]\t"
        "inside diameter [mm]\n";
    for (const zano::PipeSize& p : pipes)
        // The bore to the walls' hundredths, free of the binary remainder of the subtraction.
        out += p.standard + "\t" + p.designation + "\t" + zano::formatDouble(p.od) + "\t" +
               zano::formatDouble(p.wall) + "\t" +
               zano::formatDouble(zano::roundTo(p.od - 2 * p.wall, 3)) + "\n";
    std::fputs(out.c_str(), stdout);
    return 0;
}

// A case file read; false, said on stderr, when it cannot be.
bool readCase(const std::string& file, zano::CaseData& c) {
    try {
        c = zano::loadCaseFile(file);
        return true;
    } catch (const zano::CaseFileError& e) {
        std::fprintf(stderr, "zano-calc: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "zano-calc: %s\n", zano::caseFileFaultMessage(file, false).c_str());
    }
    return false;
}

int run(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help") {
            std::fputs(kUsage, stdout);
            std::fputs(zano::cli::kDesignUsage, stdout);
            return 0;
        }
    if (zano::cli::wantsDesign(argc, argv)) return zano::cli::runDesign(argc, argv, loadDataFolder);
    Options opt;
    if (!parseArgs(argc, argv, opt)) return 2;
    if (!opt.importFile.empty()) return importTable(opt);
    if (opt.pipes) return printPipes(opt);
#ifdef ZANO_CALC_REPORT
    // The page is drawn with Qt's fonts, which need an application: always on the offscreen
    // platform, which needs no display (a desktop platform without one would abort the
    // program). Without --report nothing of Qt is started.
    std::optional<QGuiApplication> app;
    int appArgc = 1;
    char* appArgv[] = {argv[0], nullptr};
    if (!opt.reportFile.empty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app.emplace(appArgc, appArgv);
    }
#endif

    zano::DataFolder data;
    if (!loadDataFolder(opt.dataDir, data)) return 2;

    int status = 0;
    bool csvHeaderDone = false, reportFailed = false;
    for (const auto& file : opt.files) {
        zano::CaseData c;
        if (!readCase(file, c)) return 2;
        if (opt.sweep) {
            applyOptions(opt, c);
            return zano::cli::printSweep(*opt.sweep, c, data, opt.json, opt.units);
        }
        if (!calculateCase(opt, file, std::move(c), data, csvHeaderDone, reportFailed)) status = 1;
    }
    return reportFailed ? 2 : status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (...) {
        // Nothing else is left to fail: memory exhausted while a message was being written, say.
        std::fprintf(stderr, "zano-calc: %s\n", zano::faultText().c_str());
        return 2;
    }
}
