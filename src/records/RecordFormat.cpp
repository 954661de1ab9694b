#include "records/RecordFormat.h"

#include <algorithm>

namespace vantor::records {

namespace {

constexpr char Quote = '"';

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Trimmed, and with CR and LF made blanks: a line break inside a value would split its record in two.
std::string cleanValue(std::string_view value)
{
    std::size_t begin = 0;
    std::size_t end = value.size();
    while (begin < end && isBlankOrControl(value[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(value[end - 1]))
        --end;
    std::string clean(value.substr(begin, end - begin));
    for (char& c : clean) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return clean;
}

void appendValue(std::string& line, const std::string& value)
{
    if (value.find_first_of(",\"") == std::string::npos) {
        line += value;
        return;
    }
    line += Quote;
    for (char c : value) {
        if (c == Quote)
            line += Quote;
        line += c;
    }
    line += Quote;
}

bool isSkippedBeforeValue(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Reads a quoted value whose opening quote is at pos; returns the value and moves pos past its closing quote.
std::string readQuoted(std::string_view line, std::size_t& pos)
{
    const std::size_t opening = pos;
    std::string value;
    std::size_t from = opening + 1;
    while (true) {
        const std::size_t quote = line.find(Quote, from);
        if (quote == std::string_view::npos) {
            pos = line.size();
            return std::string(line.substr(opening));
        }
        value.append(line.substr(from, quote - from));
        const bool atEnd = quote + 1 == line.size();
        if (!atEnd && line[quote + 1] == Quote) {
            value += Quote;
            from = quote + 2;
        } else if (atEnd || line[quote + 1] == RecordDelimiter) {
            pos = quote + 1;
            return value;
        } else {
            // A quote not doubled: the file was written before quotes were doubled, keep it.
            value += Quote;
            from = quote + 1;
        }
    }
}

std::string readValue(std::string_view line, std::size_t& pos)
{
    while (pos < line.size() && isSkippedBeforeValue(line[pos]))
        ++pos;
    if (pos >= line.size())
        return {};
    std::string value;
    if (line[pos] == Quote) {
        value = readQuoted(line, pos);
    } else {
        const std::size_t end = std::min(line.find(RecordDelimiter, pos), line.size());
        value = std::string(line.substr(pos, end - pos));
        pos = end;
    }
    // Whatever follows a quoted value up to the next delimiter is not part of any value.
    const std::size_t delimiter = line.find(RecordDelimiter, pos);
    pos = delimiter == std::string_view::npos ? line.size() : delimiter + 1;
    return value;
}

} // namespace

std::string formatRecord(const std::vector<std::string>& values)
{
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += RecordDelimiter;
        appendValue(line, cleanValue(values[i]));
    }
    while (!line.empty() && line.back() == RecordDelimiter)
        line.pop_back();
    return line;
}

std::vector<std::string> parseRecord(std::string_view line, std::size_t fieldCount)
{
    std::vector<std::string> values;
    values.reserve(fieldCount);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < fieldCount; ++i)
        values.push_back(readValue(line, pos));
    return values;
}

} // namespace vantor::records
