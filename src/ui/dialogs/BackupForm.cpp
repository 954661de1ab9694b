#include "ui/dialogs/BackupForm.h"

#include "base/FileReader.h"
#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "records/BackupFolder.h"
#include "ui/widgets/SaveFileDialog.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

namespace {

QPushButton* button(const storage::TextTable& texts, const char* key, const char* objectName, QWidget* parent)
{
    auto* result = new QPushButton(uiText(texts, "BackupForm", key), parent);
    result->setObjectName(QString::fromLatin1(objectName));
    return result;
}

} // namespace

BackupForm::BackupForm(std::string homeDir, const storage::TextTable& texts, core::UserPrompts& prompts,
                       QWidget* parent)
    : QDialog(parent)
    , m_homeDir(std::move(homeDir))
    , m_texts(texts)
    , m_prompts(prompts)
    , m_fileList(new QTreeWidget(this))
    , m_viewer(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("BackupForm"));
    setWindowTitle(uiText(texts, "Menu", "012"));
    m_fileList->setObjectName(QStringLiteral("BackupList"));
    m_fileList->setHeaderLabels({uiText(texts, "BackupForm", "001")});
    m_fileList->setRootIsDecorated(false);
    m_fileList->header()->setStretchLastSection(true);
    m_viewer->setObjectName(QStringLiteral("BackupViewer"));
    m_viewer->setReadOnly(true);
    m_viewer->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_fileList);
    splitter->addWidget(m_viewer);
    splitter->setStretchFactor(1, 2);

    QPushButton* saveBtn = button(texts, "002", "SaveBtn", this);
    QPushButton* copyBtn = button(texts, "003", "CopyBtn", this);
    QPushButton* deleteAllBtn = button(texts, "004", "DeleteAllBtn", this);
    QPushButton* closeBtn = button(texts, "005", "CloseBtn", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveBtn);
    buttons->addWidget(copyBtn);
    buttons->addWidget(deleteAllBtn);
    buttons->addStretch();
    buttons->addWidget(closeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);

    connect(saveBtn, &QPushButton::clicked, this, &BackupForm::saveBtnClick);
    connect(copyBtn, &QPushButton::clicked, this, &BackupForm::copyBtnClick);
    connect(deleteAllBtn, &QPushButton::clicked, this, &BackupForm::deleteAllBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::accept);
    // Following the current row rather than the mouse alone lets the arrow keys leaf through the copies.
    connect(m_fileList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            showFile(item->text(0));
    });
    resize(640, 480);
    listFiles();
}

void BackupForm::showBackups(const std::string& homeDir, const storage::TextTable& texts,
                             core::UserPrompts& prompts, QWidget* parent)
{
    BackupForm form(homeDir, texts, prompts, parent);
    form.exec();
}

void BackupForm::listFiles()
{
    m_fileList->clear();
    for (const std::string& name : records::listBackupFiles(m_homeDir))
        m_fileList->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromStdString(name)}));
}

void BackupForm::showFile(const QString& name)
{
    std::string bytes;
    // A copy that vanished or cannot be read shows as empty, as the list is only a view of the folder.
    (void)base::readFile(records::backupFolderPath(m_homeDir) / name.toStdString(), bytes);
    m_viewer->setPlainText(core::displayText(bytes));
}

void BackupForm::saveBtnClick()
{
    const auto choice = SaveFileDialog::run(this, QStringLiteral("SaveEMailDialog"),
                                            uiText(m_texts, "Dialog", "006"),
                                            {uiText(m_texts, "Extra", "068"), uiText(m_texts, "Extra", "036")});
    if (!choice)
        return;
    const QString path =
        core::ensureExtension(choice->fileName, choice->filterIndex == 0 ? QStringLiteral("htm") : QStringLiteral("txt"));
    QFile file(path);
    const QByteArray text = m_viewer->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush())
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + path);
}

void BackupForm::copyBtnClick()
{
    const QString selection = m_viewer->textCursor().selectedText().replace(QChar::ParagraphSeparator,
                                                                           QLatin1Char('\n'));
    if (selection.size() > CopyWarningLength && !m_prompts.askOkCancel(uiText(m_texts, "Extra", "069")))
        return;
    QGuiApplication::clipboard()->setText(selection);
}

void BackupForm::deleteAllBtnClick()
{
    if (!std::filesystem::is_directory(records::backupFolderPath(m_homeDir)))
        return;
    if (!m_prompts.askYesNo(uiText(m_texts, "Message", "058")))
        return;
    records::deleteBackupFiles(m_homeDir);
    m_viewer->clear();
    listFiles();
}

} // namespace vantor::ui
