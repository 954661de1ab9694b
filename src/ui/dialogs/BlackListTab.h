#pragma once

#include "filter/BlackListStore.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include <string>

namespace vantor::ui {

class FilterChoiceBox;

// The "Black List" tab of the filter editor: the black list switch, the choice of the list a profile uses
// and a read-only view of that list, whose line count shows in the group caption. The lists themselves are
// edited in the black list editor.
class BlackListTab : public QWidget
{
    Q_OBJECT

public:
    BlackListTab(const std::string& homeDir, const storage::TextTable& texts, QWidget* parent = nullptr);

    // Shows the profile's switch and list. A list name that is not in the choice is kept as the profile's
    // choice, so that saving does not lose it, while the choice and the view stay empty.
    void showChoice(bool filterOn, const std::string& listName);
    bool isFilterOn() const { return m_filterOn->isChecked(); }
    const std::string& listName() const { return m_listName; }
    // The number of lines the view shows, as in the group caption.
    int lineCount() const { return m_lineCount; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void onListChosen(int index);
    // Loads the list into the view; a list that cannot be read leaves the view as it was.
    void showList(const std::string& name);
    void setLines(const QString& text, int count);
    void scrollDisclaimer();

    const storage::TextTable& m_texts;
    filter::BlackListStore m_store;
    std::string m_listName;
    int m_lineCount = 0;
    QCheckBox* m_filterOn;
    FilterChoiceBox* m_choice;
    QGroupBox* m_group;
    QPlainTextEdit* m_view;
    QLabel* m_disclaimer;
    QString m_disclaimerText;
    QTimer m_marquee;
};

} // namespace vantor::ui
