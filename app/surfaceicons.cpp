#include "surfaceicons.h"

#include <QBitmap>
#include <QFile>
#include <QPainter>

namespace {

constexpr int IconSize = 24;

// The palette bitmap the loaded packages supply for exactly this class. This is the one place
// to ask the host for a class's palette picture once registration.h offers a lookup for it.
QPixmap paletteBitmap(const QMetaObject *Class)
{
    const QString name = QString::fromLatin1(Class->className()).toUpper();
    const QString path = QStringLiteral(":/DCLKorDBGrid90/%1.bmp").arg(name);
    if (!QFile::exists(path))
        return {};
    QPixmap pixmap(path);
    if (pixmap.isNull())
        return {};
    // The lower-left pixel's colour is the transparent one.
    const QColor transparent = pixmap.toImage().pixelColor(0, pixmap.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    return pixmap;
}

// "TSQLDataSet" -> "DS", "TDataSource" -> "DS", "TPopupMenu" -> "PM": the last two words.
QString initials(const QMetaObject *Class)
{
    QString name = QString::fromLatin1(Class->className());
    if (name.size() > 1 && name.startsWith(QLatin1Char('T')))
        name.remove(0, 1);
    QString capitals;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (name.at(i).isUpper() && (i == 0 || !name.at(i - 1).isUpper()))
            capitals += name.at(i);
    if (capitals.isEmpty())
        capitals = name.left(1).toUpper();
    return capitals.right(2);
}

QPixmap drawnTile(const QMetaObject *Class)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
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
