#pragma once

#include <QIdentityProxyModel>

namespace vantor::ui {

// Shows the icon index of a result list row (ResultListModel::IconRole) as its picture in the first
// column: the verdict icons for message lists, a state glyph for account lists.
class ListIconModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    enum class Kind
    {
        // 0-6 verdict codes, 7 not checked.
        Messages,
        // 0 done "OK", 1 failed, 2 being processed.
        Accounts
    };

    explicit ListIconModel(Kind kind, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;

private:
    QIcon icon(int index) const;

    Kind m_kind;
};

} // namespace vantor::ui
