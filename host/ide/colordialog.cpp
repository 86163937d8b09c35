#include "colordialog.h"

#include <QApplication>
#include <QColorDialog>

#include "hostdialogs.h"

namespace {

// Custom colours travel as "ColorX=BBGGRR" lines; QColorDialog keeps them process-wide.
void loadCustomColors(const QStringList &Lines)
{
    for (const QString &line : Lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = line.left(eq).trimmed();
        for (int i = 0; i < TColorDialog::CustomColorCount; ++i) {
            if (name.compare(TColorDialog::CustomColorName(i), Qt::CaseInsensitive) != 0)
                continue;
            bool ok = false;
            const uint value = line.mid(eq + 1).trimmed().toUInt(&ok, 16);
            if (ok && value <= 0xFFFFFF)
                QColorDialog::setCustomColor(i, ColorToQColor(TColor(value)));
        }
    }
}

QStringList customColorLines()
{
    QStringList lines;
    for (int i = 0; i < TColorDialog::CustomColorCount; ++i) {
        const TColor color = QColorToColor(QColorDialog::customColor(i));
        lines.append(
            TColorDialog::CustomColorName(i) + QLatin1Char('=') +
            QStringLiteral("%1").arg(quint32(color) & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
    }
    return lines;
}

} // namespace

bool THostDialogs::ExecuteColor(TColorDialog &Dialog, QWidget *Parent)
{
    if (!CanShowDialogs())
        return false;
    loadCustomColors(Dialog.CustomColors);
    QColorDialog dialog(ColorToQColor(Dialog.Color).isValid() ? ColorToQColor(Dialog.Color)
                                                              : QColor(Qt::black),
                        Parent ? Parent : QApplication::activeWindow());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    Dialog.CustomColors = customColorLines();
    if (accepted)
        Dialog.Color = QColorToColor(dialog.selectedColor());
    return accepted;
}

bool TColorDialog::Execute(QWidget *Parent)
{
    return HostDialogs().ExecuteColor(*this, Parent);
}

bool TColorDialog::Execute(TColor &Color, QWidget *Parent)
{
    TColorDialog dialog;
    dialog.Color = Color;
    if (!dialog.Execute(Parent))
        return false;
    Color = dialog.Color;
    return true;
}

QString TColorDialog::CustomColorName(int Index)
{
    return QStringLiteral("Color") + QChar(QLatin1Char('A').unicode() + Index);
}

QString SCustomColors()
{
    return QStringLiteral("Custom Colors");
}
