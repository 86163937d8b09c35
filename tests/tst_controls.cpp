// The thin controls layer: check-box states and click events, combo-box styles, sorting and
// events, the colour box's lists and custom entry, the up-down's position rules, and the
// published font kept in step with the widget.

#include <QtTest>

#include "colordialog.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/updown.h"
#include "hostdialogs.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    void checkBoxClickFiresForCodeAndUser()
    {
        TCheckBox box;
        int clicks = 0;
        box.OnClick = [&] { ++clicks; };
        box.SetChecked(true);
        QCOMPARE(clicks, 1);
        box.SetChecked(true); // no change, no click
        QCOMPARE(clicks, 1);
        box.click();
        QCOMPARE(clicks, 2);
        QVERIFY(!box.Checked());
        box.OnClick = nullptr;
        box.SetChecked(true);
        QCOMPARE(clicks, 2);
        // A handler may detach itself while it runs.
        box.OnClick = [&] {
            box.OnClick = nullptr;
            ++clicks;
        };
        box.SetChecked(false);
        QCOMPARE(clicks, 3);
    }

    void codeMayGrayABoxThatClicksCannot()
    {
        // Code may gray a box that clicks cannot gray; the next click leaves the grayed state.
        TCheckBox plain;
        plain.SetState(TCheckBox::cbGrayed);
        QCOMPARE(plain.State(), int(TCheckBox::cbGrayed));
        QVERIFY(!plain.AllowGrayed());
        plain.click();
        QCOMPARE(plain.State(), int(TCheckBox::cbUnchecked));
        plain.click();
        plain.click();
        QCOMPARE(plain.State(), int(TCheckBox::cbUnchecked));
    }

    void publishedFontFollowsWidgetBothWays()
    {
        TEdit edit;
        auto *font = qobject_cast<TFont *>(GetObjectProp(&edit, u"Font"_s));
        QCOMPARE(font, edit.Font());
        QCOMPARE(GetPropInfo(&edit, u"Font"_s)->TypeName, u"TFont"_s);
        font->setStyle(Vcl::fsBold);
        QVERIFY(edit.font().bold());
        QFont italic = edit.font();
        italic.setBold(false);
        italic.setItalic(true);
        edit.setFont(italic);
        QCOMPARE(font->Style(), Vcl::TFontStyles(Vcl::fsItalic));
    }

    void comboStylesAndSorting()
    {
        TComboBox box;
        QCOMPARE(box.Style(), int(csDropDown));
        QVERIFY(box.isEditable());
        box.SetItems({"b", "C", "a"});
        QCOMPARE(box.ItemIndex(), -1);
        box.SetSorted(true);
        QCOMPARE(box.Items(), (QStringList{"a", "b", "C"}));
        box.AddItem(u"B2"_s);
        QCOMPARE(box.Items(), (QStringList{"a", "b", "B2", "C"}));
        QCOMPARE(box.IndexOf(u"c"_s), 3);
        box.SetText(u"free text"_s);
        QCOMPARE(box.Text(), u"free text"_s);

        box.SetStyle(csDropDownList);
        QVERIFY(!box.isEditable());
        box.SetText(u"B2"_s);
        QCOMPARE(box.ItemIndex(), 2);
        box.SetText(u"none"_s);
        QCOMPARE(box.ItemIndex(), -1);
        box.SetStyle(csSimple);
        QVERIFY(box.isEditable());
        QCOMPARE(box.TextWidth(u"WW"_s), QFontMetrics(box.font()).horizontalAdvance("WW"));
    }

    void comboDropDownEventsAndContextPopup()
    {
        TComboBox box;
        QStringList events;
        box.OnDropDown = [&] { events << "drop"; };
        box.OnCloseUp = [&] { events << "close"; };
        box.OnSelect = [&] { events << "select"; };
        box.SetItems({"x", "y"});
        box.SetDroppedDown(true);
        QVERIFY(box.DroppedDown());
        box.SetDroppedDown(false);
        box.SelectIndex(1);
        QCOMPARE(events, (QStringList{"drop", "close", "select"}));
        QCOMPARE(box.Text(), u"y"_s);

        bool asked = false;
        QMenu empty;
        box.SetPopupMenu(&empty);
        box.OnContextPopup = [&](const QPoint &, bool &Handled) {
            asked = true;
            Handled = true;
        };
        QContextMenuEvent event(QContextMenuEvent::Mouse, {3, 3}, box.mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(&box, &event);
        QVERIFY(asked && !empty.isVisible());
    }

    void colorBoxListsByStyle()
    {
        TColorBox box;
        box.SetStyle(cbStandardColors);
        QCOMPARE(box.ColorNames(0), u"clBlack"_s);
        QCOMPARE(box.IndexOfColor(clSkyBlue), -1);
        box.SetStyle(cbStandardColors | cbExtendedColors | cbPrettyNames);
        QCOMPARE(box.ColorNames(box.IndexOfColor(clSkyBlue)), u"SkyBlue"_s);
        box.SetStyle(cbCustomColor | cbIncludeNone | cbIncludeDefault | cbSystemColors);
        QCOMPARE(box.ColorNames(0), TColorBox::CustomCaption());
        QVERIFY(box.IndexOfColor(clNone) > 0 && box.IndexOfColor(clDefault) > 0 &&
                box.IndexOfColor(clWindow) > 0);
        QCOMPARE(box.IndexOfColor(clRed), -1);

        int asked = 0;
        box.OnGetColors = [&](TColorEntries &Items) {
            ++asked;
            Items.append({u"mine"_s, 0x010203});
        };
        box.SetStyle(cbCustomColor | cbCustomColors);
        QCOMPARE(asked, 1);
        QCOMPARE(box.ItemCount(), 2);
        QCOMPARE(box.Colors(1), 0x010203);
        QCOMPARE(box.DropDownCount(), 2);
    }

    void colorBoxSelectedAndCustomEntry()
    {
        TColorBox box;
        box.SetStyle(cbStandardColors | cbCustomColor);
        box.SetSelected(clRed);
        QCOMPARE(box.Colors(box.ItemIndex()), clRed);
        box.SetSelected(0x00ABCDEF); // not listed: the custom entry holds it
        QCOMPARE(box.ItemIndex(), 0);
        QCOMPARE(box.Selected(), 0x00ABCDEF);
        // Setting the same style again (every load does) clears the selection; the custom entry
        // then stands for the next unlisted colour, and listed colours keep their own entries.
        box.SetStyle(cbStandardColors | cbCustomColor);
        QCOMPARE(box.ItemIndex(), -1);
        box.SetSelected(0x00123456);
        QCOMPARE(box.ItemIndex(), 0);
        QCOMPARE(box.Colors(0), 0x00123456);
        box.SetSelected(clBlack);
        QVERIFY(box.ItemIndex() > 0);
        box.SetStyle(cbStandardColors);
        box.SetSelected(0x00ABCDEF);
        QCOMPARE(box.ItemIndex(), -1);
        QCOMPARE(box.Selected(), 0x00ABCDEF);

        bool answer = false;
        TScriptedDialogs dialogs;
        dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
            Dialog.Color = clLime;
            return answer;
        };
        const THostDialogsScope scope(dialogs);
        int selects = 0;
        box.OnSelect = [&] { ++selects; };
        box.SetStyle(cbStandardColors | cbCustomColor);
        box.SetSelected(clBlue);
        box.SelectIndex(0); // cancelled: the previous colour stays selected, no select event
        QCOMPARE(selects, 0);
        QCOMPARE(box.Selected(), clBlue);
        answer = true;
        box.SelectIndex(0);
        QCOMPARE(selects, 1);
        QCOMPARE(box.Selected(), clLime);
    }

    void upDownPositionFromBuddy()
    {
        QWidget parent;
        auto *edit = new TEdit(&parent);
        auto *spin = new TUpDown(&parent);
        spin->SetThousands(false);
        spin->SetAssociate(edit);
        spin->SetMin(0);
        spin->SetMax(2000);
        spin->SetPosition(7);
        QCOMPARE(edit->Text(), u"7"_s);
        // Out of range or not a number: the last position stays; both ends are in the range.
        const std::pair<const char *, int> typed[] = {{" 12 ", 12}, {"3000", 12}, {"2000", 2000},
                                                      {"0", 0},     {"2001", 0},  {"-1", 0},
                                                      {"12", 12},   {"x", 12}};
        for (const auto &[text, position] : typed) {
            edit->SetText(QString::fromLatin1(text));
            QCOMPARE(spin->Position(), position);
        }
        spin->SetPosition(-5);
        QCOMPARE(edit->Text(), u"0"_s);
        spin->SetThousands(true);
        spin->SetPosition(1500);
        QCOMPARE(edit->Text(), QLocale().toString(1500));
        QCOMPARE(spin->Position(), 1500);

        bool allow = false;
        spin->OnChanging = [&](bool &AllowChange) { AllowChange = allow; };
        spin->Click(btNext);
        QCOMPARE(spin->Position(), 1500);
        allow = true;
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(spin->Position(), 1501);
        spin->SetPosition(2000);
        spin->Click(btNext); // clamped at Max
        QCOMPARE(spin->Position(), 2000);
    }

    // An edit box whose text was selected by code draws it as selected only while it has the focus;
    // the selection itself is kept for when the focus comes.
    void editDrawsItsSelectionOnlyWithFocus()
    {
        QWidget page;
        auto *edit = new TEdit(&page);
        auto *other = new TEdit(&page);
        edit->setGeometry(0, 0, 120, 24);
        other->setGeometry(0, 30, 120, 24);
        edit->SetText(u"WWWWWWWW"_s);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        const QColor highlight = page.palette().color(QPalette::Active, QPalette::Highlight);
        const auto showsHighlight = [&] {
            const QImage image = edit->grab().toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == highlight)
                        return true;
            return false;
        };
        other->setFocus();
        edit->SelectAll();
        QCOMPARE(edit->SelLength(), 8);
        QVERIFY(!showsHighlight());
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        edit->SelectAll();
        QVERIFY(showsHighlight());
        other->setFocus();
        edit->SelectAll();
        QVERIFY(!showsHighlight());
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
