// Tables of the user's own: read as a spreadsheet gives them, refused with the line and the
// reason, and written so that they load like a shipped table.
#include "properties/table_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "base/number_text.h"
#include "golden_text.h"
#include "properties/fluid_names.h"
#include "properties/fluid_table.h"
#include "temp_files.h"

namespace zano {
namespace {

using TableImport = testing::TempDataDir;

std::string enthalpyColumn(const std::string& table) {
    std::string column, line;
    std::istringstream in(table);
    while (std::getline(in, line)) column += line.substr(line.rfind(',') + 1) + " ";
    return column;
}

// With a constant specific heat the integrated enthalpy is cp (T - T0), to the last rounding of
// the single the table stores.
TEST_F(TableImport, ConstantSpecificHeatGivesLinearEnthalpy) {
    const auto rows = parseFluidTable(
        "T;rho;cp;k;mu\r\n-20;900;2,1;0,13;0,09\r\n0;890;2,1;0,13;0,05\r\n15,5;880;2,1;0,13;"
        "0,03\r\n\r\n40;870;2,1;0,13;0,012\r\n100;840;2,1;0,13;0,004\r\n");
    ASSERT_EQ(rows.size(), 5u);
    std::string expected;
    for (const ImportedRow& r : rows)
        expected +=
            formatSingle(static_cast<float>(2.1 * (static_cast<double>(r.T) + 20)), '.') + " ";
    // 2.1 is no exact binary number: cp is the single nearest to 2.1, as the table stores it.
    EXPECT_EQ(enthalpyColumn(importedTableText(rows)), expected);

    // Written, it loads like a shipped table and answers at a temperature between its rows.
    const auto file = dir_ / "Oil.dat";
    writeImportedTable(file, rows);
    const FluidTable t = readFluidTable(file);
    const FluidProperties p = t.properties(27.75, 1);
    EXPECT_NEAR(p.visc, 0.021, 1e-9);  // halfway between 0.03 and 0.012
    EXPECT_NEAR(t.enthalpy(27.75, 1), 2.1 * 47.75, 1e-4);
}

TEST_F(TableImport, ReadsTabsSemicolonsAndCommasAsASpreadsheetGivesThem) {
    const char* texts[] = {
        "20\t998,2\t4,18\t0,6\t0,001\n30\t995,6\t4,18\t0,61\t0,0008\n",
        "20;998.2;4.18;0.6;0.001\n30;995.6;4.18;0.61;0.0008\n",
        "Temperature,Density,Cp,k,mu\n20,998.2,4.18,0.6,0.001\n30,995.6,4.18,0.61,0.0008\n",
    };
    for (const char* text : texts) {
        const auto rows = parseFluidTable(text);
        ASSERT_EQ(rows.size(), 2u) << text;
        EXPECT_EQ(rows[1].T, 30.0f) << text;
        EXPECT_EQ(rows[0].dens, 998.2f) << text;
        EXPECT_EQ(rows[1].visc, 0.0008) << text;
    }
}

// What spreadsheets and older exports write: a byte-order mark ("CSV UTF-8"), lines ended by a
// lone CR, every field quoted (then a quoted decimal comma is no separator). Every data row is
// read; a header is a first line without a number.
TEST_F(TableImport, ReadsEveryRowOfWhatSpreadsheetsWrite) {
    const struct {
        const char* name;
        const char* text;
        std::size_t rows;
        float firstT;
    } rows[] = {
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "20;998,2;4,18;0,6;0,001\n40;992,2;4,18;0,63;0,00065\n"
         "60;983,2;4,18;0,65;0,00047\n",
         3, 20},
        {"byte-order mark and header",
         "\xEF\xBB\xBFT;rho;cp;k;mu\r\n20;998,2;4,18;0,6;0,001\r\n"
         "40;992,2;4,18;0,63;0,00065\r\n",
         2, 20},
        {"lone CR",
         "20;998,2;4,18;0,6;0,001\r40;992,2;4,18;0,63;0,00065\r60;983,2;4,18;0,65;0,00047\r", 3,
         20},
        {"lone CR and header",
         "T\trho\tcp\tk\tmu\r20\t998.2\t4.18\t0.6\t0.001\r40\t992.2\t4.18\t0.63\t0.00065", 2, 20},
        {"quoted, point",
         "\"T\",\"rho\",\"cp\",\"k\",\"mu\"\r\n\"20\",\"998.2\",\"4.18\",\"0.6\",\"0.001\"\r\n"
         "\"40\",\"992.2\",\"4.18\",\"0.63\",\"0.00065\"\r\n",
         2, 20},
        {"quoted, comma",
         "\"20\",\"998,2\",\"4,18\",\"0,6\",\"0,001\"\n\"40\",\"992,2\",\"4,18\",\"0,63\","
         "\"0,00065\"\n",
         2, 20},
        {"quoted with semicolons",
         "\"Temperature; C\";\"Density\";\"Cp\";\"k\";\"mu \"\"a\"\"\"\n"
         "\"20\";\"998,2\";\"4,18\";\"0,6\";\"0,001\"\n\"40\";992,2;4,18;0,63;\"0,00065\"\n",
         2, 20},
    };
    for (const auto& r : rows) {
        try {
            const auto got = parseFluidTable(r.text);
            EXPECT_EQ(got.size(), r.rows) << r.name;
            ASSERT_GE(got.size(), 2u) << r.name;
            EXPECT_EQ(got.front().T, r.firstT) << r.name;
            EXPECT_EQ(got[1].dens, 992.2f) << r.name;
        } catch (const TableImportError& e) {
            ADD_FAILURE() << r.name << ": " << e.what();
        }
    }
}

TEST_F(TableImport, RefusesWithTheLineAndTheReason) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"20;1;1;1;1\n", "A table needs at least 2 rows; this one has 1."},
        {"h\n20;1;1;1;1\n10;1;1;1;1\n",
         "Line 3: the temperature 10 does not rise above the row before (20)."},
        {"20;1;1;1;1\n30;1;1;1\n",
         "Line 2: a row holds 5 values (temperature, density, specific heat, conductivity, "
         "viscosity), this one 4."},
        {"20;1;1;1;1\n30;1;-4,2;1;1\n", "Line 2: the specific heat -4,2 is not positive."},
        {"20;1;1;1;1\n30;1;1;1;x\n", "Line 2: the viscosity \"x\" is not a number."},
        {"20;1;1;1;1\n30;1e39;1;1;1\n",
         "Line 2: the density 1E+39 kg/m³ lies outside what any fluid has (0.01 to 25000 kg/m³)."},
        // A typo in the first row makes no header of it, nor does a header in the middle.
        {"2O;998;4,18;0,6;0,001\n40;992;4,18;0,63;0,00065\n60;983;4,18;0,65;0,00047\n",
         "Line 1: the temperature \"2O\" is not a number."},
        {"T;rho;cp;k;mu\n20;1;1;1;1\nT;rho;cp;k;mu\n30;1;1;1;1\n",
         "Line 3: the temperature \"T\" is not a number."},
        {"T;rho;cp;k;mu\n20;1;1;1;1\n30;1;1;1\n",
         "Line 3: a row holds 5 values (temperature, density, specific heat, conductivity, "
         "viscosity), this one 4."},
        {"\"20;1;1;1;1\n30;1;1;1;1\n", "Line 1: a quoted value is not closed."},
        // Magnitudes no fluid has, each field by its name, in the decimal separator of its line.
        {"-300;1;1;1;1\n30;1;1;1;1\n",
         "Line 1: the temperature -300 °C lies outside what any fluid has (-273.15 to 10000 °C)."},
        {"20;1;1;1;1\n30;30000;1;1;1\n",
         "Line 2: the density 30000 kg/m³ lies outside what any fluid has (0.01 to 25000 kg/m³)."},
        {"20;1;1;1;1\n30;1;0,01;1;1\n",
         "Line 2: the specific heat 0,01 kJ/(kg K) lies outside what any fluid has (0,1 to 100 "
         "kJ/(kg K))."},
        {"20\t1\t1\t1\t1\n30\t1\t1\t1000\t1\n",
         "Line 2: the conductivity 1000 W/(m K) lies outside what any fluid has (0.001 to 500 "
         "W/(m K))."},
        {"20,1,1,1,1\n30,1,1,1,1e-9\n",
         "Line 2: the viscosity 1E-09 Pa s lies outside what any fluid has (1E-07 to 10000 Pa s)."},
        {"20;1;1;1;1\n20000;1;1;1;1\n",
         "Line 2: the temperature 20000 °C lies outside what any fluid has (-273.15 to 10000 °C)."},
        // Text that is no table at all.
        {"\xFF\xFE"
         "2",
         "The file is UTF-16 text; save it as CSV (UTF-8) or as tab-separated text."},
    };
    for (const auto& r : rows) {
        try {
            parseFluidTable(r.text);
            ADD_FAILURE() << "accepted: " << r.text;
        } catch (const TableImportError& e) {
            EXPECT_STREQ(e.what(), r.message);
        }
    }
    std::string many;
    for (int t = 0; t <= 451; ++t) many += std::to_string(t) + ";1;1;1;1\n";
    EXPECT_THROW(parseFluidTable(many), TableImportError);
}

// Rows that differ only beyond the 7 significant digits a table keeps would be saved as equal
// and refused by every calculation: the text to be saved is read back first, as the
// calculation reads it, and refused naming the line of the import.
TEST_F(TableImport, RefusesRowsThatTheSavedTableCannotTellApart) {
    const struct {
        const char* text;
        const char* message;  // empty: saved, and it loads
    } rows[] = {
        {"T;rho;cp;k;mu\n20;998;4,18;0,6;0,001\n20,000002;997;4,18;0,6;0,001\n",
         "Line 3: saved with the 7 significant digits of a table, the row would read "
         "\"20,1,997,4.18,0.6,0.001,7.972717E-06\", which a calculation refuses: the temperature "
         "does not "
         "rise within the block of 1 bar."},
        {"20;998;4,18;0,6;0,001\n20,00002;997;4,18;0,6;0,001\n", ""},
        // The enthalpy, large after a wide span, rises by less than its 7th digit.
        {"-200;998;100;0,6;0,001\n9000;997;0,1;0,6;0,001\n9000,01;997;0,1;0,6;0,001\n",
         "Line 3: saved with the 7 significant digits of a table, the row would read "
         "\"9000.01,1,997,0.1,0.6,0.001,460460\", which a calculation refuses: the enthalpy "
         "does not rise within the block of 1 bar."},
    };
    for (const auto& r : rows) {
        std::string text;
        try {
            text = importedTableText(parseFluidTable(r.text));
            EXPECT_STREQ(r.message, "") << "accepted: " << r.text;
        } catch (const TableImportError& e) {
            EXPECT_EQ(e.what(), std::string(r.message));
            continue;
        }
        const auto file = write("Oil.dat", text);
        EXPECT_NO_THROW(readFluidTable(file)) << r.text;
    }
}

// Only a regular file is read, and no more of it than a table can take: a pipe would wait for a
// writer for ever, a device such as /dev/zero never ends.
TEST_F(TableImport, ReadsOnlyARegularFileOfATablesSize) {
    namespace fs = std::filesystem;
    const std::string table =
        "\xEF\xBB\xBF"
        "20;998;4,18;0,6;0,001\r40;992;4,18;0,63;0,00065\r";
    write("table.csv", table);
    write("large.csv", std::string(kMaxTableFileBytes + 1, '1'));
    write("largest.csv", std::string(kMaxTableFileBytes, '1'));
    fs::create_directories(dir_ / "folder.csv");
    ASSERT_EQ(::mkfifo((dir_ / "pipe.csv").c_str(), 0600), 0);
    const struct {
        fs::path file;
        const char* refusal;  // empty: read whole
    } rows[] = {
        {dir_ / "table.csv", ""},
        {dir_ / "largest.csv", ""},
        {dir_ / "missing.csv", "No such file or directory."},
        {dir_ / "folder.csv", "It is a folder, not a file."},
        {dir_ / "pipe.csv", "It is a pipe (FIFO), not a regular file."},
        {"/dev/zero", "It is a device, not a regular file."},
        {dir_ / "large.csv", "It is larger than 1 MiB, far more than a table of 451 rows takes."},
    };
    for (const auto& r : rows) {
        try {
            const std::string bytes = readTableFile(r.file);
            EXPECT_STREQ("", r.refusal) << r.file;
            EXPECT_EQ(bytes.size(), fs::file_size(r.file)) << r.file;
        } catch (const TableFileError& e) {
            EXPECT_STREQ(e.what(), r.refusal) << r.file;
        }
    }
    EXPECT_EQ(readTableFile(dir_ / "table.csv"), table);
}

// A table that cannot be saved leaves the old one byte for byte.
TEST_F(TableImport, AFailedSaveLeavesTheOldTable) {
    const auto file = write("Oil.dat", "old");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const auto rows = parseFluidTable("0;1;1;1;1\n10;1;1;1;1\n");
    try {
        writeImportedTable(file, rows);
        ADD_FAILURE() << "a read-only table was replaced";
    } catch (const TableImportError& e) {
        EXPECT_NE(std::string(e.what()).find("The file is read-only"), std::string::npos)
            << e.what();
    }
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}

// The names a table of the user's own may be saved under: not one of the sixteen fluids nor a
// table that comes with the program, in any letter case, since either would be mistaken for it
// (or hide it), and nothing that is no table name.
TEST_F(TableImport, NamesOfTheUsersOwnTables) {
    write("Engine oil.dat", "0,1,1,1,1,1,0\n");
    write("condmat.dat", "\"Copper\",401,0.0000015\n");
    const struct {
        const char* name;
        const char* refusal;
    } rows[] = {
        {"Oil", ""},
        {"Therminol 66 (2024)", ""},
        {"Öl, 40 °C", ""},
        {"Water", "\"Water\" is one of the fluids of the lists"},
        {"water", "\"Water\" is one of the fluids of the lists"},
        {"User defined", "\"User defined\" is one of the fluids of the lists"},
        {"USER DEFINED", "\"User defined\" is one of the fluids of the lists"},
        {"Engine oil", "a table \"Engine oil\" comes with ZANO"},
        {"ENGINE OIL", "a table \"Engine oil\" comes with ZANO"},
        {"Condmat", "a table \"condmat\" comes with ZANO"},
        {"condmat", "\"condmat\" is the name of the wall material table"},
        {"",
         "a name is 1 to 100 bytes of text without / \\ : or a control character, and does "
         "not start with a dot"},
        {"../Oil",
         "a name is 1 to 100 bytes of text without / \\ : or a control character, and "
         "does not start with a dot"},
        {".hidden",
         "a name is 1 to 100 bytes of text without / \\ : or a control character, and "
         "does not start with a dot"},
        {"C:Oil",
         "a name is 1 to 100 bytes of text without / \\ : or a control character, and "
         "does not start with a dot"},
    };
    for (const auto& r : rows) EXPECT_EQ(ownTableNameRefusal(r.name, dir_), r.refusal) << r.name;
    EXPECT_EQ(ownTableNameRefusal("Engine oil", {}), "");  // no shipped folder: nothing beside it
}

// The engine oil that comes with the program is the import of its published table
// (examples/engine-oil.csv), byte for byte; make golden writes it again from the CSV.
TEST(ShippedTables, EngineOilIsTheImportOfItsCsv) {
    std::ifstream in(std::filesystem::path(ZANO_SOURCE_DIR) / "examples/engine-oil.csv",
                     std::ios::binary);
    ASSERT_TRUE(in);
    const std::string csv(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(
        golden_text::mismatch("../data/Engine oil.dat", importedTableText(parseFluidTable(csv))),
        "");
}

}  // namespace
}  // namespace zano
