#pragma once

#include "filter/FilterActions.h"

#include <string>
#include <vector>

namespace vantor::filter::test {

// Records every call of the filter entries in order, as "what: argument" texts.
class RecordingActions : public FilterActions
{
public:
    void addReportLine(std::string_view text) override { m_calls.push_back("report: " + std::string(text)); }
    void writeErrorLog(std::string_view text) override { m_calls.push_back("error:" + std::string(text)); }
    void setProfileColumn(std::string_view text) override
    {
        m_calls.push_back("column: " + std::string(text));
    }
    void recordDeletedMessage(VerdictCode code) override { m_calls.push_back("record: " + codeText(code)); }
    void deleteMessage(int messageNumber) override
    {
        m_calls.push_back("delete: " + std::to_string(messageNumber));
    }
    void addPreviewRow(VerdictCode code) override { m_calls.push_back("row: " + codeText(code)); }
    void addReasonLine(std::string_view reason) override
    {
        m_calls.push_back("reason: " + std::string(reason));
    }

    const std::vector<std::string>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    static std::string codeText(VerdictCode code) { return std::to_string(static_cast<int>(code)); }

    std::vector<std::string> m_calls;
};

} // namespace vantor::filter::test
