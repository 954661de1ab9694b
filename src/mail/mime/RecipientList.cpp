#include "mail/mime/RecipientList.h"

#include "mail/mime/AddressScanner.h"
#include "mail/mime/HeaderLine.h"
#include "mail/mime/HeaderList.h"
#include "mail/mime/MailMessage.h"

namespace vantor::mail::mime {

namespace {

// Every field of that name, each read whole, gathered in one walk over the header: a header of many such
// lines must not cost a search from the top for each of them.
std::vector<std::string> fieldsNamed(const std::vector<std::string>& lines, std::string_view name)
{
    std::vector<std::string> fields;
    for (const std::size_t index : HeaderList::findAll(lines, name))
        fields.push_back(HeaderList::joined(lines, index));
    return fields;
}

} // namespace

RecipientList::RecipientList(MimePart& message, std::string headerName)
    : m_message(message)
    , m_headerName(std::move(headerName))
{}

int RecipientList::count() const
{
    update();
    return static_cast<int>(m_recipientAddresses.size());
}

std::string RecipientList::allAddresses() const
{
    update();
    std::string out;
    for (const auto& address : m_recipientAddresses) {
        if (!out.empty())
            out += ',';
        out += AddressScanner::quoteAddress(address);
    }
    return out;
}

const std::vector<std::string>& RecipientList::recipientNames() const
{
    update();
    return m_recipientNames;
}

const std::vector<std::string>& RecipientList::recipientAddresses() const
{
    update();
    return m_recipientAddresses;
}

void RecipientList::addRecipient(std::string_view name, std::string_view address)
{
    update();
    m_recipientNames.emplace_back(name);
    m_recipientAddresses.emplace_back(address);
    writeBack();
}

void RecipientList::clear()
{
    update();
    m_recipientNames.clear();
    m_recipientAddresses.clear();
    writeBack();
}

void RecipientList::update() const
{
    const std::vector<std::string> fields = fieldsNamed(m_message.headerLines(), m_headerName);
    std::string marker;
    for (const auto& field : fields) {
        marker += field;
        marker += '\n';
    }
    if (m_parsedOnce && marker == m_lastParsed)
        return;
    m_recipientNames.clear();
    m_recipientAddresses.clear();
    for (const auto& field : fields)
        parseValue(headerLineValue(field));
    m_lastParsed = std::move(marker);
    m_parsedOnce = true;
}

void RecipientList::parseValue(std::string_view value) const
{
    for (auto& recipient : AddressScanner::scanList(value)) {
        m_recipientNames.push_back(std::move(recipient.name));
        m_recipientAddresses.push_back(std::move(recipient.address));
    }
}

void RecipientList::writeBack()
{
    m_message.removeHeader(m_headerName);
    if (m_recipientAddresses.empty())
        return;
    const MailMessage* owner = m_message.ownerMessage();
    const std::string charset = owner != nullptr ? owner->charset() : std::string("utf-8");
    std::string value;
    for (std::size_t i = 0; i < m_recipientAddresses.size(); ++i) {
        if (i > 0)
            value += ", ";
        value += AddressScanner::format(m_recipientNames[i], m_recipientAddresses[i], charset);
    }
    m_message.setHeaderValue(m_headerName, value);
}

} // namespace vantor::mail::mime
