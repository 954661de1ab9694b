#include "ui/pages/DbxReaderPage.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/store/DbxMessageText.h"
#include "core/store/DbxStoreRoot.h"
#include "records/DbxReader.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/SaveFileDialog.h"
#include "ui/widgets/WaitCursor.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QSplitter>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

namespace {

constexpr int SortRole = Qt::UserRole;
constexpr int FolderIndexRole = Qt::UserRole;
constexpr int TextOffsetRole = Qt::UserRole + 1;

enum Column
{
    From,
    To,
    Subject,
    DateTime,
    Position,
    Size
};

// Sorts the date and number columns by value, the others as text.
class MessageRow : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, SortRole);
        if (mine.isValid())
            return mine.toLongLong() < other.data(column, SortRole).toLongLong();
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

QString receivedText(std::uint64_t fileTime)
{
    if (fileTime == 0)
        return {};
    const QDateTime when = QDateTime::fromSecsSinceEpoch(records::unixSecondsOfFileTime(fileTime));
    return QLocale().toString(when.toLocalTime(), QLocale::ShortFormat);
}

} // namespace

DbxReaderPage::DbxReaderPage(const core::HomeDirectory& home, const storage::TextTable& texts,
                             core::UserPrompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_home(home)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_folderTree(new QTreeWidget(this))
    , m_messageList(new QTreeWidget(this))
    , m_textView(new QPlainTextEdit(this))
    , m_hint(new QLabel(this))
    , m_updateBtn(new QPushButton(this))
    , m_storeBtn(new QPushButton(this))
    , m_saveBtn(new QPushButton(this))
{
    setObjectName(QStringLiteral("DbxReaderPage"));
    m_folderTree->setObjectName(QStringLiteral("TreeDBX"));
    m_messageList->setObjectName(QStringLiteral("ListDBX"));
    m_textView->setObjectName(QStringLiteral("Editor2"));
    m_hint->setObjectName(QStringLiteral("Label24"));
    m_updateBtn->setObjectName(QStringLiteral("UpdateBtn"));
    m_storeBtn->setObjectName(QStringLiteral("StoreFolderBtn"));
    m_saveBtn->setObjectName(QStringLiteral("SaveMessageBtn"));

    m_folderTree->setHeaderHidden(true);
    m_messageList->setRootIsDecorated(false);
    m_messageList->setSortingEnabled(true);
    m_messageList->setColumnCount(Size + 1);
    m_messageList->sortByColumn(-1, Qt::AscendingOrder);
    m_textView->setReadOnly(true);
    m_textView->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_hint->setWordWrap(true);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(m_messageList);
    right->addWidget(m_textView);
    auto* panes = new QSplitter(Qt::Horizontal, this);
    panes->addWidget(m_folderTree);
    panes->addWidget(right);
    panes->setStretchFactor(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_hint, 1);
    buttons->addWidget(m_storeBtn);
    buttons->addWidget(m_updateBtn);
    buttons->addWidget(m_saveBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panes, 1);
    layout->addLayout(buttons);

    connect(m_updateBtn, &QPushButton::clicked, this, &DbxReaderPage::updateClick);
    connect(m_storeBtn, &QPushButton::clicked, this, &DbxReaderPage::chooseStoreClick);
    connect(m_saveBtn, &QPushButton::clicked, this, &DbxReaderPage::saveMessageClick);
    connect(m_folderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showFolder(item); });
    // Following the current row, not only the mouse, lets the arrow keys leaf through the messages.
    connect(m_messageList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* row) { showMessage(row); });
    relabel();
    m_hint->setText(uiText(m_texts, "Label", "013"));
}

void DbxReaderPage::relabel()
{
    m_messageList->setHeaderLabels({uiText(m_texts, "List", "012"), uiText(m_texts, "List", "015"),
                                    uiText(m_texts, "List", "003"), uiText(m_texts, "List", "006"),
                                    uiText(m_texts, "Extra", "100"), uiText(m_texts, "List", "014")});
    m_updateBtn->setText(uiText(m_texts, "Button", "015"));
    m_storeBtn->setText(uiText(m_texts, "Extra", "104"));
    m_saveBtn->setText(uiText(m_texts, "Button", "014"));
}

bool DbxReaderPage::loadFolders(Moment moment)
{
    m_folderTree->clear();
    clearMessages();
    m_folders.clear();
    const core::DbxStoreRoot store(m_home);
    if (store.folder().isEmpty())
        return false;
    records::DbxIndex index;
    {
        const WaitCursor wait;
        index = records::DbxReader::readDbxIndex(store.filePath(core::DbxStoreRoot::FolderListName).toStdString());
    }
    m_folders = std::move(index.folders);
    QTreeWidgetItem* second = nullptr;
    for (std::size_t i = 0; i < m_folders.size(); ++i) {
        // The store itself, its local folders, and every folder below those: the client's own picture.
        QTreeWidgetItem* item = nullptr;
        if (i == 0)
            item = new QTreeWidgetItem(m_folderTree);
        else if (i == 1)
            item = second = new QTreeWidgetItem(m_folderTree->topLevelItem(0));
        else
            item = new QTreeWidgetItem(second);
        item->setText(0, core::displayText(m_folders[i].name));
        item->setIcon(0, Icons::storeFolder(static_cast<int>(std::min<std::size_t>(i, 7))));
        item->setData(0, FolderIndexRole, static_cast<int>(i));
    }
    m_folderTree->expandAll();
    if (index.error.empty())
        return true;
    if (moment == Moment::StartUp || m_folders.empty())
        m_hint->setText(uiText(m_texts, "Extra", "101") + QLatin1Char('\n') + core::displayText(index.error));
    return false;
}

void DbxReaderPage::clearMessages()
{
    m_messageList->clear();
    m_textView->clear();
    m_messageBytes.clear();
    m_folderFile.clear();
}

void DbxReaderPage::showFolder(QTreeWidgetItem* item)
{
    clearMessages();
    if (!item)
        return;
    const auto& folder = m_folders.at(static_cast<std::size_t>(item->data(0, FolderIndexRole).toInt()));
    // Folders the client never gave a file of their own hold no messages.
    if (folder.fileName.empty())
        return;
    m_folderFile = core::DbxStoreRoot(m_home).filePath(core::displayText(folder.fileName));
    records::DbxIndex index;
    {
        const WaitCursor wait;
        index = records::DbxReader::readDbxIndex(m_folderFile.toStdString());
    }
    m_messageList->setSortingEnabled(false);
    for (const records::DbxMessageInfo& message : index.messages) {
        auto* row = new MessageRow(m_messageList);
        row->setText(From, core::displayText(message.sender));
        row->setText(To, core::displayText(message.recipient));
        row->setText(Subject, core::displayText(message.subject));
        row->setText(DateTime, receivedText(message.receivedDateTime));
        row->setData(DateTime, SortRole, static_cast<qlonglong>(message.receivedDateTime));
        row->setText(Position, QString::number(message.textOffset));
        row->setData(Position, SortRole, static_cast<qlonglong>(message.textOffset));
        row->setText(Size, QString::number(message.size));
        row->setData(Size, SortRole, static_cast<qlonglong>(message.size));
        row->setData(0, TextOffsetRole, static_cast<qlonglong>(message.textOffset));
    }
    m_messageList->setSortingEnabled(true);
    for (const int column : {DateTime, Position, Size})
        m_messageList->resizeColumnToContents(column);
    if (!index.error.empty())
        m_hint->setText(uiText(m_texts, "Extra", "102") + QLatin1Char('\n') + core::displayText(index.error));
}

void DbxReaderPage::showMessage(QTreeWidgetItem* row)
{
    m_textView->clear();
    m_messageBytes.clear();
    if (!row || m_folderFile.isEmpty())
        return;
    const auto offset = static_cast<std::uint32_t>(row->data(0, TextOffsetRole).toLongLong());
    // A text that cannot be read whole shows what could be read; the list says nothing more about it.
    m_messageBytes = records::DbxReader::readDbxMessageText(m_folderFile.toStdString(), offset).bytes;
    m_textView->setPlainText(core::dbxMessageDisplayText(m_messageBytes));
}

void DbxReaderPage::updateClick()
{
    if (core::DbxStoreRoot(m_home).folder().isEmpty() && !chooseStore())
        return;
    loadFolders(Moment::UpdateButton);
}

void DbxReaderPage::chooseStoreClick()
{
    if (chooseStore())
        loadFolders(Moment::UpdateButton);
}

bool DbxReaderPage::chooseStore()
{
    core::DbxStoreRoot store(m_home);
    QFileDialog dialog(this, uiText(m_texts, "Extra", "105"), store.folder());
    dialog.setObjectName(QStringLiteral("ChooseStoreDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    if (!store.choose(dialog.selectedFiles().constFirst())) {
        m_prompts.showError(uiText(m_texts, "Message", "039"));
        return false;
    }
    return true;
}

void DbxReaderPage::saveMessageClick()
{
    const auto choice = SaveFileDialog::run(this, QStringLiteral("SaveMessageDialog"),
                                            uiText(m_texts, "Dialog", "006"), {uiText(m_texts, "Extra", "103")});
    if (!choice)
        return;
    const QString path = core::ensureExtension(choice->fileName, QStringLiteral("eml"));
    QFile file(path);
    // The message as the client stored it, byte for byte: what another mail program will read.
    const auto size = static_cast<qint64>(m_messageBytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(m_messageBytes.data(), size) != size || !file.flush())
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + path);
}

} // namespace vantor::ui
