#include "core/CheckController.h"

#include "core/AutomaticCheck.h"
#include "core/CheckHost.h"
#include "core/HomeDirectory.h"
#include "core/ProcessState.h"

namespace vantor::core {

CheckController::CheckController(const CheckEnvironment& environment, mail::net::SocketFactory socketFactory,
                                 QObject* parent)
    : QObject(parent)
    , m_env(environment)
    , m_lists(environment.texts)
    , m_mailbox(std::move(socketFactory))
    , m_engine(environment.home.nativeDir())
    , m_context(environment, m_lists, m_mailbox, m_engine, m_deletions)
    , m_recorder(environment.home.nativeDir(), m_mailbox, m_mailbox.message(), environment.errorLog)
    , m_actions(m_context, m_recorder)
    , m_preview(m_context, m_actions, m_recorder)
{
    m_mailbox.setTimeOut(environment.timeOut);
    // PreviewListChange: every tick the user changes rewrites the tally.
    connect(&m_lists.preview(), &ResultListModel::tickChanged, this, [this] { m_preview.listChanged(); });
}

CheckGuards::Outcome CheckController::startCheck(CheckMode mode)
{
    if (m_env.state.checkRunning)
        return CheckGuards::Outcome::Passed;
    if (mode == CheckMode::Automatic)
        return AutomaticCheck(m_context, m_actions).run();
    return m_preview.build();
}

bool CheckController::isCheckUnderWay() const
{
    return m_env.state.checkRunning && !m_preview.isWaiting();
}

void CheckController::finishPreview()
{
    m_preview.finish();
}

void CheckController::abortPreview()
{
    m_preview.abort();
}

void CheckController::selectPreviewRow(int row)
{
    m_env.host.setPreviewMemo(m_preview.memoText(row));
}

} // namespace vantor::core
