#include "core/program/HelpManual.h"

#include "core/program/DisplayText.h"

namespace vantor::core {

namespace {

QString pageOf(HelpManual::Context context)
{
    switch (context) {
    case HelpManual::Context::MainWindow:
        return QStringLiteral("manual/main-window.html");
    case HelpManual::Context::AccountManager:
        return QStringLiteral("manual/account-manager.html");
    }
    return QStringLiteral("manual/index.html");
}

} // namespace

HelpManual::HelpManual(const SharedFiles& files, const storage::TextTable& texts, UserPrompts& prompts,
                       platform::ShellOpen& shell)
    : m_files(files)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_shell(shell)
{}

QUrl HelpManual::url(Context context) const
{
    const QString page = m_files.find(pageOf(context));
    if (page.isEmpty())
        return {};
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(QStringLiteral("context-%1").arg(static_cast<int>(context)));
    return url;
}

void HelpManual::open(Context context) const
{
    const QUrl page = url(context);
    // The message names the help file of old; translations know it by that text.
    if (page.isEmpty())
        m_prompts.showError(uiText(m_texts, "Message", "007"));
    else
        m_shell.openUrl(page);
}

} // namespace vantor::core
