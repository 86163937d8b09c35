// The colour property editors with special colours: which colour clDefault stands for, which
// properties cross out clNone, the swatches they draw (pixel by pixel), and the colour dialog
// with the custom colours kept in the host's settings.

#include <QPainter>
#include <QtTest>

#include "briskcolorproperty.h"
#include "colordialog.h"
#include "designintf.h"
#include "grid.h"
#include "gridcolorproperty.h"
#include "hostdialogs.h"
#include "probedesigner.h"
#include "regini.h"
#include "registration.h"
#include "testsupport.h"
#include "typinfo.h"

namespace {

constexpr int kWidth = 48, kHeight = 16;

template <class Editor>
std::unique_ptr<TPropertyEditor> editorFor(IDesigner *Designer, QObject *Object, const char *Name)
{
    return CreatePropertyEditor(&Editor::staticMetaObject, Designer, {Object},
                                GetPropInfo(Object, QLatin1String(Name)));
}

// Draws one list entry on a white canvas with a black pen, as the inspector prepares it.
QImage drawEntry(TPropertyEditor &Editor, const QString &Value, bool Selected, bool AsValue = false)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::black);
    if (AsValue)
        Editor.PropDrawValue(&painter, QRect(0, 0, kWidth, kHeight), Selected);
    else
        Editor.ListDrawValue(Value, &painter, QRect(0, 0, kWidth, kHeight), Selected);
    return image;
}

QRgb rgbOf(TColor Color)
{
    const qint32 rgb = ColorToRGB(Color);
    return qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

struct ColourFixture {
    TProbeDesigner designer;
    TKorDBGrid grid;
    ColourFixture() { grid.SetName(QStringLiteral("Grid1")); }
};

} // namespace

class ColourEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ResetTestSettingsDir(); }
    void cleanup() { SetBaseRegistryKey(QString()); }

    void crossedOutNone_data();
    void crossedOutNone();
    void swatchFrames_data();
    void swatchFrames();
    void swatchOfNone();
    void valueCellUsesSelectedStyle();
    void dialogStartsOnEffectiveColour_data();
    void dialogStartsOnEffectiveColour();
    void dialogKeepsCustomColours();
    void dialogWithoutSettingsKey();
    void registersGradientColours();
};

void ColourEditorsTest::crossedOutNone_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("property");
    QTest::addColumn<bool>("special");
    QTest::addRow("grid StripeColor") << "grid"
                                      << "StripeColor" << true;
    QTest::addRow("grid EditorColor") << "grid"
                                      << "EditorColor" << true;
    QTest::addRow("grid FixedColor") << "grid"
                                     << "FixedColor" << false;
    QTest::addRow("column TransparentColor") << "column"
                                             << "TransparentColor" << true;
    QTest::addRow("column Color") << "column"
                                  << "Color" << false;
    QTest::addRow("search Color") << "search"
                                  << "Color" << true;
    QTest::addRow("search PanelColor") << "search"
                                       << "PanelColor" << false;
    QTest::addRow("totals SelectedColor") << "totals"
                                          << "SelectedColor" << true;
    QTest::addRow("totals Color") << "totals"
                                  << "Color" << false;
}

void ColourEditorsTest::crossedOutNone()
{
    QFETCH(QString, object);
    QFETCH(QString, property);
    QFETCH(bool, special);
    ColourFixture f;
    TKorColumn *column = f.grid.Columns()->Add();
    QObject *target = object == "search"   ? static_cast<QObject *>(f.grid.Search())
                      : object == "totals" ? static_cast<QObject *>(f.grid.Totals())
                      : object == "column" ? static_cast<QObject *>(column)
                                           : static_cast<QObject *>(&f.grid);
    auto editor = editorFor<TKorDBGridColorProperty>(&f.designer, target, property.toLatin1());
    QCOMPARE(static_cast<TBriskColorProperty *>(editor.get())->SpecialNoneColor(), special);
    auto base = editorFor<TBriskColorProperty>(&f.designer, target, property.toLatin1());
    QVERIFY(!static_cast<TBriskColorProperty *>(base.get())->SpecialNoneColor());
}

void ColourEditorsTest::swatchFrames_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QRgb>("fill");
    QTest::addColumn<QRgb>("frame");
    QTest::addRow("light colour") << "clYellow" << false << qRgb(255, 255, 0) << qRgb(0, 0, 0);
    QTest::addRow("light colour selected")
        << "clYellow" << true << qRgb(255, 255, 0) << qRgb(0, 0, 0);
    QTest::addRow("dark colour") << "clNavy" << false << qRgb(0, 0, 128) << qRgb(0, 0, 128);
    QTest::addRow("dark colour selected")
        << "clNavy" << true << qRgb(0, 0, 128) << qRgb(255, 255, 255);
    QTest::addRow("channel just above 192")
        << "$00C1C1C1" << false << qRgb(0xC1, 0xC1, 0xC1) << qRgb(0, 0, 0);
    QTest::addRow("channels at 192")
        << "$00C0C0C0" << false << qRgb(0xC0, 0xC0, 0xC0) << qRgb(0xC0, 0xC0, 0xC0);
    QTest::addRow("clNone as a colour")
        << "clNone" << false << qRgb(255, 255, 255) << qRgb(0, 0, 0);
    QTest::addRow("clDefault of the grid's Color, a window colour")
        << "clDefault" << true << qRgb(255, 255, 255) << qRgb(0, 0, 0);
}

void ColourEditorsTest::swatchFrames()
{
    QFETCH(QString, value);
    QFETCH(bool, selected);
    QFETCH(QRgb, fill);
    QFETCH(QRgb, frame);
    ColourFixture f;
    auto editor = editorFor<TBriskColorProperty>(&f.designer, &f.grid, "Color");
    const QImage image = drawEntry(*editor, value, selected);
    // The square swatch is as wide as the row is high: cleared edge, frame, fill.
    QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(kHeight - 1, kHeight - 1), qRgb(255, 255, 255));
    for (int i = 1; i < kHeight - 1; ++i) {
        QCOMPARE(image.pixel(i, 1), frame);
        QCOMPARE(image.pixel(1, i), frame);
        QCOMPARE(image.pixel(kHeight - 2, i), frame);
    }
    QCOMPARE(image.pixel(kHeight / 2, kHeight / 2), fill);
    // Nothing of the swatch is drawn right of it, where the text starts.
    QCOMPARE(image.pixel(kHeight, 0), qRgb(255, 255, 255));
}

void ColourEditorsTest::swatchOfNone()
{
    ColourFixture f;
    auto editor = editorFor<TKorDBGridColorProperty>(&f.designer, &f.grid, "StripeColor");
    const QImage crossed = drawEntry(*editor, "clNone", false);
    // The background swatch with a black frame and two diagonals, end points left out.
    QCOMPARE(crossed.pixel(1, 1), qRgb(0, 0, 0));
    for (int k = 1; k < kHeight - 1; ++k)
        QCOMPARE(crossed.pixel(k, k), qRgb(0, 0, 0));
    for (int k = 0; k < kHeight - 2; ++k)
        QCOMPARE(crossed.pixel(kHeight - 2 - k, 1 + k), qRgb(0, 0, 0));
    QCOMPARE(crossed.pixel(5, 3), qRgb(255, 255, 255));
    QCOMPARE(crossed.pixel(10, 3), qRgb(255, 255, 255));
    QCOMPARE(crossed.pixel(kHeight - 1, kHeight - 1), qRgb(255, 255, 255));

    // clDefault of the stripe colour shows the grid's own stripe colour.
    const QImage byDefault = drawEntry(*editor, "clDefault", false);
    QCOMPARE(byDefault.pixel(kHeight / 2, 3), rgbOf(f.grid.DefaultStripeColor()));

    // A column's TransparentColor crosses out clNone too; its clDefault is the cell's colour.
    TKorColumn *column = f.grid.Columns()->Add();
    f.grid.setColor(clMoneyGreen);
    auto transparent = editorFor<TKorDBGridColorProperty>(&f.designer, column, "TransparentColor");
    QCOMPARE(drawEntry(*transparent, "clNone", false).pixel(7, 7), qRgb(0, 0, 0));
    QCOMPARE(drawEntry(*transparent, "clDefault", false).pixel(7, 4), rgbOf(clMoneyGreen));
}

void ColourEditorsTest::valueCellUsesSelectedStyle()
{
    ColourFixture f;
    f.grid.setStripeColor(clNavy);
    auto editor = editorFor<TKorDBGridColorProperty>(&f.designer, &f.grid, "StripeColor");
    const QImage image = drawEntry(*editor, QString(), false, true);
    QCOMPARE(image.pixel(1, 5), qRgb(255, 255, 255)); // white frame although not selected
    QCOMPARE(image.pixel(8, 8), qRgb(0, 0, 128));
}

void ColourEditorsTest::dialogStartsOnEffectiveColour_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<bool>("onGradient");
    QTest::addColumn<TColor>("stored");
    QTest::addColumn<TColor>("expected");
    QTest::addRow("gradient EndColor default") << "EndColor" << true << clDefault << clBtnFace;
    QTest::addRow("gradient StepColor default") << "StepColor" << true << clDefault << clHighlight;
    QTest::addRow("gradient EndColor set") << "EndColor" << true << clRed << clRed;
}

void ColourEditorsTest::dialogStartsOnEffectiveColour()
{
    QFETCH(QString, property);
    QFETCH(bool, onGradient);
    QFETCH(TColor, stored);
    QFETCH(TColor, expected);
    ColourFixture f;
    QObject *target =
        onGradient ? static_cast<QObject *>(f.grid.Gradient()) : static_cast<QObject *>(&f.grid);
    SetOrdProp(target, property, stored);
    auto editor = editorFor<TBriskColorProperty>(&f.designer, target, property.toLatin1());
    TColor seen = clNone;
    int help = 0;
    TColorDialogOptions options;
    TScriptedDialogs dialogs;
    dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
        seen = Dialog.Color;
        help = Dialog.HelpContext;
        options = Dialog.Options;
        Dialog.Color = clLime;
        return true;
    };
    const THostDialogsScope dialogsScope(dialogs);
    editor->Edit();
    QCOMPARE(seen, expected);
    QCOMPARE(help, 25010);
    QCOMPARE(options, TColorDialogOptions(cdShowHelp));
    QCOMPARE(GetOrdProp(target, property), clLime);
    QCOMPARE(f.designer.modified, 1);
}

void ColourEditorsTest::dialogKeepsCustomColours()
{
    ResetTestSettingsDir();
    const QString key = QStringLiteral("Software\\Kor\\Workbench\\3.0");
    SetBaseRegistryKey(key);
    {
        TRegIniFile settings(key);
        settings.WriteString(SCustomColors(), "ColorA", "FF0000");
        settings.WriteString(SCustomColors(), "ColorB", "00FF00");
    }
    ColourFixture f;
    f.grid.Gradient()->setEndColor(clRed);
    auto editor = editorFor<TBriskColorProperty>(&f.designer, f.grid.Gradient(), "EndColor");
    QStringList offered;
    TScriptedDialogs dialogs;
    dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
        offered = Dialog.CustomColors;
        Dialog.CustomColors = {"ColorA=123456", "ColorB=00FF00", "no separator", "ColorC=ABCDEF"};
        Dialog.Color = clBlue;
        return false; // Cancel
    };
    const THostDialogsScope dialogsScope(dialogs);
    editor->Edit();
    QCOMPARE(offered, (QStringList{"ColorA=FF0000", "ColorB=00FF00"}));
    QCOMPARE(f.grid.Gradient()->EndColor(), clRed); // unchanged
    QCOMPARE(f.designer.modified, 0);
    TRegIniFile settings(key);
    QCOMPARE(settings.ReadSectionValues(SCustomColors()),
             (QStringList{"ColorA=123456", "ColorB=00FF00", "ColorC=ABCDEF"}));
}

void ColourEditorsTest::dialogWithoutSettingsKey()
{
    const QString folder = ResetTestSettingsDir();
    SetBaseRegistryKey(QString());
    ColourFixture f;
    auto editor = editorFor<TBriskColorProperty>(&f.designer, f.grid.Gradient(), "HotColor");
    QStringList offered{"sentinel"};
    TScriptedDialogs dialogs;
    dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
        offered = Dialog.CustomColors;
        Dialog.CustomColors = {"ColorA=123456"};
        return false;
    };
    const THostDialogsScope dialogsScope(dialogs);
    editor->Edit();
    QVERIFY(offered.isEmpty());
    QVERIFY(QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

void ColourEditorsTest::registersGradientColours()
{
    IDEColorDlg::Register();
    ColourFixture f;
    for (const char *name : {"EndColor", "HotColor", "StepColor"})
        QCOMPARE(FindPropertyEditorClass(GetPropInfo(f.grid.Gradient(), QLatin1String(name)),
                                         f.grid.Gradient()),
                 &TBriskColorProperty::staticMetaObject);
    QCOMPARE(
        FindPropertyEditorClass(GetPropInfo(f.grid.Gradient(), "StartColor"), f.grid.Gradient()),
        &TColorProperty::staticMetaObject);
    UnregisterModule(QString());
}

QTEST_MAIN(ColourEditorsTest)
#include "tst_coloreditors.moc"
