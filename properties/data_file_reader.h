#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The comma-separated sequential text shared by the fluid tables and the material table.
namespace zano {

// One field of a data file: blanks around it removed, and the quotes of a quoted text.
struct DataField {
    std::string text;
    bool quoted = false;
    std::size_t line = 0;  // 1-based
};

// Reads a data file field by field: fields are separated by commas or line ends, blanks
// around a field are ignored, lines end in LF or CR LF, blank lines are skipped, and a text
// field may be enclosed in double quotes (then it may hold commas). Every fault ends with
// "Invalid data" naming the file and, where there is one, the line.
class DataFileReader {
  public:
    explicit DataFileReader(const std::filesystem::path& file);  // fails when missing

    // The next field; false at the end of the data.
    bool next(DataField& field);

    // A numeric field; a quoted, empty or malformed one fails.
    double number(const DataField& field) const;
    float single(const DataField& field) const;  // read straight to single precision

    [[noreturn]] void fail(std::size_t line, const std::string& cause) const;
    [[noreturn]] void failFile(const std::string& cause) const;

  private:
    bool readLine();
    void checkNumberField(const DataField& field) const;

    std::string name_;  // the file name as messages show it
    std::ifstream in_;
    std::size_t lineNo_ = 0;
    std::vector<DataField> pending_;  // fields of the current line not yet handed out
    std::size_t nextPending_ = 0;
};

}  // namespace zano
