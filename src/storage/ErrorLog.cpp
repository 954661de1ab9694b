#include "storage/ErrorLog.h"

#include "storage/IniFile.h"
#include "storage/TimeStamp.h"

namespace vantor::storage {

ErrorLog::ErrorLog(std::string homeDir, const base::Clock& clock)
    : m_homeDir(std::move(homeDir))
    , m_clock(&clock)
{}

void ErrorLog::write(std::string_view text) noexcept
{
    try {
        IniFile log(m_homeDir + "/" + std::string(FileName));
        log.writeString(SectionName, errorLogTimeStamp(m_clock->now()),
                        text.substr(0, IniFile::MaxLineLength));
        log.updateFile();
    } catch (...) {
        // The log is the last resort for reporting failures; one that cannot be written is dropped so
        // that the failing operation can carry on.
    }
}

} // namespace vantor::storage
