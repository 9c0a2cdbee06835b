#include "gui/kit/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {

namespace {

constexpr int kTreeImageSize = 16;
constexpr int kToolbarImageSize = 24;

QPixmap blankPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawFolder(QPainter& painter) {
    const QColor edge(176, 128, 24);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(QColor(240, 196, 80));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
    painter.setBrush(QColor(252, 216, 104));
    painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1, 1);
}

// Each browser's folder carries a round badge in the browser's own colour and letter.
void drawBadge(QPainter& painter, const QColor& colour, const QString& letter) {
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(7.5, 7.5, 8, 8));
    QFont font = painter.font();
    font.setPixelSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(7.5, 7.5, 8, 8), Qt::AlignCenter, letter);
}

struct Badge {
    QColor colour;
    QString letter;
};

Badge badgeOf(int index) {
    switch (index) {
        case 2:
            return {QColor(30, 110, 210), "e"};
        case 3:
            return {QColor(232, 96, 20), "F"};
        case 4:
            return {QColor(170, 30, 40), "M"};
        case 5:
            return {QColor(0, 120, 110), "N"};
        case 6:
            return {QColor(52, 168, 83), "C"};
        default:
            return {};
    }
}

QPen strokePen(const QColor& colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void drawAdd(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(46, 160, 67));
    painter.drawEllipse(QRectF(2, 2, 20, 20));
    painter.setPen(strokePen(Qt::white, 3));
    painter.drawLine(QPointF(12, 7), QPointF(12, 17));
    painter.drawLine(QPointF(7, 12), QPointF(17, 12));
}

void drawEdit(QPainter& painter) {
    painter.setPen(strokePen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(250, 200, 60));
    QPainterPath pencil;
    pencil.moveTo(5, 19);
    pencil.lineTo(6, 14);
    pencil.lineTo(16, 4);
    pencil.lineTo(20, 8);
    pencil.lineTo(10, 18);
    pencil.closeSubpath();
    painter.drawPath(pencil);
    painter.setBrush(QColor(60, 60, 60));
    painter.drawPolygon(QPolygonF({QPointF(5, 19), QPointF(6, 16), QPointF(8, 18)}));
}

void drawDelete(QPainter& painter) {
    painter.setPen(strokePen(QColor(200, 40, 40), 4));
    painter.drawLine(QPointF(6, 6), QPointF(18, 18));
    painter.drawLine(QPointF(18, 6), QPointF(6, 18));
}

void drawRefresh(QPainter& painter) {
    painter.setPen(strokePen(QColor(30, 120, 200), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(5, 5, 14, 14), 60 * 16, 280 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 120, 200));
    painter.drawPolygon(QPolygonF({QPointF(13, 1), QPointF(19, 5), QPointF(13, 9)}));
}

// A tray with an arrow going into it (import) or coming out of it (export).
void drawTrayArrow(QPainter& painter, bool intoTray) {
    painter.setPen(strokePen(QColor(90, 90, 90), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({QPointF(3, 14), QPointF(3, 21), QPointF(21, 21), QPointF(21, 14)}));
    const QColor arrow = intoTray ? QColor(46, 160, 67) : QColor(30, 120, 200);
    painter.setPen(strokePen(arrow, 3));
    painter.drawLine(QPointF(12, 3), QPointF(12, 16));
    const double tip = intoTray ? 17 : 2;
    const double back = intoTray ? 11 : 8;
    painter.drawPolyline(QPolygonF({QPointF(7, back), QPointF(12, tip), QPointF(17, back)}));
}

}  // namespace

QIcon treeImage(int index) {
    QPixmap pixmap = blankPixmap(kTreeImageSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFolder(painter);
    const Badge badge = badgeOf(index);
    if (badge.colour.isValid()) {
        drawBadge(painter, badge.colour, badge.letter);
    }
    painter.end();
    return QIcon(pixmap);
}

QIcon toolbarImage(const QString& key) {
    QPixmap pixmap = blankPixmap(kToolbarImageSize);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (key == "add") {
        drawAdd(painter);
    } else if (key == "edit") {
        drawEdit(painter);
    } else if (key == "delete") {
        drawDelete(painter);
    } else if (key == "refresh") {
        drawRefresh(painter);
    } else if (key == "import" || key == "export") {
        drawTrayArrow(painter, key == "import");
    }
    painter.end();
    return QIcon(pixmap);
}

}  // namespace ui
