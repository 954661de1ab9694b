#include "mail/mime/HeaderList.h"

#include "base/AsciiCase.h"

namespace vantor::mail::mime {

namespace {

bool isContinuation(const std::string& line)
{
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

bool namesField(std::string_view line, std::string_view name)
{
    return line.size() > name.size() && line[name.size()] == ':' && base::startsWithIgnoreCase(line, name);
}

} // namespace

std::size_t HeaderList::find(const std::vector<std::string>& lines, std::string_view name, int ordinal)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (namesField(lines[i], name) && ordinal-- == 0)
            return i;
    }
    return npos;
}

std::vector<std::size_t> HeaderList::findAll(const std::vector<std::string>& lines, std::string_view name)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (namesField(lines[i], name))
            found.push_back(i);
    }
    return found;
}

std::size_t HeaderList::continuationEnd(const std::vector<std::string>& lines, std::size_t index)
{
    std::size_t end = index + 1;
    while (end < lines.size() && isContinuation(lines[end]))
        ++end;
    return end;
}

void HeaderList::eraseAll(std::vector<std::string>& lines, std::string_view name)
{
    std::size_t kept = 0;
    bool dropping = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        dropping = namesField(lines[i], name) || (dropping && isContinuation(lines[i]));
        if (!dropping) {
            if (kept != i)
                lines[kept] = std::move(lines[i]);
            ++kept;
        }
    }
    lines.resize(kept);
}

void HeaderList::appendContinuation(std::string& entry, std::string_view continuation)
{
    std::size_t start = 1;
    while (start < continuation.size() && (continuation[start] == ' ' || continuation[start] == '\t'))
        ++start;
    entry += ' ';
    entry += continuation.substr(start);
}

std::string HeaderList::joined(const std::vector<std::string>& lines, std::size_t index)
{
    std::string text = lines[index];
    const std::size_t end = continuationEnd(lines, index);
    for (std::size_t i = index + 1; i < end; ++i)
        appendContinuation(text, lines[i]);
    return text;
}

void HeaderList::collapse(std::vector<std::string>& lines, std::size_t index)
{
    const std::size_t end = continuationEnd(lines, index);
    if (end == index + 1)
        return;
    lines[index] = joined(lines, index);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index + 1),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
}

void HeaderList::erase(std::vector<std::string>& lines, std::size_t index)
{
    const std::size_t end = continuationEnd(lines, index);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
}

} // namespace vantor::mail::mime
