#include "colordialog.h"

#include <QApplication>
#include <QColorDialog>

namespace {

TColorDialog::TExecuteHandler &handler()
{
    static TColorDialog::TExecuteHandler instance;
    return instance;
}

bool canShowDialogs()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

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

bool runQColorDialog(TColorDialog &Dialog)
{
    if (!canShowDialogs())
        return false;
    loadCustomColors(Dialog.CustomColors);
    QColorDialog dialog(ColorToQColor(Dialog.Color).isValid() ? ColorToQColor(Dialog.Color)
                                                              : QColor(Qt::black),
                        QApplication::activeWindow());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    Dialog.CustomColors = customColorLines();
    if (accepted)
        Dialog.Color = QColorToColor(dialog.selectedColor());
    return accepted;
}

} // namespace

bool TColorDialog::Execute()
{
    return handler() ? handler()(*this) : runQColorDialog(*this);
}

TColorDialog::TExecuteHandler TColorDialog::SetExecuteHandler(TExecuteHandler Handler)
{
    TExecuteHandler previous = std::move(handler());
    handler() = std::move(Handler);
    return previous;
}

QString TColorDialog::CustomColorName(int Index)
{
    return QStringLiteral("Color") + QChar(QLatin1Char('A').unicode() + Index);
}

QString SCustomColors()
{
    return QStringLiteral("Custom Colors");
}
