// The item kinds: what every kind shares (showing the value, bold off its default, one write
// and one notice per change, the value shown again after a setter refuses), then what is
// special to each: check boxes, combo boxes, colour boxes, edit boxes, memos and spinners.

#include <QAbstractItemView>
#include <QtTest>

#include "checkitems.h"
#include "coloritems.h"
#include "datarows.h"
#include "edititems.h"
#include "graphics.h"
#include "listitems.h"
#include "propertysupport.h"
#include "testsupport.h"
#include "tst_proplist_fixture.h"

using namespace Qt::StringLiterals;

namespace {

// A list item over Caption that lists Count entries of Length characters each.
class TLongListItem : public TListPropItem {
public:
    TLongListItem(TComboBox *Box, int Count, int Length)
        : TListPropItem(u"Caption"_s, Box), count(Count), length(Length)
    {
    }
    int AddListValues(QStringList &Strings) override
    {
        for (int i = 0; i < count; ++i)
            Strings.append(QString(length, QLatin1Char('W')) + QString::number(i % 10));
        return csDropDownList;
    }
    int count;
    int length;
};

class TProbeImageItem : public TImageIndexPropItem {
public:
    TProbeImageItem(TComboBox *Box, TCustomImageList *Images, TCustomImageList *Indicators)
        : TImageIndexPropItem(u"ImageIndex"_s, Box), images(Images), indicators(Indicators)
    {
    }
    TCustomImageList *GetImageList() override { return images; }
    TCustomImageList *GetIndicators() override { return indicators; }
    TCustomImageList *images;
    TCustomImageList *indicators;
};

QList<TColor> colorsOf(TColorBox *Box)
{
    QList<TColor> colors;
    for (int i = 0; i < Box->ItemCount(); ++i)
        colors.append(Box->Colors(i));
    return colors;
}

void typeAndEnter(QWidget *Control, const QString &Text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(Control))
        edit->clear();
    QTest::keyClicks(Control, Text);
    QTest::keyClick(Control, Qt::Key_Return);
}

// What a bound control shows, as text.
QString shownText(QWidget *Control)
{
    if (auto *check = qobject_cast<TCheckBox *>(Control))
        return QString::number(check->State());
    if (auto *colors = qobject_cast<TColorBox *>(Control))
        return ColorToString(colors->Selected());
    if (auto *combo = qobject_cast<TComboBox *>(Control))
        return combo->Text();
    if (auto *memo = qobject_cast<TMemo *>(Control))
        return memo->Lines().join(QLatin1Char('|'));
    return static_cast<TEdit *>(Control)->Text();
}

// The user enters Input into a bound control the way its kind is used: a click, a pick from a
// list, or typing and confirming (Alt+Enter in a memo).
void userEnters(QWidget *Control, const QString &Input)
{
    if (auto *check = qobject_cast<TCheckBox *>(Control)) {
        check->click();
    } else if (auto *colors = qobject_cast<TColorBox *>(Control)) {
        colors->SelectIndex(colors->IndexOfColor(StringToColor(Input)));
    } else if (auto *combo = qobject_cast<TComboBox *>(Control)) {
        if (!combo->isEditable())
            return combo->SelectIndex(combo->IndexOf(Input));
        combo->lineEdit()->setText(Input);
        QTest::keyClick(combo, Qt::Key_Return);
    } else if (auto *memo = qobject_cast<TMemo *>(Control)) {
        memo->clear(); // lines typed with Enter between them
        const QStringList lines = Input.split(QLatin1Char('|'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QTest::keyClicks(memo, lines.at(i));
            QTest::keyClick(memo, Qt::Key_Return,
                            i + 1 < lines.size() ? Qt::NoModifier : Qt::AltModifier);
        }
    } else {
        typeAndEnter(Control, Input);
    }
}

// Adds an item of Kind (the name of the list's factory, "inverted" after it for an inverted
// one) over Path to the control of its kind.
void addItem(TPropList &l, TProbePage &p, const QString &Kind, const QString &Path)
{
    // clang-format off
#define KIND(Add, ...) {#Add, [](TPropList &l, TProbePage &p, const QString &Path, bool i) { \
        l.Add(Path, __VA_ARGS__); Q_UNUSED(i) }}
    // clang-format on
    static const QHash<QString, void (*)(TPropList &, TProbePage &, const QString &, bool)> kinds{
        KIND(AddBoolProp, p.check, i),     KIND(AddGrayProp, p.check),
        KIND(AddElemProp, p.check, 1, i),  KIND(AddListProp, p.combo),
        KIND(AddEnumProp, p.combo),        KIND(AddCursProp, p.combo),
        KIND(AddLinkProp, p.combo),        KIND(AddFieldNameProp, p.combo),
        KIND(AddFontNameProp, p.combo),    KIND(AddColorProp, p.colors, clDefault, clNone),
        KIND(AddBackColorProp, p.colors),  KIND(AddFontColorProp, p.colors),
        KIND(AddTextProp, p.edit),         KIND(AddCharProp, p.edit),
        KIND(AddMemoProp, p.memo),         KIND(AddValueProp, p.valueEdit, -100, 100),
        KIND(AddFontSizeProp, p.valueEdit)};
#undef KIND
    kinds.value(Kind.section(' ', 0, 0))(l, p, Path, Kind.endsWith(QLatin1String("inverted")));
}

// Writes "Path=Value;..." into the fixture's probe through the type information; an object
// property takes the component of that name, a string list its lines separated by "|".
void assign(TProbeFixture &f, const QString &Assignments)
{
    for (const QString &pair : Assignments.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QString name;
        QObject *object = PathOwner(f.probe.get(), pair.section(QLatin1Char('='), 0, 0), name);
        const QString value = pair.section(QLatin1Char('='), 1);
        const TTypeKind kind = PropType(object, name);
        if (kind == TTypeKind::tkClass && name == QLatin1String("Lines"))
            qobject_cast<TStrings *>(GetObjectProp(object, name))->SetLines(value.split('|'));
        else if (kind == TTypeKind::tkClass)
            SetObjectProp(object, name, f.designer.GetComponent(value)->Object());
        else if (kind == TTypeKind::tkChar)
            SetOrdProp(object, name, value.at(0).unicode());
        else if (kind == TTypeKind::tkInteger || kind == TTypeKind::tkEnumeration ||
                 kind == TTypeKind::tkSet)
            SetOrdProp(object, name, StringToColor(value));
        else
            SetStrProp(object, name, value);
    }
}

// Reads the property at Path as assign writes it.
QString stored(TProbeFixture &f, const QString &Path)
{
    QString name;
    QObject *object = PathOwner(f.probe.get(), Path, name);
    const TTypeKind kind = PropType(object, name);
    if (kind == TTypeKind::tkClass)
        return qobject_cast<TStrings *>(GetObjectProp(object, name))->Lines().join('|');
    if (kind == TTypeKind::tkChar)
        return QChar(GetOrdProp(object, name));
    if (GetPropInfo(object, name)->TypeName == QLatin1String("TColor"))
        return ColorToString(GetOrdProp(object, name));
    if (kind == TTypeKind::tkInteger || kind == TTypeKind::tkEnumeration ||
        kind == TTypeKind::tkSet)
        return QString::number(GetOrdProp(object, name));
    return GetStrProp(object, name);
}

// One item kind: how it is added, a change of its property away from the default with what the
// control then shows (and whether bold), and an entry of the user with what the properties
// hold after it.
struct TKindRow {
    const char *label;
    QString kind;
    QString path;
    QString change;
    QString shown;
    bool bold = true;
    QString input;
    QString expected;
};

} // namespace

class ProplistItemsTest : public QObject {
    Q_OBJECT
private slots:
    void everyKindShowsWritesAndNotifies_data()
    {
        static const TKindRow rows[] = {
            {"Boolean", "AddBoolProp", "Active", "Active=0", "0", true, "", "Active=1"},
            {"inverted Boolean", "AddBoolProp inverted", "Flat", "Flat=1", "0", true, "", "Flat=0"},
            {"three states", "AddGrayProp", "ThreeState", "ThreeState=1", "1", true, "",
             "ThreeState=2"},
            {"set element", "AddElemProp", "Options", "Options=7", "1", true, "", "Options=5"},
            {"inverted set element", "AddElemProp inverted", "Options", "Options=3", "0", true, "",
             "Options=1"},
            {"typed list", "AddListProp", "Caption", "Caption=abc", "abc", true, "xyz",
             "Caption=xyz"},
            {"enumeration", "AddEnumProp", "Mode", "Mode=1", "pmSome", true, "pmAll", "Mode=2"},
            {"cursor", "AddCursProp", "Cursor", "Cursor=-21", "crHandPoint", true, "crCross",
             "Cursor=-3"},
            {"link", "AddLinkProp", "DataSource", "DataSource=Source1", "Source1", true, "Source2",
             "DataSource.Name=Source2"},
            {"field name", "AddFieldNameProp", "FieldName", "DataSource=Source1;FieldName=Name",
             "Name", true, "City", "FieldName=City"},
            {"font name", "AddFontNameProp", "Font.Name", "Font.Name=Verdana", "Verdana", true,
             "Arial", "Font.Name=Arial"},
            {"background colour", "AddBackColorProp", "Color", "Color=clRed", "clRed", true,
             "clBlue", "Color=clBlue"},
            {"text colour", "AddFontColorProp", "TextColor", "TextColor=clWindow", "clWindow", true,
             "clWindowText", "TextColor=clWindowText"},
            {"text", "AddTextProp", "Caption", "Caption=abc", "abc", true, "xyz", "Caption=xyz"},
            {"character, always regular", "AddCharProp", "Delimiter", "Delimiter=x", "x", false,
             "yz", "Delimiter=y"},
            {"memo", "AddMemoProp", "Lines", "Lines=a|b", "a|b", true, "one|two", "Lines=one|two"},
            {"value", "AddValueProp", "Spin", "Spin=-9", "-9", true, "12", "Spin=12"},
            // Two object properties down: the inner probe's font, not the edited probe's own.
            {"font size two levels down", "AddFontSizeProp", "Inner.Font.Size",
             "Inner=Inner1;Inner.Font.Size=11", "11", true, "20", "Inner.Font.Size=20;Font.Size=8"},
        };
        AddRows(rows);
    }

    void everyKindShowsWritesAndNotifies()
    {
        QFETCH(TKindRow, row);
        TProbeFixture f;
        assign(f, u"Font.Name=Tahoma;Font.Size=8"_s);
        f.inner.Font()->setSize(8);
        QWidget *control = f.load([&](TPropList &l) {
                                addItem(l, f.controls, row.kind, row.path);
                            })->EditControl();
        QVERIFY(!IsBold(control));
        assign(f, row.change);
        f.list->LoadPropList();
        f.list->LoadPropList();
        QCOMPARE(shownText(control), row.shown);
        QCOMPARE(IsBold(control), row.bold);
        QCOMPARE(f.designer.modified, 0); // loading never writes
        f.reloadOnModify();
        userEnters(control, row.input);
        for (const QString &pair : row.expected.split(QLatin1Char(';')))
            QCOMPARE(stored(f, pair.section('=', 0, 0)), pair.section('=', 1));
        QCOMPARE(f.designer.modified, 1);
        QVERIFY(f.dialogs.Errors.isEmpty());
    }

    // A setter that refuses the value: the error goes to the host, nothing is reported as
    // modified, and the control shows the property's value again.
    void refusedValueIsShownAgain_data()
    {
        static const TKindRow rows[] = {
            {"check box", "AddBoolProp", "Strict", "", "0", true, "", "Strict=0"},
            {"list", "AddEnumProp", "Limited", "", "pmNone", true, "pmAll", "Limited=0"},
            {"typed value", "AddValueProp", "Capped", "Capped=7", "7", true, "60", "Capped=7"},
            {"colour", "AddColorProp", "Capped", "Capped=clMaroon", "clMaroon", true, "clRed",
             "Capped=128"},
        };
        AddRows(rows);
    }

    void refusedValueIsShownAgain()
    {
        QFETCH(TKindRow, row);
        TProbeFixture f;
        if (!row.change.isEmpty())
            f.probe->m_capped = StringToColor(row.change.section('=', 1));
        QWidget *control = f.load([&](TPropList &l) {
                                addItem(l, f.controls, row.kind, row.path);
                            })->EditControl();
        userEnters(control, row.input);
        QCOMPARE(f.dialogs.Errors.size(), 1);
        QCOMPARE(f.designer.modified, 0);
        QCOMPARE(shownText(control), row.shown);
        QCOMPARE(stored(f, row.expected.section('=', 0, 0)), row.expected.section('=', 1));
    }

    void checkHintsTagsInOrder()
    {
        TProbeFixture f;
        TPropList &l = *f.list;
        l.AddBoolProp(u"Locked"_s, f.controls.check, true);
        l.AddElemProp(u"Options"_s, f.controls.check, 0, false);
        l.AddElemProp(u"Fixed"_s, f.controls.check, 3, true);
        const QStringList expected{
            " property Locked: Boolean (Inverted) (ReadOnly)",
            " property Options: TOptions [poFirst]",
            " property Fixed: TOptions [poFourth] (Inverted) (ReadOnly)",
        };
        for (int i = 0; i < l.ItemCount(); ++i) {
            l.Items(i)->InitEditControl();
            QCOMPARE(ControlHint(f.controls.check), expected.at(i));
        }
    }

    void readOnlyClickWritesNothingButReports()
    {
        TProbeFixture f;
        f.reloadOnModify();
        f.load([&](TPropList &l) { l.AddBoolProp(u"Locked"_s, f.controls.check); });
        f.controls.check->click();
        QCOMPARE(f.designer.modified, 1);
        QVERIFY(f.controls.check->Checked()); // the reload put the property's value back
    }

    void selectAndSwitchItems()
    {
        TProbeFixture f;
        f.load([&](TPropList &l) {
            l.AddSelectProp(QString(), f.controls.check, true, u"Show all"_s);
        });
        auto *select = static_cast<TSelectPropItem *>(f.list->Items(0));
        QCOMPARE(ControlHint(f.controls.check), u" Hint: Show all"_s);
        f.controls.check->click();
        QVERIFY(!select->Checked());
        QCOMPARE(f.designer.modified, 1);

        f.list->AddSwitchProp(QString(), f.controls.check2, f.controls.edit, f.controls.memo, true,
                              u"Switch"_s);
        QVERIFY(ControlVisible(f.controls.edit)); // switched before any load
        QVERIFY(!ControlVisible(f.controls.memo));
        f.list->LoadPropList();
        f.controls.check2->click();
        QVERIFY(!ControlVisible(f.controls.edit));
        QVERIFY(ControlVisible(f.controls.memo));
        QCOMPARE(f.designer.modified, 2);
    }

    // A list wider than its box grows to the left while open so that no entry is clipped, and
    // comes back; a list that fits leaves the box alone. At most 20 entries show at once.
    void dropDownFitsItsEntries()
    {
        TProbeFixture f;
        TComboBox *box = f.controls.combo;
        f.probe->setCaption(u"not listed"_s);
        f.list->AddPropItem(std::make_unique<TLongListItem>(box, 25, 30));
        f.list->LoadPropList();
        QCOMPARE(box->DropDownCount(), 20);
        const QRect before = box->geometry();
        QVERIFY(IsBold(box));
        box->SetDroppedDown(true);
        QVERIFY(!IsBold(box)); // regular while the list is open
        QCOMPARE(box->geometry().right(), before.right());
        for (const QString &entry : box->Items())
            QVERIFY(box->view()->width() > box->TextWidth(entry));
        QVERIFY(box->Width() > box->TextWidth(box->Items().first()) + 17);
        box->SetDroppedDown(false);
        QCOMPARE(box->geometry(), before);
        QVERIFY(IsBold(box));

        auto *narrow = new TComboBox(f.controls.page.get());
        narrow->setGeometry(10, 200, 100, 22);
        f.load([&](TPropList &l) { l.AddPropItem(std::make_unique<TLongListItem>(narrow, 3, 1)); });
        QCOMPARE(narrow->DropDownCount(), 3);
        narrow->SetDroppedDown(true);
        QCOMPARE(narrow->geometry(), QRect(10, 200, 100, 22));
        narrow->SetDroppedDown(false);
    }

    void enterIsSwallowedAndTypingStoresNothing()
    {
        TProbeFixture f;
        f.reloadOnModify();
        f.load([&](TPropList &l) { l.AddListProp(u"Caption"_s, f.controls.combo); });
        TComboBox *box = f.controls.combo;
        QSignalSpy returns(box->lineEdit(), &QLineEdit::returnPressed);
        QTest::keyClicks(box, u"ab"_s);
        QCOMPARE(f.designer.modified, 0);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.probe->Caption(), u"ab"_s);
        QCOMPARE(returns.count(), 0);
        FireEvent(box->OnExit); // leaving with the same text stores nothing more
        QCOMPARE(f.designer.modified, 1);
    }

    // A component the setter refuses, or one of another class: the property becomes nil.
    void linkItemNeverHalfSet()
    {
        TProbeFixture f;
        TProbeSource bad;
        TProbeOther other;
        bad.SetName(u"BadSource"_s);
        other.SetName(u"Other1"_s);
        f.designer.components = {&f.source, &other, &bad};
        f.list->AddLinkProp(u"Picky"_s, f.controls.combo);
        for (const QString &name : {u"BadSource"_s, u"Other1"_s}) {
            f.probe->setPicky(&f.source);
            f.list->LoadPropList();
            userEnters(f.controls.combo, name);
            QCOMPARE(f.probe->Picky(), nullptr);
        }
        QCOMPARE(f.controls.combo->Items(), (QStringList{"BadSource", "Source1"}));
        QVERIFY(f.dialogs.Errors.isEmpty());
    }

    void fieldNameItemWithoutDataSetIsTyped()
    {
        TProbeFixture f;
        f.controls.combo->SetItems({"stale"});
        f.probe->setFieldName(u"Typed"_s);
        f.probe->setDataSource(&f.source); // a data source without dataset
        f.load([&](TPropList &l) { l.AddFieldNameProp(u"FieldName"_s, f.controls.combo); });
        QCOMPARE(f.controls.combo->Style(), int(csSimple));
        QCOMPARE(f.controls.combo->ItemCount(), 0);
        QCOMPARE(f.controls.combo->Text(), u"Typed"_s);
    }

    void fontNameItemOpensTheFontDialog()
    {
        TProbeFixture f;
        f.probe->Font()->setName(u"Verdana"_s);
        f.load([&](TPropList &l) { l.AddFontNameProp(u"Font.Name"_s, f.controls.combo); });
        TComboBox *box = f.controls.combo;
        QVERIFY(ControlHint(box).endsWith(
            u"   (Click right mouse button to select font from FontDialog)"_s));
        fontDialogCalls = 0;
        box->SetDroppedDown(true);
        box->ContextPopup({5, 5}); // list open: nothing
        box->SetDroppedDown(false);
        QCOMPARE(fontDialogCalls, 0);
        box->ContextPopup({5, 5});
        QCOMPARE(fontDialogCalls, 1);
        QCOMPARE(f.probe->Font()->Size(), 12);
        QVERIFY(f.probe->Font()->Style().testFlag(Vcl::fsBold));
        QCOMPARE(f.probe->Font()->Name(), u"Verdana"_s);
        QCOMPARE(f.designer.modified, 1);
    }

    void imageIndexListTextAndDrawing()
    {
        TProbeFixture f;
        TImageList images, indicators, tall;
        for (int i = 0; i < 3; ++i)
            images.Add(SolidImage(Qt::red));
        indicators.Add(SolidImage(Qt::blue));
        indicators.Add(SolidImage(Qt::green));
        tall.SetSize(20, 20);
        tall.Add(SolidImage(Qt::green, 20, 20));
        f.probe->setImageIndex(-2);
        auto *item = static_cast<TProbeImageItem *>(f.list->AddPropItem(
            std::make_unique<TProbeImageItem>(f.controls.combo, &images, &indicators)));
        f.list->LoadPropList();
        TComboBox *box = f.controls.combo;
        QCOMPARE(box->Items(), (QStringList{"0", "1", "2", "-1", "-2", "-3"}));
        QCOMPARE(box->ItemIndex(), 4);
        box->SelectIndex(1);
        QCOMPARE(f.probe->ImageIndex(), 1);
        item->SetPropText(u"abc"_s);
        QCOMPARE(f.probe->ImageIndex(), -1);

        const auto draw = [&](int Index, bool ViaBox = false) {
            QImage canvas(120, 20, QImage::Format_ARGB32);
            canvas.fill(Qt::white);
            QPainter painter(&canvas);
            painter.setBrush(Qt::yellow);
            if (ViaBox) // the box draws its entries through the item
                box->DrawItem(Index, QRect(0, 0, 120, 20), painter, false);
            else
                item->ComboBoxDrawItem(Index, QRect(0, 0, 120, 20), painter);
            painter.end();
            return canvas;
        };
        QCOMPARE(draw(0, true).pixelColor(5, 10), QColor(Qt::red));
        const QImage image = draw(0); // "0": image 0 at x 2, centred vertically
        QCOMPARE(image.pixelColor(2, 2), QColor(Qt::red));
        QCOMPARE(image.pixelColor(1, 10), QColor(Qt::yellow));   // filled with the brush
        QCOMPARE(draw(4).pixelColor(5, 10), QColor(Qt::blue));   // "-2": indicator 0
        QCOMPARE(draw(3).pixelColor(5, 10), QColor(Qt::yellow)); // "-1": no image
        item->images = &tall;                                    // taller than 16: not drawn
        QCOMPARE(draw(0).pixelColor(14, 10), QColor(Qt::yellow));
        item->images = nullptr; // no image list: nothing is drawn at all
        QCOMPARE(draw(0).pixelColor(5, 10), QColor(Qt::white));
    }

    // The context list of a colour box: the custom entry, the default, the none colour and the
    // colour that was selected; after a choice the box returns to its standard list.
    void colorContextList()
    {
        TProbeFixture f;
        TColorBox *box = f.controls.colors;
        f.probe->setTextColor(0x123456);
        f.load([&](TPropList &l) { l.AddColorProp(u"TextColor"_s, box, clRed, clBlue); });
        QCOMPARE(box->PopupMenu(), f.list->EmptyPopupMenu());
        box->ContextPopup({4, 4});
        QCOMPARE(box->ColorNames(0), TColorBox::CustomCaption());
        QCOMPARE(colorsOf(box).mid(1), (QList<TColor>{clDefault, clNone, 0x123456}));
        // The default swatch is drawn with the item's default colour.
        const QImage swatch = box->itemIcon(1).pixmap(box->iconSize()).toImage();
        QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(Qt::red));
        box->ContextPopup({4, 4}); // already open: nothing changes
        QCOMPARE(box->ItemCount(), 4);
        box->SetDroppedDown(false);
        QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
        QCOMPARE(f.designer.modified, 0);

        // A background colour offers its own default first and no none colour; a saved colour
        // equal to it is offered once.
        auto *back = new TColorBox(f.controls.page.get());
        f.reloadOnModify();
        f.load([&](TPropList &l) { l.AddBackColorProp(u"Color"_s, back); });
        back->ContextPopup({4, 4});
        QCOMPARE(colorsOf(back).mid(1), (QList<TColor>{clWindow}));
        back->SelectIndex(0); // the custom entry asks the colour dialog
        back->SetDroppedDown(false);
        QCOMPARE(f.probe->Color(), clWindow);
        colorDialogAnswer = true;
        colorDialogColor = 0x00654321;
        back->ContextPopup({4, 4});
        back->SelectIndex(0);
        back->SetDroppedDown(false);
        colorDialogAnswer = false;
        QCOMPARE(f.probe->Color(), 0x00654321);
        QCOMPARE(f.designer.modified, 1);
        QCOMPARE(back->Style(), TColorPropItem::StandardStyle);
        QCOMPARE(back->ItemIndex(), 0); // shown in the custom entry
        QCOMPARE(back->Selected(), 0x00654321);
        back->ContextPopup({4, 4});
        back->SelectIndex(back->IndexOfColor(clWindow));
        back->SetDroppedDown(false);
        QCOMPARE(f.probe->Color(), clWindow);
        QCOMPARE(back->ItemIndex(), back->IndexOfColor(clWindow));
        QVERIFY(!IsBold(back));
    }

    void characterItemStoresZeroWhenEmpty()
    {
        TProbeFixture f;
        f.load([&](TPropList &l) { l.AddCharProp(u"Delimiter"_s, f.controls.edit); });
        QCOMPARE(f.controls.edit->MaxLength(), 1);
        typeAndEnter(f.controls.edit, QString());
        QCOMPARE(f.probe->Delimiter().unicode(), 0);
    }

    void valueItemTypingPagingAndSpinner()
    {
        TProbeFixture f;
        f.reloadOnModify();
        TEdit *edit = f.controls.valueEdit;
        f.load([&](TPropList &l) { l.AddValueProp(u"Spin"_s, edit, 0, 40); });
        QCOMPARE(edit->SelLength(), 1); // selected after every load
        typeAndEnter(edit, u"abc"_s);   // not a number: the position again, selected
        QCOMPARE(edit->Text(), u"5"_s);
        QCOMPARE(edit->SelLength(), 1);
        typeAndEnter(edit, u"500"_s); // clamped and shown, stored at the next check
        QCOMPARE(edit->Text(), u"40"_s);
        QCOMPARE(f.designer.modified, 0);
        QTest::keyClick(edit, Qt::Key_PageDown);
        QCOMPARE(edit->Text(), u"30"_s);
        QTest::keyClick(edit, Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.probe->Spin(), 5);
        edit->clear(); // empty at position 0: shows "0" and stores it
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->Text(), u"0"_s);
        QCOMPARE(f.probe->Spin(), 0);
        f.controls.spin->Click(btNext); // a spinner click stores at once
        QCOMPARE(f.probe->Spin(), 1);
        QTest::keyClicks(edit, u"7"_s); // the change event is detached again
        QCOMPARE(f.designer.modified, 2);
    }

    void lateSpinnerIsFoundAtTheNextLoad()
    {
        TProbeFixture f;
        auto *edit = new TEdit(f.controls.page.get());
        f.load([&](TPropList &l) { l.AddValueProp(u"Spin"_s, edit, 0, 40); });
        auto *item = static_cast<TValuePropItem *>(f.list->Items(0));
        QCOMPARE(item->GetSpinControl(), nullptr);
        auto *spin = new TUpDown(f.controls.page.get());
        spin->SetAssociate(edit);
        f.list->LoadPropList();
        QCOMPARE(item->GetSpinControl(), spin);
        QCOMPARE(spin->Max(), 40);
        spin->Click(btNext);
        QCOMPARE(f.probe->Spin(), 6);
        spin->SetAssociate(f.controls.edit); // given to another edit box: let go
        f.list->LoadPropList();
        QCOMPARE(item->GetSpinControl(), nullptr);
    }
};

QTEST_MAIN(ProplistItemsTest)
#include "moc_tst_proplist_fixture.cpp"
#include "tst_proplist_items.moc"
