#include "app/Session.h"
#include "core/program/HomeDirectory.h"
#include "core/program/HomeSeeding.h"
#include "core/trust/CertificateTrust.h"
#include "platform/KeychainPasswordVault.h"
#include "platform/ProbingConnectionDetector.h"
#include "platform/SystemAddressSource.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"
#include "ui/CertificatePrompts.h"
#include "ui/DesktopShellOpen.h"
#include "ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>

using namespace vantor;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("EMail Vantor"));
    // No display name: Qt would append it to every window title that does not end with it, and the main
    // window's caption already begins with the program's name.
    // The tray keeps the program alive while the window is hidden; only the ways of ending quit it.
    QApplication::setQuitOnLastWindowClosed(false);

    QString error;
    const std::optional<core::HomeDirectory> home = core::HomeDirectory::resolve(
        QApplication::arguments(), QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), &error);
    if (!home) {
        std::fprintf(stderr, "emailvantor: %s\n", qPrintable(error));
        return 2;
    }

    // An installed program keeps its language files and sound in the shared data of its prefix.
    core::seedHome(*home, core::SharedFiles(QApplication::applicationDirPath()));

    storage::TextTable texts;
    storage::ErrorLog errorLog(home->nativeDir());
    platform::ProbingConnectionDetector detector(std::make_unique<platform::SystemAddressSource>());
    ui::MessageBoxPrompts prompts;
    ui::DesktopShellOpen shell;

    // A certificate that fails verification is shown to the user, who may pin it for its server.
    ui::CertificatePrompts certificatePrompts(texts);
    core::CertificateTrust certificateTrust(*home, &certificatePrompts);

    // Account passwords go to the system's keyring when it answers.
    platform::KeychainPasswordVault vault;

    app::Session session({*home, texts, errorLog, detector, prompts, shell,
                          mail::net::judgedSocketFactory(certificateTrust), &vault});
    ui::MainForm& mainForm = session.window();
    prompts.setParentWidget(&mainForm);
    certificatePrompts.setParentWidget(&mainForm);
    mainForm.formCreate();
    mainForm.trayIconStartup();
    return QApplication::exec();
}
