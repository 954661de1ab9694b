#pragma once

#include "core/MessageStep.h"
#include "filter/FilterEngine.h"

#include <string>

namespace vantor::core {

class CheckContext;
class CheckFilterActions;

// Hands each fetched header to the filter engine: FilterMessage in the automatic check (the engine deletes
// the spam at once), PreviewMessage in the preview build (the engine adds a preview row).
class EngineStep : public MessageStep
{
public:
    // errorCode: the automatic check's or the preview build's.
    EngineStep(const CheckContext& context, CheckFilterActions& actions, filter::FilterEngine::Mode mode,
               std::string_view errorCode);

    void handleMessage(int messageNumber) override;
    void afterSecondListing() override {}

    // The part analysis the cycles run on a fetched header; false when it raised.
    static bool analyseParts(mail::mime::MailMessage& message);

private:
    const CheckContext& m_context;
    CheckFilterActions& m_actions;
    filter::FilterEngine::Mode m_mode;
    std::string_view m_errorCode;
};

} // namespace vantor::core
