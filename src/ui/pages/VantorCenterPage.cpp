#include "ui/pages/VantorCenterPage.h"

#include "ui/pages/PreviewPane.h"
#include "ui/pages/ResultListsPane.h"

#include <QVBoxLayout>

namespace vantor::ui {

VantorCenterPage::VantorCenterPage(QWidget* parent)
    : QWidget(parent)
    , m_notebook2(new QStackedWidget(this))
    , m_resultLists(new ResultListsPane(m_notebook2))
    , m_preview(new PreviewPane(m_notebook2))
{
    setObjectName(QStringLiteral("VantorCenterPage"));
    m_notebook2->setObjectName(QStringLiteral("Notebook2"));
    m_notebook2->insertWidget(ResultLists, m_resultLists);
    m_notebook2->insertWidget(Preview, m_preview);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_notebook2);
}

} // namespace vantor::ui
