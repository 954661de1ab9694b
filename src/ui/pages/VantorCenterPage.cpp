#include "ui/pages/VantorCenterPage.h"

#include "ui/pages/PreviewPane.h"
#include "ui/pages/ResultListsPane.h"

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

} // namespace vantor::ui
