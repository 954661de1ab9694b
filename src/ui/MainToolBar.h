#pragma once

#include "storage/TextTable.h"
#include "ui/widgets/Icons.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace vantor::ui {

// The toolbar of the main window: CheckBtn with its drop-down of the two check modes, AccountBtn, EClientBtn,
// FilterBtn, SettingBtn, IEFBtn, FriendBtn and AboutBtn, each with its hint.
class MainToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit MainToolBar(const storage::TextTable& texts, QWidget* parent = nullptr);

    QToolButton& checkBtn() { return *m_checkBtn; }
    QAction& checkAutomaticAction() { return *m_checkAutomatic; }
    QAction& checkPreviewAction() { return *m_checkPreview; }
    QToolButton& accountBtn() { return *m_accountBtn; }
    QToolButton& eClientBtn() { return *m_eClientBtn; }
    QToolButton& filterBtn() { return *m_filterBtn; }
    QToolButton& settingBtn() { return *m_settingBtn; }
    QToolButton& importButton() { return *m_importButton; }
    QMenu& importMenu() { return m_importMenu; }
    QToolButton& friendBtn() { return *m_friendBtn; }
    QToolButton& aboutBtn() { return *m_aboutBtn; }

    // Hints and the drop-down captions from the current texts.
    void relabel();

private:
    QToolButton* addButton(const char* objectName, Icons::Tool icon);

    const storage::TextTable& m_texts;
    QMenu m_checkMenu;
    QAction* m_checkAutomatic;
    QAction* m_checkPreview;
    QMenu m_importMenu;
    QToolButton* m_checkBtn;
    QToolButton* m_accountBtn;
    QToolButton* m_eClientBtn;
    QToolButton* m_filterBtn;
    QToolButton* m_settingBtn;
    QToolButton* m_importButton;
    QToolButton* m_friendBtn;
    QToolButton* m_aboutBtn;
};

} // namespace vantor::ui
