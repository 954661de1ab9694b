#include "ui/widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace vantor::ui {

namespace {

// Pictures are drawn on a 32-unit grid into 64 px, so the splash and the about box get a sharp large copy;
// Qt scales them down for the tray and the menus.
constexpr int Size = 32;
constexpr int Scale = 2;

template <typename Draw> QIcon drawn(Draw draw)
{
    QPixmap pixmap(Size * Scale, Size * Scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(Scale, Scale);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void envelope(QPainter& painter, const QRectF& box, const QColor& paper)
{
    painter.setPen(QPen(QColor(40, 60, 110), 1.6));
    painter.setBrush(paper);
    painter.drawRoundedRect(box, 2, 2);
    QPainterPath flap;
    flap.moveTo(box.topLeft());
    flap.lineTo(box.center().x(), box.top() + box.height() * 0.55);
    flap.lineTo(box.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);
}

void badge(QPainter& painter, const QColor& colour)
{
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(Size - 15, Size - 15, 14, 14));
}

} // namespace

QColor Icons::badgeColour(int index)
{
    static const std::array<QColor, 8> colours{
        QColor(30, 110, 200), QColor(30, 160, 60), QColor(230, 170, 20),  QColor(230, 110, 20),
        QColor(200, 30, 30),  QColor(20, 20, 20),  QColor(150, 150, 150), QColor(200, 200, 200)};
    return colours.at(static_cast<std::size_t>(index) % colours.size());
}

QIcon Icons::tray(int index)
{
    return drawn([index](QPainter& painter) {
        envelope(painter, QRectF(2, 6, 26, 18), QColor(250, 250, 240));
        badge(painter, badgeColour(index));
    });
}

QIcon Icons::connection(bool isOnline)
{
    return drawn([isOnline](QPainter& painter) {
        const QColor colour = isOnline ? QColor(30, 160, 60) : QColor(190, 40, 40);
        painter.setPen(QPen(colour.darker(130), 2));
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(6, 6, 20, 20));
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        if (isOnline) {
            painter.drawLine(QPointF(11, 16), QPointF(15, 20));
            painter.drawLine(QPointF(15, 20), QPointF(21, 12));
        } else {
            painter.drawLine(QPointF(12, 12), QPointF(20, 20));
            painter.drawLine(QPointF(20, 12), QPointF(12, 20));
        }
    });
}

QIcon Icons::message(int index)
{
    return drawn([index](QPainter& painter) {
        envelope(painter, QRectF(3, 7, 24, 17), Qt::white);
        badge(painter, badgeColour(index));
    });
}

QIcon Icons::storeFolder(int index)
{
    return drawn([index](QPainter& painter) {
        // The store itself in grey, its folders in the desktop's folder yellow, each kind with its mark.
        painter.setBrush(index == 0 ? QColor(150, 150, 160) : QColor(240, 200, 80));
        painter.drawPolygon(QPolygonF{QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(29, 11),
                                      QPointF(29, 26), QPointF(3, 26)});
        if (index > 0)
            badge(painter, badgeColour(index));
    });
}

namespace {

void drawCheck(QPainter& painter)
{
    envelope(painter, QRectF(3, 6, 22, 16), Qt::white);
    painter.setPen(QPen(QColor(30, 160, 60), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF{QPointF(15, 22), QPointF(20, 27), QPointF(29, 15)});
}

void drawAccounts(QPainter& painter)
{
    painter.setBrush(QColor(90, 130, 200));
    painter.drawEllipse(QRectF(10, 3, 12, 12));
    painter.drawChord(QRectF(4, 17, 24, 24), 0, 180 * 16);
}

void drawFunnel(QPainter& painter)
{
    painter.setBrush(QColor(230, 170, 20));
    painter.drawPolygon(QPolygonF{QPointF(3, 5), QPointF(29, 5), QPointF(19, 17), QPointF(19, 28),
                                  QPointF(13, 24), QPointF(13, 17)});
}

void drawGear(QPainter& painter)
{
    painter.setBrush(QColor(120, 120, 130));
    painter.translate(16, 16);
    for (int tooth = 0; tooth < 8; ++tooth) {
        painter.drawRect(QRectF(-3, -14, 6, 7));
        painter.rotate(45);
    }
    painter.drawEllipse(QRectF(-10, -10, 20, 20));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(-4, -4, 8, 8));
}

void drawImport(QPainter& painter)
{
    painter.setBrush(QColor(30, 110, 200));
    painter.drawPolygon(QPolygonF{QPointF(12, 2), QPointF(20, 2), QPointF(20, 12), QPointF(26, 12),
                                  QPointF(16, 22), QPointF(6, 12), QPointF(12, 12)});
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF{QPointF(3, 20), QPointF(3, 29), QPointF(29, 29), QPointF(29, 20)});
}

void drawHeart(QPainter& painter)
{
    QPainterPath heart;
    heart.moveTo(16, 28);
    heart.cubicTo(2, 18, 2, 6, 10, 5);
    heart.cubicTo(13, 5, 15, 7, 16, 10);
    heart.cubicTo(17, 7, 19, 5, 22, 5);
    heart.cubicTo(30, 6, 30, 18, 16, 28);
    painter.setBrush(QColor(210, 40, 60));
    painter.drawPath(heart);
}

void drawInfo(QPainter& painter)
{
    painter.setBrush(QColor(30, 110, 200));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoint(QPointF(16, 9));
    painter.drawLine(QPointF(16, 15), QPointF(16, 24));
}

} // namespace

QIcon Icons::tool(Tool tool)
{
    return drawn([tool](QPainter& painter) {
        painter.setPen(QPen(QColor(40, 60, 110), 1.5));
        switch (tool) {
        case Tool::Check:
            return drawCheck(painter);
        case Tool::Accounts:
            return drawAccounts(painter);
        case Tool::MailClient:
            return envelope(painter, QRectF(2, 7, 28, 19), QColor(250, 250, 240));
        case Tool::Filters:
            return drawFunnel(painter);
        case Tool::Setting:
            return drawGear(painter);
        case Tool::Import:
            return drawImport(painter);
        case Tool::Friend:
            return drawHeart(painter);
        case Tool::About:
            return drawInfo(painter);
        }
    });
}

} // namespace vantor::ui
