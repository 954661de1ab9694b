#include "ui/MainToolBar.h"

#include "core/program/DisplayText.h"
#include "ui/widgets/Icons.h"

namespace vantor::ui {

MainToolBar::MainToolBar(const storage::TextTable& texts, QWidget* parent)
    : QToolBar(parent)
    , m_texts(texts)
    , m_checkAutomatic(m_checkMenu.addAction(QString()))
    , m_checkPreview(m_checkMenu.addAction(QString()))
    , m_checkBtn(addButton("CheckBtn", Icons::Tool::Check))
    , m_accountBtn(addButton("AccountBtn", Icons::Tool::Accounts))
    , m_eClientBtn(addButton("EClientBtn", Icons::Tool::MailClient))
    , m_filterBtn(addButton("FilterBtn", Icons::Tool::Filters))
    , m_settingBtn(addButton("SettingBtn", Icons::Tool::Setting))
    , m_importButton(addButton("IEFBtn", Icons::Tool::Import))
    , m_friendBtn(addButton("FriendBtn", Icons::Tool::Friend))
    , m_aboutBtn(addButton("AboutBtn", Icons::Tool::About))
{
    setObjectName(QStringLiteral("ToolBar"));
    setMovable(false);
    setIconSize(QSize(32, 32));
    m_checkMenu.setObjectName(QStringLiteral("CheckMenu"));
    m_checkAutomatic->setObjectName(QStringLiteral("CheckAutomatic"));
    m_checkPreview->setObjectName(QStringLiteral("CheckPreview"));
    m_checkBtn->setMenu(&m_checkMenu);
    m_checkBtn->setPopupMode(QToolButton::MenuButtonPopup);
    // Until a result row is selected there is nothing to import.
    m_importMenu.setObjectName(QStringLiteral("ImportMenu"));
    m_importButton->setMenu(&m_importMenu);
    m_importButton->setPopupMode(QToolButton::InstantPopup);
    m_importButton->setEnabled(false);
    // The account manager needs the checks, which the window receives after it is built.
    m_accountBtn->setEnabled(false);
    relabel();
}

void MainToolBar::relabel()
{
    const auto hint = [this](const char* key) { return core::uiText(m_texts, "Hint", key); };
    m_checkBtn->setToolTip(hint("001"));
    m_accountBtn->setToolTip(hint("002"));
    m_eClientBtn->setToolTip(hint("003"));
    m_filterBtn->setToolTip(hint("004"));
    m_settingBtn->setToolTip(hint("005"));
    m_importButton->setToolTip(hint("006"));
    m_friendBtn->setToolTip(hint("007"));
    m_aboutBtn->setToolTip(hint("009"));
    m_checkAutomatic->setText(core::uiText(m_texts, "SettingLabel", "036", 0));
    m_checkPreview->setText(core::uiText(m_texts, "SettingLabel", "037", 0));
}

QToolButton* MainToolBar::addButton(const char* objectName, Icons::Tool icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setIcon(Icons::tool(icon));
    button->setAutoRaise(true);
    addWidget(button);
    return button;
}

} // namespace vantor::ui
