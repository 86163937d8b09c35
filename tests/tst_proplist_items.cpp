// The item kinds: Boolean, three-state, set element, select and switch check boxes; list,
// enumeration, link, font-name, field-name and image-index combo boxes with their drop-down
// sizing and keyboard rules; colour boxes with their context list; character, memo and value
// items with their keyboard and spinner rules.

#include <QtTest>

#include "checkitems.h"
#include "coloritems.h"
#include "edititems.h"
#include "listitems.h"
#include "testsupport.h"
#include "tst_proplist_fixture.h"

namespace {

// A list item over Caption that lists Count entries of Length characters each.
class TLongListItem : public TListPropItem {
public:
    TLongListItem(TComboBox *Box, int Count, int Length)
        : TListPropItem(QStringLiteral("Caption"), Box), count(Count), length(Length)
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
        : TImageIndexPropItem(QStringLiteral("ImageIndex"), Box), images(Images),
          indicators(Indicators)
    {
    }
    TCustomImageList *GetImageList() override { return images; }
    TCustomImageList *GetIndicators() override { return indicators; }
    TCustomImageList *images;
    TCustomImageList *indicators;
};

QImage filled(QColor Color, int Size = 16)
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Color);
    return image;
}

// Counts the Return keys that reach a widget.
class TReturnCounter : public QObject {
public:
    int returns = 0;
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(Event)->key() == Qt::Key_Return)
            ++returns;
        return false;
    }
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

} // namespace

class ProplistItemsTest : public QObject {
    Q_OBJECT
private slots:
    void invertedBooleanShowsAndWritesNegated();
    void checkHintsTagsInOrder();
    void elementItemTouchesOnlyItsBit();
    void readOnlyClickWritesNothingButReports();
    void threeStateItem();
    void selectAndSwitchItems();
    void enumItemListsIdentifiersAndPicks();
    void dropDownCountAndWidth();
    void wideListGrowsLeftAndComesBack();
    void enterStoresOnceAndIsSwallowed();
    void linkItemNeverHalfSet();
    void fieldNameItemWithAndWithoutDataSet();
    void fontNameItem();
    void imageIndexListAndText();
    void imageIndexDrawing();
    void backColorDefaultAndContextList();
    void contextListOffersDefaultAndNoneSwatches();
    void choosingFromContextListReturnsToStandard();
    void customColorEntryAsksTheDialog();
    void characterItem();
    void memoAltEnterStores();
    void valueItemEnterRules();
    void valueItemClampsThenStores();
    void valueItemPagingAndSpinner();
    void colorBoxShowsListColorsByName_data();
    void colorBoxShowsListColorsByName();
    void contextListInTheReloadingFlow();
    void lateSpinnerIsFoundAtTheNextLoad();
};

void ProplistItemsTest::invertedBooleanShowsAndWritesNegated()
{
    TProbeFixture f;
    f.probe->setActive(true);
    f.load([&](TPropList &l) { l.AddBoolProp(QStringLiteral("Active"), f.controls.check, true); });
    QVERIFY(!f.controls.check->Checked());
    QVERIFY(!IsBold(f.controls.check)); // true is Active's default
    f.controls.check->click();
    QVERIFY(f.controls.check->Checked());
    QCOMPARE(f.probe->Active(), false);
    QCOMPARE(f.designer.modified, 1);
}

void ProplistItemsTest::checkHintsTagsInOrder()
{
    TProbeFixture f;
    TPropList &l = *f.list;
    l.AddBoolProp(QStringLiteral("Locked"), f.controls.check, true);
    l.AddBoolProp(QStringLiteral("Flat"), f.controls.check, true);
    l.AddElemProp(QStringLiteral("Fixed"), f.controls.check, 1, false);
    l.AddElemProp(QStringLiteral("Options"), f.controls.check, 2, true);
    l.AddElemProp(QStringLiteral("Options"), f.controls.check, 0, false);
    l.AddElemProp(QStringLiteral("Fixed"), f.controls.check, 3, true);
    const QStringList expected{
        " property Locked: Boolean (Inverted) (ReadOnly)",
        " property Flat: Boolean (Inverted)",
        " property Fixed: TOptions [poSecond] (ReadOnly)",
        " property Options: TOptions [poThird] (Inverted)",
        " property Options: TOptions [poFirst]",
        " property Fixed: TOptions [poFourth] (Inverted) (ReadOnly)",
    };
    for (int i = 0; i < l.ItemCount(); ++i) {
        l.Items(i)->InitEditControl();
        QCOMPARE(ControlHint(f.controls.check), expected.at(i));
    }
}

void ProplistItemsTest::elementItemTouchesOnlyItsBit()
{
    TProbeFixture f;
    f.probe->setOptions(Probe::poFirst | Probe::poFourth);
    f.load([&](TPropList &l) { l.AddElemProp(QStringLiteral("Options"), f.controls.check, 1); });
    QVERIFY(!f.controls.check->Checked());
    f.controls.check->click();
    QCOMPARE(f.probe->Options(), Probe::poFirst | Probe::poSecond | Probe::poFourth);
    f.controls.check->click();
    QCOMPARE(f.probe->Options(), Probe::poFirst | Probe::poFourth);

    // Inverted: checked means the element is absent.
    f.load([&](TPropList &l) {
        l.AddElemProp(QStringLiteral("Options"), f.controls.check2, 3, true);
    });
    QVERIFY(!f.controls.check2->Checked());
    f.controls.check2->click();
    QCOMPARE(f.probe->Options(), Probe::TOptions(Probe::poFirst));

    // Default when the element's state matches the recorded default (poFirst | poThird).
    auto *first = new TCheckBox(f.controls.page.get());
    f.load([&](TPropList &l) { l.AddElemProp(QStringLiteral("Options"), first, 0); });
    QVERIFY(!IsBold(first));
    f.probe->setOptions(Probe::poThird);
    f.list->LoadPropList();
    QVERIFY(IsBold(first));
}

void ProplistItemsTest::readOnlyClickWritesNothingButReports()
{
    TProbeFixture f;
    f.reloadOnModify();
    f.load([&](TPropList &l) { l.AddBoolProp(QStringLiteral("Locked"), f.controls.check); });
    QVERIFY(f.controls.check->Checked());
    f.controls.check->click();
    QCOMPARE(f.designer.modified, 1);
    QVERIFY(f.controls.check->Checked()); // the reload put the property's value back
}

void ProplistItemsTest::threeStateItem()
{
    TProbeFixture f;
    f.probe->setThreeState(2);
    f.load([&](TPropList &l) { l.AddGrayProp(QStringLiteral("ThreeState"), f.controls.check); });
    QCOMPARE(f.controls.check->State(), int(TCheckBox::cbGrayed));
    QVERIFY(f.controls.check->AllowGrayed());
    QCOMPARE(f.designer.modified, 0);
    QVERIFY(IsBold(f.controls.check));
    f.controls.check->click(); // grayed -> unchecked
    QCOMPARE(f.probe->ThreeState(), 0);
    f.controls.check->click();
    f.controls.check->click();
    QCOMPARE(f.probe->ThreeState(), 2);
    QCOMPARE(f.designer.modified, 3);
}

void ProplistItemsTest::selectAndSwitchItems()
{
    TProbeFixture f;
    f.load([&](TPropList &l) {
        l.AddSelectProp(QString(), f.controls.check, true, QStringLiteral("Show all"));
    });
    auto *select = static_cast<TSelectPropItem *>(f.list->Items(0));
    QCOMPARE(ControlHint(f.controls.check), QStringLiteral(" Hint: Show all"));
    QVERIFY(f.controls.check->Checked());
    f.controls.check->click();
    QVERIFY(!select->Checked());
    QCOMPARE(f.designer.modified, 1);
    QVERIFY(!IsBold(f.controls.check));

    f.list->AddSwitchProp(QString(), f.controls.check2, f.controls.edit, f.controls.memo, true,
                          QStringLiteral("Switch"));
    QVERIFY(ControlVisible(f.controls.edit)); // switched before any load
    QVERIFY(!ControlVisible(f.controls.memo));
    f.list->LoadPropList();
    f.controls.check2->click();
    QVERIFY(!ControlVisible(f.controls.edit));
    QVERIFY(ControlVisible(f.controls.memo));
    QCOMPARE(f.designer.modified, 2);
}

void ProplistItemsTest::enumItemListsIdentifiersAndPicks()
{
    TProbeFixture f;
    f.probe->setMode(Probe::pmSome);
    f.load([&](TPropList &l) { l.AddEnumProp(QStringLiteral("Mode"), f.controls.combo); });
    TComboBox *box = f.controls.combo;
    QCOMPARE(box->Style(), int(csDropDownList));
    QCOMPARE(box->Items(), (QStringList{"pmAll", "pmNone", "pmSome"}));
    QCOMPARE(box->Text(), QStringLiteral("pmSome"));
    QVERIFY(IsBold(box));
    box->SelectIndex(2); // the current value: nothing stored
    QCOMPARE(f.designer.modified, 0);
    box->SelectIndex(1);
    QCOMPARE(f.probe->Mode(), Probe::pmNone);
    QCOMPARE(f.designer.modified, 1);
}

void ProplistItemsTest::dropDownCountAndWidth()
{
    TProbeFixture f;
    TComboBox *box = f.controls.combo;
    for (int count : {25, 20}) {
        auto *item = static_cast<TLongListItem *>(
            f.list->AddPropItem(std::make_unique<TLongListItem>(box, count, 30)));
        item->InitEditControl();
        int widest = 0;
        for (const QString &entry : box->Items())
            widest = qMax(widest, box->TextWidth(entry));
        QCOMPARE(box->DropDownCount(), qMin(count, 20));
        QCOMPARE(item->DropWidth(), widest + (count > 20 ? 17 : 0) + 4);
    }
    // Entries that fit leave the width alone, also while dropped down.
    TPropItem *narrow = f.list->AddPropItem(std::make_unique<TLongListItem>(box, 3, 1));
    narrow->InitEditControl();
    QCOMPARE(static_cast<TLongListItem *>(narrow)->DropWidth(), 0);
    const QRect before = box->geometry();
    box->SetDroppedDown(true);
    QCOMPARE(box->geometry(), before);
    box->SetDroppedDown(false);
}

void ProplistItemsTest::wideListGrowsLeftAndComesBack()
{
    TProbeFixture f;
    f.probe->setCaption(QStringLiteral("not listed"));
    TComboBox *box = f.controls.combo;
    auto *item = static_cast<TLongListItem *>(
        f.list->AddPropItem(std::make_unique<TLongListItem>(box, 5, 40)));
    f.list->LoadPropList();
    QVERIFY(item->DropWidth() > box->Width());
    const QRect before = box->geometry();
    QVERIFY(IsBold(box));
    box->SetDroppedDown(true);
    QCOMPARE(box->Width(), item->DropWidth());
    QCOMPARE(box->geometry().right(), before.right());
    QVERIFY(!IsBold(box)); // regular while the list is open
    box->SetDroppedDown(false);
    QCOMPARE(box->geometry(), before);
    QVERIFY(IsBold(box));
}

void ProplistItemsTest::enterStoresOnceAndIsSwallowed()
{
    TProbeFixture f;
    f.reloadOnModify();
    TProbeSource source;
    TProbeDataSet dataSet;
    dataSet.Fields = {"Name", "City"};
    source.setDataSet(&dataSet);
    f.probe->setDataSource(&source);
    f.load(
        [&](TPropList &l) { l.AddFieldNameProp(QStringLiteral("FieldName"), f.controls.combo); });
    TComboBox *box = f.controls.combo;
    QCOMPARE(box->Style(), int(csDropDown));
    QCOMPARE(box->Items(), (QStringList{"City", "Name"}));
    TReturnCounter counter;
    box->lineEdit()->installEventFilter(&counter);
    box->installEventFilter(&counter);
    box->lineEdit()->setText(QStringLiteral("Name;City"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.probe->FieldName(), QStringLiteral("Name;City"));
    QCOMPARE(f.designer.modified, 1);
    QCOMPARE(counter.returns, 1); // seen by the box's filter only, never by its edit part
    // Leaving the box with the same text stores nothing more.
    FireEvent(box->OnExit);
    QCOMPARE(f.designer.modified, 1);
    // Typing alone stores nothing.
    QTest::keyClicks(box, QStringLiteral("x"));
    QCOMPARE(f.designer.modified, 1);
}

void ProplistItemsTest::linkItemNeverHalfSet()
{
    TProbeFixture f;
    TProbeSource good, bad;
    TProbeOther other;
    good.SetName(QStringLiteral("Source1"));
    bad.SetName(QStringLiteral("BadSource"));
    other.SetName(QStringLiteral("Other1"));
    f.designer.components = {&good, &other, &bad};
    f.probe->setPicky(&good);
    f.load([&](TPropList &l) { l.AddLinkProp(QStringLiteral("Picky"), f.controls.combo); });
    TComboBox *box = f.controls.combo;
    QCOMPARE(box->Style(), int(csDropDown));
    QCOMPARE(box->Items(), (QStringList{"BadSource", "Source1"}));
    QCOMPARE(box->Text(), QStringLiteral("Source1"));

    box->SelectIndex(0); // the setter refuses it: the property becomes nil, nothing escapes
    QCOMPARE(f.probe->Picky(), nullptr);
    QCOMPARE(f.designer.modified, 1);

    box->lineEdit()->setText(QStringLiteral("Other1")); // not of the property's class
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.probe->Picky(), nullptr);

    box->SelectIndex(1);
    QCOMPARE(f.probe->Picky(), &good);
    box->lineEdit()->clear();
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(f.probe->Picky(), nullptr);
}

void ProplistItemsTest::fieldNameItemWithAndWithoutDataSet()
{
    TProbeFixture f;
    f.controls.combo->SetItems({"stale"});
    f.probe->setFieldName(QStringLiteral("Typed"));
    auto *item = static_cast<TFieldNamePropItem *>(f.load(
        [&](TPropList &l) { l.AddFieldNameProp(QStringLiteral("FieldName"), f.controls.combo); }));
    QCOMPARE(item->GetDataSource(), nullptr);
    QCOMPARE(f.controls.combo->Style(), int(csSimple));
    QCOMPARE(f.controls.combo->ItemCount(), 0);
    QCOMPARE(f.controls.combo->Text(), QStringLiteral("Typed"));

    TProbeSource source; // a data source without dataset: still typed
    f.probe->setDataSource(&source);
    f.list->LoadPropList();
    QCOMPARE(item->GetDataSet(), nullptr);
    QCOMPARE(f.controls.combo->Style(), int(csSimple));
}

void ProplistItemsTest::fontNameItem()
{
    TProbeFixture f;
    f.probe->Font()->setName(QStringLiteral("Verdana"));
    f.load([&](TPropList &l) { l.AddFontNameProp(QStringLiteral("Font.Name"), f.controls.combo); });
    TComboBox *box = f.controls.combo;
    QCOMPARE(box->Items(), (QStringList{"Arial", "Tahoma", "Verdana"}));
    QVERIFY(IsBold(box));
    QVERIFY(ControlHint(box).endsWith(
        QStringLiteral("   (Click right mouse button to select font from FontDialog)")));
    QCOMPARE(box->PopupMenu(), f.list->EmptyPopupMenu());

    fontDialogCalls = 0;
    box->SetDroppedDown(true);
    box->ContextPopup({5, 5}); // list open: nothing
    box->SetDroppedDown(false);
    QCOMPARE(fontDialogCalls, 0);
    box->ContextPopup({5, 5});
    QCOMPARE(fontDialogCalls, 1);
    QCOMPARE(f.probe->Font()->Size(), 12);
    QVERIFY(f.probe->Font()->Style().testFlag(Vcl::fsBold));
    QCOMPARE(f.probe->Font()->Name(), QStringLiteral("Verdana"));
    QCOMPARE(f.designer.modified, 1);

    f.probe->Font()->setName(QStringLiteral("Tahoma"));
    f.list->LoadPropList();
    QVERIFY(!IsBold(box));
}

void ProplistItemsTest::imageIndexListAndText()
{
    TProbeFixture f;
    TImageList images, indicators;
    for (int i = 0; i < 3; ++i)
        images.Add(filled(Qt::red));
    indicators.Add(filled(Qt::blue));
    indicators.Add(filled(Qt::green));
    f.probe->setImageIndex(-2);
    auto *item = static_cast<TProbeImageItem *>(f.list->AddPropItem(
        std::make_unique<TProbeImageItem>(f.controls.combo, &images, &indicators)));
    f.list->LoadPropList();
    TComboBox *box = f.controls.combo;
    QCOMPARE(box->Items(), (QStringList{"0", "1", "2", "-1", "-2", "-3"}));
    QCOMPARE(box->Style(), int(csOwnerDrawFixed));
    QCOMPARE(box->ItemIndex(), 4);
    box->SelectIndex(1);
    QCOMPARE(f.probe->ImageIndex(), 1);
    item->SetPropText(QStringLiteral("abc"));
    QCOMPARE(f.probe->ImageIndex(), -1);

    item->indicators = nullptr;
    f.list->LoadPropList();
    QCOMPARE(box->Items(), (QStringList{"0", "1", "2"}));
}

void ProplistItemsTest::imageIndexDrawing()
{
    TProbeFixture f;
    TImageList images, indicators, tall;
    images.Add(filled(Qt::red));
    indicators.Add(filled(Qt::blue));
    tall.SetSize(20, 20);
    tall.Add(filled(Qt::green, 20));
    auto *item = static_cast<TProbeImageItem *>(f.list->AddPropItem(
        std::make_unique<TProbeImageItem>(f.controls.combo, &images, &indicators)));
    f.list->LoadPropList();
    TComboBox *box = f.controls.combo;
    const auto draw = [&](int Index) {
        QImage canvas(120, 20, QImage::Format_ARGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        painter.setBrush(Qt::yellow);
        item->ComboBoxDrawItem(Index, QRect(0, 0, 120, 20), painter);
        return canvas;
    };
    QImage image = draw(0); // "0": image 0 at x 2, centred vertically
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::red));
    QCOMPARE(image.pixelColor(10, 17), QColor(Qt::red));
    QCOMPARE(image.pixelColor(1, 10), QColor(Qt::yellow)); // filled with the brush
    image = draw(2);                                       // "-2": indicator 0
    QCOMPARE(image.pixelColor(5, 10), QColor(Qt::blue));
    image = draw(1); // "-1": no image, but the text still moves right
    QCOMPARE(image.pixelColor(5, 10), QColor(Qt::yellow));

    item->images = &tall; // taller than 16: not drawn, and the text stays at the left
    image = draw(0);
    QCOMPARE(image.pixelColor(14, 10), QColor(Qt::yellow));
    item->images = nullptr; // no image list: nothing is drawn at all
    image = draw(0);
    QCOMPARE(image.pixelColor(5, 10), QColor(Qt::white));

    // The combo box draws its entries through the item while owner-drawn.
    item->images = &images;
    QImage viaBox(120, 20, QImage::Format_ARGB32);
    viaBox.fill(Qt::white);
    QPainter painter(&viaBox);
    box->DrawItem(0, QRect(0, 0, 120, 20), painter, false);
    painter.end();
    QCOMPARE(viaBox.pixelColor(5, 10), QColor(Qt::red));
}

void ProplistItemsTest::backColorDefaultAndContextList()
{
    TProbeFixture f;
    TColorBox *box = f.controls.colors;
    f.load([&](TPropList &l) { l.AddBackColorProp(QStringLiteral("Color"), box); });
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->Selected(), clWindow);
    QVERIFY(!IsBold(box));
    QCOMPARE(box->PopupMenu(), f.list->EmptyPopupMenu());

    f.probe->setColor(clRed);
    f.list->LoadPropList();
    QVERIFY(IsBold(box));
    box->ContextPopup({4, 4});
    QCOMPARE(box->Style(), TColorPropItem::ContextStyle);
    QVERIFY(box->DroppedDown());
    QCOMPARE(box->ColorNames(0), TColorBox::CustomCaption());
    QCOMPARE(colorsOf(box).mid(1), (QList<TColor>{clWindow, clRed}));
    QCOMPARE(box->ColorNames(1), QStringLiteral("clWindow"));
    box->ContextPopup({4, 4}); // already open: nothing changes
    QCOMPARE(box->ItemCount(), 3);
    box->SetDroppedDown(false);
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->Selected(), clRed);
    QCOMPARE(f.designer.modified, 0);

    // A saved colour equal to the default is offered once.
    f.probe->setColor(clWindow);
    f.list->LoadPropList();
    box->ContextPopup({4, 4});
    QCOMPARE(colorsOf(box).mid(1), (QList<TColor>{clWindow}));
    box->SetDroppedDown(false);
}

void ProplistItemsTest::contextListOffersDefaultAndNoneSwatches()
{
    TProbeFixture f;
    TColorBox *box = f.controls.colors;
    f.probe->setTextColor(0x123456);
    f.load([&](TPropList &l) { l.AddColorProp(QStringLiteral("TextColor"), box, clRed, clBlue); });
    QCOMPARE(box->DefaultColorColor(), clRed);
    QCOMPARE(box->NoneColorColor(), clBlue);
    box->ContextPopup({4, 4});
    QCOMPARE(colorsOf(box).mid(1), (QList<TColor>{clDefault, clNone, 0x123456}));
    QCOMPARE(box->ColorNames(3), QStringLiteral("$00123456"));
    // The default swatch is drawn with DefaultColor.
    const QImage swatch = box->itemIcon(1).pixmap(box->iconSize()).toImage();
    QCOMPARE(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2), QColor(Qt::red));
    box->SetDroppedDown(false);

    // With the plain font colour item the property's own default comes first and clNone is
    // not added.
    f.list->AddFontColorProp(QStringLiteral("TextColor"), box);
    f.list->Items(1)->InitEditControl();
    f.list->Items(1)->LoadEditControl();
    box->ContextPopup({4, 4});
    QCOMPARE(colorsOf(box).mid(1), (QList<TColor>{clWindowText, 0x123456}));
    box->SetDroppedDown(false);
}

void ProplistItemsTest::choosingFromContextListReturnsToStandard()
{
    TProbeFixture f;
    TColorBox *box = f.controls.colors;
    f.probe->setColor(clRed);
    f.load([&](TPropList &l) { l.AddBackColorProp(QStringLiteral("Color"), box); });
    box->ContextPopup({4, 4});
    box->SelectIndex(1); // clWindow
    QCOMPARE(f.probe->Color(), clWindow);
    QCOMPARE(f.designer.modified, 1);
    box->SetDroppedDown(false);
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->ItemIndex(), box->IndexOfColor(clWindow));
    QVERIFY(box->ItemIndex() > 0);

    // A chosen colour the standard list lacks leaves no entry selected.
    f.probe->setColor(0x00ABCDEF);
    f.list->LoadPropList();
    box->ContextPopup({4, 4});
    box->SetDroppedDown(false);
    QCOMPARE(box->ItemIndex(), -1);
}

void ProplistItemsTest::customColorEntryAsksTheDialog()
{
    TProbeFixture f;
    TColorBox *box = f.controls.colors;
    f.load([&](TPropList &l) { l.AddBackColorProp(QStringLiteral("Color"), box); });
    colorDialogAnswer = false;
    box->SelectIndex(0);
    QCOMPARE(f.probe->Color(), clWindow);
    QCOMPARE(box->Selected(), clWindow);
    QCOMPARE(f.designer.modified, 0);
    colorDialogAnswer = true;
    colorDialogColor = 0x00102030;
    box->SelectIndex(0);
    QCOMPARE(f.probe->Color(), 0x00102030);
    QCOMPARE(f.designer.modified, 1);
    colorDialogAnswer = false;
    // A loaded colour outside the list shows in the custom entry.
    f.list->LoadPropList();
    QCOMPARE(box->ItemIndex(), 0);
    QCOMPARE(box->Selected(), 0x00102030);
}

void ProplistItemsTest::characterItem()
{
    TProbeFixture f;
    TEdit *edit = f.controls.edit;
    f.load([&](TPropList &l) { l.AddCharProp(QStringLiteral("Delimiter"), edit); });
    QCOMPARE(edit->Text(), QStringLiteral(";"));
    QCOMPARE(edit->MaxLength(), 1);
    typeAndEnter(edit, QStringLiteral("xy"));
    QCOMPARE(f.probe->Delimiter(), QChar('x'));
    QVERIFY(!IsBold(edit)); // characters are always shown regular
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(f.probe->Delimiter().unicode(), 0);
    QCOMPARE(f.designer.modified, 2);
}

void ProplistItemsTest::memoAltEnterStores()
{
    TProbeFixture f;
    TMemo *memo = f.controls.memo;
    f.load([&](TPropList &l) { l.AddMemoProp(QStringLiteral("Lines"), memo); });
    QVERIFY(!IsBold(memo));
    QTest::keyClicks(memo, QStringLiteral("one"));
    QTest::keyClick(memo, Qt::Key_Return); // a new line, nothing stored
    QTest::keyClicks(memo, QStringLiteral("two"));
    QCOMPARE(f.designer.modified, 0);
    QCOMPARE(memo->Lines(), (QStringList{"one", "two"}));
    QTest::keyClick(memo, Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(f.probe->Lines()->Lines(), (QStringList{"one", "two"}));
    QCOMPARE(memo->Lines(), (QStringList{"one", "two"})); // Alt+Enter added no line
    QCOMPARE(f.designer.modified, 1);
    FireEvent(memo->OnExit); // same text: nothing more
    QCOMPARE(f.designer.modified, 1);
    f.list->LoadPropList();
    QVERIFY(IsBold(memo));
}

void ProplistItemsTest::valueItemEnterRules()
{
    TProbeFixture f;
    f.reloadOnModify();
    TEdit *edit = f.controls.valueEdit;
    f.load([&](TPropList &l) { l.AddValueProp(QStringLiteral("Spin"), edit, -50, 50); });
    QCOMPARE(edit->Text(), QStringLiteral("5"));
    QCOMPARE(edit->SelLength(), 1); // selected after every load
    QCOMPARE(f.controls.spin->Min(), -50);

    typeAndEnter(edit, QStringLiteral("12"));
    QCOMPARE(f.probe->Spin(), 12);
    QCOMPARE(f.designer.modified, 1);

    typeAndEnter(edit, QStringLiteral("abc"));
    QCOMPARE(edit->Text(), QStringLiteral("12"));
    QCOMPARE(edit->SelLength(), 2);
    QCOMPARE(f.designer.modified, 1);

    f.probe->setSpin(0);
    f.list->LoadPropList();
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->Text(), QStringLiteral("0"));
    QCOMPARE(f.designer.modified, 1);
}

void ProplistItemsTest::valueItemClampsThenStores()
{
    TProbeFixture f;
    f.reloadOnModify();
    f.probe->Font()->setSize(8);
    TEdit *edit = f.controls.valueEdit;
    f.load([&](TPropList &l) { l.AddFontSizeProp(QStringLiteral("Font.Size"), edit); });
    QVERIFY(!IsBold(edit));
    typeAndEnter(edit, QStringLiteral("500"));
    QCOMPARE(edit->Text(), QStringLiteral("100"));
    QCOMPARE(f.probe->Font()->Size(), 8);
    QCOMPARE(f.designer.modified, 0);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(f.probe->Font()->Size(), 100);
    QCOMPARE(f.designer.modified, 1);
    QVERIFY(IsBold(edit));
}

void ProplistItemsTest::valueItemPagingAndSpinner()
{
    TProbeFixture f;
    TEdit *edit = f.controls.valueEdit;
    f.load([&](TPropList &l) { l.AddValueProp(QStringLiteral("Spin"), edit, 0, 40); });
    QTest::keyClick(edit, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(edit->Text(), QStringLiteral("40"));
    QTest::keyClick(edit, Qt::Key_PageDown);
    QCOMPARE(edit->Text(), QStringLiteral("30"));
    QCOMPARE(f.probe->Spin(), 5); // stored only at the next check
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(f.probe->Spin(), 30);
    QTest::keyClick(edit, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(edit->Text(), QStringLiteral("0"));

    f.list->LoadPropList();
    f.controls.spin->Click(btNext); // a spinner click stores at once
    QCOMPARE(f.probe->Spin(), 31);
    QCOMPARE(f.designer.modified, 2);
    QTest::keyClicks(edit, QStringLiteral("7")); // the change event is detached again
    QCOMPARE(f.designer.modified, 2);
}

void ProplistItemsTest::colorBoxShowsListColorsByName_data()
{
    QTest::addColumn<TColor>("color");
    QTest::addColumn<QString>("text");
    QTest::addRow("black") << TColor(clBlack) << "clBlack";
    QTest::addRow("white") << TColor(clWhite) << "clWhite";
    QTest::addRow("a system colour") << TColor(clWindow) << "clWindow";
    QTest::addRow("a colour the list lacks") << TColor(0x00123456) << "Custom...";
}

void ProplistItemsTest::colorBoxShowsListColorsByName()
{
    // The custom-colour entry is only for colours the list lacks; black is one of the list's.
    QFETCH(TColor, color);
    QFETCH(QString, text);
    TProbeFixture f;
    f.probe->setColor(color);
    f.load([&](TPropList &l) { l.AddBackColorProp(QStringLiteral("Color"), f.controls.colors); });
    QCOMPARE(f.controls.colors->currentText(), text);
    QCOMPARE(f.controls.colors->Selected(), color);
    QCOMPARE(f.controls.colors->ItemIndex() == 0, text == QLatin1String("Custom..."));
}

void ProplistItemsTest::contextListInTheReloadingFlow()
{
    // As in a designer window, every change reloads the page. The reload runs while the context
    // list is still closing: it puts the box back to its standard list and selects the stored
    // colour (through the custom entry when the standard list lacks it), so the close-up that
    // follows finds the standard list and has nothing left to do.
    TProbeFixture f;
    f.reloadOnModify();
    TColorBox *box = f.controls.colors;
    f.probe->setColor(clRed);
    f.load([&](TPropList &l) { l.AddBackColorProp(QStringLiteral("Color"), box); });

    // The property's default from the context list.
    box->ContextPopup({4, 4});
    QCOMPARE(box->Style(), TColorPropItem::ContextStyle);
    const int window = box->IndexOfColor(clWindow);
    QVERIFY(window > 0);
    box->SelectIndex(window);
    box->SetDroppedDown(false);
    QCOMPARE(f.probe->Color(), clWindow);
    QCOMPARE(f.designer.modified, 1);
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->ItemIndex(), box->IndexOfColor(clWindow));
    QVERIFY(!f.controls.colors->Font()->Style().testFlag(Vcl::fsBold));

    // The custom entry: a colour the standard list lacks shows in the custom entry.
    colorDialogAnswer = true;
    colorDialogColor = 0x00654321;
    box->ContextPopup({4, 4});
    box->SelectIndex(0);
    box->SetDroppedDown(false);
    colorDialogAnswer = false;
    QCOMPARE(f.probe->Color(), 0x00654321);
    QCOMPARE(f.designer.modified, 2);
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->ItemIndex(), 0);
    QCOMPARE(box->Selected(), 0x00654321);
    QVERIFY(f.controls.colors->Font()->Style().testFlag(Vcl::fsBold));

    // The colour that was selected, chosen again: nothing changes and nothing is stored; the
    // close-up puts the standard list back itself, with no entry for the colour it lacks.
    box->ContextPopup({4, 4});
    box->SelectIndex(box->IndexOfColor(0x00654321));
    box->SetDroppedDown(false);
    QCOMPARE(f.designer.modified, 2);
    QCOMPARE(box->Style(), TColorPropItem::StandardStyle);
    QCOMPARE(box->ItemIndex(), -1);
    QCOMPARE(f.probe->Color(), 0x00654321);
}

void ProplistItemsTest::lateSpinnerIsFoundAtTheNextLoad()
{
    TProbeFixture f;
    f.probe->setSpin(12);
    auto *edit = new TEdit(f.controls.page.get());
    f.load([&](TPropList &l) { l.AddValueProp(QStringLiteral("Spin"), edit, 0, 40); });
    auto *item = static_cast<TValuePropItem *>(f.list->Items(0));
    QCOMPARE(item->GetSpinControl(), nullptr);

    // The spinner is associated after the item was made: the next load finds it.
    auto *spin = new TUpDown(f.controls.page.get());
    spin->SetAssociate(edit);
    f.list->LoadPropList();
    QCOMPARE(item->GetSpinControl(), spin);
    QCOMPARE(edit->Text(), QStringLiteral("12"));
    QCOMPARE(spin->Max(), 40);
    spin->Click(btNext);
    QCOMPARE(f.probe->Spin(), 13);

    // A spinner given to another edit box is let go.
    spin->SetAssociate(f.controls.edit);
    f.list->LoadPropList();
    QCOMPARE(item->GetSpinControl(), nullptr);
}

QTEST_MAIN(ProplistItemsTest)
#include "moc_tst_proplist_fixture.cpp"
#include "tst_proplist_items.moc"
