#include "core/check/CheckLists.h"

#include "core/program/DisplayText.h"

namespace vantor::core {

namespace {

using Ticks = ResultListModel::Ticks;

QString listText(const storage::TextTable& texts, const char* key)
{
    return uiText(texts, "List", key);
}

QStringList accountTitles(const storage::TextTable& texts)
{
    return {listText(texts, "004"), listText(texts, "007"), listText(texts, "008"),
            listText(texts, "009"), listText(texts, "010"), listText(texts, "011")};
}

QStringList previewAccountTitles(const storage::TextTable& texts)
{
    return {listText(texts, "004"), listText(texts, "007"), listText(texts, "010"), listText(texts, "011")};
}

QStringList messageTitles(const storage::TextTable& texts, const char* captionKey)
{
    return {listText(texts, captionKey), listText(texts, "003"), listText(texts, "004"),
            listText(texts, "006")};
}

QStringList previewTitles(const storage::TextTable& texts)
{
    // The language files carry no caption of their own for the sender column of the preview.
    return {listText(texts, "004"), QStringLiteral("EMail"), listText(texts, "003"), listText(texts, "006")};
}

} // namespace

CheckLists::CheckLists(const storage::TextTable& texts)
    : m_accounts(accountTitles(texts), Ticks::None)
    , m_kept(messageTitles(texts, "001"), Ticks::None)
    , m_deleted(messageTitles(texts, "002"), Ticks::None)
    , m_preview(previewTitles(texts), Ticks::Checkable)
    , m_previewAccounts(previewAccountTitles(texts), Ticks::None)
{}

void CheckLists::retitle(const storage::TextTable& texts)
{
    m_accounts.setTitles(accountTitles(texts));
    m_kept.setTitles(messageTitles(texts, "001"));
    m_deleted.setTitles(messageTitles(texts, "002"));
    m_preview.setTitles(previewTitles(texts));
    m_previewAccounts.setTitles(previewAccountTitles(texts));
}

} // namespace vantor::core
