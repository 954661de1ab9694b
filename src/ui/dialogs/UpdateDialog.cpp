#include "ui/dialogs/UpdateDialog.h"

#include "ui/widgets/SaveFileDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

QLabel* namedLabel(const char* objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* namedButton(const QString& text, const char* objectName, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

} // namespace

UpdateDialog::UpdateDialog(const core::UpdateChecker::Services& services, QWidget* parent)
    : QDialog(parent)
    , m_checker(services)
    , m_localVersion(namedLabel("LocalVersionLabel", this))
    , m_homeSite(new QGroupBox(this))
    , m_remoteVersion(namedLabel("RemoteVersionLabel", m_homeSite))
    , m_fileSize(namedLabel("FileSizeLabel", m_homeSite))
    , m_lastModified(namedLabel("LastModifiedLabel", m_homeSite))
    , m_progress(new QProgressBar(this))
    , m_checkBtn(namedButton(QStringLiteral("Check"), "CheckBtn",
                             QStringLiteral("Check last version of program"), this))
    , m_downloadBtn(namedButton(QStringLiteral("Download"), "DownloadBtn",
                                QStringLiteral("Download last version of program"), this))
    , m_abortBtn(namedButton(QStringLiteral("Abort"), "AbortBtn",
                             QStringLiteral("Abort to download last version of program"), this))
{
    setObjectName(QStringLiteral("UpdateDialog"));
    setWindowTitle(QStringLiteral("EMail Vantor") + QStringLiteral(" Update"));
    setModal(false);
    m_localVersion->setText(m_checker.localVersionText());
    m_homeSite->setObjectName(QStringLiteral("HomeSiteGroup"));
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setFormat(QStringLiteral("%v / %m Kb"));

    auto* site = new QVBoxLayout(m_homeSite);
    site->addWidget(m_remoteVersion);
    site->addWidget(m_fileSize);
    site->addWidget(m_lastModified);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_checkBtn);
    buttons->addWidget(m_downloadBtn);
    buttons->addWidget(m_abortBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_localVersion);
    layout->addWidget(m_homeSite);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    setMinimumWidth(400);

    connect(m_checkBtn, &QPushButton::clicked, this, &UpdateDialog::checkBtnClick);
    connect(m_downloadBtn, &QPushButton::clicked, this, &UpdateDialog::downloadBtnClick);
    connect(m_abortBtn, &QPushButton::clicked, this, &UpdateDialog::abortBtnClick);
    connect(&m_checker, &core::UpdateChecker::stateChanged, this, &UpdateDialog::showState);
    showState();
}

void UpdateDialog::showUpdate()
{
    if (!m_checker.open()) {
        hide();
        return;
    }
    show();
    raise();
    activateWindow();
}

void UpdateDialog::checkBtnClick()
{
    m_checker.check();
}

void UpdateDialog::downloadBtnClick()
{
    const auto choice = SaveFileDialog::run(
        this, QStringLiteral("SaveDownloadDialog"), QStringLiteral("Save downloaded file as"),
        {QStringLiteral("Exe file (*.exe)"), QStringLiteral("Any file (*)")},
        // The program being replaced usually has the offered name: ask before writing over it.
        {.selectedFilter = 0,
         .confirmOverwrite = true,
         .proposedName = m_checker.proposedDownloadPath(),
         .defaultSuffix = QStringLiteral("exe")});
    if (choice)
        m_checker.download(choice->fileName);
}

void UpdateDialog::abortBtnClick()
{
    m_checker.abort();
}

void UpdateDialog::showState()
{
    const core::UpdateState& state = m_checker.state();
    m_homeSite->setTitle(state.homeSite);
    m_remoteVersion->setText(state.remoteVersion);
    m_fileSize->setText(state.fileSize);
    m_lastModified->setText(state.lastModified);
    m_checkBtn->setEnabled(state.canCheck);
    m_downloadBtn->setEnabled(state.canDownload);
    m_abortBtn->setEnabled(state.canAbort);
    // A download of unknown size shows a busy bar; an idle bar of no size shows empty.
    const bool isBusyWithoutSize = state.progressMax == 0 && state.canAbort;
    m_progress->setRange(0, isBusyWithoutSize ? 0 : qMax(state.progressMax, 1));
    m_progress->setValue(state.progressValue);
    m_progress->setTextVisible(state.progressMax > 0);
}

} // namespace vantor::ui
