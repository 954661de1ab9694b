#include "ui/dialogs/LegendDialog.h"

#include "core/program/DisplayText.h"
#include "ui/widgets/Icons.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <array>

namespace vantor::ui {

namespace {

// The captions of the icons, by index, as (section, key) of the text table: the message icons 0-5 are
// the filter's verdicts (named as the filter's tabs), 6 a message without information, 7 one not checked.
struct Caption
{
    const char* section;
    const char* key;
};
constexpr std::array<Caption, 8> MessageCaptions{{{"FilterTab", "003"},
                                                  {"FilterTab", "002"},
                                                  {"FilterTab", "004"},
                                                  {"FilterTab", "001"},
                                                  {"FilterTab", "005"},
                                                  {"FilterTab", "006"},
                                                  {"Extra", "030"},
                                                  {"Extra", "031"}}};
constexpr std::array<Caption, 4> TrayCaptions{
    {{"Extra", "032"}, {"Extra", "033"}, {"Extra", "034"}, {"Extra", "035"}}};

QListWidget* iconList(QWidget* parent, const char* objectName, int count, QIcon (*icon)(int))
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    for (int index = 0; index < count; ++index)
        list->addItem(new QListWidgetItem(icon(index), QString()));
    return list;
}

QGroupBox* group(QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

template <std::size_t N>
void setCaptions(QListWidget& list, const std::array<Caption, N>& captions, const storage::TextTable& texts)
{
    for (std::size_t index = 0; index < N; ++index)
        list.item(static_cast<int>(index))
            ->setText(core::uiText(texts, captions[index].section, captions[index].key));
}

} // namespace

LegendDialog::LegendDialog(const storage::TextTable& texts, QWidget* parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_messageIcons(iconList(this, "MessageIcons", MessageCaptions.size(), &Icons::message))
    , m_trayIcons(iconList(this, "TrayIcons", TrayCaptions.size(), &Icons::tray))
{
    setObjectName(QStringLiteral("LegendDialog"));
    m_messageGroup = group(m_messageIcons, this);
    m_trayGroup = group(m_trayIcons, this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(m_messageGroup);
    groups->addWidget(m_trayGroup);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    relabel();
}

void LegendDialog::showEvent(QShowEvent* event)
{
    relabel();
    QDialog::showEvent(event);
}

void LegendDialog::relabel()
{
    setWindowTitle(core::uiText(m_texts, "Menu", "031"));
    m_messageGroup->setTitle(core::uiText(m_texts, "Extra", "028"));
    m_trayGroup->setTitle(core::uiText(m_texts, "Extra", "029"));
    setCaptions(*m_messageIcons, MessageCaptions, m_texts);
    setCaptions(*m_trayIcons, TrayCaptions, m_texts);
}

} // namespace vantor::ui
