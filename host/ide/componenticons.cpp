#include "componenticons.h"

#include <QPainter>

#include "registration.h"

namespace {

constexpr int IconSize = 24;

// The picture the package registered for exactly this class on the palette.
QPixmap paletteBitmap(const QMetaObject *Class)
{
    const QIcon icon = GetPaletteIcon(Class);
    return icon.isNull() ? QPixmap() : icon.pixmap(24, 24);
}

// The initials of the class name's last two words: "TSQLDataSet" -> "DS", "TSQLConnection" ->
// "SC", "TPopupMenu" -> "PM". A capital starts a word after a small letter, or before one.
QString initials(const QMetaObject *Class)
{
    QString name = QString::fromLatin1(Class->className());
    if (name.size() > 1 && name.startsWith(QLatin1Char('T')))
        name.remove(0, 1);
    QString capitals;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (name.at(i).isUpper() && (i == 0 || !name.at(i - 1).isUpper() ||
                                     (i + 1 < name.size() && name.at(i + 1).isLower())))
            capitals += name.at(i);
    if (capitals.isEmpty())
        capitals = name.left(1).toUpper();
    return capitals.right(2);
}

// A data set: a small table with a title row.
void drawTable(QPainter &Painter)
{
    Painter.setPen(QColor(40, 80, 140));
    Painter.setBrush(Qt::white);
    Painter.drawRect(QRectF(3.5, 5.5, 17, 13));
    Painter.fillRect(QRectF(4, 6, 16, 4), QColor(90, 140, 210));
    for (const qreal y : {13.5, 16.0})
        Painter.drawLine(QPointF(4, y), QPointF(20, y));
    Painter.drawLine(QPointF(10.5, 6), QPointF(10.5, 18));
}

// A connection: a database cylinder.
void drawCylinder(QPainter &Painter)
{
    Painter.setPen(QColor(120, 80, 20));
    Painter.setBrush(QColor(240, 200, 110));
    Painter.drawRect(QRectF(5.5, 6.5, 13, 11));
    Painter.setPen(Qt::NoPen);
    Painter.drawRect(QRectF(6, 6.5, 12, 11));
    Painter.setPen(QColor(120, 80, 20));
    Painter.drawEllipse(QRectF(5.5, 14.5, 13, 5));
    Painter.setBrush(QColor(250, 225, 160));
    Painter.drawEllipse(QRectF(5.5, 4.5, 13, 5));
    Painter.drawLine(QPointF(5.5, 7), QPointF(5.5, 17));
    Painter.drawLine(QPointF(18.5, 7), QPointF(18.5, 17));
}

// A data source: a plug between the data and the controls.
void drawPlug(QPainter &Painter)
{
    Painter.setPen(QPen(QColor(30, 110, 60), 1.5));
    Painter.setBrush(QColor(150, 215, 160));
    Painter.drawRoundedRect(QRectF(7.5, 8.5, 9, 9), 2, 2);
    Painter.drawLine(QPointF(10, 8.5), QPointF(10, 4));
    Painter.drawLine(QPointF(14, 8.5), QPointF(14, 4));
    Painter.drawLine(QPointF(12, 17.5), QPointF(12, 21));
}

// Drawn pictures for the host's data-access classes and their descendants, nearest first.
struct TDrawnIcon {
    const char *ClassName;
    void (*Draw)(QPainter &);
};
constexpr TDrawnIcon DrawnIcons[] = {
    {"TDataSet", drawTable},
    {"TSQLConnection", drawCylinder},
    {"TDataSource", drawPlug},
};

QPixmap drawnTile(const QMetaObject *Class)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const TDrawnIcon &icon : DrawnIcons)
        for (const QMetaObject *mo = Class; mo; mo = mo->superClass())
            if (qstrcmp(mo->className(), icon.ClassName) == 0) {
                icon.Draw(painter);
                return pixmap;
            }
    // A steady colour per class, so the same class always looks the same.
    const int hue = int(qHash(QByteArray(Class->className())) % 360);
    painter.setPen(QColor::fromHsv(hue, 160, 120));
    painter.setBrush(QColor::fromHsv(hue, 70, 235));
    painter.drawRoundedRect(QRectF(1.5, 1.5, IconSize - 3, IconSize - 3), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, initials(Class));
    return pixmap;
}

} // namespace

QPixmap ComponentPixmap(const QMetaObject *Class)
{
    if (!Class)
        return {};
    for (const QMetaObject *mo = Class; mo; mo = mo->superClass())
        if (QPixmap pixmap = paletteBitmap(mo); !pixmap.isNull())
            return pixmap;
    return drawnTile(Class);
}

QIcon ComponentIcon(const QMetaObject *Class)
{
    return QIcon(ComponentPixmap(Class));
}
