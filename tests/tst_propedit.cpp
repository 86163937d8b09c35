// Property-editor bases: creation by meta-object, reading and writing several instances, refused
// values, the default editors' texts, lists and dialogs, and nested properties.

#include <QtTest>

#include "probedesigner.h"
#include "propertysupport.h"

#include "collection.h"
#include "colordialog.h"
#include "designintf.h"
#include "font.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "persistent.h"
#include "propedit.h"
#include "published.h"
#include "registration.h"

using namespace Qt::StringLiterals;

class TTarget : public QObject, public TComponent {
    Q_OBJECT
};

class TOtherTarget : public QObject, public TComponent {
    Q_OBJECT
};

class TSample : public QObject, public TComponent {
    Q_OBJECT
    KOR_INTEGER(Width, 64)
    KOR_COLOR(Color, clWindow)
    KOR_STRING(Hint)
    KOR_BOOLEAN(Visible, true)
    KOR_FLOAT(Ratio, 0)
    KOR_LINK(TTarget, Target)
    KOR_OBJECT(TFont, Font)
    KOR_OBJECT(TCollection, Items)
    Q_PROPERTY(int Limit READ Limit WRITE setLimit)
    KOR_PUBLISHED(tkInteger, "Integer", Limit, "0")

public:
    TSample()
    {
        m_Font = std::make_unique<TFont>();
        m_Items = std::make_unique<TCollection>(
            &TCollectionItem::staticMetaObject,
            [](TCollection *Collection) { return new TCollectionItem(Collection); }, this);
    }
    int Limit() const { return m_limit; }
    void setLimit(int Value)
    {
        if (Value > maxLimit)
            throw EConvertError(u"%1 is above the limit"_s.arg(Value));
        m_limit = Value;
    }
    int maxLimit = 100;

private:
    void Changed() {}
    int m_limit = 0;
};

// A subclass that forgot the invokable constructor.
class TNoConstructorProperty : public TStringProperty {
    Q_OBJECT
public:
    explicit TNoConstructorProperty(const TPropertyEditorArgs &Args) : TStringProperty(Args) {}
};

class TWidthProperty : public TIntegerProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TWidthProperty(const TPropertyEditorArgs &Args) : TIntegerProperty(Args) {}
};

namespace {

} // namespace

class PropEditTest : public QObject {
    Q_OBJECT
private slots:
    void createsByMetaObject()
    {
        TSample sample;
        TProbeDesigner designer;
        auto editor = EditorFor<TStringProperty>(&designer, {&sample}, "Hint");
        QCOMPARE(editor->metaObject(), &TStringProperty::staticMetaObject);
        QCOMPARE(editor->GetComponent(0), &sample);
        QCOMPARE(editor->GetAttributes(), paMultiSelect | paRevertable);

        auto derived = EditorFor<TWidthProperty>(&designer, {&sample}, "Width");
        QVERIFY(qobject_cast<TWidthProperty *>(derived.get()));
        QCOMPARE(derived->GetValue(), u"64"_s);
    }

    void rejectsClassesItCannotCreate()
    {
        TSample sample;
        PPropInfo hint = GetPropInfo(&sample, "Hint");
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, CreatePropertyEditor(&TSample::staticMetaObject,
                                                                         nullptr, {&sample}, hint));
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation,
                                 CreatePropertyEditor(nullptr, nullptr, {&sample}, hint));
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation,
                                 CreatePropertyEditor(&TNoConstructorProperty::staticMetaObject,
                                                      nullptr, {&sample}, hint));
        QVERIFY_THROWS_EXCEPTION(
            EPropertyError,
            CreatePropertyEditor(&TStringProperty::staticMetaObject, nullptr, {&sample}, nullptr));
    }

    void writesEveryInstanceAndNotifiesOnce()
    {
        TSample a, b, c;
        TProbeDesigner designer;
        auto editor = EditorFor<TStringProperty>(&designer, {&a, &b, &c}, "Hint");
        editor->SetValue(u"shared"_s);
        QCOMPARE(designer.modified, 1);
        for (TSample *sample : {&a, &b, &c})
            QCOMPARE(sample->Hint(), u"shared"_s);
        QVERIFY(editor->AllEqual());
        QCOMPARE(editor->GetVisualValue(), u"shared"_s);

        b.setHint(u"own"_s);
        QVERIFY(!editor->AllEqual());
        QCOMPARE(editor->GetVisualValue(), QString());
        QCOMPARE(editor->GetValue(), u"shared"_s); // the first instance

        auto widths = EditorFor<TIntegerProperty>(&designer, {&a, &b}, "Width");
        widths->SetOrdValue(10);
        QCOMPARE(designer.modified, 2);
        QCOMPARE(a.Width() + b.Width(), 20);
        // Without a designer nothing is told, and nothing fails.
        auto lone = EditorFor<TIntegerProperty>(nullptr, {&a}, "Width");
        lone->SetValue(u"12"_s);
        QCOMPARE(a.Width(), 12);
    }

    void refusedValuesRaise()
    {
        TSample a, b;
        TProbeDesigner designer;
        auto editor = EditorFor<TIntegerProperty>(&designer, {&a, &b}, "Limit");
        QVERIFY_THROWS_EXCEPTION(EConvertError, editor->SetValue(u"500"_s));
        QCOMPARE(designer.modified, 0);
        QCOMPARE(a.Limit(), 0);

        // The second instance refuses: the first keeps its new value and the designer hears of it.
        b.maxLimit = 10;
        QVERIFY_THROWS_EXCEPTION(EHostError, editor->SetValue(u"50"_s));
        QCOMPARE(a.Limit(), 50);
        QCOMPARE(b.Limit(), 0);
        QCOMPARE(designer.modified, 1);
    }

    void deletedInstances()
    {
        TSample kept;
        TProbeDesigner designer;
        auto goner = std::make_unique<TSample>();
        auto editor = EditorFor<TStringProperty>(&designer, {goner.get(), &kept}, "Hint");
        goner.reset();
        QCOMPARE(editor->GetComponent(0), nullptr);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, editor->GetValue());
        QVERIFY_THROWS_EXCEPTION(EListError, editor->GetComponent(2));
        editor->SetValue(u"still here"_s);
        QCOMPARE(kept.Hint(), u"still here"_s);
        QCOMPARE(designer.modified, 1);
    }

    void integerText()
    {
        TSample sample;
        TProbeDesigner designer;
        auto editor = EditorFor<TIntegerProperty>(&designer, {&sample}, "Width");
        editor->SetValue(u" -7 "_s);
        QCOMPARE(sample.Width(), -7);
        editor->SetValue(u"$10"_s);
        QCOMPARE(sample.Width(), 16);
        editor->SetValue(u"0xFFFFFFFF"_s);
        QCOMPARE(sample.Width(), -1);
        QVERIFY_THROWS_EXCEPTION(EConvertError, editor->SetValue(u"ten"_s));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, editor->SetValue(u"3000000000"_s));
        QCOMPARE(sample.Width(), -1);
        QCOMPARE(designer.modified, 3);

        auto ratio = EditorFor<TFloatProperty>(&designer, {&sample}, "Ratio");
        ratio->SetValue(u"2.5"_s);
        QCOMPARE(sample.Ratio(), 2.5);
        QCOMPARE(ratio->GetValue(), u"2.5"_s);
        QVERIFY_THROWS_EXCEPTION(EConvertError, ratio->SetValue(u"x"_s));
    }

    void colorIdentifiersAndDialog()
    {
        TSample sample;
        TProbeDesigner designer;
        auto editor = EditorFor<TColorProperty>(&designer, {&sample}, "Color");
        QCOMPARE(editor->GetAttributes(), paMultiSelect | paDialog | paValueList | paRevertable);
        QCOMPARE(editor->GetValue(), u"clWindow"_s);
        editor->SetValue(u"clRed"_s);
        QCOMPARE(sample.Color(), clRed);
        editor->SetValue(u"$00123456"_s);
        QCOMPARE(sample.Color(), TColor(0x123456));
        QCOMPARE(editor->GetValue(), u"$00123456"_s);
        QVERIFY_THROWS_EXCEPTION(EConvertError, editor->SetValue(u"clPlaid"_s));
        QCOMPARE(sample.Color(), TColor(0x123456));

        QStringList identifiers;
        GetColorValues([&identifiers](const QString &Ident) { identifiers << Ident; });
        QCOMPARE(ValuesOf(*editor), identifiers);
        QVERIFY(identifiers.contains(u"clDefault"_s));

        // The dialog starts on the current colour; a confirmed choice is written.
        TColor offered = 0;
        bool confirm = true;
        TScriptedDialogs dialogs;
        dialogs.OnColor = [&](TColorDialog &Dialog, QWidget *) {
            offered = Dialog.Color;
            Dialog.Color = confirm ? clLime : clBlue;
            return confirm;
        };
        const THostDialogsScope dialogsScope(dialogs);
        const int before = designer.modified;
        editor->Edit();
        QCOMPARE(offered, TColor(0x123456));
        QCOMPARE(sample.Color(), clLime);
        QCOMPARE(designer.modified, before + 1);
        // A cancelled dialog changes and tells nothing.
        confirm = false;
        editor->Edit();
        QCOMPARE(sample.Color(), clLime);
        QCOMPARE(designer.modified, before + 1);
    }

    void componentReferences()
    {
        TProbeDesigner designer;
        TTarget first, second;
        TOtherTarget stranger;
        first.SetName(u"Target1"_s);
        second.SetName(u"Target2"_s);
        stranger.SetName(u"Other1"_s);
        designer.components = {&first, &stranger, &second};
        TSample sample;
        auto editor = EditorFor<TComponentProperty>(&designer, {&sample}, "Target");
        QVERIFY(editor->GetAttributes() & paValueList);
        QCOMPARE(ValuesOf(*editor), (QStringList{"Target1", "Target2"}));
        QCOMPARE(editor->GetValue(), QString());

        editor->SetValue(u"Target2"_s);
        QCOMPARE(sample.Target(), &second);
        QCOMPARE(editor->GetValue(), u"Target2"_s);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, editor->SetValue(u"Nobody"_s));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, editor->SetValue(u"Other1"_s));
        QCOMPARE(sample.Target(), &second);
        editor->SetValue(QString());
        QCOMPARE(sample.Target(), nullptr);
        QCOMPARE(designer.modified, 2);
    }

    void enumerationsAndEditCycling()
    {
        TSample sample;
        TProbeDesigner designer;
        auto editor = EditorFor<TEnumProperty>(&designer, {&sample}, "Visible");
        QCOMPARE(ValuesOf(*editor), (QStringList{"False", "True"}));
        QCOMPARE(editor->GetValue(), u"True"_s);
        editor->Edit(); // a double-click steps on to the next value, wrapping around
        QVERIFY(!sample.Visible());
        editor->Edit();
        QVERIFY(sample.Visible());
        editor->SetValue(u"false"_s);
        QVERIFY(!sample.Visible());
        QVERIFY_THROWS_EXCEPTION(EConvertError, editor->SetValue(u"Maybe"_s));
        QCOMPARE(designer.modified, 3);
    }

    void subPropertiesAndDefaults()
    {
        TSample a, b;
        TProbeDesigner designer;
        auto font = EditorFor<TClassProperty>(&designer, {&a, &b}, "Font");
        QCOMPARE(font->GetValue(), u"(TFont)"_s);
        QVERIFY(font->GetAttributes() & paSubProperties);
        QStringList nested;
        std::unique_ptr<TPropertyEditor> size;
        font->GetProperties([&](std::unique_ptr<TPropertyEditor> Editor) {
            nested << Editor->GetName();
            if (Editor->GetName() == QLatin1String("Size"))
                size = std::move(Editor);
        });
        QVERIFY(nested.contains(u"Color"_s) && nested.contains(u"Name"_s));
        QVERIFY(size);
        size->SetValue(u"14"_s);
        QCOMPARE(a.Font()->Size(), 14);
        QCOMPARE(b.Font()->Size(), 14);

        // The collection editor is single-selection only.
        QStringList names;
        GetComponentProperties(&designer, {&a, &b}, [&](std::unique_ptr<TPropertyEditor> Editor) {
            names.append(Editor->GetName());
        });
        QVERIFY(names.contains("Font") && !names.contains("Items"));
        QCOMPARE(QString::fromLatin1(
                     GetDefaultPropertyEditorClass(GetPropInfo(&a, "Items"), &a)->className()),
                 u"TCollectionProperty"_s);
    }

    void collectionEditorHook()
    {
        TSample sample;
        TProbeDesigner designer;
        auto editor = EditorFor<TCollectionProperty>(&designer, {&sample}, "Items");
        QCOMPARE(editor->GetAttributes(), paDialog | paReadOnly | paVCL);
        QCOMPARE(editor->GetValue(), u"(TCollection)"_s);
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, editor->Edit());

        TCollection *shown = nullptr;
        QString shownName;
        TCollectionProperty::SetShowCollectionEditor(
            [&](IDesigner *Designer, const QMetaObject *EditorClass, QObject *Component,
                TCollection *Collection, const QString &PropertyName) {
                QCOMPARE(Designer, &designer);
                QCOMPARE(EditorClass, nullptr);
                QCOMPARE(Component, &sample);
                shown = Collection;
                shownName = PropertyName;
            });
        editor->Edit();
        TCollectionProperty::SetShowCollectionEditor({});
        QCOMPARE(shown, sample.Items());
        QCOMPARE(shownName, u"Items"_s);
    }
};

QTEST_MAIN(PropEditTest)
#include "tst_propedit.moc"
