#pragma once
// Property editors: what the Object Inspector creates for each property row of the selected
// objects, asks for attributes, text, value lists, drawing and dialogs, and hands typed text to.
//
// The host registers editor classes by meta-object (registration.h). Every editor class is a
// QObject subclass with Q_OBJECT and exactly this constructor, which the host calls through
// CreatePropertyEditor:
//
//     Q_INVOKABLE explicit TMyProperty(const TPropertyEditorArgs &Args) : TStringProperty(Args) {}
//
// An editor edits one property (PPropInfo) of one or more instances at once. Reading uses the
// first instance; writing writes every instance through the type information and then tells the
// designer once (Modified). A setter's error (an EHostError) reaches the caller, which reports it.
//
// Drawing goes to a QPainter that the caller has prepared as the host canvas: its brush is the
// background, its pen colour the text colour and its font the text font. Rectangles follow the
// host canvas: right and bottom edges are exclusive.

#include <QColor>
#include <QFlags>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "graphics.h"
#include "korhost_export.h"
#include "typinfo.h"

class IDesigner;
class QPainter;
class TCollection;
class TPropertyEditor;

enum TPropertyAttribute {
    paValueList = 0x0001,             // GetValues offers a drop-down list
    paSubProperties = 0x0002,         // GetProperties lists nested rows
    paDialog = 0x0004,                // Edit opens a dialog (the row shows an ellipsis button)
    paMultiSelect = 0x0008,           // shown when several objects are selected
    paAutoUpdate = 0x0010,            // SetValue on every keystroke
    paSortList = 0x0020,              // the inspector sorts the value list
    paReadOnly = 0x0040,              // the text cannot be typed
    paRevertable = 0x0080,            // can revert to the inherited value
    paFullWidthName = 0x0100,         // the name takes the whole row
    paVolatileSubProperties = 0x0200, // nested rows change with the value
    paVCL = 0x0400,                   // a component-library type
    paNotNestable = 0x0800,           // not shown nested under a component reference
};
Q_DECLARE_FLAGS(TPropertyAttributes, TPropertyAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPropertyAttributes)

// What every property editor is constructed with.
struct TPropertyEditorArgs {
    IDesigner *Designer = nullptr;
    QList<QObject *> Instances;
    PPropInfo PropInfo = nullptr;
};
Q_DECLARE_METATYPE(TPropertyEditorArgs)

using TGetStrProc = std::function<void(const QString &)>;
using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor>)>;

class KORHOST_EXPORT TPropertyEditor : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TPropertyEditor(const TPropertyEditorArgs &Args);
    ~TPropertyEditor() override;

    // ---- What the Object Inspector calls ----
    // The base answers paRevertable.
    virtual TPropertyAttributes GetAttributes();
    virtual void GetValues(const TGetStrProc &Proc);
    // The base answers "(unknown)".
    virtual QString GetValue();
    // The base ignores the text.
    virtual void SetValue(const QString &Value);
    // A double-click or the ellipsis button. The base steps a value list on to its next entry.
    virtual void Edit();
    // Whether every instance holds the same value; the base answers true for one instance.
    virtual bool AllEqual();
    // Nested rows (paSubProperties); the base has none.
    virtual void GetProperties(const TGetPropProc &Proc);

    // Drop-down list drawing: the base measures nothing extra and draws the text.
    virtual void ListMeasureWidth(const QString &Value, QPainter *Canvas, int &AWidth);
    virtual void ListMeasureHeight(const QString &Value, QPainter *Canvas, int &AHeight);
    virtual void ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                               bool ASelected);
    // Row drawing. PropDrawValueRect answers the part of the value cell that PropDrawValue
    // paints; the inspector draws the value text in what lies right of it. The base answers the
    // rectangles unchanged and draws the name and the visual value as text.
    virtual void PropDrawName(QPainter *Canvas, const QRect &ARect, bool ASelected);
    virtual void PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected);
    virtual QRect PropDrawNameRect(const QRect &ARect);
    virtual QRect PropDrawValueRect(const QRect &ARect);

    // ---- What editors read ----
    // The row's name: the property's name (a set element answers its element's).
    virtual QString GetName() const;
    PPropInfo GetPropInfo() const { return m_propInfo; }
    IDesigner *Designer() const { return m_designer; }
    int PropCount() const { return int(m_instances.size()); }
    // The edited instance Index (0 first); nullptr when it has been deleted. Raises EListError
    // for an index out of range.
    QObject *GetComponent(int Index) const;

    qint32 GetOrdValue() const { return GetOrdValueAt(0); }
    qint32 GetOrdValueAt(int Index) const;
    void SetOrdValue(qint32 Value);
    QString GetStrValue() const { return GetStrValueAt(0); }
    QString GetStrValueAt(int Index) const;
    void SetStrValue(const QString &Value);
    double GetFloatValue() const { return GetFloatValueAt(0); }
    double GetFloatValueAt(int Index) const;
    void SetFloatValue(double Value);
    QObject *GetObjectValue() const { return GetObjectValueAt(0); }
    QObject *GetObjectValueAt(int Index) const;
    void SetObjectValue(QObject *Value);
    // GetValue when all instances agree, else empty.
    QString GetVisualValue();
    // Tells the designer that the edited instances changed.
    void Modified();

protected:
    // The instance at Index and its own information of the edited property; raises
    // EPropertyError when the instance has been deleted.
    QObject *liveInstance(int Index, PPropInfo &Info) const;
    // Calls Write for every live instance with its own property information, then Modified
    // once if anything was written (also when a later instance refuses the value).
    void SetValues(const std::function<void(QObject *, PPropInfo)> &Write);

private:
    IDesigner *m_designer;
    QList<QPointer<QObject>> m_instances;
    PPropInfo m_propInfo;
};

// Strings and characters, typed as they are.
class KORHOST_EXPORT TStringProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TStringProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
};

// A component's Name: unique on its form, so never edited for several components at once.
class KORHOST_EXPORT TComponentNameProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TComponentNameProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
};

// Ordinal values as decimal text; also accepts "$hex" and "0xhex".
class KORHOST_EXPORT TIntegerProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TIntegerProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Raises EConvertError for text that is no integer, EPropertyError outside 32 bits.
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
};

// Enumerations and Booleans by identifier.
class KORHOST_EXPORT TEnumProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TEnumProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
};

// Floating-point values in the current locale.
class KORHOST_EXPORT TFloatProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TFloatProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
};

// Colours by identifier ("clWindow") or "$00BBGGRR", with swatches in the list and value cell.
class KORHOST_EXPORT TColorProperty : public TIntegerProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TColorProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    QString GetValue() override;
    // Raises EConvertError for text that is neither a colour identifier nor a number.
    void SetValue(const QString &Value) override;
    void Edit() override;
    void ListMeasureWidth(const QString &Value, QPainter *Canvas, int &AWidth) override;
    void ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                       bool ASelected) override;
    void PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected) override;
    // Which colour clDefault stands for in the colour property Name of Object; clDefault when
    // the answer does not know the property. The run-time library that paints the components
    // installs it.
    using TDefaultColorFunc = TColor (*)(const QObject *Object, const QString &Name);
    static void SetDefaultColorFunc(TDefaultColorFunc Func);
    // Which colour clDefault stands for in the edited property: the installed answer for the
    // first edited component; clDefault when there is none or it does not know.
    virtual TColor GetDefaultColor();

protected:
    // Draws the swatch of Color inside the frame ListDrawValue drew in the canvas's background;
    // the edges are the host's (right and bottom excluded). The canvas is restored afterwards.
    virtual void DrawSwatch(QPainter *Canvas, TColor Color, int Left, int Top, int Right,
                            int Bottom, bool ASelected);
    // The frame of a swatch of the RGB value Rgb: black on a light colour, white on a selected
    // row, else the colour itself (the frame then disappears into the fill).
    static QColor SwatchFrameColor(qint32 Rgb, bool Selected);
};

// A set: "[a,b]", with one True/False row per element.
class KORHOST_EXPORT TSetProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TSetProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Accepts "[a,b]" (brackets and spaces optional); raises EConvertError for an unknown name.
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
    void GetProperties(const TGetPropProc &Proc) override;
};

// One element of a set: whether it is in the set. Writing changes only that element in each
// edited instance.
class KORHOST_EXPORT TSetElementProperty : public TPropertyEditor {
    Q_OBJECT
public:
    TSetElementProperty(const TPropertyEditorArgs &Args, int Element);
    int Element() const { return m_element; }
    QString GetName() const override;
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    bool AllEqual() override;

private:
    int m_element;
};

// An event: the name of the handler method, empty when none is assigned.
class KORHOST_EXPORT TMethodProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TMethodProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // An empty text clears the handler; a text that is no identifier raises EPropertyError.
    void SetValue(const QString &Value) override;
    // Assigns the conventional handler name (component name plus event name without "On") when
    // none is assigned.
    void Edit() override;
    bool AllEqual() override;
};

// Cursors by identifier ("crHandPoint") or number.
class KORHOST_EXPORT TCursorProperty : public TIntegerProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TCursorProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
};

// A reference to another component of the form, by name.
class KORHOST_EXPORT TComponentProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TComponentProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    // The names of the designer's components of the property's class.
    void GetValues(const TGetStrProc &Proc) override;
    QString GetValue() override;
    // An empty text clears the reference; an unknown name, or a component of another class,
    // raises EPropertyError.
    void SetValue(const QString &Value) override;
    bool AllEqual() override;
};

// An owned sub-object: "(TFont)" with its published properties as nested rows.
class KORHOST_EXPORT TClassProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TClassProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetProperties(const TGetPropProc &Proc) override;
};

// A collection: "(TCollection)", edited in the host's collection editor.
class KORHOST_EXPORT TCollectionProperty : public TClassProperty {
    Q_OBJECT
public:
    // Opens the collection editor (EditorClass nullptr: the host's default one).
    using TShowCollectionEditorFunc =
        std::function<void(IDesigner *Designer, const QMetaObject *EditorClass, QObject *Component,
                           TCollection *Collection, const QString &PropertyName)>;
    static void SetShowCollectionEditor(TShowCollectionEditorFunc Func);

    Q_INVOKABLE explicit TCollectionProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    // Raises EInvalidOperation when no collection editor is installed.
    void Edit() override;
    TCollection *GetCollection() const;
    virtual const QMetaObject *GetEditorClass() { return nullptr; }
};

// Creates an editor of EditorClass (a TPropertyEditor subclass with the constructor above).
// Raises EInvalidOperation for another class or one without that constructor.
KORHOST_EXPORT std::unique_ptr<TPropertyEditor>
CreatePropertyEditor(const QMetaObject *EditorClass, IDesigner *Designer,
                     const QList<QObject *> &Instances, PPropInfo PropInfo);
// The editor class the host uses for a property of Instance when none is registered.
KORHOST_EXPORT const QMetaObject *GetDefaultPropertyEditorClass(PPropInfo PropInfo,
                                                                const QObject *Instance);
// The registered editor class for the property of Instance's class, or the default one.
KORHOST_EXPORT const QMetaObject *FindPropertyEditorClass(PPropInfo PropInfo,
                                                          const QObject *Instance);
// One editor per published property common to all Instances (same name and kind), in the first
// instance's order; with several instances only editors with paMultiSelect. Filter, when set,
// picks the properties.
KORHOST_EXPORT void GetComponentProperties(IDesigner *Designer, const QList<QObject *> &Instances,
                                           const TGetPropProc &Proc,
                                           const std::function<bool(PPropInfo)> &Filter = {});

// Whether the property shows its default value (the inspector draws other values in bold):
// ordinal values equal to their recorded default, empty texts, unassigned events, and values
// whose stored condition says they are not written. Sub-objects count as default.
KORHOST_EXPORT bool IsPropertyDefault(TPropertyEditor *Prop);

// The host's default drawing.
KORHOST_EXPORT void DefaultPropertyDrawName(TPropertyEditor *Prop, QPainter *Canvas,
                                            const QRect &Rect);
KORHOST_EXPORT void DefaultPropertyDrawValue(TPropertyEditor *Prop, QPainter *Canvas,
                                             const QRect &Rect);
// Fills Rect with the brush and draws Value from its left edge, vertically centred, clipped.
KORHOST_EXPORT void DefaultPropertyListDrawValue(const QString &Value, QPainter *Canvas,
                                                 const QRect &Rect, bool Selected);
// The host canvas's Rectangle: fills with the brush and frames with the pen the pixels from
// (Left, Top) to (Right - 1, Bottom - 1).
KORHOST_EXPORT void CanvasRectangle(QPainter *Canvas, int Left, int Top, int Right, int Bottom);
// The host canvas's line: the pixels from (X1, Y1) towards (X2, Y2) in the pen colour, the end
// point itself not painted.
KORHOST_EXPORT void CanvasLine(QPainter *Canvas, int X1, int Y1, int X2, int Y2);
