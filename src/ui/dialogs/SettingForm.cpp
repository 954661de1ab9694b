#include "ui/dialogs/SettingForm.h"

#include "core/program/DisplayText.h"
#include "core/program/SettingsCommit.h"
#include "core/program/StatisticLogRemoval.h"
#include "ui/dialogs/SettingPages.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

constexpr int ListIconSide = 32;

// The style's pictures come in the sizes its theme has (16 px for some, 48 for others) and a QIcon never
// enlarges one: draw each at the list's size so that the seven entries line up.
QIcon listIcon(const QIcon& icon)
{
    const QSize side(ListIconSide, ListIconSide);
    return QIcon(icon.pixmap(2 * ListIconSide).scaled(side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

SettingForm::SettingForm(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_home(services.home)
    , m_texts(services.texts)
    , m_prompts(services.prompts)
    , m_autostart(services.autostart)
    , m_state(services.state)
    , m_settingList(new QListWidget(this))
    , m_titleLabel(new QLabel(this))
    , m_pageStack(new QStackedWidget(this))
    , m_pages(new SettingPages(services.home, services.texts, this))
    , m_okBtn(new QPushButton(core::uiText(services.texts, "SettingButton", "002"), this))
{
    setObjectName(QStringLiteral("SettingForm"));
    setWindowTitle(core::uiText(services.texts, "Menu", "006"));
    // A title bar without a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_titleLabel->setObjectName(QStringLiteral("TitleLabel"));
    QFont title = m_titleLabel->font();
    title.setBold(true);
    m_titleLabel->setFont(title);
    m_pageStack->setObjectName(QStringLiteral("PageStack"));
    m_okBtn->setObjectName(QStringLiteral("OKBtn"));
    m_okBtn->setDefault(true);
    for (QWidget* page : m_pages->pages())
        m_pageStack->addWidget(page);
    buildList();

    auto* right = new QVBoxLayout;
    right->addWidget(m_titleLabel);
    right->addWidget(m_pageStack, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okBtn);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_settingList);
    layout->addLayout(right, 1);

    connect(m_settingList, &QListWidget::currentRowChanged, this, &SettingForm::onPageChosen);
    connect(m_okBtn, &QPushButton::clicked, this, &SettingForm::okBtnClick);
    connect(&m_pages->deleteLogBtn(), &QPushButton::clicked, this,
            [this] { core::removeStatisticLog(m_home, m_texts, m_prompts); });

    m_pages->setValues(core::SettingValues::read(core::SettingsFile(m_home), m_texts, &m_readProblems));
    m_settingList->setCurrentRow(0);
}

SettingForm::~SettingForm() = default;

void SettingForm::buildList()
{
    m_settingList->setObjectName(QStringLiteral("SettingList"));
    m_settingList->setViewMode(QListView::IconMode);
    m_settingList->setFlow(QListView::TopToBottom);
    m_settingList->setMovement(QListView::Static);
    m_settingList->setIconSize(QSize(ListIconSide, ListIconSide));
    // The list's order is the order of the pages.
    static constexpr std::pair<const char*, QStyle::StandardPixmap> Entries[] = {
        {"001", QStyle::SP_ComputerIcon},
        {"002", QStyle::SP_DesktopIcon},
        {"007", QStyle::SP_FileDialogDetailedView},
        {"003", QStyle::SP_BrowserReload},
        {"004", QStyle::SP_FileDialogInfoView},
        {"005", QStyle::SP_DriveHDIcon},
        {"006", QStyle::SP_DirIcon}};
    for (const auto& [key, icon] : Entries)
        m_settingList->addItem(new QListWidgetItem(listIcon(style()->standardIcon(icon)),
                                                   core::uiText(m_texts, "SettingList", key)));
    // As wide as the longest entry of the language in force: translations run longer than English.
    m_settingList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_settingList->setFixedWidth(m_settingList->sizeHintForColumn(0) + 2 * m_settingList->frameWidth() + 8);
}

void SettingForm::onPageChosen(int row)
{
    if (row < 0)
        return;
    m_pageStack->setCurrentIndex(row);
    m_titleLabel->setText(m_settingList->item(row)->text());
}

core::SettingValues SettingForm::values() const
{
    return m_pages->values();
}

void SettingForm::okBtnClick()
{
    QStringList errors;
    m_isSaved = core::SettingsCommit::commit(values(), {m_home, m_autostart, m_state, m_texts}, &errors);
    if (!errors.isEmpty())
        m_prompts.showError(errors.join(QLatin1Char('\n')));
    accept();
}

void SettingForm::reject() {}

} // namespace vantor::ui
