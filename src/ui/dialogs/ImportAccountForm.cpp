#include "ui/dialogs/ImportAccountForm.h"

#include "core/program/DisplayText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor::ui {

namespace {

using core::displayText;
using core::storedText;
using core::uiText;

constexpr int NarrowColumnWidth = 50;

} // namespace

ImportAccountForm::ImportAccountForm(const Services& services, QWidget* parent)
    : QDialog(parent)
    , m_texts(services.texts)
    , m_prompts(services.prompts)
    , m_import(services.store, services.source, services.texts, services.prompts, services.useKeyring)
    , m_stepLabel(new QLabel(this))
    , m_instruction(new QLabel(this))
    , m_pages(new QStackedWidget(this))
    , m_accountsList(new QTreeWidget(this))
    , m_damagedFiles(new QLabel(this))
    , m_grid(new QTableWidget(this))
    , m_backBtn(button("BackBtn", "Wizard", "010"))
    , m_nextBtn(button("NextBtn", "Wizard", "009"))
    , m_closeBtn(button("CloseBtn", "ReportButton", "002"))
{
    setObjectName(QStringLiteral("ImportAccountForm"));
    setWindowTitle(uiText(m_texts, "Menu", "028"));
    m_stepLabel->setObjectName(QStringLiteral("StepLabel"));
    QFont bold = m_stepLabel->font();
    bold.setBold(true);
    m_stepLabel->setFont(bold);
    m_instruction->setObjectName(QStringLiteral("InstructionLabel"));

    m_pages->addWidget(buildFirstPage());
    m_pages->addWidget(buildSecondPage());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* each : {m_backBtn, m_nextBtn, m_closeBtn})
        buttons->addWidget(each);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stepLabel);
    layout->addWidget(m_instruction);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_backBtn, &QPushButton::clicked, this, &ImportAccountForm::backBtnClick);
    connect(m_nextBtn, &QPushButton::clicked, this, &ImportAccountForm::nextBtnClick);
    connect(m_closeBtn, &QPushButton::clicked, this, &ImportAccountForm::closeBtnClick);

    showStep(1);
    resize(720, 420);
}

QPushButton* ImportAccountForm::button(const char* objectName, const char* section, const char* key)
{
    auto* result = new QPushButton(uiText(m_texts, section, key), this);
    result->setObjectName(QString::fromLatin1(objectName));
    // Enter in a grid cell ends the edit; it must not finish the import as well.
    result->setAutoDefault(false);
    return result;
}

QWidget* ImportAccountForm::buildFirstPage()
{
    const auto title = [this](const char* key) { return uiText(m_texts, "AccountList", key); };
    m_accountsList->setObjectName(QStringLiteral("AccountsList"));
    m_accountsList->setRootIsDecorated(false);
    m_accountsList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_accountsList->setHeaderLabels({title("001"), title("002"), title("006"), title("003")});
    for (const platform::MailClientAccount& account : m_import.offered()) {
        auto* item = new QTreeWidgetItem(
            m_accountsList, QStringList{displayText(account.name), displayText(account.popServer),
                                        displayText(account.smtpServer), displayText(account.userName)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }

    m_damagedFiles->setObjectName(QStringLiteral("DamagedFilesLabel"));
    m_damagedFiles->setTextFormat(Qt::PlainText);
    m_damagedFiles->setWordWrap(true);
    const QStringList damaged = m_import.damagedFileLines();
    m_damagedFiles->setText(damaged.join(QLatin1Char('\n')));
    m_damagedFiles->setVisible(!damaged.isEmpty());

    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_accountsList, 1);
    layout->addWidget(m_damagedFiles);
    return page;
}

QWidget* ImportAccountForm::buildSecondPage()
{
    const auto title = [this](const char* key) { return uiText(m_texts, "AccountList", key); };
    m_grid->setObjectName(QStringLiteral("Griglia"));
    m_grid->setColumnCount(ColumnCount);
    m_grid->setHorizontalHeaderLabels(
        {title("001"), title("002"), title("007"), title("006"), title("007"), title("003"), title("004")});
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (const int column : {PopPortColumn, SmtpPortColumn})
        m_grid->setColumnWidth(column, NarrowColumnWidth);
    return m_grid;
}

QString ImportAccountForm::cellText(int row, Column column) const
{
    if (column == PasswordColumn) {
        const auto* edit = qobject_cast<const QLineEdit*>(m_grid->cellWidget(row, column));
        return edit ? edit->text() : QString();
    }
    const QTableWidgetItem* item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void ImportAccountForm::setCellText(int row, Column column, const QString& text)
{
    if (column == PasswordColumn) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_grid->cellWidget(row, column)))
            edit->setText(text);
        return;
    }
    if (QTableWidgetItem* item = m_grid->item(row, column))
        item->setText(text);
}

void ImportAccountForm::nextBtnClick()
{
    if (step() == 2) {
        // Moving off the current cell commits an edit still open: Finish may be reached without the cell
        // losing focus first.
        m_grid->setCurrentIndex(QModelIndex());
        if (m_import.finish(gridRows()))
            accept();
        return;
    }
    std::vector<int> ticked;
    for (int row = 0; row < m_accountsList->topLevelItemCount(); ++row) {
        if (m_accountsList->topLevelItem(row)->checkState(0) == Qt::Checked)
            ticked.push_back(row);
    }
    if (ticked.empty()) {
        m_prompts.showError(uiText(m_texts, "Message", "041"));
        return;
    }
    std::vector<core::AccountFields> rows = m_import.rowsFor(ticked);
    const std::vector<core::AccountFields> typed = gridRows();
    for (std::size_t i = 0; i < ticked.size(); ++i) {
        const auto before = std::find(m_gridAccounts.begin(), m_gridAccounts.end(), ticked[i]);
        if (before != m_gridAccounts.end())
            rows[i] = typed[static_cast<std::size_t>(before - m_gridAccounts.begin())];
    }
    m_gridSources = std::move(rows);
    m_gridAccounts = std::move(ticked);
    fillGrid();
    showStep(2);
}

void ImportAccountForm::backBtnClick()
{
    // An edit still open is kept with the others for the return to this step.
    m_grid->setCurrentIndex(QModelIndex());
    showStep(1);
}

void ImportAccountForm::closeBtnClick()
{
    reject();
}

void ImportAccountForm::showStep(int step)
{
    const bool isFirst = step == 1;
    m_pages->setCurrentIndex(step - 1);
    m_stepLabel->setText(uiText(m_texts, "Wizard", isFirst ? "001" : "002"));
    m_instruction->setText(uiText(m_texts, "Wizard", isFirst ? "004" : "005"));
    m_nextBtn->setText(uiText(m_texts, "Wizard", isFirst ? "009" : "003"));
    m_backBtn->setEnabled(!isFirst);
}

void ImportAccountForm::fillGrid()
{
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(m_gridSources.size()));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const core::AccountFields& source = m_gridSources[static_cast<std::size_t>(row)];
        const std::string* texts[] = {&source.description, &source.popServer, &source.popPort,
                                      &source.smtpServer,  &source.smtpPort,  &source.username};
        for (int column = 0; column < PasswordColumn; ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(displayText(*texts[column])));
        // Typed in the grid, so masked as in every other password field of the program.
        auto* password = new QLineEdit(displayText(source.password), m_grid);
        password->setEchoMode(QLineEdit::Password);
        password->setFrame(false);
        m_grid->setCellWidget(row, PasswordColumn, password);
    }
}

std::vector<core::AccountFields> ImportAccountForm::gridRows() const
{
    std::vector<core::AccountFields> rows = m_gridSources;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        core::AccountFields& fields = rows[static_cast<std::size_t>(row)];
        fields.description = storedText(cellText(row, DescriptionColumn));
        fields.popServer = storedText(cellText(row, PopColumn));
        fields.popPort = storedText(cellText(row, PopPortColumn));
        fields.smtpServer = storedText(cellText(row, SmtpColumn));
        fields.smtpPort = storedText(cellText(row, SmtpPortColumn));
        fields.username = storedText(cellText(row, UsernameColumn));
        fields.password = storedText(cellText(row, PasswordColumn));
    }
    return rows;
}

} // namespace vantor::ui
