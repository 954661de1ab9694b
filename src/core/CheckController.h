#pragma once

#include "core/CheckContext.h"
#include "core/CheckFilterActions.h"
#include "core/CheckLists.h"
#include "core/CheckMode.h"
#include "core/Pop3Mailbox.h"
#include "core/PreviewCycle.h"
#include "core/SessionDeletions.h"
#include "filter/FilterEngine.h"
#include "records/DeletedMessageRecorder.h"

#include <QObject>

namespace vantor::core {

// The checks of the main window without the window: the automatic check, the preview build with its
// Finish and Abort, the lists they fill and the shared POP3 client. The window hosts one, shows its lists
// and forwards its commands; the new-mail watch borrows its POP3 client and starts checks through it.
class CheckController : public QObject
{
    Q_OBJECT

public:
    // socketFactory makes the POP3 connections (tests pass one that trusts their own CA).
    explicit CheckController(const CheckEnvironment& environment,
                             mail::net::SocketFactory socketFactory = mail::net::defaultSocketFactory(),
                             QObject* parent = nullptr);

    CheckLists& lists() { return m_lists; }
    const CheckContext& context() const { return m_context; }
    Pop3Mailbox& mailbox() { return m_mailbox; }

    // The command line logs in with an empty stored password instead of asking for one.
    void setPasswordPrompt(AccountLoader::PasswordPrompt prompt) { m_context.setPasswordPrompt(prompt); }

    // The check in the given mode; ignored (Passed) while a check (or a preview wait) runs, so nothing
    // ever starts a second check over the same POP3 client.
    CheckGuards::Outcome startCheck(CheckMode mode);
    // FinishBtn and AbortBtn.
    void finishPreview();
    void abortPreview();
    bool isPreviewWaiting() const { return m_preview.isWaiting(); }
    // The user selected preview row row (-1: none): its reason goes to PreviewMemo.
    void selectPreviewRow(int row);
    // Label7's text for the preview list as it is now.
    QString previewTally() const { return m_preview.tallyText(); }

    // A session with a server may be under way: a check, a preview build or Finish, not a preview that
    // waits for the user.
    bool isCheckUnderWay() const;
    // The program is ending: the running session is aborted at once (no further command, no QUIT, so the
    // server keeps every message), and nothing more is started.
    void shutDown() { m_mailbox.shutDown(); }

private:
    const CheckEnvironment& m_env;
    CheckLists m_lists;
    Pop3Mailbox m_mailbox;
    filter::FilterEngine m_engine;
    SessionDeletions m_deletions;
    CheckContext m_context;
    records::DeletedMessageRecorder m_recorder;
    CheckFilterActions m_actions;
    PreviewCycle m_preview;
};

} // namespace vantor::core
