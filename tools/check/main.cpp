// vantor-check --home DIR [--preview]: the check of the window, run on every ticked account of DIR without
// a window. Automatic by default (the spam is deleted, emails.log, backup.bak and EBak are written as the
// window's check writes them); with --preview only the preview is built and nothing is deleted. Prints the
// check report, then one line per account: Account, EMails, Filtered, Deleted, Message, separated by TABs.
// Exit code 0 when every account ended "OK", 1 otherwise, 2 for wrong arguments or when another check kept
// the home directory for 30 seconds. SIGTERM or SIGINT aborts the running session at once (the server
// keeps its messages) and ends with 128 + the signal's number. A certificate that fails verification and is
// not pinned by the window fails its account; nothing is asked.

#include "AlwaysOnline.h"
#include "CommandLineHost.h"
#include "CommandLinePrompts.h"
#include "EndSignals.h"
#include "core/check/AccountRowLayout.h"
#include "core/check/CheckController.h"
#include "core/check/Pop3Mailbox.h"
#include "core/program/DisplayText.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"
#include "core/program/SettingsFile.h"
#include "core/trust/CertificateTrust.h"
#include "platform/KeychainPasswordVault.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace vantor;

namespace {

QString column(const core::ResultListModel& accounts, int row, int subItem)
{
    return subItem < 0 ? QString() : core::displayText(accounts.subItem(row, subItem));
}

// The account lines; true when every account ended "OK".
bool printAccounts(QTextStream& out, const core::ResultListModel& accounts, core::AccountRowLayout layout)
{
    bool isAllOk = true;
    for (int row = 0; row < accounts.size(); ++row) {
        const QString message = column(accounts, row, layout.message);
        isAllOk = isAllOk && message == QLatin1String(core::AccountOkText);
        out << core::displayText(accounts.row(row).caption) << '\t' << column(accounts, row, layout.emails)
            << '\t' << column(accounts, row, layout.filtered) << '\t' << column(accounts, row, layout.deleted)
            << '\t' << message << '\n';
    }
    return isAllOk;
}

int runCheck(const core::HomeDirectory& home, bool isPreview)
{
    storage::TextTable texts;
    texts.loadLanguage(home.nativeDir(), core::SettingsFile(home).read(storage::LanguageLanguage));
    storage::ErrorLog errorLog(home.nativeDir());
    tools::CommandLinePrompts prompts;
    tools::AlwaysOnline detector;
    tools::CommandLineHost host;
    core::ProcessState state;
    // Certificates the user pinned in the window pass; nobody is here to be asked about any other.
    core::CertificateTrust certificateTrust(home, nullptr);
    core::Pop3Mailbox mailbox(mail::net::judgedSocketFactory(certificateTrust));
    mailbox.enableSpeedUps(home.nativeDir());
    core::CheckServices services{home, texts, errorLog, prompts, detector, host, host, state, mailbox};
    services.passwordPrompt = core::AccountLoader::PasswordPrompt::DontAsk;
    // A scheduled run may have no keyring: its keyring accounts then fail with a word, nothing else does.
    platform::KeychainPasswordVault vault;
    services.vault = &vault;
    core::CheckController checks(services);
    const tools::EndSignals endSignals([&checks](int) { checks.shutDown(); });

    const core::CheckGuards::Outcome outcome =
        checks.startCheck(isPreview ? core::CheckMode::Preview : core::CheckMode::Automatic);

    QTextStream out(stdout);
    for (const std::string& line : checks.lastReport())
        out << core::displayText(line) << '\n';
    const bool isAllOk =
        isPreview ? printAccounts(out, checks.lists().previewAccounts(), core::AccountRowLayout::preview())
                  : printAccounts(out, checks.lists().accounts(), core::AccountRowLayout::automatic());
    if (endSignals.received() != 0)
        return 128 + endSignals.received();
    if (outcome == core::CheckGuards::Outcome::Locked)
        return 2;
    return isAllOk && !prompts.hasShownError() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantor-check"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks every ticked account of the home directory as the window's check does."));
    parser.addHelpOption();
    const QCommandLineOption homeOption(QStringLiteral("home"), QStringLiteral("The home directory."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption previewOption(QStringLiteral("preview"),
                                           QStringLiteral("Build the preview only; nothing is deleted."));
    parser.addOption(homeOption);
    parser.addOption(previewOption);
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        QTextStream(stderr) << parser.errorText() << '\n' << parser.helpText();
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    const QString dir = parser.value(homeOption);
    // A home that does not exist is a mistyped path, not a new installation to set up.
    if (dir.isEmpty() || !QDir(dir).exists()) {
        QTextStream(stderr) << QStringLiteral("vantor-check: --home needs an existing directory\n");
        return 2;
    }
    return runCheck(core::HomeDirectory(dir), parser.isSet(previewOption));
}
