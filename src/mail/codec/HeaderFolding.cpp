#include "mail/codec/HeaderFolding.h"

#include <algorithm>

namespace vantor::mail::codec {

namespace {

constexpr std::size_t kMaxLineLength = 72;
constexpr std::size_t kContinuationLimit = 36; // lower limit for lines that begin with a tab

// Marks the bytes where a line may be folded: spaces, "," and ";" outside quoted runs. Quotes pair up
// from the end of the line, so an odd quote hides everything before it.
std::vector<char> foldCandidates(std::string_view line)
{
    std::vector<char> candidates(line.size(), 0);
    char openQuote = 0;
    for (std::size_t i = line.size(); i-- > 0;) {
        const char c = line[i];
        if (openQuote != 0) {
            if (c == openQuote) {
                openQuote = 0;
            }
        } else if (c == '"' || c == '\'') {
            openQuote = c;
        } else {
            candidates[i] = (c == ' ' || c == ',' || c == ';') ? 1 : 0;
        }
    }
    return candidates;
}

// Folds one long line. Every piece after a fold is a suffix of the line, and a backward scan of a
// suffix sees the same quotes as one of the whole line, so the marks are computed once.
void appendFoldedLine(std::string& out, std::string_view line)
{
    const std::vector<char> candidates = foldCandidates(line);
    std::size_t start = 0;
    std::size_t nameEnd = line.find(": "); // the first ": " at or after start
    while (line.size() - start > kMaxLineLength) {
        if (nameEnd != std::string_view::npos && nameEnd < start) {
            nameEnd = line.find(": ", start);
        }
        // Lower limit as a 1-based position within the piece; folds happen only after it, so the
        // field name and its ": " stay on the first line.
        std::size_t limit = 2;
        if (line[start] == '\t') {
            limit = kContinuationLimit;
        } else if (nameEnd != std::string_view::npos) {
            limit = nameEnd - start + 3;
        }
        std::size_t fold = 0; // 1-based position of the fold character within the piece, 0: none
        for (std::size_t position = std::min(kMaxLineLength, line.size() - start); position > limit;
             --position) {
            if (candidates[start + position - 1] != 0) {
                fold = position;
                break;
            }
        }
        if (fold == 0) {
            break;
        }
        const char at = line[start + fold - 1];
        out.append(line.substr(start, at == ' ' ? fold - 1 : fold));
        out += "\r\n\t";
        start += fold;
    }
    out.append(line.substr(start));
    out += "\r\n";
}

} // namespace

std::string foldHeaderLines(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (line.size() <= kMaxLineLength) {
            out.append(line).append("\r\n");
        } else {
            appendFoldedLine(out, line);
        }
        if (end == std::string_view::npos) {
            break;
        }
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return out;
}

std::string foldHeaderLines(const std::vector<std::string>& lines)
{
    std::string joined;
    std::size_t total = 0;
    for (const std::string& line : lines) {
        total += line.size() + 2;
    }
    joined.reserve(total);
    for (const std::string& line : lines) {
        joined.append(line).append("\r\n");
    }
    return foldHeaderLines(joined);
}

} // namespace vantor::mail::codec
