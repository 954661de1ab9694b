#include "ui/pages/VantorCenterPage.h"

#include "ui/pages/PreviewPane.h"
#include "ui/pages/ResultListsPane.h"
#include "ui/widgets/ResultListView.h"

#include <QVBoxLayout>

namespace vantor::ui {

VantorCenterPage::VantorCenterPage(QWidget* parent)
    : QWidget(parent)
    , m_checkPages(new QStackedWidget(this))
    , m_resultLists(new ResultListsPane(m_checkPages))
    , m_preview(new PreviewPane(m_checkPages))
{
    setObjectName(QStringLiteral("VantorCenterPage"));
    m_checkPages->setObjectName(QStringLiteral("Notebook2"));
    m_checkPages->insertWidget(ResultLists, m_resultLists);
    m_checkPages->insertWidget(Preview, m_preview);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_checkPages);
}

struct VantorCenterPage::KeptWidths
{
    ResultListView* list;
    const storage::TextSetting& setting;
};

std::vector<VantorCenterPage::KeptWidths> VantorCenterPage::keptWidths() const
{
    return {{&m_resultLists->eMailList(), storage::ColumnsEMailList},
            {&m_resultLists->eMailDList(), storage::ColumnsEMailDList},
            {&m_preview->previewList(), storage::ColumnsPreviewList}};
}

void VantorCenterPage::restoreColumnWidths(const core::SettingsFile& settings)
{
    for (const KeptWidths& kept : keptWidths())
        kept.list->setColumnWidths(QString::fromStdString(settings.read(kept.setting)));
}

void VantorCenterPage::saveColumnWidths(core::SettingsFile& settings) const
{
    for (const KeptWidths& kept : keptWidths())
        settings.write(kept.setting, kept.list->columnWidths().toStdString());
}

} // namespace vantor::ui
