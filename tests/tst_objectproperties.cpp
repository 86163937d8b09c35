// The workbench's Object Inspector: rows from the registered property editors, events, nested
// rows of sub-objects and sets, in-place editing with errors reported, bold non-default values,
// the category arrangement, several objects edited together, value lists drawn by their
// editors and the dialog button beside them.

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include "briskcolorproperty.h"
#include "colordialog.h"
#include "grid.h"
#include "hostdialogs.h"
#include "kordbeditors.h"
#include "kordbgridsreg.h"
#include "multilinetextdialog.h"
#include "navigator.h"
#include "objectproperties.h"
#include "probedesigner.h"
#include "propertyrowdelegate.h"
#include "propertysupport.h"
#include "propertyvaluelist.h"
#include "registration.h"
#include "stringeditor.h"
#include "tst_runtime_fixture.h"
#include "typinfo.h"

namespace {

QStringList namesOf(const QAbstractItemModel &Model, const QModelIndex &Parent = {})
{
    QStringList names;
    for (int row = 0; row < Model.rowCount(Parent); ++row)
        names.append(Model.index(row, 0, Parent).data().toString());
    return names;
}

struct InspectorFixture {
    // Messages and dialogs go to the test.
    TScriptedDialogs dialogs;
    THostDialogsScope dialogsScope{dialogs};
    TProbeDesigner designer;
    RuntimeFixture data;
    TKorDBGrid grid;
    TImageList images;
    TObjectInspector inspector;

    InspectorFixture()
    {
        KorDBGridsReg::Register();
        IDEColorDlg::Register();
        grid.SetName("KorDBGrid1");
        data.Source.SetName("Source");
        designer.components.append(&grid);
        grid.setDataSource(&data.Source);
        for (QColor colour : {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta})
            images.Add(SolidImage(colour));
        grid.setTitleImages(&images);
        inspector.SetDesigner(&designer);
        inspector.resize(380, 640);
        inspector.show();
        inspector.SetSelection({&grid});
    }
    ~InspectorFixture() { UnregisterModule(QString()); }
    // Only two categories: the package's own would add theirs.
    void useTwoCategories()
    {
        UnregisterModule(QString());
        RegisterPropertiesInCategory("Image", &TKorCustomDBGrid::staticMetaObject,
                                     {"FillerIndex", "TitleImages"});
        RegisterPropertiesInCategory("KorDBGrid", &TKorCustomDBGrid::staticMetaObject,
                                     {"FillerIndex", "StripeColor"});
        inspector.SetSelection({&grid});
    }

    TInspectorModel *model() const { return inspector.Model(); }
    QModelIndex row(const QString &Path) const { return model()->FindRow(Path); }
    QModelIndex cell(const QString &Path) const { return row(Path).siblingAtColumn(1); }
    QString value(const QString &Path) const { return cell(Path).data().toString(); }
    bool bold(const QString &Path) const
    {
        return cell(Path).data(Qt::FontRole).value<QFont>().bold();
    }
    TInspectorValueEdit *openEditor(const QString &Path)
    {
        const QModelIndex index = inspector.EditRow(Path);
        return qobject_cast<TInspectorValueEdit *>(
            inspector.View()->indexWidget(index.sibling(index.row(), 1)));
    }
};

// The names of the rows the view shows under Parent, with the shown rows under each as
// "Parent/Child" for the opened rows.
QStringList shownRows(const TObjectInspector &Inspector, const QModelIndex &Parent = {},
                      const QString &Prefix = {})
{
    QStringList shown;
    const QAbstractItemModel &model = *Inspector.Model();
    for (int row = 0; row < model.rowCount(Parent); ++row) {
        if (Inspector.View()->isRowHidden(row, Parent))
            continue;
        const QModelIndex index = model.index(row, 0, Parent);
        const QString name = Prefix + index.data().toString();
        shown.append(name);
        if (Inspector.View()->isExpanded(index))
            shown += shownRows(Inspector, index, name + QLatin1Char('/'));
    }
    return shown;
}

// The colour properties of Object and of its sub-objects (not of fonts nor of the components it
// links to), as dotted paths, from the type information.
QStringList colourPaths(const QObject *Object, const QString &Prefix = {})
{
    QStringList paths;
    for (PPropInfo info : GetPropList(Object)) {
        if (info->TypeName == QLatin1String("TColor"))
            paths.append(Prefix + info->Name);
        else if (info->Kind == TTypeKind::tkClass)
            if (QObject *part = GetObjectProp(Object, info->Name);
                part && !AsComponent(part) && !qobject_cast<TFont *>(part))
                paths += colourPaths(part, Prefix + info->Name + QLatin1Char('.'));
    }
    return paths;
}

} // namespace

class InspectorTest : public QObject {
    Q_OBJECT

private slots:
    void rowsFromRegisteredEditors()
    {
        InspectorFixture f;
        const QStringList names = namesOf(*f.model());
        int published = 0;
        for (PPropInfo info : GetPropList(&f.grid))
            published += info->Kind != TTypeKind::tkMethod;
        QCOMPARE(names.size(), published);
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, sorted);
        QCOMPARE(f.value("Options").left(1), QString("["));
        QCOMPARE(f.value("DataSource"), QString("Source"));
        QVERIFY(!names.contains("OnTitleClick"));
        QCOMPARE(f.inspector.findChild<QLabel *>("SelectionLabel")->text(),
                 QString("KorDBGrid1: TKorDBGrid"));
        // Bold where the value is not the default: a link set, not one unset nor a sub-object.
        QVERIFY(f.bold("DataSource") && !f.bold("PopupMenu") && !f.bold("Gradient") &&
                !f.bold("StripeColor"));
        f.grid.setStripeColor(clRed);
        f.inspector.RefreshValues();
        QVERIFY(f.bold("StripeColor"));
        QCOMPARE(f.value("StripeColor"), QString("clRed"));
    }

    void eventsPage()
    {
        InspectorFixture f;
        f.grid.setOnTitleClick(TMethod{"KorDBGrid1TitleClick"});
        f.inspector.SetSelection({&f.grid});
        f.inspector.Tabs()->setCurrentIndex(1);
        const QStringList names = namesOf(*f.model());
        QVERIFY(names.contains("OnTitleClick") && !names.contains("StripeColor"));
        QCOMPARE(f.value("OnTitleClick"), QString("KorDBGrid1TitleClick"));
        QVERIFY(f.bold("OnTitleClick") && !f.bold("OnFillerClick"));
        // Naming a handler, and the conventional name from a double-click.
        QVERIFY(f.model()->Commit(f.row("OnFillerClick"), "FillerClicked"));
        QCOMPARE(f.grid.OnFillerClick().Name, QString("FillerClicked"));
        f.model()->Edit(f.row("OnLayout"));
        QCOMPARE(f.grid.OnLayout().Name, QString("KorDBGrid1Layout"));
        QVERIFY(!f.model()->Commit(f.row("OnLayout"), "not a name"));
        QCOMPARE(f.dialogs.Errors.size(), 1);
        QCOMPARE(f.value("OnLayout"), QString("KorDBGrid1Layout"));
    }

    void nestedRows()
    {
        InspectorFixture f;
        // A sub-object's rows are sorted and served by their own registered editors.
        const QModelIndex gradient = f.row("Gradient");
        QVERIFY(f.model()->hasChildren(gradient));
        QCOMPARE(f.model()->rowCount(gradient), 0); // loaded when first expanded
        f.inspector.View()->expand(gradient);
        QVERIFY(f.model()->rowCount(gradient) > 0);
        QCOMPARE(f.model()->EditorAt(f.row("Gradient.EndColor"))->metaObject(),
                 &TBriskColorProperty::staticMetaObject);
        // A set's elements in their declared order, each True or False.
        const QModelIndex options = f.row("Options");
        f.inspector.View()->expand(options);
        const QStringList elements = namesOf(*f.model(), options);
        QCOMPARE(elements.first(), QString("dgEditing"));
        QCOMPARE(f.value("Options.dgEditing"), QString("True"));
        QVERIFY(f.model()->Commit(f.row("Options.dgEditing"), "False"));
        QVERIFY(!(f.grid.Options() & Kor::dgEditing) && !f.value("Options").contains("dgEditing"));
        QCOMPARE(f.value("Options.dgEditing"), QString("False"));
        QVERIFY(f.bold("Options.dgEditing") && !f.bold("Options.dgTitles"));
    }

    void editingInPlace_data()
    {
        // The property, what is typed, what is shown after it, and the errors reported.
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("errors");
        QTest::addRow("integer") << QStringList{"IndicatorWidth", "20", "20"} << 0;
        QTest::addRow("not an integer") << QStringList{"IndicatorWidth", "wide", "11"} << 1;
        QTest::addRow("enumeration") << QStringList{"DrawingStyle", "gdsThemed", "gdsThemed"} << 0;
        QTest::addRow("unknown identifier")
            << QStringList{"DrawingStyle", "gdsNone", "gdsClassic"} << 1;
    }

    void editingInPlace()
    {
        QFETCH(QStringList, row);
        QFETCH(int, errors);
        const QString property = row[0], typed = row[1], shown = row[2];
        InspectorFixture f;
        TInspectorValueEdit *edit = f.openEditor(property);
        QVERIFY(edit);
        edit->Edit()->selectAll();
        QTest::keyClicks(edit->Edit(), typed);
        QTest::keyClick(edit->Edit(), Qt::Key_Return);
        QCOMPARE(f.dialogs.Errors.size(), errors);
        QCOMPARE(f.value(property), shown);
        QCOMPARE(edit->Edit()->text(), shown); // the old value again after an error
        QCOMPARE(f.designer.modified, errors ? 0 : 1);
    }

    void categoryArrangement()
    {
        InspectorFixture f;
        f.useTwoCategories();
        f.inspector.ArrangeBox()->setCurrentIndex(1);
        QCOMPARE(namesOf(*f.model()), (QStringList{"Image", "KorDBGrid", "Miscellaneous"}));
        const QModelIndex image = f.model()->index(0, 0);
        QVERIFY(f.model()->data(image, TInspectorModel::IsCategoryRole).toBool());
        QCOMPARE(namesOf(*f.model(), image), (QStringList{"FillerIndex", "TitleImages"}));
        QCOMPARE(namesOf(*f.model(), f.model()->index(1, 0)),
                 (QStringList{"FillerIndex", "StripeColor"}));
        QVERIFY(f.inspector.View()->isExpanded(image));
        const QStringList rest = namesOf(*f.model(), f.model()->index(2, 0));
        QVERIFY(rest.contains("Color") && !rest.contains("StripeColor"));
        // A property in two categories is one value shown twice.
        QVERIFY(f.model()->Commit(f.model()->index(0, 1, image), "3"));
        QCOMPARE(f.model()->index(0, 1, f.model()->index(1, 0)).data().toString(), QString("3"));
        f.inspector.ArrangeBox()->setCurrentIndex(0);
        QVERIFY(namesOf(*f.model()).contains("FillerIndex"));
    }

    // Objects of different classes show what they all have under one name and type; a change goes
    // to every one of them as one modification.
    void objectsOfDifferentClassesTogether_data()
    {
        // With the data source?, caption, a shared property, a value for it, names not shared.
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QStringList>("NotShared");
        // Both have a Gradient, of a different class each.
        QTest::addRow("grid and navigator") << QStringList{"", "2 objects", "Tag", "7"}
                                            << QStringList{"Gradient", "Columns", "Kind"};
        QTest::addRow("grid, navigator and data source")
            << QStringList{"source", "3 objects", "Enabled", "False"}
            << QStringList{"Tag", "DataSet", "Name"};
    }

    void objectsOfDifferentClassesTogether()
    {
        QFETCH(QStringList, row);
        QFETCH(QStringList, NotShared);
        const QString Caption = row[1], Shared = row[2], Value = row[3];
        InspectorFixture f;
        TKorDBNavigator navigator;
        navigator.SetName("Navigator1");
        QList<QObject *> selection{&f.grid, &navigator};
        if (!row[0].isEmpty())
            selection << &f.data.Source;
        f.inspector.SetSelection(selection);
        QCOMPARE(f.inspector.findChild<QLabel *>("SelectionLabel")->text(), Caption);
        const QStringList names = namesOf(*f.model());
        QVERIFY(names.contains(Shared));
        for (const QString &name : NotShared)
            QVERIFY(!names.contains(name));

        QVERIFY(f.model()->Commit(f.row(Shared), Value));
        QCOMPARE(f.value(Shared), Value);
        for (QObject *object : selection) {
            const QString own = PropType(object, Shared) == TTypeKind::tkEnumeration
                                    ? GetEnumProp(object, Shared)
                                    : QString::number(GetOrdProp(object, Shared));
            QCOMPARE(own.toLower(), Value.toLower());
        }
        QCOMPARE(f.designer.modified, 1);
    }

    void valueListOpensOnDemand()
    {
        InspectorFixture f;
        TKorColumn *column = f.grid.Columns()->Add();
        f.inspector.SetSelection({column});
        TInspectorValueEdit *edit = f.openEditor("FieldName");
        QVERIFY(edit && edit->DropDownButton() && !edit->EllipsisButton());
        QVERIFY(!f.inspector.findChild<TInspectorValueList *>());
        TInspectorValueList *list = edit->OpenValueList();
        QVERIFY(list && list->isVisible());
        // Sorted by the inspector, as the editor asks.
        QCOMPARE(list->Values().first(), QString("active"));
        QCOMPARE(list->Values().size(), 9);
        // Choosing an entry writes it.
        const QModelIndex entry = list->View()->model()->index(list->Values().indexOf("name"), 0);
        list->View()->scrollTo(entry);
        QTest::mouseClick(list->View()->viewport(), Qt::LeftButton, {},
                          list->View()->visualRect(entry).center());
        QCOMPARE(column->FieldName(), QString("name"));
        QCOMPARE(edit->Edit()->text(), QString("name"));
    }

    // In the value cell, Escape takes the typing back and the editor stays; Alt+Down opens the
    // list, where Escape closes it and Enter chooses; a double-click takes the next value.
    void keysAndDoubleClickInTheValueCell()
    {
        InspectorFixture f;
        TInspectorValueEdit *edit = f.openEditor("DrawingStyle");
        QTest::keyClicks(edit->Edit(), "x");
        QTest::keyClick(edit->Edit(), Qt::Key_Escape);
        QVERIFY(edit->isVisible() && !edit->IsModified());
        QCOMPARE(edit->Edit()->text(), QString("gdsClassic"));
        const auto altDown = [&] {
            QTest::keyClick(edit->Edit(), Qt::Key_Down, Qt::AltModifier);
            return QPointer(f.inspector.findChild<TInspectorValueList *>());
        };
        QPointer<TInspectorValueList> list = altDown();
        QVERIFY(list && list->isVisible());
        QTest::keyClick(list->View(), Qt::Key_Escape);
        QVERIFY(!list || !list->isVisible());
        list = altDown();
        const int themed = int(list->Values().indexOf("gdsThemed"));
        list->View()->setCurrentIndex(list->View()->model()->index(themed, 0));
        QTest::keyClick(list->View(), Qt::Key_Return);
        QCOMPARE(f.value("DrawingStyle"), QString("gdsThemed"));
        QTest::mouseDClick(edit->Edit(), Qt::LeftButton);
        QCOMPARE(f.value("DrawingStyle"), QString("gdsGradient"));
        QCOMPARE(f.designer.modified, 2);
    }

    void imageIndexListIsDrawnByItsEditor()
    {
        InspectorFixture f;
        f.grid.setFillerIndex(2);
        f.inspector.SetSelection({&f.grid});
        f.inspector.View()->scrollTo(f.row("FillerIndex"), QAbstractItemView::PositionAtTop);
        TInspectorValueEdit *edit = f.openEditor("FillerIndex");
        QVERIFY(edit);
        TInspectorValueList *list = edit->OpenValueList();
        QVERIFY(list);
        // Wide enough for the image and the text.
        QVERIFY(list->PreferredWidth() >= 20 + QFontMetrics(list->font()).horizontalAdvance("-6"));
        QCoreApplication::processEvents();
        const QImage drawn = list->View()->viewport()->grab().toImage();
        const QModelIndex current = list->View()->currentIndex();
        QCOMPARE(current.data().toString(), QString("2"));
        const QRect entry = list->View()->visualRect(current);
        QCOMPARE(drawn.pixelColor(QPoint(entry.left() + 8, entry.center().y()) *
                                  drawn.devicePixelRatio()),
                 QColor(Qt::blue));
        list->close();
    }

    void dialogButtonBesideValueList()
    {
        InspectorFixture f;
        TInspectorValueEdit *edit = f.openEditor("StripeColor");
        QVERIFY(edit && edit->DropDownButton() && edit->EllipsisButton());
        TColor started = clNone;
        f.dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
            started = Dialog.Color;
            Dialog.Color = clTeal;
            return true;
        };
        edit->EllipsisButton()->click();
        QCOMPARE(started, f.grid.DefaultStripeColor());
        QCOMPARE(f.grid.StripeColor(), clTeal);
        QCOMPARE(edit->Edit()->text(), QString("clTeal"));
        // The colour list draws swatches through the editor.
        TInspectorValueList *list = edit->OpenValueList();
        QVERIFY(list->Values().contains("clTeal"));
        QCOMPARE(list->View()->currentIndex().data().toString(), QString("clTeal"));
        list->close();
    }

    void headerEditorFromTheInspector()
    {
        InspectorFixture f;
        TKorColumn *column = f.grid.Columns()->Add();
        column->setFieldName("name");
        column->Title()->setHeader("Customer|Name|Details");
        f.inspector.SetSelection({column->Title()});
        TInspectorValueEdit *edit = f.openEditor("Header");
        QVERIFY(edit && edit->EllipsisButton() && !edit->DropDownButton());
        f.dialogs.OnDialog = [](QDialog &Dialog) {
            auto &editor = static_cast<TKorStringEditor &>(Dialog);
            editor.NextClick();
            editor.Memo->setPlainText("Full name\nof the customer");
            return int(QDialog::Accepted);
        };
        edit->EllipsisButton()->click();
        QCOMPARE(column->Title()->Header(), QString("Customer|Full name\rof the customer|Details"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void deletedObjectLeavesTheInspector()
    {
        InspectorFixture f;
        auto *editor = new TKorDBEditor;
        f.inspector.SetSelection({&f.grid, editor});
        QVERIFY(f.model()->rowCount() > 0); // the common properties
        delete editor;
        f.inspector.RefreshValues();
        QCOMPARE(f.model()->Selection(), (QList<QObject *>{&f.grid}));
        QVERIFY(namesOf(*f.model()).contains("StripeColor"));
    }

    // Filtering keeps the category and parent rows of the rows that match; clearing it brings back
    // every row, opened and closed as before.
    void filterByName_data()
    {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::addRow("by name") << false << "strIPEcol"
                                 << QStringList{"DrawingOptions", "DrawingOptions/doStripeColor",
                                                "StripeColor"};
        QTest::addRow("by category")
            << true << "Color" << QStringList{"KorDBGrid", "KorDBGrid/StripeColor"};
        QTest::addRow("nothing matches") << false << "no such row" << QStringList{};
    }

    void filterByName()
    {
        QFETCH(bool, byCategory);
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        InspectorFixture f;
        f.useTwoCategories();
        f.inspector.ArrangeBox()->setCurrentIndex(byCategory ? 1 : 0);
        // The user closed a category (one with a match) and opened a sub-object.
        if (byCategory)
            f.inspector.View()->collapse(f.model()->index(1, 0));
        else
            f.inspector.View()->expand(f.row("Options"));
        const QStringList before = shownRows(f.inspector);
        QTest::keyClicks(f.inspector.FilterBox(), filter);
        QStringList rows = shownRows(f.inspector);
        if (byCategory) { // a sub-object's colours keep their parent
            QVERIFY(rows.contains("Miscellaneous/Gradient/EndColor") &&
                    !rows.contains("Miscellaneous/DataSource"));
            rows = rows.filter(QRegularExpression("^KorDBGrid"));
        }
        QVERIFY2(rows == shown, qPrintable(rows.join(' ')));
        f.inspector.FilterBox()->clear();
        QCOMPARE(shownRows(f.inspector), before);
    }

    // The widths the user gave both columns come back in a new inspector.
    void valueColumnKeepsItsWidth()
    {
        QByteArray state;
        {
            InspectorFixture f;
            QHeaderView *header = f.inspector.View()->header();
            header->resizeSection(0, 120);
            header->resizeSection(1, 150);
            QCoreApplication::processEvents();
            state = f.inspector.SaveColumns();
        }
        InspectorFixture f;
        QVERIFY(f.inspector.RestoreColumns(state));
        f.inspector.SetSelection({&f.grid});
        f.inspector.resize(500, 640);
        QCoreApplication::processEvents();
        QHeaderView *header = f.inspector.View()->header();
        QCOMPARE(header->sectionSize(0), 120);
        QCOMPARE(header->sectionSize(1), 150);
        // An editor opening does not scroll the view sideways, and leaves the swatch in sight.
        TInspectorValueEdit *edit = f.openEditor("StripeColor");
        QVERIFY(edit);
        QCOMPARE(f.inspector.View()->horizontalScrollBar()->value(), 0);
        const QModelIndex stripe = f.row("StripeColor");
        const QRect cell = f.inspector.View()->visualRect(stripe.sibling(stripe.row(), 1));
        QVERIFY(edit->geometry().left() >= cell.left() + cell.height() - 1);
    }

    void everyColourShowsItsSwatch_data()
    {
        QTest::addColumn<bool>("column");
        QTest::addColumn<int>("style");
        QTest::addRow("grid, classic") << false << int(Kor::gdsClassic);
        QTest::addRow("grid, gradient") << false << int(Kor::gdsGradient);
        QTest::addRow("column") << true << int(Kor::gdsClassic);
    }

    // Every colour of the grid or of a column, read from the type information, is set to clDefault;
    // its row shows a swatch, and writing the swatch's colour into the property leaves the grid's
    // picture as it was: the swatch is the colour the grid paints for it.
    void everyColourShowsItsSwatch()
    {
        QFETCH(bool, column);
        QFETCH(int, style);
        InspectorFixture f;
        f.grid.Columns()->Add()->setFieldName("Name");
        f.grid.setDrawingStyle(Kor::TKorGridDrawingStyle(style));
        f.grid.Gradient()->setActive(true);
        f.grid.setOptions(f.grid.Options() | Kor::dgHeaders);
        f.grid.setOptionsEx(f.grid.OptionsEx() | Kor::dgxTotalHeader | Kor::dgxTotalFooter);
        f.grid.setDrawingOptions(f.grid.DrawingOptions() | Kor::doStripeColor);
        f.grid.Totals()->setActive(true);
        f.grid.resize(420, 260);
        QObject *edited = column ? static_cast<QObject *>(f.grid.Columns()->Items(0)) : &f.grid;
        const QStringList paths = colourPaths(edited);
        QVERIFY(paths.contains(column ? "Title.Color" : "Totals.Color"));
        QStringList painted;
        for (const QString &path : paths) {
            QString name;
            QObject *object = PathOwner(edited, path, name);
            SetOrdProp(object, name, clDefault);
        }
        f.inspector.SetSelection({edited});
        QTreeView *view = f.inspector.View();
        for (const QString &path : paths) {
            QString name;
            QObject *object = PathOwner(edited, path, name);
            const QModelIndex row = f.row(path);
            QVERIFY2(row.isValid(), qPrintable(path));
            for (QModelIndex parent = row.parent(); parent.isValid(); parent = parent.parent())
                view->expand(parent);
            view->scrollTo(row);
            QCoreApplication::processEvents();
            const QRect cell = view->visualRect(row.sibling(row.row(), 1)).adjusted(1, 0, -1, -1);
            const QImage shot = view->viewport()->grab().toImage();
            const auto pixel = [&](int X) {
                return shot.pixelColor(QPoint(X, cell.center().y()) * shot.devicePixelRatio())
                    .rgb();
            };
            const QRgb fill = pixel(cell.left() + cell.height() / 2);
            QVERIFY2(fill != pixel(cell.right() - 1) ||
                         pixel(cell.left() + 1) != pixel(cell.right() - 1),
                     qPrintable(path + " has no swatch"));

            const QImage before = f.grid.grab().toImage();
            SetOrdProp(object, name, clFuchsia);
            if (f.grid.grab().toImage() != before)
                painted.append(path);
            SetOrdProp(object, name, QColorToColor(QColor(fill)));
            const QImage after = f.grid.grab().toImage();
            SetOrdProp(object, name, clDefault);
            QVERIFY2(before == after, qPrintable(path + " shows " + QColor(fill).name()));
        }
        // The picture did depend on the colours that matter here.
        const QStringList expected = column ? QStringList{"Color", "Title.Color"}
                                     : style == Kor::gdsGradient
                                         ? QStringList{"Gradient.StartColor"}
                                         : QStringList{"HeaderColor", "Totals.Color"};
        for (const QString &path : expected)
            QVERIFY2(painted.contains(path), qPrintable(painted.join(',')));
    }

    // A long text is edited over several lines: its line breaks are kept, and it is written once.
    void longTextOverSeveralLines()
    {
        InspectorFixture f;
        f.data.Customers.setCommandText("SELECT *\nFROM customers");
        f.inspector.SetSelection({&f.data.Customers});
        TInspectorValueEdit *edit = f.openEditor("CommandText");
        QVERIFY(edit && edit->EllipsisButton());
        QString shown;
        bool fixedPitch = false;
        f.dialogs.OnMultiLineText = [&](QWidget *Parent, const QString &Caption, QString &Text) {
            TMultiLineTextDialog dialog(Caption, Text, Parent);
            shown = dialog.Memo()->toPlainText();
            fixedPitch = QFontInfo(dialog.Memo()->font()).fixedPitch();
            dialog.Memo()->setPlainText("SELECT id,\n       name\nFROM customers\nORDER BY name");
            Text = dialog.Text();
            return true;
        };
        edit->EllipsisButton()->click();
        QCOMPARE(shown, QString("SELECT *\nFROM customers"));
        QVERIFY(fixedPitch);
        QCOMPARE(f.data.Customers.CommandText(),
                 QString("SELECT id,\n       name\nFROM customers\nORDER BY name"));
        QCOMPARE(f.designer.modified, 1);
    }
};

QTEST_MAIN(InspectorTest)
#include "tst_objectproperties.moc"
