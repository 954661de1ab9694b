#pragma once

#include "core/program/UserPrompts.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>
#include <vector>

namespace vantor::ui {

// "Last Report": the lines of the last check in a read-only box, which Save writes to a text file.
// A fixed-size window centred on the screen; it keeps a copy of the lines it was opened with.
class ReportForm : public QDialog
{
    Q_OBJECT

public:
    ReportForm(const std::vector<std::string>& lines, const storage::TextTable& texts,
               core::UserPrompts& prompts, QWidget* parent = nullptr);

    // Creates the window with the report, shows it modally and destroys it when it closes.
    static void showLastReport(const std::vector<std::string>& lines, const storage::TextTable& texts,
                               core::UserPrompts& prompts, QWidget* parent = nullptr);

    QPlainTextEdit& reportMemo() { return *m_memo; }

    // Asks for a file name and writes the report there; a failure is reported and the window stays open.
    void saveBtnClick();

private:
    void centreOnScreen();

    const storage::TextTable& m_texts;
    core::UserPrompts& m_prompts;
    std::vector<std::string> m_lines;
    QPlainTextEdit* m_memo;
    QPushButton* m_saveBtn;
    QPushButton* m_closeBtn;
};

} // namespace vantor::ui
