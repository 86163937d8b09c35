// What the package registers when the host loads it: every property its registrations name is
// published with the registered type and gets the registered editor; the palette and its icons.

#include <QtTest>

#include "column.h"
#include "columnsdialog.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "packages.h"
#include "propedit.h"
#include "registration.h"

namespace {

const QString packageName = QStringLiteral("DCLKorDBGrid90");

} // namespace

class TestPackageRegistration : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        if (IsPackageLoaded(packageName))
            UnloadPackage(packageName);
    }

    // Every property a registration names is published by an object of the registered class,
    // with the registered type; an event is a method property, nothing else is. The host then
    // picks the registered editor for it. The load reports nothing.
    void propertiesExistWithTheirTypes()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        TKorColumn *column = grid->Columns()->Add();
        const QList<QObject *> instances{grid,
                                         grid->Gradient(),
                                         grid->Search(),
                                         grid->Totals(),
                                         grid->TreeView(),
                                         column,
                                         column->Title(),
                                         column->TotalFooter(),
                                         designer.Create<TKorDBEditor>(),
                                         designer.Create<TKorDBColumn>(),
                                         designer.Create<TKorDBColumnsDialog>(),
                                         designer.Create<TKorDBNavigator>()};
        TScriptedDialogs messages;
        {
            const THostDialogsScope messagesScope(messages);
            LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
        }
        QVERIFY2(messages.Errors.isEmpty(), qPrintable(messages.Errors.join('\n')));
        QSet<int> kinds;
        for (const TRegistration &r : Registrations()) {
            if (r.Module != packageName)
                continue;
            kinds.insert(r.kind);
            if (r.kind != TRegistration::PropertyEditor &&
                r.kind != TRegistration::PropertiesInCategory)
                continue;
            const auto of = std::find_if(instances.begin(), instances.end(), [&](QObject *o) {
                return o->metaObject()->inherits(r.ComponentClass);
            });
            QVERIFY2(of != instances.end(), r.ComponentClass->className());
            const QStringList names = r.kind == TRegistration::PropertyEditor
                                          ? QStringList{r.PropertyName}
                                          : r.PropertyNames;
            for (const QString &name : names) {
                const QString where = r.ComponentClass->className() + ('.' + name);
                PPropInfo info = GetPropInfo(*of, name);
                QVERIFY2(info, qPrintable(where + " is not published"));
                const bool event = name.startsWith("On", Qt::CaseInsensitive) && name[2].isUpper();
                QVERIFY2((info->Kind == TTypeKind::tkMethod) == event, qPrintable(where));
                if (r.kind == TRegistration::PropertyEditor) {
                    QVERIFY2(r.PropertyType.Matches(info), qPrintable(where));
                    QCOMPARE(FindPropertyEditorClass(info, *of), r.EditorClass);
                }
            }
        }
        QCOMPARE(kinds.size(), 5); // every kind of registration call was made
    }

    // The palette shows every registered class with its bitmap, background see-through, and each
    // entry can be placed on a form; the icons go with the package.
    void paletteEntries()
    {
        const QMetaObject *grid = &TKorDBGrid::staticMetaObject;
        QVERIFY(GetPaletteIcon(grid).isNull());
        LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
        const QList<const QMetaObject *> classes = GetPaletteClasses("Data Controls");
        QVERIFY(classes.contains(grid));
        TFormDesigner designer;
        for (const QMetaObject *Class : classes) {
            QVERIFY(designer.CreateComponent(Class));
            const QIcon icon = GetPaletteIcon(Class);
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(24, 24)});
            const QImage image = icon.pixmap(24, 24).toImage();
            QCOMPARE(qAlpha(image.pixel(0, 23)), 0);
            int opaque = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x)
                    opaque += qAlpha(image.pixel(x, y)) == 255;
            QVERIFY2(opaque > 24 && opaque < 24 * 24, Class->className());
        }
        QVERIFY(GetPaletteIcon(&TKorCustomDBGrid::staticMetaObject).isNull());
        UnloadPackage(packageName);
        QVERIFY(GetPaletteIcon(grid).isNull());
    }
};

QTEST_MAIN(TestPackageRegistration)
#include "tst_package_registration.moc"
