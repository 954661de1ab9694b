#include "ui/dialogs/ReportForm.h"

#include "core/program/DisplayText.h"
#include "core/program/EnsureExtension.h"
#include "core/reports/ReportFile.h"
#include "ui/widgets/SaveFileDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

ReportForm::ReportForm(const std::vector<std::string>& lines, const storage::TextTable& texts,
                       core::UserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_prompts(prompts)
    , m_lines(lines)
    , m_memo(new QPlainTextEdit(this))
    , m_saveBtn(new QPushButton(uiText(texts, "ReportButton", "001"), this))
    , m_closeBtn(new QPushButton(uiText(texts, "ReportButton", "002"), this))
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(uiText(texts, "Menu", "011"));
    m_memo->setObjectName(QStringLiteral("ReportMemo"));
    m_saveBtn->setObjectName(QStringLiteral("SaveBtn"));
    m_closeBtn->setObjectName(QStringLiteral("CloseBtn"));

    // Read-only and without wrapping: long lines scroll sideways instead of folding.
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList shown;
    for (const std::string& line : m_lines)
        shown.append(core::displayText(line));
    m_memo->setPlainText(shown.join(QLatin1Char('\n')));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveBtn);
    buttons->addWidget(m_closeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo);
    layout->addLayout(buttons);

    connect(m_saveBtn, &QPushButton::clicked, this, &ReportForm::saveBtnClick);
    connect(m_closeBtn, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(560, 380);
    centreOnScreen();
}

void ReportForm::showLastReport(const std::vector<std::string>& lines, const storage::TextTable& texts,
                                core::UserPrompts& prompts, QWidget* parent)
{
    ReportForm form(lines, texts, prompts, parent);
    form.exec();
}

void ReportForm::saveBtnClick()
{
    const auto choice =
        SaveFileDialog::run(this, QStringLiteral("SaveReportDialog"), uiText(m_texts, "Dialog", "007"),
                            {uiText(m_texts, "Extra", "036")});
    if (!choice)
        return;
    const QString path = core::ensureExtension(choice->fileName, QStringLiteral("txt"));
    if (!core::ReportFile::write(path, m_lines))
        m_prompts.showError(uiText(m_texts, "Message", "039") + QLatin1Char('\n') + path);
}

void ReportForm::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace vantor::ui
