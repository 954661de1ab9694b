#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

class MimePart;

// The recipients of one address field ("To", "Cc" or "Bcc") of a message, kept in step with its header.
class RecipientList
{
public:
    RecipientList(MimePart& message, std::string headerName);

    // The field this list reads and writes.
    const std::string& headerName() const { return m_headerName; }
    // Number of recipients in every field of that name.
    int count() const;
    // The addresses joined by ","; an address with a blank, control byte, ',' or '"' is double-quoted.
    std::string allAddresses() const;
    // Display names (decoded, may be empty), parallel to recipientAddresses().
    const std::vector<std::string>& recipientNames() const;
    const std::vector<std::string>& recipientAddresses() const;
    // Parses the entry, appends it and writes the field back as one field.
    void addRecipient(std::string_view name, std::string_view address);
    // Removes every recipient and the fields themselves.
    void clear();

private:
    // Re-reads the fields when the header text differs from the text last parsed.
    void update() const;
    void parseValue(std::string_view value) const;
    void writeBack();

    MimePart& m_message;
    std::string m_headerName;
    mutable std::vector<std::string> m_recipientNames;
    mutable std::vector<std::string> m_recipientAddresses;
    mutable std::string m_lastParsed;
    mutable bool m_parsedOnce = false;
};

} // namespace vantor::mail::mime
