#pragma once

#include "core/accounts/AccountFields.h"
#include "core/accounts/AccountManagerRow.h"
#include "core/accounts/AccountStore.h"
#include "core/program/HomeDirectory.h"
#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace vantor::core {

// The rules of the account manager, without its widgets: the list of accounts with their ticks, the checks
// before an account is added or changed, and the writes to account.vta. Refusals are shown through the
// prompts; every change is written at once except the ticks, which commitTicks() writes.
class AccountManagerLogic
{
public:
    inline static constexpr std::string_view DefaultProfile = "Default";
    // Security choices of the POP3 and SMTP connections, in the order the dialog offers them.
    inline static constexpr std::string_view SecurityNone = "None";
    inline static constexpr std::string_view SecuritySsl = "SSL";
    inline static constexpr std::string_view SecurityStartTls = "STARTTLS";
    inline static constexpr int ImplicitTlsPop3Port = 995;
    inline static constexpr int ImplicitTlsSmtpPort = 465;

    AccountManagerLogic(AccountStore& store, const HomeDirectory& home, const storage::TextTable& texts,
                        UserPrompts& prompts);

    // Fills the rows again from the file; ticks changed since are lost, as the file knows nothing of them.
    void reload();
    const std::vector<AccountManagerRow>& rows() const { return m_rows; }
    void setTicked(int row, bool isTicked);

    // "Default" first, then every stored profile except Default in directory order. A current profile whose
    // file is gone is offered last, so that saving the account unchanged keeps the name it has.
    std::vector<std::string> profileChoices(std::string_view current = {}) const;
    // The texts the fields take when the row is selected; the password is read from the file again.
    AccountFields fieldsOf(int row) const;

    // Each returns false when it refused or failed, after telling the user why.
    bool add(const AccountFields& fields);
    // Rewrites account row + 1 and switches its Check on.
    bool save(int row, const AccountFields& fields);
    // Asks first; removes the account and renumbers the later ones, and drops the row from the list.
    bool remove(int row);
    // Writes every row's tick as the Check of its account; nothing when account.vta does not exist.
    bool commitTicks();
    // Moves the row's password between the keyring and account.vta.
    bool moveStore(int row);
    // New accounts keep their password in the keyring ([General] UseKeyring, when a keyring answers).
    void setUseKeyring(bool useKeyring) { m_useKeyring = useKeyring; }

    // The security a new account is offered: "SSL" on the implicit TLS port, else "STARTTLS".
    static std::string defaultSecurity(std::string_view portText, int implicitTlsPort);
    // The password's scrambled form would hold NUL, CR, LF or 0x1A (end of file for some readers): a byte
    // the file cannot carry.
    static bool isPasswordStorable(std::string_view password);

private:
    bool isAcceptable(const AccountFields& fields, int exceptRow) const;
    // A server off this machine reached without encryption: warns once per account; false when the user
    // goes back to change it.
    bool confirmPlainText(AccountFields& fields, int exceptRow) const;
    bool isDescriptionTaken(const std::string& description, int exceptRow) const;
    bool report(AccountStore::WriteResult result) const;
    void showError(std::string_view section, std::string_view key) const;

    AccountStore& m_store;
    const HomeDirectory& m_home;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
    std::vector<AccountManagerRow> m_rows;
    bool m_useKeyring = false;
};

} // namespace vantor::core
