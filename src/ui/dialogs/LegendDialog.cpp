#include "ui/dialogs/LegendDialog.h"

#include "ui/widgets/Icons.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

QListWidget* iconList(QWidget* parent, const char* objectName, const QStringList& names, QIcon (*icon)(int))
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    for (int index = 0; index < names.size(); ++index)
        list->addItem(new QListWidgetItem(icon(index), names.at(index)));
    return list;
}

QGroupBox* group(const QString& title, QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

LegendDialog::LegendDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LegendDialog"));
    setWindowTitle(QStringLiteral("Legend"));
    // Message icons by index: 0-6 are the verdicts of the filter, 7 a message that was not checked.
    m_messageIcons =
        iconList(this, "MessageIcons",
                 {QStringLiteral("Headers"), QStringLiteral("Subject"), QStringLiteral("Exceptions"),
                  QStringLiteral("Sender"), QStringLiteral("Other"), QStringLiteral("Black List"),
                  QStringLiteral("no info"), QStringLiteral("no check")},
                 &Icons::message);
    m_trayIcons = iconList(this, "TrayIcons",
                           {QStringLiteral("Normal mode"), QStringLiteral("Check accounts mode"),
                            QStringLiteral("Notify new emails"), QStringLiteral("Built preview mode")},
                           &Icons::tray);
    auto* groups = new QHBoxLayout;
    groups->addWidget(group(QStringLiteral("EMail symbol"), m_messageIcons, this));
    groups->addWidget(group(QStringLiteral("Tray icon"), m_trayIcons, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

} // namespace vantor::ui
