#include "ui/pages/EMailManagerPage.h"

#include "core/program/DisplayText.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vantor::ui {

namespace {

constexpr int NumberRole = Qt::UserRole;

} // namespace

EMailManagerPage::EMailManagerPage(QWidget* parent)
    : QWidget(parent)
    , m_accountLabel(new QLabel(this))
    , m_accountBox(new QComboBox(this))
    , m_connectBtn(new QPushButton(this))
    , m_disconnectBtn(new QPushButton(this))
    , m_retrieveBtn(new QPushButton(this))
    , m_deleteBtn(new QPushButton(this))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_list(new QTreeWidget(this))
    , m_fromCaption(new QLabel(this))
    , m_toCaption(new QLabel(this))
    , m_subjectCaption(new QLabel(this))
    , m_from(new QLabel(this))
    , m_recipients(new QLabel(this))
    , m_subject(new QLabel(this))
    , m_priority(new QLabel(this))
    , m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("EMailManagerPage"));
    m_accountBox->setObjectName(QStringLiteral("AccountBox"));
    m_accountBox->setMinimumWidth(220);
    m_connectBtn->setObjectName(QStringLiteral("EMailInfoBtn"));
    m_disconnectBtn->setObjectName(QStringLiteral("EMailInfo2Btn"));
    m_retrieveBtn->setObjectName(QStringLiteral("EMailInfo3Btn"));
    m_deleteBtn->setObjectName(QStringLiteral("EMailInfo4Btn"));
    m_status->setObjectName(QStringLiteral("Label8"));
    m_progress->setObjectName(QStringLiteral("ManagerProgress"));
    m_progress->setVisible(false);
    m_list->setObjectName(QStringLiteral("ListaEMail"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setUniformRowHeights(true);
    // The subject is what a person scans the list for: it takes the room the other columns leave. The date
    // and the size get the width of their longest form, measured once rather than over thousands of rows.
    const auto widthOf = [this](const char* sample) {
        return m_list->fontMetrics().horizontalAdvance(QString::fromLatin1(sample)) + 16;
    };
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->resizeSection(1, 200);
    m_list->header()->resizeSection(2, widthOf("00/00/0000 00:00:00"));
    m_list->header()->resizeSection(3, widthOf("000000000"));
    m_from->setObjectName(QStringLiteral("From"));
    m_recipients->setObjectName(QStringLiteral("Recipients"));
    m_subject->setObjectName(QStringLiteral("Subject"));
    m_priority->setObjectName(QStringLiteral("Priority"));
    for (QLabel* label : {m_from, m_recipients, m_subject})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_memo->setObjectName(QStringLiteral("MemoEMail"));
    // The text of a message on the server is read here, never edited.
    m_memo->setReadOnly(true);
    // The list and the memo give way first when the window is small.
    m_list->setMinimumHeight(30);
    m_memo->setMinimumHeight(30);

    // Two buttons a row, so the page never makes the window wider than the other pages do.
    auto* accountRow = new QHBoxLayout;
    accountRow->addWidget(m_accountLabel);
    accountRow->addWidget(m_accountBox);
    accountRow->addStretch();
    auto* sessionRow = new QHBoxLayout;
    sessionRow->addWidget(m_connectBtn);
    sessionRow->addWidget(m_disconnectBtn);
    sessionRow->addStretch();
    auto* messageRow = new QHBoxLayout;
    messageRow->addWidget(m_retrieveBtn);
    messageRow->addWidget(m_deleteBtn);
    messageRow->addStretch();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_progress);
    auto* labels = new QFormLayout;
    labels->addRow(m_fromCaption, m_from);
    labels->addRow(m_toCaption, m_recipients);
    labels->addRow(m_subjectCaption, m_subject);
    labels->addRow(m_priority);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(accountRow);
    layout->addLayout(sessionRow);
    layout->addLayout(messageRow);
    layout->addLayout(statusRow);
    layout->addWidget(m_list, 3);
    layout->addLayout(labels);
    layout->addWidget(m_memo, 2);

    connect(m_connectBtn, &QPushButton::clicked, this, &EMailManagerPage::connectClick);
    connect(m_disconnectBtn, &QPushButton::clicked, this, &EMailManagerPage::disconnectClick);
    connect(m_retrieveBtn, &QPushButton::clicked, this, &EMailManagerPage::retrieveClick);
    connect(m_deleteBtn, &QPushButton::clicked, this, &EMailManagerPage::deleteClick);
    // Another account only empties the view; the session stays as it is.
    connect(m_accountBox, &QComboBox::currentIndexChanged, this, [this] { clearView(); });
    updateButtons();
}

EMailManagerPage::~EMailManagerPage()
{
    if (m_manager)
        m_manager->shutDown();
    while (m_busyDepth > 0)
        setBusy(false);
}

void EMailManagerPage::attach(const core::EMailManager::Services& services, core::Mailbox& mailbox)
{
    m_texts = &services.texts;
    m_manager = std::make_unique<core::EMailManager>(services, mailbox, *this);
}

void EMailManagerPage::setAccounts(const QStringList& descriptions)
{
    m_accountBox->clear();
    m_accountBox->addItems(descriptions);
    m_accountBox->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

void EMailManagerPage::relabel(const storage::TextTable& texts)
{
    m_texts = &texts;
    m_accountLabel->setText(core::uiText(texts, "Label", "003"));
    m_connectBtn->setText(core::uiText(texts, "Button", "002"));
    m_disconnectBtn->setText(core::uiText(texts, "Button", "003"));
    m_retrieveBtn->setText(core::uiText(texts, "Button", "005"));
    m_deleteBtn->setText(core::uiText(texts, "Button", "006"));
    m_list->setHeaderLabels({core::uiText(texts, "List", "003"), core::uiText(texts, "List", "012"),
                             core::uiText(texts, "List", "006"), core::uiText(texts, "List", "014")});
    m_fromCaption->setText(core::uiText(texts, "Label", "001"));
    m_toCaption->setText(core::uiText(texts, "Label", "002"));
    m_subjectCaption->setText(core::uiText(texts, "Label", "004"));
    if (m_status->text().isEmpty())
        m_status->setText(core::uiText(texts, "Message", "016"));
    if (m_memo->toPlainText().isEmpty())
        showPriority(priorityNone());
}

QString EMailManagerPage::priorityNone() const
{
    return m_texts ? core::uiText(*m_texts, "Label", "006") : QString();
}

void EMailManagerPage::showPriority(const QString& word)
{
    const QString caption = m_texts ? core::uiText(*m_texts, "Label", "005") : QString();
    m_priority->setText(caption + QStringLiteral(": ") + word);
}

void EMailManagerPage::connectClick()
{
    if (m_manager)
        m_manager->connectAndList(core::storedText(m_accountBox->currentText()));
}

void EMailManagerPage::disconnectClick()
{
    if (m_manager)
        m_manager->disconnect();
}

void EMailManagerPage::retrieveClick()
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!m_manager || !item || m_manager->isWorking())
        return;
    const int number = item->data(0, NumberRole).toInt();
    m_memo->clear();
    m_from->clear();
    m_recipients->clear();
    m_subject->clear();
    showPriority(priorityNone());
    const std::optional<core::ManagerMessage> message = m_manager->retrieve(number);
    if (!message)
        return;
    m_from->setText(core::displayText(message->from));
    m_recipients->setText(core::displayText(message->recipients));
    m_subject->setText(core::displayText(message->subject));
    if (m_texts)
        showPriority(core::displayText(core::EMailManager::priorityWord(*m_texts, message->priority)));
    m_memo->setPlainText(core::displayText(message->body));
}

void EMailManagerPage::deleteClick()
{
    if (!m_manager)
        return;
    std::vector<int> ticked;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            ticked.push_back(item->data(0, NumberRole).toInt());
    }
    m_manager->deleteMessages(ticked, core::storedText(m_accountBox->currentText()));
}

void EMailManagerPage::setBusy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0 && --m_busyDepth == 0) {
        QGuiApplication::restoreOverrideCursor();
    }
    updateButtons();
}

void EMailManagerPage::setStatus(const QString& text)
{
    m_status->setText(text);
}

void EMailManagerPage::setConnected(bool connected)
{
    m_isConnected = connected;
    updateButtons();
}

void EMailManagerPage::updateButtons()
{
    // While a command waits, only Disconnect may interrupt it: a second command would share its session.
    const bool isIdle = m_busyDepth == 0;
    m_connectBtn->setEnabled(!m_isConnected && isIdle);
    m_disconnectBtn->setEnabled(m_isConnected);
    m_retrieveBtn->setEnabled(m_isConnected && isIdle);
    m_deleteBtn->setEnabled(m_isConnected && isIdle);
}

void EMailManagerPage::clearView()
{
    m_list->clear();
    m_memo->clear();
    m_from->clear();
    m_recipients->clear();
    m_subject->clear();
    showPriority(priorityNone());
}

void EMailManagerPage::addRow(const core::ManagerRow& row)
{
    auto* item = new QTreeWidgetItem({core::displayText(row.subject), core::displayText(row.from),
                                      core::displayText(row.date), QString::number(row.size)});
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setData(0, NumberRole, row.messageNumber);
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    m_list->addTopLevelItem(item);
}

void EMailManagerPage::setProgress(int current, int total)
{
    m_progress->setVisible(total > 0);
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(current);
}

} // namespace vantor::ui
