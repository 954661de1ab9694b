#include "ui/ResultListFileCommands.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "records/ResultListFile.h"
#include "ui/widgets/OpenFileDialog.h"
#include "ui/widgets/SaveFileDialog.h"

namespace vantor::ui {

namespace {

using Which = ResultListFileCommands::Which;

QString extensionOf(Which which)
{
    const std::string_view extension = which == Which::Filtered ? records::ResultListFile::KeptExtension
                                                                : records::ResultListFile::DeletedExtension;
    return QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
}

QStringList filtersOf(Which which, const storage::TextTable& texts)
{
    return {core::uiText(texts, "Extra", which == Which::Filtered ? "046" : "047")};
}

} // namespace

ResultListFileCommands::ResultListFileCommands(core::CheckLists& lists, const storage::TextTable& texts,
                                               core::UserPrompts& prompts, QWidget& parent)
    : m_lists(lists)
    , m_texts(texts)
    , m_files(texts, prompts)
    , m_parent(parent)
{}

void ResultListFileCommands::saveList(Which which)
{
    const auto choice =
        SaveFileDialog::run(&m_parent, QStringLiteral("SaveListDialog"),
                            core::uiText(m_texts, "Dialog", "004"), filtersOf(which, m_texts));
    if (choice)
        m_files.save(list(which), core::ensureExtension(choice->fileName, extensionOf(which)));
}

void ResultListFileCommands::viewList(Which which)
{
    const QString fileName =
        OpenFileDialog::run(&m_parent, QStringLiteral("OpenListDialog"),
                            core::uiText(m_texts, "Dialog", "003"), filtersOf(which, m_texts));
    if (!fileName.isEmpty())
        m_files.load(list(which), fileName);
}

core::ResultListModel& ResultListFileCommands::list(Which which)
{
    return which == Which::Filtered ? m_lists.kept() : m_lists.deleted();
}

} // namespace vantor::ui
