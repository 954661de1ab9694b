#include "mail/mime/HeaderLine.h"

#include "base/AsciiCase.h"
#include "mail/codec/TextHelpers.h"
#include "mail/mime/TextEnds.h"

#include <optional>

namespace vantor::mail::mime {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isQuoteMark(char c)
{
    return c == '"' || c == '\'';
}

// Range of the main value: after the first unquoted ':' up to the next unquoted ';' (or the end; always
// the end in a free-text field).
struct Span
{
    std::size_t begin = npos;
    std::size_t end = npos;
};

// Free-text fields: a semicolon in them is part of what the sender wrote, not the start of a parameter,
// and cutting there would hide the rest of a subject from the person and from the filter.
bool isFreeText(std::string_view line)
{
    const std::string_view name = trimAll(line.substr(0, line.find(':')));
    return base::equalsIgnoreCase(name, "Subject") || base::equalsIgnoreCase(name, "Comments") ||
           base::equalsIgnoreCase(name, "Keywords");
}

Span mainValueSpan(std::string_view line)
{
    const bool toTheEnd = isFreeText(line);
    bool quoted = false;
    Span span;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && span.begin == npos && c == ':') {
            span.begin = i + 1;
        } else if (!quoted && span.begin != npos && c == ';' && !toTheEnd) {
            span.end = i;
            return span;
        }
    }
    if (span.begin != npos)
        span.end = line.size();
    return span;
}

// Where a parameter's value lies: reading stops at an unquoted ';' or '=', rewriting only at ';'.
struct ParamSpan
{
    std::size_t begin = npos;
    std::size_t readEnd = npos;
    std::size_t replaceEnd = npos;
};

std::size_t nextUnquoted(std::string_view line, std::size_t from, std::string_view stops)
{
    bool quoted = false;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (!quoted && stops.find(line[i]) != npos)
            return i;
    }
    return line.size();
}

std::optional<ParamSpan> findParam(std::string_view line, std::string_view param)
{
    enum class State
    {
        Name,
        Main,
        ParamName,
        SkipValue
    };
    const std::string_view wanted = trimAll(param);
    State state = State::Name;
    bool quoted = false;
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (state == State::Name && c == ':') {
            state = State::Main;
        } else if (state != State::Name && c == ';') {
            state = State::ParamName;
            nameStart = i + 1;
        } else if (state == State::ParamName && c == '=') {
            if (base::equalsIgnoreCase(trimAll(line.substr(nameStart, i - nameStart)), wanted)) {
                ParamSpan span;
                span.begin = i + 1;
                span.readEnd = nextUnquoted(line, span.begin, ";=");
                span.replaceEnd = nextUnquoted(line, span.begin, ";");
                return span;
            }
            state = State::SkipValue;
        }
    }
    return std::nullopt;
}

std::string normaliseName(std::string_view name)
{
    std::string out(name);
    bool upper = true;
    for (char& c : out) {
        c = upper ? base::upperAscii(c) : base::lowerAscii(c);
        upper = c == '-';
    }
    // "-Id:" is written "-ID:" (Message-ID, Content-ID).
    const std::size_t n = out.size();
    if (n >= 4 && out[n - 1] == ':' && out[n - 2] == 'd' && out[n - 3] == 'I' && out[n - 4] == '-')
        out[n - 2] = 'D';
    return out;
}

std::string collapseBlankRuns(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        const char c = value[i];
        if (c == '"') {
            const std::size_t close = value.find('"', i + 1);
            const std::size_t end = close == npos ? value.size() : close + 1;
            out.append(value.substr(i, end - i));
            i = end;
        } else if (c == ' ' || c == '\t') {
            std::size_t end = i;
            while (end < value.size() && (value[end] == ' ' || value[end] == '\t'))
                ++end;
            if (value[end - 1] == ' ')
                out += ' ';
            else
                out.append(value.substr(i, end - i));
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

std::string normaliseHeaderLine(std::string_view line)
{
    const std::size_t colon = line.find(':');
    const std::size_t nameEnd = colon == npos ? line.size() : colon + 1;
    std::string result(trimAll(normaliseName(line.substr(0, nameEnd))));
    result += ' ';
    result += trimAll(collapseBlankRuns(line.substr(nameEnd)));
    return result;
}

std::string_view unquoteHeaderText(std::string_view text)
{
    std::string_view v = codec::trimBlanks(text);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    v = codec::trimBlanks(v);
    if (v.size() > 2 && isQuoteMark(v.front()) && isQuoteMark(v.back()))
        v = v.substr(1, v.size() - 2);
    return v;
}

std::string headerLineValue(std::string_view line)
{
    const Span span = mainValueSpan(line);
    if (span.begin == npos)
        return {};
    return std::string(unquoteHeaderText(line.substr(span.begin, span.end - span.begin)));
}

std::string headerLineParam(std::string_view line, std::string_view param)
{
    std::string scanned(trimAll(line));
    if (scanned.empty() || scanned.back() != ';')
        scanned += ';';
    const auto span = findParam(scanned, param);
    if (!span)
        return {};
    std::string_view value =
        trimAll(std::string_view(scanned).substr(span->begin, span->readEnd - span->begin));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(unquoteHeaderText(value));
}

std::string withHeaderLineValue(std::string_view line, std::string_view value)
{
    const Span span = mainValueSpan(line);
    std::string out;
    if (span.begin == npos) {
        out.assign(line);
        out += ":";
        out += ' ';
        out += trimAll(value);
        return out;
    }
    out.assign(line.substr(0, span.begin));
    out += ' ';
    out += trimAll(value);
    out += line.substr(span.end);
    return out;
}

std::string withHeaderLineParam(std::string_view line, std::string_view param, std::string_view value)
{
    std::string out(trimAll(line));
    if (const auto span = findParam(out, param)) {
        out.replace(span->begin, span->replaceEnd - span->begin, trimAll(value));
    } else {
        while (!out.empty() && out.back() == ';')
            out.pop_back();
        out += "; ";
        out += trimAll(param);
        out += '=';
        out += trimAll(value);
    }
    while (!out.empty() && out.back() == ';')
        out.pop_back();
    return out;
}

} // namespace vantor::mail::mime
