#include "core/check/CheckServices.h"

#include "core/program/DisplayText.h"
#include "core/program/StatusSink.h"
#include "core/program/UserPrompts.h"
#include "storage/ErrorLog.h"
#include "storage/TextTable.h"

namespace vantor::core {

const std::string& CheckServices::text(std::string_view section, std::string_view key) const
{
    return texts.text(section, key);
}

QString CheckServices::uiText(std::string_view section, std::string_view key) const
{
    return displayText(text(section, key));
}

void CheckServices::logError(std::string_view entry) const
{
    errorLog.write(entry);
}

void CheckServices::showStatus(std::string_view messageKey, const std::string& host) const
{
    status.setStatusText(uiText("Message", messageKey) + QLatin1Char(' ') + displayText(host));
}

void CheckServices::showError(std::string_view messageKey) const
{
    prompts.showError(uiText("Message", messageKey));
}

} // namespace vantor::core
