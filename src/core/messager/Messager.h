#pragma once

#include "base/Clock.h"
#include "core/accounts/AccountStore.h"
#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "mail/mime/MailMessage.h"
#include "mail/net/SmtpClient.h"
#include "platform/ConnectionDetector.h"
#include "storage/TextTable.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::core {

// What the composer's fields hold when Send is pressed, as UTF-8 bytes.
struct MessageDraft
{
    std::string fromName;
    std::string fromAddress;
    std::string toName;
    std::string toAddress;
    std::string subject;
    std::string text;
    // Slider position 0 (lowest) .. 4 (highest).
    int priorityPosition = 2;
};

// The message sender behind the composer page: one message object that keeps its attachments from one
// send to the next until cleared, and the SMTP client that sends it through the server of the account
// picked by description. Statuses go to the status handler, refusals to the prompts. A send runs on the
// event loop (the client waits in nested loops), so abort() can end it from a button.
class Messager
{
public:
    struct Services
    {
        const HomeDirectory& home;
        const AccountStore& accounts;
        const storage::TextTable& texts;
        UserPrompts& prompts;
        const platform::ConnectionDetector& detector;
        const base::Clock& clock;
        mail::net::SocketFactory socketFactory = mail::net::defaultSocketFactory();
        // The version the X-Mailer field names.
        std::string versionText = "2.5";
    };

    enum class Outcome
    {
        // A send is already under way; nothing was done.
        Busy,
        NoAccountChosen,
        Offline,
        // account.vta lists no account: the send stops without a word.
        NoAccounts,
        NoAccountInfo,
        ConnectFailed,
        SendFailed,
        Aborted,
        Sent
    };

    explicit Messager(const Services& services);

    // Receives every status text of a send.
    void setOnStatus(std::function<void(const QString&)> handler) { m_onStatus = std::move(handler); }

    // Adds the file as the next attachment; throws std::filesystem::filesystem_error when it cannot be read.
    // Refused (false) while a send is under way.
    bool attachFile(const std::filesystem::path& path);
    // Removes attachment index (0-based, in the order added); false for a bad index or during a send.
    bool detachFile(int index);
    // The attached files' paths, in the order of the message's attachments.
    const std::vector<std::filesystem::path>& attachedFiles() const { return m_files; }
    // Empties the message and forgets the attachments; refused (false) during a send.
    bool clear();

    // Puts the draft into the message: sender, the one recipient, subject, date, priority, text.
    void compose(const MessageDraft& draft);
    // Composes and sends through the account whose description is given; the statuses of the send go to
    // the status handler on the way.
    Outcome send(const std::string& accountDescription, const MessageDraft& draft);
    // Closes the connection at once; a message whose text was not complete is not delivered.
    void abort();
    bool isSending() const { return m_isSending; }

    mail::mime::MailMessage& mailSend() { return m_mailSend; }
    mail::net::SmtpClient& smtp() { return m_smtp; }

    // X-Priority level 0 (highest) .. 4 (lowest) for a slider position 0 (lowest) .. 4 (highest).
    static int priorityForPosition(int position);
    // The icon of an attachment row by the file name's ending, compared as written (so "JPG" is no picture):
    // 0 picture, 1 document, 2 web page, 3 sound, 4 program, 5 archive, 6 any other file.
    static int attachmentIcon(std::string_view fileName);

private:
    Outcome sendComposed(const std::string& accountDescription, const MessageDraft& draft);
    Outcome transmit(const AccountEntry& account);
    void status(const QString& text);
    QString text(std::string_view section, std::string_view key) const;

    const HomeDirectory& m_home;
    const AccountStore& m_accounts;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
    const platform::ConnectionDetector& m_detector;
    const base::Clock& m_clock;
    mail::mime::MailMessage m_mailSend;
    mail::net::SmtpClient m_smtp;
    std::vector<std::filesystem::path> m_files;
    std::function<void(const QString&)> m_onStatus;
    bool m_isSending = false;
    bool m_isAborted = false;
};

} // namespace vantor::core
