#include "ui/FilterImportMenu.h"

#include "core/program/DisplayText.h"
#include "ui/ResultListMenu.h"

namespace vantor::ui {

namespace {

// The condition items' captions, in the order of FilterImport's four conditions.
constexpr const char* ConditionKeys[] = {"012", "013", "014", "015"};
constexpr const char* ConditionNames[] = {"Contains", "EndsWith", "Equals", "StartsWith"};

} // namespace

FilterImportMenu::FilterImportMenu(QMenu& menu, const ResultListMenu& selection,
                                   const core::HomeDirectory& home, const storage::TextTable& texts,
                                   core::UserPrompts& prompts, QObject* parent)
    : QObject(parent)
    , m_selection(selection)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_import(home.nativeDir())
{
    std::size_t next = 0;
    addConditions(*addGroup(menu, "ImportEMailAddress", "008"), next, "ImportEMail");
    addConditions(*addGroup(menu, "ImportDomain", "009"), next, "ImportDomain");
    addConditions(*addGroup(menu, "ImportSubject", "010"), next, "ImportSubject");
    QMenu& exceptions = *addGroup(menu, "ImportExceptions", "011");
    addCommand(exceptions, next, QStringLiteral("ImportExceptionDomain"), "016");
    addCommand(exceptions, next, QStringLiteral("ImportExceptionEMail"), "017");
    addConditions(*addGroup(exceptions, "ImportExceptionSubject", "018"), next, "ImportExceptionSubject");
    relabel();
}

void FilterImportMenu::relabel()
{
    for (const Labelled& caption : m_captions)
        caption.action->setText(core::uiText(m_texts, "PopUp", caption.key));
}

void FilterImportMenu::importSelected(std::size_t index)
{
    std::string sender;
    std::string subject;
    if (!m_selection.selectedImportRow(sender, subject))
        return;
    const auto result = m_import.importRow(m_selection.selectedRowProfile(),
                                           core::FilterImport::commands().at(index), sender, subject);
    if (result != core::FilterImport::Result::Written)
        m_prompts.showError(core::uiText(m_texts, "Message", "008"));
}

QMenu* FilterImportMenu::addGroup(QMenu& parent, const char* objectName, const char* key)
{
    QMenu* group = parent.addMenu(QString());
    group->setObjectName(QString::fromLatin1(objectName));
    m_captions.push_back({group->menuAction(), key});
    return group;
}

void FilterImportMenu::addConditions(QMenu& group, std::size_t& next, const char* prefix)
{
    for (std::size_t i = 0; i < std::size(ConditionKeys); ++i)
        addCommand(group, next, QString::fromLatin1(prefix) + QString::fromLatin1(ConditionNames[i]),
                   ConditionKeys[i]);
}

void FilterImportMenu::addCommand(QMenu& group, std::size_t& next, const QString& objectName, const char* key)
{
    QAction* action = group.addAction(QString());
    action->setObjectName(objectName);
    const std::size_t index = next++;
    m_actions.at(index) = action;
    m_captions.push_back({action, key});
    connect(action, &QAction::triggered, this, [this, index] { importSelected(index); });
}

} // namespace vantor::ui
