#pragma once

#include "core/program/SharedFiles.h"
#include "core/program/UserPrompts.h"
#include "platform/ShellOpen.h"
#include "storage/TextTable.h"

#include <QUrl>

namespace vantor::core {

// The user manual: HTML pages shipped with the program and shown in the desktop's browser, each window's
// Help at the part of the manual that speaks of it.
class HelpManual
{
public:
    // The help contexts the windows ask for; each is an anchor "context-<n>" in its page.
    enum class Context
    {
        MainWindow = 1,
        AccountManager = 13
    };

    HelpManual(const SharedFiles& files, const storage::TextTable& texts, UserPrompts& prompts,
               platform::ShellOpen& shell);

    // The file:// URL of the context's page with its anchor; empty when the manual is not installed.
    QUrl url(Context context) const;
    // Opens the context's page in the browser, or says "Cannot find VTHELP.HLP" when the manual is missing.
    void open(Context context) const;

private:
    const SharedFiles& m_files;
    const storage::TextTable& m_texts;
    UserPrompts& m_prompts;
    platform::ShellOpen& m_shell;
};

} // namespace vantor::core
