#include "ui/dialogs/BlackListTab.h"

#include "core/program/DisplayText.h"
#include "storage/IniError.h"
#include "ui/dialogs/FilterChoiceBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

namespace {

constexpr int MarqueeStepMs = 150;

QByteArray bytesOf(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

BlackListTab::BlackListTab(const std::string& homeDir, const storage::TextTable& texts, QWidget* parent)
    : QWidget(parent)
    , m_texts(texts)
    , m_store(homeDir)
    , m_filterOn(new QCheckBox(uiText(texts, "FilterLabel", "013"), this))
    , m_choice(new FilterChoiceBox(this))
    , m_group(new QGroupBox(this))
    , m_view(new QPlainTextEdit(m_group))
    , m_disclaimer(new QLabel(this))
    // Blanks between the end and the start of the scrolling line.
    , m_disclaimerText(uiText(texts, "FilterLabel", "016") + QStringLiteral("          "))
{
    setObjectName(QStringLiteral("Tab6"));
    m_filterOn->setObjectName(QStringLiteral("EBLF"));
    m_choice->setObjectName(QStringLiteral("BListChoice"));
    m_group->setObjectName(QStringLiteral("BListGroup"));
    m_view->setObjectName(QStringLiteral("BListView"));
    m_disclaimer->setObjectName(QStringLiteral("Disclaimer"));
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_disclaimer->setText(m_disclaimerText);

    // The names are bytes of the file system; the data keeps them exact whatever the display makes of them.
    for (const std::string& name : m_store.list())
        m_choice->addItem(core::displayText(name), bytesOf(name));
    m_choice->setCurrentIndex(-1);

    auto* chooser = new QHBoxLayout;
    chooser->addWidget(new QLabel(uiText(texts, "FilterLabel", "014"), this));
    chooser->addWidget(m_choice, 1);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_view);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filterOn);
    layout->addLayout(chooser);
    layout->addWidget(m_group, 1);
    layout->addWidget(m_disclaimer);
    setLines(QString(), 0);

    connect(m_choice, &QComboBox::activated, this, &BlackListTab::onListChosen);
    m_marquee.setInterval(MarqueeStepMs);
    connect(&m_marquee, &QTimer::timeout, this, &BlackListTab::scrollDisclaimer);
}

void BlackListTab::showChoice(bool filterOn, const std::string& listName)
{
    m_filterOn->setChecked(filterOn);
    m_listName = listName;
    const int index = m_choice->findData(bytesOf(listName));
    m_choice->setCurrentIndex(index);
    if (index < 0)
        setLines(QString(), 0);
    else
        showList(listName);
}

void BlackListTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_marquee.start();
}

void BlackListTab::hideEvent(QHideEvent* event)
{
    m_marquee.stop();
    QWidget::hideEvent(event);
}

void BlackListTab::onListChosen(int index)
{
    if (index < 0)
        return;
    m_listName = m_choice->itemData(index).toByteArray().toStdString();
    showList(m_listName);
}

void BlackListTab::showList(const std::string& name)
{
    std::optional<std::vector<std::string>> lines;
    try {
        lines = m_store.read(name);
    } catch (const storage::IniError&) {
        return;
    }
    if (!lines)
        return;
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines->size()));
    for (const std::string& line : *lines)
        shown.append(core::displayText(line));
    setLines(shown.join(QLatin1Char('\n')), static_cast<int>(lines->size()));
}

void BlackListTab::setLines(const QString& text, int count)
{
    m_view->setPlainText(text);
    m_lineCount = count;
    m_group->setTitle(uiText(m_texts, "FilterLabel", "015") + QStringLiteral(": ") + QString::number(count));
}

void BlackListTab::scrollDisclaimer()
{
    m_disclaimerText = m_disclaimerText.mid(1) + m_disclaimerText.left(1);
    m_disclaimer->setText(m_disclaimerText);
}

} // namespace vantor::ui
