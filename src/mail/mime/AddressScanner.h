#pragma once

#include "mail/mime/MailMessage.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

// Reading and writing the values of address fields (From, To, Cc, Bcc).
class AddressScanner
{
public:
    // Name (trimmed, still encoded) and address of a single-address value: "Name <a@b>",
    // "\"Name\" <a@b>" and "a@b (Name)" give the same result; a bare address gives no name. Comments
    // are never part of the address and name the sender only when nothing else does; a group's name
    // ("undisclosed-recipients:") is dropped; a value without "@" is decoded as header text.
    [[nodiscard]] static MailAddress scanSingle(std::string_view value);
    // The recipients of a list value separated by "," or ";" outside quotes, comments and angle
    // brackets, each read as scanSingle reads a value; names are decoded, entries without address skipped.
    [[nodiscard]] static std::vector<MailAddress> scanList(std::string_view value);
    // "\"encoded name\" <address>", "<address>" without name, empty without address.
    [[nodiscard]] static std::string format(std::string_view name, std::string_view address,
                                            std::string_view charset);
    // The address as a list item: double-quoted, inner quotes doubled, when it holds a blank, a control
    // byte, a comma or a double quote.
    [[nodiscard]] static std::string quoteAddress(std::string_view address);
};

} // namespace vantor::mail::mime
