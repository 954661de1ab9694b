#include "ui/widgets/ColourSwatch.h"

#include "ui/widgets/ChartWidget.h"

#include <QColorDialog>

namespace vantor::ui {

ColourSwatch::ColourSwatch(const char* objectName, QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(QString::fromLatin1(objectName));
    setFixedSize(40, 20);
    connect(this, &QToolButton::clicked, this, &ColourSwatch::chooseColour);
    setValue(0);
}

void ColourSwatch::setValue(std::uint32_t value)
{
    m_value = value & 0x00FFFFFFu;
    setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                      .arg(ChartWidget::colour(m_value).name()));
}

std::uint32_t ColourSwatch::storedValue(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

void ColourSwatch::chooseColour()
{
    QColorDialog dialog(ChartWidget::colour(m_value), this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    if (dialog.exec() == QDialog::Accepted)
        setValue(storedValue(dialog.selectedColor()));
}

} // namespace vantor::ui
