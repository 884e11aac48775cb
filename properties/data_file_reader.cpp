#include "properties/data_file_reader.h"

#include <algorithm>
#include <system_error>

#include "core/errors.h"
#include "core/number_text.h"

namespace zano {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The name as UTF-8 on every platform, so that a message never fails on an odd character.
std::string displayName(const std::filesystem::path& file) {
    const auto u8 = file.filename().u8string();
    return std::string(u8.begin(), u8.end());
}

}  // namespace

DataFileReader::DataFileReader(const std::filesystem::path& file) : name_(displayName(file)) {
    // Only a regular file: a directory or a pipe would open but never read as data.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) failFile("is missing or unreadable");
    in_.open(file, std::ios::binary);
    if (!in_) failFile("is missing or unreadable");
}

void DataFileReader::fail(std::size_t line, const std::string& cause) const {
    invalidData("data file \"" + name_ + "\", line " + std::to_string(line) + ": " + cause);
}

void DataFileReader::failFile(const std::string& cause) const {
    invalidData("data file \"" + name_ + "\" " + cause);
}

// Splits the next non-blank line into pending_; false at the end of the file.
bool DataFileReader::readLine() {
    std::string text;
    while (std::getline(in_, text)) {
        ++lineNo_;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        // A byte-order mark left by a text editor is no part of the first field.
        if (lineNo_ == 1 && text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);

        std::size_t pos = 0;
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        if (pos == text.size()) continue;  // blank line

        pending_.clear();
        nextPending_ = 0;
        for (;;) {
            DataField field;
            field.line = lineNo_;
            while (pos < text.size() && isBlank(text[pos])) ++pos;
            if (pos < text.size() && text[pos] == '"') {
                const auto close = text.find('"', pos + 1);
                if (close == std::string::npos) fail(lineNo_, "a quoted text is not closed");
                field.text = text.substr(pos + 1, close - pos - 1);
                field.quoted = true;
                pos = close + 1;
                while (pos < text.size() && isBlank(text[pos])) ++pos;
                if (pos < text.size() && text[pos] != ',')
                    fail(lineNo_, "text follows a quoted field before the next comma");
            } else {
                const auto comma = std::min(text.find(',', pos), text.size());
                auto end = comma;
                while (end > pos && isBlank(text[end - 1])) --end;
                field.text = text.substr(pos, end - pos);
                pos = comma;
            }
            pending_.push_back(std::move(field));
            if (pos >= text.size()) break;
            ++pos;  // past the comma: another field follows, perhaps an empty one
        }
        return true;
    }
    if (in_.bad()) failFile("is missing or unreadable");
    return false;
}

bool DataFileReader::next(DataField& field) {
    if (nextPending_ >= pending_.size() && !readLine()) return false;
    field = pending_[nextPending_++];
    return true;
}

void DataFileReader::checkNumberField(const DataField& field) const {
    if (field.quoted) fail(field.line, "a quoted text \"" + field.text + "\" stands for a number");
    if (field.text.empty()) fail(field.line, "a number is missing (empty field)");
}

double DataFileReader::number(const DataField& field) const {
    checkNumberField(field);
    const auto v = parseDouble(field.text);
    if (!v) fail(field.line, "\"" + field.text + "\" is not a number");
    return *v;
}

float DataFileReader::single(const DataField& field) const {
    checkNumberField(field);
    const auto v = parseSingle(field.text);
    if (!v) {
        const bool tooLarge = parseDouble(field.text).has_value();
        fail(field.line, "\"" + field.text + (tooLarge ? "\" is too large" : "\" is not a number"));
    }
    return *v;
}

}  // namespace zano
