#include "core/EngineStep.h"

#include "base/ErrorCodes.h"
#include "core/CheckContext.h"
#include "core/CheckFilterActions.h"
#include "core/ProcessState.h"
#include "storage/IniError.h"

namespace vantor::core {

EngineStep::EngineStep(const CheckContext& context, CheckFilterActions& actions,
                       filter::FilterEngine::Mode mode, std::string_view errorCode)
    : m_context(context)
    , m_actions(actions)
    , m_mode(mode)
    , m_errorCode(errorCode)
{}

bool EngineStep::analyseParts(mail::mime::MailMessage& message)
{
    try {
        message.rebuildReceived();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void EngineStep::handleMessage(int messageNumber)
{
    Pop3Mailbox& mailbox = m_context.mailbox();
    // A message whose parts cannot be analysed is still judged by its header.
    if (!analyseParts(mailbox.message()))
        m_context.logError(base::errorEntry(m_errorCode, "failed on FindParts of message"));
    const std::string& profile = m_context.state().currentProfileName;
    filter::FilterEngine& engine = m_context.engine();
    const std::int64_t size = mailbox.messageSize(messageNumber);
    try {
        if (m_mode == filter::FilterEngine::Mode::Automatic)
            engine.filterMessage(messageNumber, mailbox.message(), size, profile, m_actions);
        else
            engine.previewMessage(messageNumber, mailbox.message(), size, profile, m_actions);
    } catch (const storage::IniError&) {
        // A profile or black list that exists but cannot be read judges nothing: the message stays.
        const std::string_view code = m_mode == filter::FilterEngine::Mode::Automatic
                                          ? base::errorcode::AutomaticFilter
                                          : base::errorcode::PreviewFilter;
        m_context.logError(base::errorEntry(code, "cannot read profile ") + profile + " or its black list");
    }
}

} // namespace vantor::core
