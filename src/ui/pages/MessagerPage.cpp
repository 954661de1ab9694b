#include "ui/pages/MessagerPage.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/OpenFileDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include <array>
#include <filesystem>

namespace vantor::ui {

namespace {

// A sheet of paper with the colour of its kind and a letter for it: picture, document, web page, sound,
// program, archive, other.
QIcon fileKindIcon(int kind)
{
    static const std::array<char, 7> Letters{'P', 'D', 'W', 'S', 'X', 'Z', '?'};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6.5, 2.5, 19, 27));
    painter.setBrush(Icons::badgeColour(kind));
    painter.drawRect(QRectF(6.5, 18.5, 19, 11));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(6.5, 18.5, 19, 11), Qt::AlignCenter,
                     QString(QLatin1Char(Letters.at(static_cast<std::size_t>(kind) % Letters.size()))));
    painter.end();
    return QIcon(pixmap);
}

QLineEdit* namedEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* namedButton(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

MessagerPage::MessagerPage(QWidget* parent)
    : QWidget(parent)
    , m_accountLabel(new QLabel(this))
    , m_sendBox(new QComboBox(this))
    , m_nameLabel(new QLabel(this))
    , m_fromNameEdit(namedEdit(this, "FromNameEdit"))
    , m_addressLabel(new QLabel(this))
    , m_fromAddressEdit(namedEdit(this, "FromAddressEdit"))
    , m_toNameLabel(new QLabel(this))
    , m_toNameEdit(namedEdit(this, "ToNameEdit"))
    , m_toAddressLabel(new QLabel(this))
    , m_toAddressEdit(namedEdit(this, "ToAddressEdit"))
    , m_subjectLabel(new QLabel(this))
    , m_subjectEdit(namedEdit(this, "SubjectEdit"))
    , m_priorityLabel(new QLabel(this))
    , m_trackPri(new QSlider(Qt::Horizontal, this))
    , m_labelPri(new QLabel(this))
    , m_editor(new QPlainTextEdit(this))
    , m_filesLabel(new QLabel(this))
    , m_filesList(new QListWidget(this))
    , m_addButton(namedButton(this, "AddBtn"))
    , m_removeButton(namedButton(this, "RemoveBtn"))
    , m_sendButton(namedButton(this, "SendButton"))
    , m_clearButton(namedButton(this, "ClearBtn"))
    , m_abortButton(namedButton(this, "AbortBtn2"))
    , m_statusLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("MessagerPage"));
    m_sendBox->setObjectName(QStringLiteral("SendBox"));
    m_sendBox->setMinimumWidth(220);
    m_trackPri->setObjectName(QStringLiteral("TrackPri"));
    m_trackPri->setRange(0, 4);
    m_trackPri->setPageStep(1);
    m_trackPri->setTickPosition(QSlider::TicksBelow);
    m_trackPri->setValue(2);
    m_labelPri->setObjectName(QStringLiteral("LabelPri"));
    m_editor->setObjectName(QStringLiteral("Editor"));
    m_filesList->setObjectName(QStringLiteral("FilesList"));
    m_filesList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_statusLabel->setObjectName(QStringLiteral("Label17"));
    m_removeButton->setEnabled(false);

    // Sender and recipient each take one row (name, then address), so the page fits a small window.
    auto* fields = new QGridLayout;
    fields->addWidget(m_accountLabel, 0, 0);
    fields->addWidget(m_sendBox, 0, 1, 1, 3);
    fields->addWidget(m_nameLabel, 1, 0);
    fields->addWidget(m_fromNameEdit, 1, 1);
    fields->addWidget(m_addressLabel, 1, 2);
    fields->addWidget(m_fromAddressEdit, 1, 3);
    fields->addWidget(m_toNameLabel, 2, 0);
    fields->addWidget(m_toNameEdit, 2, 1);
    fields->addWidget(m_toAddressLabel, 2, 2);
    fields->addWidget(m_toAddressEdit, 2, 3);
    fields->addWidget(m_subjectLabel, 3, 0);
    fields->addWidget(m_subjectEdit, 3, 1, 1, 3);
    fields->addWidget(m_priorityLabel, 4, 0);
    fields->addWidget(m_trackPri, 4, 1);
    fields->addWidget(m_labelPri, 4, 2, 1, 2);

    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(m_addButton);
    fileButtons->addWidget(m_removeButton);
    fileButtons->addStretch(1);
    auto* files = new QGridLayout;
    files->addWidget(m_filesLabel, 0, 0, 1, 2);
    files->addWidget(m_filesList, 1, 0);
    files->addLayout(fileButtons, 1, 1);
    m_filesList->setMinimumHeight(40);
    m_editor->setMinimumHeight(40);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 3);
    top->addLayout(files, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_statusLabel, 1);
    buttons->addWidget(m_sendButton);
    buttons->addWidget(m_clearButton);
    buttons->addWidget(m_abortButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_editor, 1);
    layout->addLayout(buttons);

    connect(m_trackPri, &QSlider::valueChanged, this, &MessagerPage::showPriorityWord);
    connect(m_filesList, &QListWidget::itemSelectionChanged, this,
            [this] { m_removeButton->setEnabled(!m_filesList->selectedItems().isEmpty()); });
    connect(m_sendButton, &QPushButton::clicked, this, &MessagerPage::sendButtonClick);
    connect(m_clearButton, &QPushButton::clicked, this, &MessagerPage::clearBtnClick);
    connect(m_abortButton, &QPushButton::clicked, this, &MessagerPage::abortBtnClick);
    connect(m_addButton, &QPushButton::clicked, this, &MessagerPage::addBtnClick);
    connect(m_removeButton, &QPushButton::clicked, this, &MessagerPage::removeBtnClick);
}

void MessagerPage::attach(core::Messager& messager, const storage::TextTable& texts,
                          core::UserPrompts& prompts)
{
    m_messager = &messager;
    m_texts = &texts;
    m_prompts = &prompts;
    m_messager->setOnStatus([this](const QString& text) { m_statusLabel->setText(text); });
    relabel(texts);
}

void MessagerPage::setAccounts(const QStringList& descriptions)
{
    m_sendBox->clear();
    m_sendBox->addItems(descriptions);
    m_sendBox->setCurrentIndex(descriptions.isEmpty() ? -1 : 0);
}

void MessagerPage::setSenderDefaults(const QString& name, const QString& address)
{
    m_defaultName = name;
    m_defaultAddress = address;
    m_fromNameEdit->setText(name);
    m_fromAddressEdit->setText(address);
}

void MessagerPage::setRecipient(const QString& address)
{
    m_toAddressEdit->setText(address);
}

void MessagerPage::relabel(const storage::TextTable& texts)
{
    using core::uiText;
    m_accountLabel->setText(uiText(texts, "Label", "003"));
    m_nameLabel->setText(uiText(texts, "SettingLabel", "040"));
    m_addressLabel->setText(uiText(texts, "Label", "001"));
    m_toNameLabel->setText(uiText(texts, "SettingLabel", "040"));
    m_toAddressLabel->setText(uiText(texts, "Label", "002"));
    m_subjectLabel->setText(uiText(texts, "Label", "004"));
    m_priorityLabel->setText(uiText(texts, "Label", "005"));
    m_filesLabel->setText(uiText(texts, "List", "013"));
    m_addButton->setText(uiText(texts, "Button", "011"));
    m_removeButton->setText(uiText(texts, "Button", "012"));
    m_sendButton->setText(uiText(texts, "Button", "009"));
    m_clearButton->setText(uiText(texts, "Button", "010"));
    m_abortButton->setText(uiText(texts, "Button", "008"));
    m_texts = &texts;
    showPriorityWord();
}

void MessagerPage::showPriorityWord()
{
    if (!m_texts)
        return;
    // "Highest" (053) for the top position down to "Lowest" (057) for position 0.
    const int key = 57 - m_trackPri->value();
    m_labelPri->setText(core::uiText(*m_texts, "Extra",
                                     QStringLiteral("%1").arg(key, 3, 10, QLatin1Char('0')).toStdString()));
}

core::MessageDraft MessagerPage::draft() const
{
    return {core::storedText(m_fromNameEdit->text()),
            core::storedText(m_fromAddressEdit->text()),
            core::storedText(m_toNameEdit->text()),
            core::storedText(m_toAddressEdit->text()),
            core::storedText(m_subjectEdit->text()),
            core::storedText(m_editor->toPlainText()),
            m_trackPri->value()};
}

void MessagerPage::setSending(bool isSending)
{
    // The message must not change under the client while its text goes out; Abort stays usable.
    m_sendButton->setEnabled(!isSending);
    m_clearButton->setEnabled(!isSending);
    m_addButton->setEnabled(!isSending);
    m_removeButton->setEnabled(!isSending && !m_filesList->selectedItems().isEmpty());
}

void MessagerPage::sendButtonClick()
{
    if (!m_messager || m_messager->isSending())
        return;
    setSending(true);
    m_messager->send(core::storedText(m_sendBox->currentText()), draft());
    setSending(false);
}

void MessagerPage::clearBtnClick()
{
    if (!m_messager || !m_messager->clear())
        return;
    m_editor->clear();
    m_toAddressEdit->clear();
    m_subjectEdit->clear();
    m_toNameEdit->clear();
    m_trackPri->setValue(2);
    m_fromAddressEdit->setText(m_defaultAddress);
    m_fromNameEdit->setText(m_defaultName);
    m_filesList->clear();
}

void MessagerPage::abortBtnClick()
{
    if (!m_messager)
        return;
    m_messager->abort();
    m_sendButton->setEnabled(true);
}

void MessagerPage::addBtnClick()
{
    if (!m_messager || m_messager->isSending())
        return;
    const QString path = OpenFileDialog::run(this, QStringLiteral("AddFileDialog"),
                                             core::uiText(*m_texts, "Dialog", "002"), {});
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool isAttached = false;
    try {
        isAttached = m_messager->attachFile(std::filesystem::path(path.toStdU16String()));
    } catch (const std::filesystem::filesystem_error&) {
        QApplication::restoreOverrideCursor();
        m_prompts->showError(core::fillPlaceholders(core::uiText(*m_texts, "Extra", "063"), {path}));
        return;
    }
    QApplication::restoreOverrideCursor();
    if (!isAttached)
        return;
    auto* row = new QListWidgetItem(path, m_filesList);
    const int kind = core::Messager::attachmentIcon(core::storedText(path));
    row->setData(Qt::UserRole, kind);
    row->setIcon(fileKindIcon(kind));
}

void MessagerPage::removeBtnClick()
{
    const int index = m_filesList->currentRow();
    if (!m_messager || m_filesList->selectedItems().isEmpty() || !m_messager->detachFile(index))
        return;
    delete m_filesList->takeItem(index);
}

} // namespace vantor::ui
