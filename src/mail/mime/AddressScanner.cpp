#include "mail/mime/AddressScanner.h"

#include "mail/codec/HeaderText.h"
#include "mail/mime/TextEnds.h"

namespace vantor::mail::mime {

namespace {

// State of one recipient while a list value is scanned.
class RecipientScan
{
public:
    explicit RecipientScan(std::vector<MailAddress>& out)
        : m_out(out)
    {}

    void feed(char c);
    void finish();

private:
    void gatherInsideQuote(char c);

    std::vector<MailAddress>& m_out;
    std::string m_text;
    std::string m_address;
    char m_closer = 0;
    bool m_inAngle = false;
};

void RecipientScan::feed(char c)
{
    if (m_closer != 0) {
        if (c == m_closer)
            m_closer = 0;
        else
            gatherInsideQuote(c);
        return;
    }
    switch (c) {
    case '"':
    case '(':
        // "a@b (Name)": the text before the comment is the address.
        if (!m_inAngle && !m_text.empty() && m_address.empty()) {
            m_address = trimAll(m_text);
            m_text.clear();
        }
        m_closer = c == '"' ? '"' : ')';
        break;
    case ',':
    case ';':
        finish();
        break;
    case '<':
        m_inAngle = true;
        break;
    case '>':
        m_inAngle = false;
        break;
    default:
        if (!m_inAngle)
            m_text += c;
        else if (c != ' ')
            m_address += c;
    }
}

void RecipientScan::gatherInsideQuote(char c)
{
    // Inside a quote, once an address exists, the scan is outside the angle brackets again.
    const bool inAngle = m_inAngle && m_address.empty();
    if (!inAngle)
        m_text += c;
    else if (c != ' ' && c != ',' && c != ';' && c != '<' && c != '>')
        m_address += c;
}

void RecipientScan::finish()
{
    const std::string_view text = trimAll(m_text);
    const std::string_view address = trimAll(m_address);
    // Empty entries ("a@b,,c@d", a trailing comma) name nobody and are skipped.
    if (!address.empty())
        m_out.push_back(MailAddress{codec::decodeHeaderText(text), std::string(address)});
    else if (!text.empty())
        m_out.push_back(MailAddress{std::string(), std::string(text)});
    m_text.clear();
    m_address.clear();
    m_inAngle = false;
}

} // namespace

MailAddress AddressScanner::scanSingle(std::string_view value)
{
    enum class State
    {
        Undetermined,
        Name,
        Address
    };
    State state = State::Undetermined;
    std::string undetermined;
    MailAddress result;
    char closer = 0;
    auto gather = [&](char c) {
        if (state == State::Undetermined)
            undetermined += c;
        else if (state == State::Name)
            result.name += c;
        else
            result.address += c;
    };
    for (const char c : value) {
        if (closer != 0) {
            if (c == closer) {
                closer = 0;
                state = State::Address;
            } else {
                gather(c);
            }
        } else if (c == '"' || c == '(') {
            closer = c == '"' ? '"' : ')';
            if (state == State::Undetermined)
                result.address = std::move(undetermined);
            undetermined.clear();
            state = State::Name;
        } else if (c == '<') {
            if (state == State::Undetermined)
                result.name = std::move(undetermined);
            undetermined.clear();
            state = State::Address;
        } else if (c == '>') {
            state = State::Name;
        } else {
            gather(c);
        }
    }
    if (state == State::Undetermined)
        result.address = std::move(undetermined);
    result.name = std::string(trimAll(result.name));
    result.address = std::string(trimAll(result.address));
    return result;
}

std::vector<MailAddress> AddressScanner::scanList(std::string_view value)
{
    std::vector<MailAddress> out;
    RecipientScan scan(out);
    for (const char c : value)
        scan.feed(c);
    if (!value.empty())
        scan.finish();
    return out;
}

std::string AddressScanner::format(std::string_view name, std::string_view address, std::string_view charset)
{
    if (address.empty())
        return {};
    std::string out;
    if (!name.empty()) {
        out += '"';
        out += codec::encodeHeaderText(name, charset);
        out += "\" ";
    }
    out += '<';
    out += address;
    out += '>';
    return out;
}

std::string AddressScanner::quoteAddress(std::string_view address)
{
    bool needsQuotes = false;
    for (const char c : address)
        needsQuotes =
            needsQuotes || static_cast<unsigned char>(c) <= ' ' || c == '\x7f' || c == ',' || c == '"';
    if (!needsQuotes)
        return std::string(address);
    std::string out = "\"";
    for (const char c : address) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    return out;
}

} // namespace vantor::mail::mime
