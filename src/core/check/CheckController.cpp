#include "core/check/CheckController.h"

#include "core/check/AutomaticCheck.h"
#include "core/check/CheckHost.h"
#include "core/check/Mailbox.h"
#include "core/program/HomeDirectory.h"
#include "core/program/ProcessState.h"

namespace vantor::core {

CheckController::CheckController(const CheckServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_lists(services.texts)
    , m_engine(services.home.nativeDir(), true, services.clock)
    , m_recorder(services.home.nativeDir(), services.mailbox, services.mailbox.message(), services.errorLog)
    , m_tools{m_lists, m_engine, m_recorder, m_report}
    , m_preview(m_services, m_tools)
{
    // PreviewListChange: every tick the user changes rewrites the tally.
    connect(&m_lists.preview(), &ResultListModel::tickChanged, this, [this] { m_preview.listChanged(); });
}

CheckGuards::Outcome CheckController::startCheck(CheckMode mode)
{
    if (m_services.state.checkRunning)
        return CheckGuards::Outcome::Passed;
    if (mode == CheckMode::Automatic)
        return AutomaticCheck::run(m_services, m_tools);
    return m_preview.build();
}

bool CheckController::isCheckUnderWay() const
{
    return m_services.state.checkRunning && !m_preview.isWaiting();
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
    m_services.host.setPreviewMemo(m_preview.memoText(row));
}

void CheckController::shutDown()
{
    m_services.mailbox.shutDown();
}

} // namespace vantor::core
