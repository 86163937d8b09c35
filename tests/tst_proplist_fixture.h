#pragma once
// What the property-list tests share: a test component publishing a property of every kind,
// a data source and dataset reached by property name, a designer that counts modifications
// and can reload the page like the designer window does, and a page of bound controls.
// Included by one source of each test program, which also includes
// "moc_tst_proplist_fixture.cpp".

#include <QWidget>
#include <functional>
#include <memory>

#include "colordialog.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/seams.h"
#include "controls/updown.h"
#include "designintf.h"
#include "designwindow.h"
#include "font.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "imagelist.h"
#include "persistent.h"
#include "probedesigner.h"
#include "proplist.h"
#include "published.h"
#include "stringlist.h"
#include "vcltypes.h"

using namespace Qt::StringLiterals;

namespace Probe {
Q_NAMESPACE
enum TOption { poFirst = 0x1, poSecond = 0x2, poThird = 0x4, poFourth = 0x8 };
Q_DECLARE_FLAGS(TOptions, TOption)
Q_FLAG_NS(TOptions)
enum TMode { pmNone, pmSome, pmAll };
Q_ENUM_NS(TMode)
} // namespace Probe
Q_DECLARE_OPERATORS_FOR_FLAGS(Probe::TOptions)

class TProbeDataSet : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TProbeDataSet(TComponent *AOwner = nullptr) : TComponent(AOwner) {}
    QStringList Fields;
    Q_INVOKABLE QStringList GetFieldNames() const { return Fields; }
};

class TProbeSource : public QObject, public TComponent {
    Q_OBJECT
    KOR_LINK(TProbeDataSet, DataSet)
public:
    explicit TProbeSource(TComponent *AOwner = nullptr) : TComponent(AOwner) {}
    void Changed() {}
};

// A link target whose class the probe's Source property does not accept.
class TProbeOther : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TProbeOther(TComponent *AOwner = nullptr) : TComponent(AOwner) {}
};

class TProbe : public QObject, public TComponent {
    Q_OBJECT
    KOR_INTEGER(Width, 64)
    KOR_INTEGER(Free, NoDefault)
    KOR_STORED(Free, IsFreeStored)
    KOR_INTEGER(Hidden, NoDefault)
    KOR_STORED(Hidden, false)
    KOR_INTEGER(ThreeState, 0)
    KOR_INTEGER(ImageIndex, -1)
    KOR_INTEGER(Spin, 5)
    KOR_BOOLEAN(Active, true)
    KOR_BOOLEAN(Flat, false)
    KOR_COLOR(Color, clWindow)
    KOR_COLOR(TextColor, clWindowText)
    KOR_CURSOR(Cursor, crDefault)
    KOR_CHAR(Delimiter, 0x3B)
    KOR_FLOAT(Ratio, 1.5)
    KOR_ENUM(Probe::TMode, Mode, Probe::pmNone)
    KOR_SET(Probe::TOptions, Options, (Probe::poFirst | Probe::poThird))
    KOR_STRING(Caption)
    KOR_STRING(Note)
    KOR_STORED(Note, false)
    KOR_STRING(FieldName)
    KOR_OBJECT(TFont, Font)
    KOR_OBJECT(TStrings, Lines)
    KOR_LINK(TProbeSource, DataSource)
    KOR_LINK(TProbe, Inner)
    Q_PROPERTY(int Rows READ Rows)
    KOR_PUBLISHED(tkInteger, "Integer", Rows, "3")
    Q_PROPERTY(int Level READ Level)
    KOR_PUBLISHED(tkInteger, "Integer", Level, "NoDefault")
    Q_PROPERTY(bool Locked READ Locked)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Locked, "false")
    Q_PROPERTY(QString Version READ Version)
    KOR_PUBLISHED(tkLString, "string", Version, "")
    Q_PROPERTY(Probe::TOptions Fixed READ Fixed)
    KOR_PUBLISHED(tkSet, "TOptions", Fixed, "()")
    Q_PROPERTY(TProbeSource *Picky READ Picky WRITE setPicky)
    KOR_PUBLISHED(tkClass, "TProbeSource", Picky, "")
    // Setters that refuse a value, as a component's setters may.
    Q_PROPERTY(bool Strict READ Strict WRITE setStrict)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Strict, "false")
    Q_PROPERTY(Probe::TMode Limited READ Limited WRITE setLimited)
    KOR_PUBLISHED(tkEnumeration, "TMode", Limited, "pmNone")
    Q_PROPERTY(int Capped READ Capped WRITE setCapped)
    KOR_PUBLISHED(tkInteger, "Integer", Capped, "0")

public:
    explicit TProbe(TComponent *AOwner = nullptr)
        : TComponent(AOwner), m_Font(std::make_unique<TFont>()),
          m_Lines(std::make_unique<TStrings>())
    {
    }
    Q_INVOKABLE bool IsFreeStored() const { return m_Free != 7; }
    int Rows() const { return m_rows; }
    int Level() const { return 2; }
    bool Locked() const { return true; }
    QString Version() const { return m_version; }
    Probe::TOptions Fixed() const { return Probe::poSecond; }
    TProbeSource *Picky() const { return m_picky; }
    // Refuses sources whose name starts with "Bad".
    void setPicky(TProbeSource *Value)
    {
        if (Value && Value->Name().startsWith(QLatin1String("Bad")))
            throw EConvertError(u"Picky refuses "_s + Value->Name());
        m_picky = Value;
    }
    void Changed() { ++changes; }

    bool Strict() const { return false; }
    void setStrict(bool Value)
    {
        if (Value)
            throw EPropertyError(u"Strict cannot be switched on"_s);
    }
    Probe::TMode Limited() const { return m_limited; }
    void setLimited(Probe::TMode Value)
    {
        if (Value == Probe::pmAll)
            throw EConvertError(u"Limited refuses pmAll"_s);
        m_limited = Value;
    }
    int Capped() const { return m_capped; }
    void setCapped(int Value)
    {
        if (Value > 50)
            throw EConvertError(u"Capped refuses %1"_s.arg(Value));
        m_capped = Value;
    }
    int m_capped = 0;

    int m_rows = 3;
    Probe::TMode m_limited = Probe::pmNone;
    QString m_version;
    int changes = 0;

private:
    QPointer<TProbeSource> m_picky;
};

// The controls of one page, children of one parent so labels and spinners find theirs.
struct TProbePage {
    TProbePage()
    {
        page->resize(400, 300);
        combo->setObjectName(u"ProbeCombo"_s);
        combo->setGeometry(200, 10, 100, 22);
        colors->setGeometry(200, 40, 120, 22);
        spin->SetAssociate(valueEdit);
        new TCheckBox(u"Inner 1"_s, group);
        new TCheckBox(u"Inner 2"_s, group);
    }
    std::unique_ptr<QWidget> page = std::make_unique<QWidget>();
    TCheckBox *check = new TCheckBox(u"Check"_s, page.get());
    TCheckBox *check2 = new TCheckBox(u"Check 2"_s, page.get());
    TComboBox *combo = new TComboBox(page.get());
    TColorBox *colors = new TColorBox(page.get());
    TEdit *edit = new TEdit(page.get());
    TEdit *valueEdit = new TEdit(page.get());
    TUpDown *spin = new TUpDown(page.get());
    TMemo *memo = new TMemo(page.get());
    TGroupBox *group = new TGroupBox(u"Group"_s, page.get());
    TLabel *label = new TLabel(u"Label"_s, page.get());
};

inline bool colorDialogAnswer = false;
inline TColor colorDialogColor = clRed;
inline int fontDialogCalls = 0;

// Dialogs that wait for nobody: the font dialog makes the font bold and 12 points; the colour
// dialog answers colorDialogAnswer with colorDialogColor.
inline TScriptedDialogs QuietDialogs()
{
    TScriptedDialogs dialogs;
    dialogs.OnFont = [](TFont &Font, QWidget *) {
        ++fontDialogCalls;
        Font.setStyle(Vcl::fsBold);
        Font.setSize(12);
        return true;
    };
    dialogs.OnColor = [](TColorDialog &Dialog, QWidget *) {
        if (colorDialogAnswer)
            Dialog.Color = colorDialogColor;
        return colorDialogAnswer;
    };
    return dialogs;
}

// Screen fonts, default font and scroll-bar width, fixed.
inline TControlSeams QuietSeams()
{
    TControlSeams seams;
    seams.ScreenFonts = [] { return QStringList{u"Verdana"_s, u"Arial"_s, u"Tahoma"_s}; };
    seams.DefaultFontName = [] { return u"Tahoma"_s; };
    seams.VerticalScrollBarWidth = [] { return 17; };
    return seams;
}

// A window with a probe designer, a probe component and a root list over it.
struct TProbeFixture {
    TProbeFixture()
    {
        probe->SetName(u"Probe1"_s);
        source.SetName(u"Source1"_s);
        source2.SetName(u"Source2"_s);
        dataSet.Fields = {u"Name"_s, u"City"_s};
        inner.SetName(u"Inner1"_s);
        designer.components = {&source, &source2, &inner};
        window->SetDesigner(&designer);
        list = TPropList::Create<TPropList>(window.get(), probe.get());
    }

    // Adds one item through Add, loads the list once and answers the item.
    TPropItem *load(const std::function<void(TPropList &)> &Add)
    {
        Add(*list);
        list->LoadPropList();
        return list->Items(list->ItemCount() - 1);
    }
    // Makes every Modified reload the list, as the designer window does.
    void reloadOnModify()
    {
        designer.OnModified = [this] { list->LoadPropList(); };
    }

    TProbeDesigner designer;
    TProbeDataSet dataSet;
    TProbeSource source, source2;
    TProbe inner;
    std::unique_ptr<TDesignWindow> window = std::make_unique<TDesignWindow>();
    std::unique_ptr<TProbe> probe = std::make_unique<TProbe>();
    TProbePage controls;
    std::unique_ptr<TPropList> list;
    TControlSeamsScope seams{QuietSeams()};
    TScriptedDialogs dialogs = QuietDialogs();
    THostDialogsScope dialogsScope{dialogs};
};
