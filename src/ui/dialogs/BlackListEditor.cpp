#include "ui/dialogs/BlackListEditor.h"

#include "base/AsciiCase.h"
#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "storage/IniError.h"
#include "ui/widgets/WaitCursor.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

using core::displayText;
using core::fillPlaceholders;
using core::storedText;
using core::uiText;

// The stored name of the chosen entry: the directory's own bytes, so that a name that is not UTF-8 still
// finds its file.
std::optional<std::string> chosenName(const QComboBox& box)
{
    if (box.currentIndex() < 0)
        return std::nullopt;
    return box.currentData().toByteArray().toStdString();
}

} // namespace

BlackListEditor::BlackListEditor(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_lists(services.lists)
    , m_texts(services.texts)
    , m_prompts(services.prompts)
    , m_listBox(new QComboBox(this))
    , m_listMemo(new QPlainTextEdit(this))
    , m_sourceBox(new QComboBox(this))
    , m_sourceList(new QListWidget(this))
    , m_statusLabel(new QLabel(this))
    , m_newBtn(button("NewBtn", "Button", "013"))
    , m_deleteBtn(button("DeleteBtn", "FilterButton", "003"))
    , m_saveBtn(button("SaveBtn", "ReportButton", "001"))
    , m_cleanBtn(button("CleanBtn", "Button", "010"))
    , m_addBtn(button("AddBtn", "Button", "011"))
    , m_okBtn(button("OKBtn", "FilterButton", "005"))
{
    setObjectName(QStringLiteral("BlackListEditor"));
    setWindowTitle(uiText(m_texts, "Menu", "027"));
    m_listBox->setObjectName(QStringLiteral("ListBox"));
    m_listMemo->setObjectName(QStringLiteral("ListMemo"));
    // One entry per line: a wrapped long address would look like two.
    m_listMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_sourceBox->setObjectName(QStringLiteral("SourceBox"));
    m_sourceList->setObjectName(QStringLiteral("SourceList"));
    m_sourceList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_statusLabel->setObjectName(QStringLiteral("StatusLabel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildLayout(), 1);
    layout->addWidget(m_statusLabel);

    connect(m_listBox, &QComboBox::activated, this, &BlackListEditor::listBoxChange);
    connect(m_sourceBox, &QComboBox::activated, this, &BlackListEditor::sourceBoxChange);
    connect(m_newBtn, &QPushButton::clicked, this, &BlackListEditor::newBtnClick);
    connect(m_deleteBtn, &QPushButton::clicked, this, &BlackListEditor::deleteBtnClick);
    connect(m_saveBtn, &QPushButton::clicked, this, &BlackListEditor::saveBtnClick);
    connect(m_cleanBtn, &QPushButton::clicked, this, &BlackListEditor::cleanBtnClick);
    connect(m_addBtn, &QPushButton::clicked, this, &BlackListEditor::addBtnClick);
    connect(m_okBtn, &QPushButton::clicked, this, &BlackListEditor::okBtnClick);

    fillBoxes();
    // An editor that opens on empty boxes looks broken: it starts on the first list, ready to edit.
    if (m_listBox->count() > 0) {
        m_listBox->setCurrentIndex(0);
        listBoxChange();
    }
    resize(640, 480);
}

QPushButton* BlackListEditor::button(const char* objectName, const char* section, const char* key)
{
    auto* result = new QPushButton(uiText(m_texts, section, key), this);
    result->setObjectName(QString::fromLatin1(objectName));
    result->setAutoDefault(false);
    return result;
}

QLayout* BlackListEditor::buildLayout()
{
    auto* editButtons = new QHBoxLayout;
    for (QPushButton* each : {m_newBtn, m_deleteBtn, m_saveBtn, m_cleanBtn})
        editButtons->addWidget(each);
    auto* sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(m_addBtn);
    sourceButtons->addStretch();
    sourceButtons->addWidget(m_okBtn);

    auto* grid = new QGridLayout;
    grid->addWidget(m_listBox, 0, 0);
    grid->addWidget(m_listMemo, 1, 0);
    grid->addLayout(editButtons, 2, 0);
    grid->addWidget(m_sourceBox, 0, 1);
    grid->addWidget(m_sourceList, 1, 1);
    grid->addLayout(sourceButtons, 2, 1);
    grid->setRowStretch(1, 1);
    return grid;
}

void BlackListEditor::fillBoxes()
{
    for (QComboBox* box : {m_listBox, m_sourceBox}) {
        box->clear();
        for (const std::string& name : m_lists.list())
            box->addItem(displayText(name), QByteArray::fromStdString(name));
        // Nothing is chosen until the user picks a list.
        box->setCurrentIndex(-1);
    }
}

void BlackListEditor::listBoxChange()
{
    m_statusLabel->clear();
    if (const auto lines = load(*m_listBox))
        setMemoLines(*lines);
}

void BlackListEditor::sourceBoxChange()
{
    m_statusLabel->clear();
    const auto lines = load(*m_sourceBox);
    if (!lines)
        return;
    m_sourceList->clear();
    for (const std::string& line : *lines)
        m_sourceList->addItem(displayText(line));
}

std::optional<std::vector<std::string>> BlackListEditor::load(const QComboBox& box)
{
    std::optional<std::vector<std::string>> lines;
    if (const std::optional<std::string> name = chosenName(box)) {
        const WaitCursor hourglass;
        try {
            lines = m_lists.read(*name);
        } catch (const storage::IniError&) {
            lines.reset();
        }
    }
    if (!lines)
        m_statusLabel->setText(uiText(m_texts, "Message", "045"));
    return lines;
}

void BlackListEditor::newBtnClick()
{
    const QString answer =
        m_prompts.askText(uiText(m_texts, "Button", "013"), uiText(m_texts, "Extra", "059"));
    if (answer.isEmpty())
        return;
    const QString name = answer.trimmed();
    if (!isPlainListName(name)) {
        showError("052");
        return;
    }
    const std::string stored = storedText(name);
    if (m_lists.exists(stored)) {
        m_prompts.showError(fillPlaceholders(uiText(m_texts, "Message", "046"), {name}));
        return;
    }
    if (!writeList(stored))
        return;
    fillBoxes();
    m_listBox->setCurrentIndex(m_listBox->findData(QByteArray::fromStdString(stored)));
}

void BlackListEditor::deleteBtnClick()
{
    const std::optional<std::string> name = chosenName(*m_listBox);
    if (!name)
        return;
    // Every profile whose own list is missing falls back to this one, in any letter case the file has.
    if (base::equalsIgnoreCase(*name, filter::BlackListStore::DefaultName)) {
        showError("047");
        return;
    }
    if (!m_prompts.askYesNo(uiText(m_texts, "Message", "048")))
        return;
    if (!m_lists.remove(*name)) {
        showError("049");
        return;
    }
    fillBoxes();
    m_listMemo->clear();
    m_sourceList->clear();
}

void BlackListEditor::saveBtnClick()
{
    const std::optional<std::string> name = chosenName(*m_listBox);
    if (name && m_prompts.askYesNo(uiText(m_texts, "Message", "051")))
        writeList(*name);
}

void BlackListEditor::cleanBtnClick()
{
    if (m_prompts.askYesNo(uiText(m_texts, "Message", "050")))
        m_listMemo->clear();
}

void BlackListEditor::addBtnClick()
{
    std::vector<std::string> lines = memoLines();
    // In the order of the list, not the order in which the lines were selected.
    for (int row = 0; row < m_sourceList->count(); ++row) {
        const QListWidgetItem* item = m_sourceList->item(row);
        if (item->isSelected())
            lines.push_back(storedText(item->text()));
    }
    setMemoLines(lines);
}

void BlackListEditor::okBtnClick()
{
    accept();
}

bool BlackListEditor::isPlainListName(const QString& name)
{
    if (name.trimmed().isEmpty() || name != name.trimmed() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c))
            return false;
    }
    // Device names that Windows opens instead of a file, with any extension.
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return !device.match(name).hasMatch();
}

std::vector<std::string> BlackListEditor::memoLines() const
{
    std::vector<std::string> lines;
    const QString text = m_listMemo->toPlainText();
    if (text.isEmpty())
        return lines;
    QStringList parts = text.split(QLatin1Char('\n'));
    // A line break after the last entry starts no new entry.
    if (parts.constLast().isEmpty())
        parts.removeLast();
    for (const QString& part : parts)
        lines.push_back(storedText(part));
    return lines;
}

void BlackListEditor::setMemoLines(const std::vector<std::string>& lines)
{
    QStringList shown;
    for (const std::string& line : lines)
        shown.append(displayText(line));
    m_listMemo->setPlainText(shown.join(QLatin1Char('\n')));
}

bool BlackListEditor::writeList(const std::string& name)
{
    try {
        m_lists.write(name, memoLines());
        return true;
    } catch (const storage::IniError&) {
        showError("052");
        return false;
    }
}

void BlackListEditor::showError(const char* key)
{
    m_prompts.showError(uiText(m_texts, "Message", key));
}

} // namespace vantor::ui
