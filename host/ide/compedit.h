#pragma once
// Component editors: the object the host creates for a selected component to fill its context
// menu with verbs and to answer a double-click. A package registers an editor class for a
// component class (RegisterComponentEditor); the host creates one per use and frees it after.
//
// Every editor class is a QObject subclass with Q_OBJECT and exactly this constructor, which the
// host calls through CreateComponentEditor:
//
//     Q_INVOKABLE explicit TMyEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "korhost_export.h"

class IDesigner;
class QAction;
class QMenu;
class TComponent;
class TPropertyEditor;

// What every component editor is constructed with.
struct TComponentEditorArgs {
    TComponent *Component = nullptr;
    IDesigner *Designer = nullptr;
};
Q_DECLARE_METATYPE(TComponentEditorArgs)

class KORHOST_EXPORT TDefaultEditor : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDefaultEditor(const TComponentEditorArgs &Args);
    ~TDefaultEditor() override;

    // The edited component; null once it has been destroyed.
    TComponent *Component() const;
    IDesigner *GetDesigner() const { return m_designer; }

    // A double-click. The base picks the component's most telling event (OnCreate, else
    // OnChange, else OnClick, else its first event) through EditProperty and edits it.
    virtual void Edit();
    // Runs verb Index; the base has no verbs.
    virtual void ExecuteVerb(int Index);
    // The menu text of verb Index ("-" for a separator line); the base answers "".
    virtual QString GetVerb(int Index);
    virtual int GetVerbCount();
    // Adds the editor's own formats when the component is copied; the base adds none.
    virtual void Copy();
    // Lets the editor adjust the menu entry of verb Index before the menu shows.
    virtual void PrepareItem(int Index, QAction *AItem);
    // Offered each event property of the component by Edit; clear Continue to stop the offers.
    // The base remembers the best event to edit.
    virtual void EditProperty(TPropertyEditor *Prop, bool &Continue);

private:
    QPointer<QObject> m_object;
    TComponent *m_component;
    IDesigner *m_designer;
    // The best event so far while Edit offers the events; valid only during Edit.
    TPropertyEditor *m_best = nullptr;
    int m_bestRank = 0;
};

// Creates an editor of EditorClass (a TDefaultEditor subclass with the constructor above).
// Raises EInvalidOperation for another class or one without that constructor.
KORHOST_EXPORT std::unique_ptr<TDefaultEditor>
CreateComponentEditor(const QMetaObject *EditorClass, TComponent *Component, IDesigner *Designer);
// The editor registered for the nearest class of Component, or a TDefaultEditor when none is.
// Raises EInvalidOperation for a nil component.
KORHOST_EXPORT std::unique_ptr<TDefaultEditor> GetComponentEditor(TComponent *Component,
                                                                  IDesigner *Designer);

// Adds Editor's verbs to Menu in order: a "-" verb as a separator, every other as an action that
// runs ExecuteVerb (an error is reported by the host); PrepareItem sees each action. The actions
// use Editor, which must outlive the menu. Answers the number of verbs added.
KORHOST_EXPORT int AddComponentVerbs(QMenu *Menu, TDefaultEditor *Editor);
// A double-click on Component: creates its editor and runs Edit; errors are reported.
KORHOST_EXPORT void EditComponent(TComponent *Component, IDesigner *Designer);
