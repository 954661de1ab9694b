#include "mail/proto/Recipients.h"

#include "base/AsciiCase.h"

#include <algorithm>

namespace vantor::mail::proto {

namespace {

bool isBlank(char c)
{
    return c > 0 && c <= ' ';
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return base::lowerAscii(x) < base::lowerAscii(y);
    });
}

// A quoted item from the opening quote at `at`; returns the position after the closing quote.
std::size_t readQuoted(std::string_view text, std::size_t at, std::string& item)
{
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            item += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            ++i;
        } else {
            return i + 1;
        }
    }
    return text.size();
}

} // namespace

std::vector<std::string> sortedRecipients(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i]) || text[i] == ',') {
            ++i;
            continue;
        }
        std::string item;
        if (text[i] == '"') {
            i = readQuoted(text, i, item);
        } else {
            while (i < text.size() && !isBlank(text[i]) && text[i] != ',')
                item += text[i++];
        }
        if (!item.empty())
            items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(), lessIgnoringCase);
    items.erase(std::unique(items.begin(), items.end(), base::equalsIgnoreCase), items.end());
    return items;
}

} // namespace vantor::mail::proto
