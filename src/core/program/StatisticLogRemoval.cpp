#include "core/program/StatisticLogRemoval.h"

#include "core/program/DisplayText.h"
#include "records/StatisticsLog.h"

#include <QFile>

namespace vantor::core {

void removeStatisticLog(const HomeDirectory& home, const storage::TextTable& texts, UserPrompts& prompts)
{
    QFile log(home.filePath(QString::fromLatin1(records::StatisticsLog::FileName)));
    if (!log.exists()) {
        prompts.showError(uiText(texts, "Message", "054"));
        return;
    }
    if (prompts.askYesNo(uiText(texts, "Message", "055")) && !log.remove())
        prompts.showError(uiText(texts, "Message", "056"));
}

} // namespace vantor::core
