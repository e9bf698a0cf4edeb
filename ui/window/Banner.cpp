#include "ui/window/Banner.h"

#include <QApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QFont BannerFont(int pixelSize, bool bold)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A page with a folded corner and a caption: one of the generated files.
void DrawPage(QPainter& painter, const QRectF& page, const QString& caption, const QColor& accent)
{
    const qreal fold = page.width() * 0.28;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawPath(outline);

    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    corner.closeSubpath();
    painter.setBrush(QColor(190, 215, 235));
    painter.drawPath(corner);

    // Lines of "code" on the page.
    painter.setPen(QPen(accent, 2.0, Qt::SolidLine, Qt::RoundCap));
    const qreal left = page.left() + 5;
    for (int i = 0; i < 4; ++i) {
        qreal y = page.top() + fold + 5 + i * 6;
        qreal length = (page.width() - 12) * (i % 2 == 0 ? 0.9 : 0.6);
        painter.drawLine(QPointF(left + (i == 1 || i == 2 ? 5 : 0), y), QPointF(left + length, y));
    }

    painter.setPen(QColor(230, 244, 255));
    painter.setFont(BannerFont(10, false));
    QRectF label(page.left() - 14, page.bottom() + 2, page.width() + 28, 14);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, caption);
}

} // namespace

QPixmap DrawBanner(QSize size, const QString& frameworks)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(QPointF(0, 0), QSizeF(size));

    QLinearGradient sky(area.topLeft(), area.topRight());
    sky.setColorAt(0.0, QColor(10, 42, 84));
    sky.setColorAt(0.55, QColor(21, 92, 150));
    sky.setColorAt(1.0, QColor(28, 140, 170));
    painter.fillRect(area, sky);

    // Soft light behind the title and a few rings for depth.
    QRadialGradient glow(QPointF(area.width() * 0.28, area.height() * 0.35), area.height() * 2.2);
    glow.setColorAt(0.0, QColor(255, 255, 255, 60));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(area, glow);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        painter.setPen(QPen(QColor(255, 255, 255, 28 - i * 4), 1.5));
        qreal r = 40 + i * 26;
        painter.drawEllipse(QPointF(area.width() * 0.62, area.height() * 1.1), r * 1.6, r);
    }

    // A cup of coffee, Java's emblem, drawn as simple shapes.
    const QPointF cup(22, 24);
    painter.setPen(QPen(QColor(255, 255, 255, 230), 2.2));
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawRoundedRect(QRectF(cup.x(), cup.y() + 14, 34, 30), 4, 10);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(cup.x() + 28, cup.y() + 20, 14, 14), -90 * 16, 180 * 16);
    painter.drawLine(QPointF(cup.x() - 4, cup.y() + 48), QPointF(cup.x() + 38, cup.y() + 48));
    painter.setPen(QPen(QColor(255, 214, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam;
        qreal x = cup.x() + 8 + i * 9;
        steam.moveTo(x, cup.y() + 10);
        steam.cubicTo(x - 5, cup.y() + 5, x + 5, cup.y() + 2, x, cup.y() - 4);
        painter.drawPath(steam);
    }

    // The program's name and what it makes.
    painter.setPen(Qt::white);
    painter.setFont(BannerFont(30, true));
    const qreal textLeft = 78;
    painter.drawText(QRectF(textLeft, 10, 520, 40), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8("Velmorantis Java代码生成器"));
    painter.setPen(QColor(255, 214, 120));
    painter.setFont(BannerFont(15, true));
    painter.drawText(QRectF(textLeft + 2, 52, 520, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8("2.0版"));
    painter.setPen(QColor(214, 236, 250));
    painter.setFont(BannerFont(13, false));
    painter.drawText(QRectF(textLeft + 50, 52, 520, 20), Qt::AlignLeft | Qt::AlignVCenter,
        frameworks + QString::fromUtf8(" 源代码一键生成"));
    painter.setPen(QColor(160, 200, 230));
    painter.setFont(BannerFont(11, false));
    painter.drawText(QRectF(textLeft + 2, 74, 520, 16), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8("工程 · 类 · 成员  →  配置文件 · 映射文件 · 领域类 · DAO · Action"));

    // The generated files, fanned out on the right.
    const struct {
        const char* caption;
        QColor accent;
    } pages[] = { { "struts.xml", QColor(70, 130, 180) }, { "hbm.xml", QColor(60, 150, 120) },
        { "DAO", QColor(200, 120, 50) }, { "Action", QColor(170, 70, 90) } };
    const qreal pageWidth = 36, pageHeight = 48;
    qreal x = area.width() - 4 * (pageWidth + 18) - 8;
    for (const auto& page : pages) {
        DrawPage(painter, QRectF(x, 18, pageWidth, pageHeight), QString::fromUtf8(page.caption), page.accent);
        x += pageWidth + 18;
    }

    painter.setPen(QColor(255, 255, 255, 90));
    painter.drawLine(QPointF(0, area.height() - 1), QPointF(area.width(), area.height() - 1));
    return pixmap;
}

QPixmap DrawAppIcon(int size)
{
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x5f, 0x9f));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(16, 28, 26, 24), 4, 8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawArc(QRectF(38, 31, 12, 12), -90 * 16, 180 * 16);
    painter.setPen(QPen(QColor(0xff, 0xd2, 0x4d), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        QPainterPath steam;
        qreal x = 22 + i * 7;
        steam.moveTo(x, 22);
        steam.cubicTo(x + 4, 19, x - 4, 15, x, 11);
        painter.drawPath(steam);
    }
    return icon;
}
