// The colour property editors with special colours: which colour clDefault stands for, which
// properties cross out clNone, the swatches and image boxes the inspector's lists draw (pixel by
// pixel, also at a device-pixel ratio of 2), and the colour dialog with the custom colours kept
// in the host's settings.

#include <QPainter>
#include <QtTest>

#include "briskcolorproperty.h"
#include "colordialog.h"
#include "designintf.h"
#include "grid.h"
#include "gridcolorproperty.h"
#include "gridimageindexproperty.h"
#include "hostdialogs.h"
#include "probedesigner.h"
#include "propertysupport.h"
#include "regini.h"
#include "registration.h"
#include "testsupport.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = 48, kHeight = 16;

// Draws one list entry on a white canvas with a black pen, as the inspector prepares it.
QImage drawEntry(TPropertyEditor &Editor, const QString &Value, bool Selected, bool AsValue = false,
                 int Ratio = 1)
{
    QImage image(kWidth * Ratio, kHeight * Ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(Ratio);
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
    ColourFixture() { grid.SetName(u"Grid1"_s); }
};

} // namespace

class ColourEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ResetTestSettingsDir(); }
    void cleanup() { SetBaseRegistryKey(QString()); }

    // Which properties cross out clNone in their lists; the plain colour editor never does.
    void crossedOutNone()
    {
        ColourFixture f;
        TKorColumn *column = f.grid.Columns()->Add();
        const std::tuple<QObject *, const char *, bool> rows[] = {
            {&f.grid, "StripeColor", true},     {&f.grid, "FixedColor", false},
            {column, "TransparentColor", true}, {column, "Color", false},
            {f.grid.Search(), "Color", true},   {f.grid.Totals(), "Color", false}};
        for (const auto &[target, property, special] : rows) {
            auto editor = EditorFor<TKorDBGridColorProperty>(&f.designer, {target}, property);
            QVERIFY(static_cast<TBriskColorProperty *>(editor.get())->SpecialNoneColor() ==
                    special);
            auto base = EditorFor<TBriskColorProperty>(&f.designer, {target}, property);
            QVERIFY(!static_cast<TBriskColorProperty *>(base.get())->SpecialNoneColor());
        }
    }

    // A list entry's picture: a colour's square swatch (cleared edge, frame, fill) or an image
    // from the grid's title images, every device pixel of it at ratios 1 and 2.
    void entryPictures_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QRgb>("fill");
        QTest::addColumn<QRgb>("frame"); // 0: an image, which has no frame
        const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
        const QRgb navy = qRgb(0, 0, 128), yellow = qRgb(255, 255, 0);
        for (int ratio : {1, 2}) {
            auto row = [ratio](const char *Name) -> QTestData & {
                return QTest::addRow("%s at %d", Name, ratio) << ratio;
            };
            row("light colour") << "clYellow" << false << yellow << black;
            row("light colour selected") << "clYellow" << true << yellow << black;
            row("dark colour") << "clNavy" << false << navy << navy;
            row("dark colour selected") << "clNavy" << true << navy << white;
            row("bright blue") << "clBlue" << false << qRgb(0, 0, 255) << black;
            row("channel just above 192") << "$00C1C1C1" << false << qRgb(193, 193, 193) << black;
            row("channels at 192")
                << "$00C0C0C0" << false << qRgb(192, 192, 192) << qRgb(192, 192, 192);
            row("clNone as a colour") << "clNone" << false << white << black;
            row("clDefault of the grid's Color") << "clDefault" << true << white << black;
            row("image") << "2" << false << qRgb(0, 0, 255) << QRgb(0);
            row("indicator") << "-2" << false << black << QRgb(0);
        }
    }

    void entryPictures()
    {
        QFETCH(int, ratio);
        QFETCH(QString, value);
        QFETCH(bool, selected);
        QFETCH(QRgb, fill);
        QFETCH(QRgb, frame);
        ColourFixture f;
        TImageList images, indicators;
        for (QColor colour : {Qt::red, Qt::green, Qt::blue}) {
            QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
            image.fill(colour);
            images.Add(image);
        }
        QImage indicator(16, 16, QImage::Format_ARGB32_Premultiplied);
        indicator.fill(Qt::black);
        indicators.Add(indicator);
        f.grid.setTitleImages(&images);
        f.grid.setIndicatorImages(&indicators);
        auto editor =
            frame ? EditorFor<TBriskColorProperty>(&f.designer, {&f.grid}, "Color")
                  : EditorFor<TKorDBGridImageIndexProperty>(&f.designer, {&f.grid}, "FillerIndex");
        QImage image = drawEntry(*editor, value, selected, false, ratio);
        // Every device pixel of the logical rectangle R has colour C.
        auto all = [&](QRect R, QRgb C) {
            for (int y = R.top() * ratio; y < (R.bottom() + 1) * ratio; ++y)
                for (int x = R.left() * ratio; x < (R.right() + 1) * ratio; ++x)
                    if (image.pixel(x, y) != C)
                        return false;
            return true;
        };
        const QRgb white = qRgb(255, 255, 255);
        if (!frame) {
            // The image at (2, 0), the cleared box around it; the text starts further right.
            QVERIFY(all(QRect(2, 0, 16, 16), fill) && all(QRect(0, 0, 2, kHeight), white) &&
                    all(QRect(18, 0, 2, kHeight), white));
            // The inspector's value cell shows the image where the list does.
            f.grid.setFillerIndex(value.toInt());
            image = drawEntry(*editor, QString(), false, true, ratio);
            QVERIFY(all(QRect(2, 0, 16, 16), fill));
            return;
        }
        const int last = kHeight - 1;
        QVERIFY(all(QRect(0, 0, kHeight, 1), white) && all(QRect(0, last, kHeight, 1), white) &&
                all(QRect(last, 0, 1, kHeight), white));
        for (QRect edge : {QRect(1, 1, last - 1, 1), QRect(1, last - 1, last - 1, 1),
                           QRect(1, 1, 1, last - 1), QRect(last - 1, 1, 1, last - 1)})
            QVERIFY(all(edge, frame));
        QVERIFY(all(QRect(2, 2, last - 3, last - 3), fill));
        // Nothing of the swatch is drawn right of it, where the text starts.
        QVERIFY(all(QRect(kHeight, 0, 1, 2), white));
    }

    void swatchOfNone()
    {
        ColourFixture f;
        auto editor = EditorFor<TKorDBGridColorProperty>(&f.designer, {&f.grid}, "StripeColor");
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
        auto transparent =
            EditorFor<TKorDBGridColorProperty>(&f.designer, {column}, "TransparentColor");
        QCOMPARE(drawEntry(*transparent, "clNone", false).pixel(7, 7), qRgb(0, 0, 0));
        QCOMPARE(drawEntry(*transparent, "clDefault", false).pixel(7, 4), rgbOf(clMoneyGreen));
    }

    void valueCellUsesSelectedStyle()
    {
        ColourFixture f;
        f.grid.setStripeColor(clNavy);
        auto editor = EditorFor<TKorDBGridColorProperty>(&f.designer, {&f.grid}, "StripeColor");
        const QImage image = drawEntry(*editor, QString(), false, true);
        QCOMPARE(image.pixel(1, 5), qRgb(255, 255, 255)); // white frame although not selected
        QCOMPARE(image.pixel(8, 8), qRgb(0, 0, 128));
    }

    // The dialog starts on the colour clDefault stands for, and writes what it answers.
    void dialogStartsOnEffectiveColour()
    {
        const std::tuple<const char *, TColor, TColor> rows[] = {
            {"EndColor", clDefault, clBtnFace},
            {"StepColor", clDefault, clHighlight},
            {"EndColor", clRed, clRed}};
        for (const auto &[property, stored, expected] : rows) {
            ColourFixture f;
            QObject *target = f.grid.Gradient();
            SetOrdProp(target, property, stored);
            auto editor = EditorFor<TBriskColorProperty>(&f.designer, {target}, property);
            TColor seen = clNone;
            bool helped = false;
            TScriptedDialogs dialogs;
            dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
                seen = Dialog.Color;
                helped = Dialog.HelpContext == 25010 &&
                         Dialog.Options == TColorDialogOptions(cdShowHelp);
                Dialog.Color = clLime;
                return true;
            };
            const THostDialogsScope dialogsScope(dialogs);
            editor->Edit();
            QCOMPARE(seen, expected);
            QVERIFY(helped);
            QCOMPARE(GetOrdProp(target, property), clLime);
            QCOMPARE(f.designer.modified, 1);
        }
    }

    void dialogKeepsCustomColours()
    {
        ResetTestSettingsDir();
        const QString key = u"Software\\Kor\\Workbench\\3.0"_s;
        SetBaseRegistryKey(key);
        {
            TRegIniFile settings(key);
            settings.WriteString(SCustomColors(), "ColorA", "FF0000");
            settings.WriteString(SCustomColors(), "ColorB", "00FF00");
        }
        ColourFixture f;
        f.grid.Gradient()->setEndColor(clRed);
        auto editor = EditorFor<TBriskColorProperty>(&f.designer, {f.grid.Gradient()}, "EndColor");
        QStringList offered;
        TScriptedDialogs dialogs;
        dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
            offered = Dialog.CustomColors;
            Dialog.CustomColors = {"ColorA=123456", "ColorB=00FF00", "no separator",
                                   "ColorC=ABCDEF"};
            Dialog.Color = clBlue;
            return false; // Cancel
        };
        const THostDialogsScope dialogsScope(dialogs);
        editor->Edit();
        QCOMPARE(offered, (QStringList{"ColorA=FF0000", "ColorB=00FF00"}));
        QCOMPARE(f.grid.Gradient()->EndColor(), clRed); // unchanged
        QCOMPARE(f.designer.modified, 0);
        // The next dialog, from another editor, offers what the last one kept.
        auto again = EditorFor<TBriskColorProperty>(&f.designer, {&f.grid}, "Color");
        again->Edit();
        QCOMPARE(offered, (QStringList{"ColorA=123456", "ColorB=00FF00", "ColorC=ABCDEF"}));
    }

    void dialogWithoutSettingsKey()
    {
        const QString folder = ResetTestSettingsDir();
        SetBaseRegistryKey(QString());
        ColourFixture f;
        auto editor = EditorFor<TBriskColorProperty>(&f.designer, {f.grid.Gradient()}, "HotColor");
        QStringList offered{"sentinel"};
        TScriptedDialogs dialogs;
        dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
            offered = Dialog.CustomColors;
            Dialog.CustomColors = {"ColorA=123456"};
            return false;
        };
        const THostDialogsScope dialogsScope(dialogs);
        editor->Edit();
        QVERIFY(offered.isEmpty() &&
                QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty() &&
                QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

    void registersGradientColours()
    {
        IDEColorDlg::Register();
        ColourFixture f;
        for (const char *name : {"EndColor", "HotColor", "StepColor"})
            QCOMPARE(FindPropertyEditorClass(GetPropInfo(f.grid.Gradient(), QLatin1String(name)),
                                             f.grid.Gradient()),
                     &TBriskColorProperty::staticMetaObject);
        QCOMPARE(FindPropertyEditorClass(GetPropInfo(f.grid.Gradient(), "StartColor"),
                                         f.grid.Gradient()),
                 &TColorProperty::staticMetaObject);
        UnregisterModule(QString());
    }
};

QTEST_MAIN(ColourEditorsTest)
#include "tst_coloreditors.moc"
