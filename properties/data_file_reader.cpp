#include "properties/data_file_reader.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "properties/fluid_table.h"

namespace zano {

DataFileReader::DataFileReader(const std::filesystem::path& file)
    : name_(pathText(file.filename())) {
    // Only a regular file is opened: opening a pipe blocks until a writer comes, and a device
    // such as /dev/zero never ends.
    namespace fs = std::filesystem;
    fileFaultPoint(file);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status) || fs::is_directory(status)) failFile("is missing or unreadable");
    if (!fs::is_regular_file(status)) failFile("is not a regular file");
    const auto size = fs::file_size(file, ec);
    if (ec) failFile("is missing or unreadable");
    if (size > kMaxDataFileBytes)
        failFile("is larger than " + std::to_string(kMaxDataFileBytes / 1024) +
                 " KiB, more than a table of " + std::to_string(FluidTable::kMaxRows) +
                 " records takes");
    std::ifstream in(file, std::ios::binary);
    if (!in) failFile("is missing or unreadable");
    data_.resize(size);
    if (!in.read(data_.data(), static_cast<std::streamsize>(size)))
        failFile("cannot be read whole");
    // A byte-order mark left by a text editor is no part of the first field.
    if (data_.starts_with("\xEF\xBB\xBF")) next_ = 3;
}

DataFileReader::DataFileReader(std::string name, std::string data)
    : name_(std::move(name)), data_(std::move(data)) {
    if (data_.starts_with("\xEF\xBB\xBF")) next_ = 3;
}

void DataFileReader::fail(std::size_t line, const std::string& cause) const {
    invalidData("data file \"" + name_ + "\", line " + std::to_string(line) + ": " + cause);
}

void DataFileReader::failFile(const std::string& cause) const {
    invalidData("data file \"" + name_ + "\" " + cause);
}

// Moves to the next non-blank line; false at the end of the file.
bool DataFileReader::nextLine() {
    while (next_ < data_.size()) {
        // A line ends in LF, CR LF or a lone CR (old Mac text).
        // A plain scan: find_first_of would call memchr on its set for every character.
        std::size_t end = next_;
        while (end < data_.size() && data_[end] != '\n' && data_[end] != '\r') ++end;
        std::string_view line(data_.data() + next_, end - next_);
        next_ = data_.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        ++lineNo_;
        while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
        if (line.empty()) continue;  // blank line
        line_ = line;
        inLine_ = true;
        return true;
    }
    return false;
}

bool DataFileReader::next(DataField& field) {
    if (!inLine_ && !nextLine()) return false;
    field.line = lineNo_;
    field.quoted = false;
    std::string_view& text = line_;
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        if (close == std::string_view::npos) fail(lineNo_, "a quoted text is not closed");
        field.text = text.substr(1, close - 1);
        field.quoted = true;
        text.remove_prefix(close + 1);
        while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
        if (!text.empty() && text.front() != ',')
            fail(lineNo_, "text follows a quoted field before the next comma");
    } else {
        const auto comma = std::min(text.find(','), text.size());
        auto value = text.substr(0, comma);
        while (!value.empty() && isBlank(value.back())) value.remove_suffix(1);
        field.text = value;
        text.remove_prefix(comma);
    }
    // Past the comma another field follows, perhaps an empty one; at the line's end none.
    if (text.empty())
        inLine_ = false;
    else
        text.remove_prefix(1);
    return true;
}

void DataFileReader::checkNumberField(const DataField& field) const {
    if (field.quoted)
        fail(field.line, "a quoted text \"" + excerpt(field.text) + "\" stands for a number");
    if (field.text.empty()) fail(field.line, "a number is missing (empty field)");
}

double DataFileReader::number(const DataField& field) const {
    checkNumberField(field);
    const auto v = parseDouble(field.text);
    if (!v) fail(field.line, "\"" + excerpt(field.text) + "\" is not a number");
    return *v;
}

float DataFileReader::single(const DataField& field) const {
    checkNumberField(field);
    const auto v = parseSingle(field.text);
    if (!v) {
        const bool tooLarge = parseDouble(field.text).has_value();
        fail(field.line,
             "\"" + excerpt(field.text) + (tooLarge ? "\" is too large" : "\" is not a number"));
    }
    return *v;
}

}  // namespace zano
