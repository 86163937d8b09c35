// The grid's Object Inspector editors: master grids filtered by their chains, the column and
// field-name lists and the data set each rule chooses, and image indexes listed and drawn with
// the right image list.

#include <QPainter>
#include <QtTest>

#include "grid.h"
#include "gridimageindexproperty.h"
#include "hosterrors.h"
#include "kordbeditors.h"
#include "namelistproperties.h"
#include "namesdataset.h"
#include "probedesigner.h"
#include "propedit.h"
#include "propertysupport.h"
#include "tst_runtime_fixture.h"
#include "typinfo.h"

namespace {

// A grid whose published MasterGrid may be set freely, so a loop among grids can be built.
class TLooseGrid : public TKorDBGrid {
    Q_OBJECT
    Q_PROPERTY(TKorCustomDBGrid *MasterGrid READ looseMaster WRITE setLooseMaster)
    KOR_PUBLISHED(tkClass, "TKorCustomDBGrid", MasterGrid, "")

public:
    TKorCustomDBGrid *looseMaster() const { return m_master; }
    void setLooseMaster(TKorCustomDBGrid *Value) { m_master = Value; }

private:
    QPointer<TKorCustomDBGrid> m_master;
};

const QList<QColor> kImageColours{Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};

} // namespace

class GridPropertyEditorsTest : public QObject {
    Q_OBJECT

private slots:

    void masterGridChains()
    {
        TProbeDesigner designer;
        TKorDBGrid a, b, c, d;
        TNamesDataSet other({"x"});
        int i = 0;
        for (TKorDBGrid *grid : {&a, &b, &c, &d}) {
            grid->SetName(QString(QChar('A' + i++)));
            designer.components.append(grid);
        }
        other.SetName("Other");
        designer.components.append(&other); // not a grid: never offered
        b.setMasterGrid(&a);
        c.setMasterGrid(&b);
        for (const auto &[edited, offered] : {std::pair{&a, QStringList{"D"}},
                                              {&b, {"A", "D"}},
                                              {&c, {"A", "B", "D"}},
                                              {&d, {"A", "B", "C"}}}) {
            auto editor =
                EditorFor<TKorDBGridMasterGridProperty>(&designer, {edited}, "MasterGrid");
            QCOMPARE(ValuesOf(*editor), offered);
            // The filter's callback is forgotten after the call, also after a failing one.
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, editor->GetValues([](const QString &) {
                throw std::runtime_error("stop");
            }));
            QCOMPARE(ValuesOf(*editor), offered);
        }
    }

    void masterGridLoopEnds()
    {
        TProbeDesigner designer;
        TKorDBGrid edited;
        TLooseGrid x, y;
        edited.SetName("Edited");
        x.SetName("X");
        y.SetName("Y");
        designer.components = {&edited, &x, &y};
        x.setLooseMaster(&y);
        y.setLooseMaster(&x); // X and Y are each other's masters
        auto editor = EditorFor<TKorDBGridMasterGridProperty>(&designer, {&edited}, "MasterGrid");
        QCOMPARE(ValuesOf(*editor), QStringList());
        // Leaving the loop makes Y a plain chain Y -> X.
        x.setLooseMaster(nullptr);
        QCOMPARE(ValuesOf(*editor), (QStringList{"X", "Y"}));
    }

    void columnNames()
    {
        TProbeDesigner designer;
        RuntimeFixture data;
        TKorDBGrid grid;
        TKorDBEditor editor;
        auto names = EditorFor<TKorDBGridColumnNameProperty>(&designer, {&editor}, "DataColumn");
        QCOMPARE(names->GetAttributes(), paValueList | paMultiSelect | paSortList | paRevertable);
        QCOMPARE(ValuesOf(*names), QStringList()); // no grid
        editor.setDBGrid(&grid);
        grid.Columns()->Add();
        grid.Columns()->Add();
        QCOMPARE(ValuesOf(*names), QStringList()); // columns without field names
        grid.setDataSource(&data.Source);
        grid.Columns()->Items(1)->setFieldName("name");
        grid.Columns()->Add()->setFieldName("balance");
        QCOMPARE(ValuesOf(*names), (QStringList{"name", "balance"}));
    }

    // Field-name editors of the grid, its columns, its tree view and a custom editor list the
    // fields of the data set they reach; without a data source, or on another object, none.
    void fieldNameDataSets()
    {
        TProbeDesigner designer;
        RuntimeFixture data;
        TKorDBGrid grid;
        TKorDBEditor editor;
        TKorColumn *column = grid.Columns()->Add();
        const QList<QPair<QObject *, QString>> targets{
            {&grid, "KeyFields"},
            {column, "FieldName"},
            {grid.TreeView(), "ParentFields"},
            {&editor, "KeyField"},
        };
        QStringList fields;
        data.Customers.GetFieldNames(fields);
        for (bool linked : {false, true}) {
            grid.setDataSource(linked ? &data.Source : nullptr);
            editor.setDataSource(linked ? &data.Source : nullptr);
            for (const auto &[object, property] : targets) {
                auto names = EditorFor<TKorDBGridFieldNameProperty>(&designer, {object}, property);
                QCOMPARE(ValuesOf(*names), linked ? fields : QStringList());
            }
        }
        auto other = EditorFor<TKorDBGridFieldNameProperty>(&designer, {grid.Totals()}, "Active");
        QCOMPARE(ValuesOf(*other), QStringList());
    }

    void lookupListFieldPrefersTheLookupField()
    {
        TProbeDesigner designer;
        RuntimeFixture data;
        data.AddCountryLookup();
        TNamesDataSet own({"code", "label"});
        own.Open();
        TKorDBGrid grid;
        grid.setDataSource(&data.Source);
        TKorColumn *column = grid.Columns()->Add();
        column->setLookupDataSet(&own);

        // A column whose field is a lookup field lists the lookup field's data set...
        column->setFieldName("country");
        auto list =
            EditorFor<TKorDBGridLookupListFieldProperty>(&designer, {column}, "LookupListFields");
        QCOMPARE(ValuesOf(*list), (QStringList{"id", "title"}));
        // ... while the other lookup editors list the column's own lookup data set.
        auto lookup =
            EditorFor<TKorDBGridLookupFieldNameProperty>(&designer, {column}, "LookupKeyField");
        QCOMPARE(ValuesOf(*lookup), (QStringList{"code", "label"}));
        auto key =
            EditorFor<TKorDBGridLookupKeyFieldProperty>(&designer, {column}, "LookupKeyField");
        QCOMPARE(ValuesOf(*key), (QStringList{"code", "label"}));
        // A data field falls back to the column's lookup data set.
        column->setFieldName("name");
        QCOMPARE(ValuesOf(*list), (QStringList{"code", "label"}));

        // An editor control's lookup data set.
        TKorDBEditor editor;
        auto editorLookup =
            EditorFor<TKorDBGridLookupFieldNameProperty>(&designer, {&editor}, "LookupResultField");
        QCOMPARE(ValuesOf(*editorLookup), QStringList());
        editor.setLookupDataSet(&data.Countries);
        QCOMPARE(ValuesOf(*editorLookup), (QStringList{"id", "title"}));
    }

    // A total's field names: a values row reads the grid's data set for the current field or a
    // calculation, the totals' data set for a totals record, and none otherwise; the stand-alone
    // rows always read the totals' data set.
    void totalFieldNameByKind()
    {
        TProbeDesigner designer;
        RuntimeFixture data;
        TNamesDataSet totals({"sum_a", "sum_b"});
        totals.Open();
        TDataSource totalsSource;
        totalsSource.setDataSet(&totals);
        TKorDBGrid grid;
        grid.setDataSource(&data.Source);
        grid.Totals()->setDataSource(&totalsSource);
        TKorColumn *column = grid.Columns()->Add();
        QStringList own, ofTotals{"sum_a", "sum_b"};
        data.Customers.GetFieldNames(own);
        const struct {
            TKorColumnTotal *total;
            Kor::TKorTotalResult kind;
            QStringList fields;
        } rows[] = {
            {column->TotalValues()->Add(), Kor::trTotalsRecord, ofTotals},
            {column->TotalValues()->Add(), Kor::trCurrentField, own},
            {column->TotalValues()->Add(), Kor::trCalcValue, own},
            {column->TotalValues()->Add(), Kor::trCaption, {}},
            {column->TotalFooter(), Kor::trCurrentField, ofTotals},
            {column->TotalHeader(), Kor::trNone, ofTotals},
        };
        for (const auto &row : rows) {
            row.total->setTotalResult(row.kind);
            auto names =
                EditorFor<TKorDBGridTotalFieldNameProperty>(&designer, {row.total}, "FieldName");
            QCOMPARE(ValuesOf(*names), row.fields);
        }
    }

    void imageIndexValues()
    {
        const struct {
            const char *object, *property;
            bool titleImages;
            QStringList values;
        } rows[] = {
            {"grid", "FillerIndex", false, {"-1", "-2", "-3", "-4", "-5", "-6"}},
            {"grid", "IndicatorWidth", true, {}}, // not an image index
            {"title", "ImageIndex", false, {}},
            {"title", "MarkerIndex", false, {"0", "1"}},
            {"total", "ImageIndex", false, {"0", "1", "2"}}, // one more than the markers
        };
        TProbeDesigner designer;
        TImageList images, totalImages;
        for (const QColor &colour : kImageColours)
            images.Add(SolidImage(colour));
        for (const QColor &colour : kImageColours.mid(0, 3))
            totalImages.Add(SolidImage(colour));
        for (const auto &row : rows) {
            TKorDBGrid grid;
            if (row.titleImages)
                grid.setTitleImages(&images);
            grid.Totals()->setImages(&totalImages);
            TKorColumn *column = grid.Columns()->Add();
            const QString object = row.object;
            QObject *target = object == "title"   ? static_cast<QObject *>(column->Title())
                              : object == "total" ? static_cast<QObject *>(column->TotalFooter())
                                                  : static_cast<QObject *>(&grid);
            auto editor =
                EditorFor<TKorDBGridImageIndexProperty>(&designer, {target}, row.property);
            QCOMPARE(editor->GetAttributes(), paValueList | paMultiSelect | paRevertable);
            QCOMPARE(ValuesOf(*editor), row.values);
        }
    }

    void imageIndexMeasures()
    {
        TProbeDesigner designer;
        TKorDBGrid grid;
        TImageList images;
        images.Add(SolidImage(Qt::red));
        grid.setTitleImages(&images);
        auto editor = EditorFor<TKorDBGridImageIndexProperty>(&designer, {&grid}, "FillerIndex");
        auto *image = static_cast<TKorDBGridImageIndexProperty *>(editor.get());
        // 16 x 16 title images and 10 x 16 indicators.
        QCOMPARE(image->GetImageHeight(), 20);
        QCOMPARE(image->GetImageWidth(), 20);
        // The image area is as wide as a colour's swatch, as the row is high; without an image to
        // show (-1 here) there is none.
        QCOMPARE(image->PropDrawValueRect(QRect(10, 5, 100, 18)), QRect(10, 5, 0, 18));
        grid.setFillerIndex(0);
        QCOMPARE(image->PropDrawValueRect(QRect(10, 5, 100, 18)), QRect(10, 5, 18, 18));
        QCOMPARE(image->PropDrawValueRect(QRect(10, 5, 100, 24)), QRect(10, 5, 24, 24));
        QCOMPARE(image->PropDrawNameRect(QRect(10, 5, 100, 18)), QRect(10, 5, 100, 18));

        // Images above 16 pixels are painted in the list only: the value cell is the host's.
        images.SetSize(24, 24);
        images.Add(SolidImage(Qt::red, 24, 24));
        QCOMPARE(image->GetImageHeight(), 28);
        QCOMPARE(image->PropDrawValueRect(QRect(10, 5, 100, 18)), QRect(10, 5, 100, 18));

        // Without any list nothing is reserved.
        TKorColumn *column = grid.Columns()->Add();
        auto none =
            EditorFor<TKorDBGridImageIndexProperty>(&designer, {column->Title()}, "ImageIndex");
        grid.setTitleImages(nullptr);
        QCOMPARE(static_cast<TKorDBGridImageIndexProperty *>(none.get())->GetImageHeight(), 0);
    }

    void paintImageBoxGeometry()
    {
        const QRgb white = qRgb(255, 255, 255);
        const struct {
            const char *value;
            int rowHeight;
            bool reserve;
            int textLeft;    // relative to the rectangle, -1: rectangle unchanged
            QRgb imagePixel; // at the image's centre; white: no image
        } rows[] = {
            {"1", 20, false, 24, qRgb(0, 255, 0)},
            {"4", 20, true, 24, qRgb(255, 0, 255)},
            {"9", 20, true, 24, white},
            {"-2", 20, false, 14, qRgb(0, 0, 0)},
            {"-1", 20, true, 14, white},
            {"1", 14, true, -1, white},
            {"1", 15, false, 24, qRgb(0, 255, 0)},
        };
        TProbeDesigner designer;
        TKorDBGrid grid;
        TImageList images;
        for (const QColor &colour : kImageColours)
            images.Add(SolidImage(colour));
        grid.setTitleImages(&images);
        // Indicators drawn as solid black, so the drawn one can be seen.
        TImageList indicators;
        indicators.SetSize(10, 16);
        indicators.Add(SolidImage(Qt::black, 10, 16));
        grid.setIndicatorImages(&indicators);
        auto editor = EditorFor<TKorDBGridImageIndexProperty>(&designer, {&grid}, "FillerIndex");
        auto *image = static_cast<TKorDBGridImageIndexProperty *>(editor.get());
        for (const auto &row : rows) {
            QImage canvasImage(100, 30, QImage::Format_RGB32);
            canvasImage.fill(QColor(128, 128, 128));
            QPainter canvas(&canvasImage);
            canvas.setBrush(Qt::white);
            canvas.setPen(Qt::black);
            const QRect rect(3, 2, 90, row.rowHeight);
            const QRect text = image->PaintImageBox(row.value, &canvas, rect, false, row.reserve);
            const int fontHeight = canvas.fontMetrics().height();
            canvas.end();
            if (row.textLeft < 0) {
                QCOMPARE(text, rect);
                QCOMPARE(canvasImage.pixel(5, 5), qRgb(128, 128, 128)); // nothing drawn
                continue;
            }
            QCOMPARE(text, QRect(QPoint(rect.left() + row.textLeft,
                                        rect.top() + (row.rowHeight - fontHeight) / 2),
                                 rect.bottomRight()));
            // The image sits at left + 2, top + 2 + (height - image height - 4) / 2.
            const int imageTop = rect.top() + 2 + (row.rowHeight - 16 - 4) / 2;
            QCOMPARE(canvasImage.pixel(rect.left() + 5, imageTop + 8), row.imagePixel);
            QCOMPARE(canvasImage.pixel(rect.topLeft()), white); // filled
        }
    }

    // The grid's cursors typed in the inspector: by name in any case, by number, with spaces
    // around; the name is shown where the cursor has one. A text that is neither is refused and
    // the value stays.
    void cursorsTypedAsText()
    {
        const struct {
            const char *property, *typed, *shown; // shown empty: refused
            int value;
        } rows[] = {
            {"Cursor", "crHandPoint", "crHandPoint", -21},
            {"DragCursor", "  CRcross ", "crCross", -3},
            {"Cursor", "-21", "crHandPoint", -21},
            {"DragCursor", "$FFFFFFEB", "crHandPoint", -21},
            {"Cursor", "7", "7", 7},
            {"DragCursor", "crNothing", "", 0},
            {"Cursor", "", "", 0},
        };
        TProbeDesigner designer;
        for (const auto &row : rows) {
            TKorDBGrid grid;
            PPropInfo info = GetPropInfo(&grid, row.property);
            auto editor = CreatePropertyEditor(FindPropertyEditorClass(info, &grid), &designer,
                                               {&grid}, info);
            const QString before = editor->GetValue();
            QVERIFY(before.startsWith("cr"));
            if (!*row.shown) {
                QVERIFY_THROWS_EXCEPTION(EConvertError, editor->SetValue(row.typed));
                QCOMPARE(editor->GetValue(), before);
                continue;
            }
            editor->SetValue(row.typed);
            QCOMPARE(editor->GetValue(), QLatin1String(row.shown));
            QCOMPARE(GetOrdProp(&grid, row.property), row.value);
        }
    }
};

QTEST_MAIN(GridPropertyEditorsTest)
#include "tst_gridpropertyeditors.moc"
