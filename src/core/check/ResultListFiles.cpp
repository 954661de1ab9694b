#include "core/check/ResultListFiles.h"

#include "core/program/DisplayText.h"
#include "records/ResultListFile.h"
#include "storage/IniError.h"

#include <QFile>

namespace vantor::core {

namespace {

using Status = records::ListLoadResult::Status;

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The list as a file holds it; the header of the view gives the titles.
records::ResultList fileListOf(const ResultListModel& list, bool withRows)
{
    records::ResultList fileList;
    for (int column = 0; column < list.columnCount(); ++column) {
        const QString title = list.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        fileList.columns.push_back({title.toStdString(), -1});
    }
    if (withRows)
        fileList.rows = list.rows();
    return fileList;
}

// Refused files leave the list alone; any other outcome has replaced its rows, all or up to a damaged one.
bool hasReplacedRows(Status status)
{
    return status != Status::NoFile && status != Status::FileError && status != Status::NotAListFile;
}

} // namespace

ResultListFiles::ResultListFiles(const storage::TextTable& texts, UserPrompts& prompts)
    : m_texts(texts)
    , m_prompts(prompts)
{}

bool ResultListFiles::save(const ResultListModel& list, const QString& path) const
{
    try {
        records::ResultListFile::save(fileListOf(list, true), nativePath(path));
        return true;
    } catch (const storage::IniError&) {
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + path);
        return false;
    }
}

void ResultListFiles::load(ResultListModel& list, const QString& path) const
{
    records::ResultList fileList = fileListOf(list, false);
    const records::ListLoadResult result = records::ResultListFile::load(fileList, nativePath(path));
    if (hasReplacedRows(result.status)) {
        QStringList titles;
        for (const records::ResultColumn& column : fileList.columns)
            titles.append(displayText(column.title));
        list.setTitles(titles);
        list.setRows(std::move(fileList.rows));
    }
    if (!result.isFailure())
        return;
    m_prompts.showError(result.textKey.empty() ? displayText(result.message)
                                               : uiText(m_texts, result.textSection, result.textKey));
}

} // namespace vantor::core
