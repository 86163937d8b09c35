#pragma once
// Components on forms laid out in .ui files (Qt Designer, uic, QUiLoader).
//
// A .ui file holds widgets and their plain Qt properties. Everything else a component has
// (columns with their titles and totals, fonts, string lists, links to other components by
// name) travels in one string property, formText, holding the component's entry in form-file
// text (see formfile.h). Writing formText applies the text to the component at once; links name
// components of the same window and are resolved as soon as the component they name exists on
// it, so the order in which uic or QUiLoader makes the widgets does not matter.
//
// A component that is not a control (a data source, a data set, a connection, the columns
// dialog) stands on a .ui form as a small placeholder widget that owns it: at design time it
// shows the component's icon and name; at run time it is hidden.
//
// Every control of the package (TKorWinControl) publishes formText as a Qt property as well.

#include <QString>
#include <QWidget>
#include <memory>

#include "korruntime_export.h"
#include "persistent.h"

// The name of the string property that carries a component's form-file text in a .ui file.
inline constexpr char kFormTextProperty[] = "formText";

// The component's values that a .ui file cannot hold, as form-file text ("" when every one of
// them has its default).
KORRUNTIME_EXPORT QString ComponentFormText(const TComponent *Component);
// Applies Text to Component: the values it names are set, the others go back to their defaults.
// Raises EFormFileError, before anything changed, for a text that cannot be read. Links to
// components not yet on Component's window are kept and resolved when they appear.
KORRUNTIME_EXPORT void ApplyComponentFormText(TComponent *Component, const QString &Text);

// The widget that stands for Component on a .ui form: Component itself when it is a control,
// otherwise the placeholder that owns it (nullptr when it has none).
KORRUNTIME_EXPORT QWidget *ComponentWidget(const TComponent *Component);
// The component a widget of a .ui form stands for: the widget itself when it is a component,
// the component of a placeholder, otherwise nullptr.
KORRUNTIME_EXPORT TComponent *WidgetComponent(QWidget *Widget);

// The widget class that stands for components of Class on a .ui form: Class itself for
// controls, the matching placeholder class for the others; nullptr when there is none.
KORRUNTIME_EXPORT const QMetaObject *UiWidgetClass(const QMetaObject *Class);
// Makes the widget that stands for a new component of Class (a class UiWidgetClass knows).
KORRUNTIME_EXPORT QWidget *CreateUiWidget(const QMetaObject *Class, QWidget *Parent);

// A widget that owns a component that is not a control. Its object name is the component's name.
class KORRUNTIME_EXPORT TComponentPlaceholder : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString formText READ FormText WRITE SetFormText)

public:
    ~TComponentPlaceholder() override;

    TComponent *Component() const;
    QString FormText() const;
    void SetFormText(const QString &Text);

protected:
    TComponentPlaceholder(std::unique_ptr<TComponent> Component, QWidget *Parent);

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
