#include "ui/widgets/ListIconModel.h"

#include "core/check/ResultListModel.h"
#include "ui/widgets/Icons.h"

#include <QApplication>
#include <QStyle>

namespace vantor::ui {

ListIconModel::ListIconModel(Kind kind, QObject* parent)
    : QIdentityProxyModel(parent)
    , m_kind(kind)
{}

QVariant ListIconModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DecorationRole || index.column() != 0)
        return QIdentityProxyModel::data(index, role);
    const QVariant iconIndex = QIdentityProxyModel::data(index, core::ResultListModel::IconRole);
    if (!iconIndex.isValid() || iconIndex.toInt() < 0)
        return QVariant();
    return icon(iconIndex.toInt());
}

QIcon ListIconModel::icon(int index) const
{
    if (m_kind == Kind::Messages)
        return Icons::message(index);
    static constexpr QStyle::StandardPixmap AccountGlyphs[] = {
        QStyle::SP_DialogApplyButton, QStyle::SP_MessageBoxCritical, QStyle::SP_BrowserReload};
    if (index > 2)
        return QIcon();
    return QApplication::style()->standardIcon(AccountGlyphs[index]);
}

} // namespace vantor::ui
