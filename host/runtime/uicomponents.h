#pragma once
// Components on forms laid out in .ui files (Qt Designer, uic, QUiLoader).
//
// A .ui file holds widgets and their plain Qt properties. Everything else a component has
// (columns with their titles and totals, fonts, string lists, other sub-objects, event handlers,
// links to other components by name) travels in one string property, formText, holding the
// "properties" object of the component's entry in form-file text (see formfile.h), on one line.
// For a control the text holds only those values (TPropertySelection::Compound): its numbers,
// Booleans, strings, enumerations, sets and colours are Qt properties of their own in the .ui.
// A placeholder has no Qt properties for its component's values, so its text holds all of them.
// Writing formText applies the text to the component at once; links name components of the same
// window (by object name) and are resolved as soon as the component they name exists on it, so
// the order in which uic or QUiLoader makes the widgets does not matter.
//
// A component that is not a control (a data source, a data set, a connection, the columns
// dialog) stands on a .ui form as a small placeholder widget that owns it: at design time it
// shows the component's palette icon and name on a tile of fixed size; at run time it is hidden.
// The placeholder's object name and its component's name follow each other.
//
// Every control of the package (TKorWinControl) publishes formText as a Qt property as well.

#include <QString>
#include <QWidget>
#include <memory>

#include "korruntime_export.h"
#include "persistent.h"

// The name of the string property that carries a component's form-file text in a .ui file.
inline constexpr char kFormTextProperty[] = "formText";

// The dynamic property of a widget that names the folder of the .ui file its form comes from
// (Designer's form window, or a loader's window). A connection on it, or below it, writes a
// database file lying in that folder or below it relative to it in its text, and a relative
// name in its text is found there. Without it names stay as they are (relative to the current
// folder).
inline constexpr char kUiFormFolderProperty[] = "korFormFolder";

// The component's values that a .ui file cannot hold, as form-file text ("" when every one of
// them has its default). The same component always gives the same text; a link that still
// waits for its component is written with the name it waits for.
KORRUNTIME_EXPORT QString ComponentFormText(const TComponent *Component);
// Applies Text to Component: the values it names are set, the others of its kind go back to
// their defaults. Raises EFormFileError, before anything changed, for a text that cannot be read.
// Links to components not yet on Component's window wait (holding none) and are set when they
// appear: whenever another component's text is applied or a component gets its name, and when
// the window (or the component's widget) is polished, shown or moved to another parent. Data
// sets open and connections connect (their activations) at once when every link of their text
// is set at once; otherwise once the links are set and the form is complete: when the window is
// polished or shown, or ResolveWaitingLinks says so.
KORRUNTIME_EXPORT void ApplyComponentFormText(TComponent *Component, const QString &Text);
// Whether links of Component's last applied text, or the activations they hold back, still wait.
KORRUNTIME_EXPORT bool HasWaitingLinks(const TComponent *Component);
// Sets the waiting links whose components are there now. Complete: the form is complete, so
// data sets and connections whose links are all set may open (a loader may call it so once a
// form is made; polishing or showing the window does the same). Done on its own, not complete,
// whenever a component's text is applied or a control or placeholder gets its name.
KORRUNTIME_EXPORT void ResolveWaitingLinks(bool Complete = true);

// The widget that stands for Component on a .ui form: Component itself when it is a control,
// otherwise the placeholder that owns it (nullptr when it has none).
KORRUNTIME_EXPORT QWidget *ComponentWidget(const TComponent *Component);
// The component a widget of a .ui form stands for: the widget itself when it is a component,
// the component of a placeholder, otherwise nullptr.
KORRUNTIME_EXPORT TComponent *WidgetComponent(QWidget *Widget);

// The widget class that stands for components of Class on a .ui form: Class itself for
// controls, the matching placeholder class for the others; nullptr when there is none.
KORRUNTIME_EXPORT const QMetaObject *UiWidgetClass(const QMetaObject *Class);
// Makes the widget that stands for a new component of Class (a class UiWidgetClass knows, or a
// placeholder class itself), as uic does: a child of Parent, not designing. nullptr for others.
KORRUNTIME_EXPORT QWidget *CreateUiWidget(const QMetaObject *Class, QWidget *Parent);
// The widget class a .ui file names: a control of the package (or one registered with the host)
// or a placeholder class; nullptr for any other name.
KORRUNTIME_EXPORT const QMetaObject *FindUiWidgetClass(const QString &ClassName);
// The header a .ui file names for a widget class, so that uic's code finds the class (headers
// are installed in one folder, which the installed package's targets put on the include path);
// empty for a class the package does not know.
KORRUNTIME_EXPORT QString UiWidgetIncludeFile(const QMetaObject *WidgetClass);
// Marks the component Widget stands for as being designed, or not: a control stays on show
// whatever its Visible says, a placeholder shows its tile; at run time a placeholder hides.
KORRUNTIME_EXPORT void SetUiWidgetDesigning(QWidget *Widget, bool Designing);

// A widget that owns a component that is not a control. Its object name is the component's name.
class KORRUNTIME_EXPORT TComponentPlaceholder : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString formText READ FormText WRITE SetFormText)

public:
    ~TComponentPlaceholder() override;

    TComponent *Component() const;
    // Errors of the text are reported (HandleHostException), never raised: uic and QUiLoader
    // call these through Qt's property system.
    QString FormText() const;
    void SetFormText(const QString &Text);
    // Designing: the component is designed and the tile is on show. Otherwise it stays hidden.
    void SetDesigning(bool Designing);

    // Stays hidden unless the component is being designed.
    void setVisible(bool Visible) override;
    QSize sizeHint() const override;
    // The tile's size.
    static QSize TileSize();

protected:
    TComponentPlaceholder(std::unique_ptr<TComponent> Component, QWidget *Parent);
    void paintEvent(QPaintEvent *Event) override;

private:
    std::unique_ptr<TComponent> m_component;
};

// One placeholder class per component class that is not a control; uic makes them by name.

class KORRUNTIME_EXPORT TDataSourcePlaceholder : public TComponentPlaceholder {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDataSourcePlaceholder(QWidget *Parent = nullptr);
};

class KORRUNTIME_EXPORT TSQLConnectionPlaceholder : public TComponentPlaceholder {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TSQLConnectionPlaceholder(QWidget *Parent = nullptr);
};

class KORRUNTIME_EXPORT TSQLDataSetPlaceholder : public TComponentPlaceholder {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TSQLDataSetPlaceholder(QWidget *Parent = nullptr);
};

class KORRUNTIME_EXPORT TKorDBColumnsDialogPlaceholder : public TComponentPlaceholder {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBColumnsDialogPlaceholder(QWidget *Parent = nullptr);
};
