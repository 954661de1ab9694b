#include "ui/pages/PreviewPane.h"

#include "core/check/CheckLists.h"
#include "core/program/DisplayText.h"
#include "ui/widgets/ResultListView.h"

#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;
using Kind = ListIconModel::Kind;

PreviewPane::PreviewPane(QWidget* parent)
    : QWidget(parent)
    , m_previewList(new ResultListView("PreviewList", Kind::Messages))
    , m_previewMemo(new QPlainTextEdit)
    , m_previewAccountList(new ResultListView("AccountList2", Kind::Accounts))
    , m_previewTally(new QLabel)
    , m_finishBtn(new QPushButton)
    , m_abortBtn(new QPushButton)
{
    setObjectName(QStringLiteral("PreviewPage"));
    m_previewMemo->setObjectName(QStringLiteral("PreviewMemo"));
    // The reasons are the program's words; the user reads them and cannot type over them.
    m_previewMemo->setReadOnly(true);
    m_previewTally->setObjectName(QStringLiteral("Label7"));
    m_finishBtn->setObjectName(QStringLiteral("FinishBtn"));
    m_abortBtn->setObjectName(QStringLiteral("AbortBtn"));
    m_finishBtn->setEnabled(false);
    m_abortBtn->setEnabled(false);

    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(m_previewMemo);
    lower->addWidget(m_previewAccountList);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_previewList);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(splitter);
    layout->addLayout(buildButtonRow());
}

void PreviewPane::attach(core::CheckLists& lists)
{
    m_previewList->setList(lists.preview());
    m_previewAccountList->setList(lists.previewAccounts());
    m_previewList->setColumnLayout({130, 220, 0, 140}, core::CheckLists::PreviewSubject + 1);
}

void PreviewPane::relabel(const storage::TextTable& texts)
{
    m_finishBtn->setText(uiText(texts, "Button", "007"));
    m_finishBtn->setToolTip(uiText(texts, "Hint", "010"));
    m_abortBtn->setText(uiText(texts, "Button", "008"));
    m_abortBtn->setToolTip(uiText(texts, "Hint", "011"));
    // The hint follows the language only while it is what the memo shows.
    const QString shown = m_previewMemo->toPlainText();
    if (shown.isEmpty() || shown == m_memoHint)
        m_previewMemo->setPlainText(uiText(texts, "Label", "012"));
    m_memoHint = uiText(texts, "Label", "012");
}

QLayout* PreviewPane::buildButtonRow()
{
    auto* row = new QHBoxLayout;
    row->addWidget(m_previewTally, 1);
    row->addWidget(m_finishBtn);
    row->addWidget(m_abortBtn);
    return row;
}

} // namespace vantor::ui
