#pragma once
// Form files: a designed form as readable JSON text, and the way back.
//
// The text is one object: the form's "name" and "class", and its "components", each with its
// "name", "class", the "properties" that are stored and differ from their defaults, and, for
// components that are not controls, the "DesignPosition" ([x, y]) where the form surface shows
// their icon. Property values follow their type information: numbers; Booleans; enumerations by
// identifier; sets as arrays of identifiers; colours and cursors by identifier (or "$00BBGGRR");
// characters as one-character strings; event handlers by method name; components by name (null
// for none); string lists as arrays of strings; collections as arrays of item objects; other
// persistent sub-objects as nested objects. A default is what the type information records, and
// for properties that record none, the value of a newly made component of the same class.
//
// Reading checks the whole text first (syntax, classes, property names and value types, the
// components that references name) and changes nothing when any of it is wrong: the message
// names the line and column of a syntax error, or the component and the property path.

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <functional>
#include <memory>

#include "hosterrors.h"
#include "korhost_export.h"

class TComponent;
class TFormDesigner;

// A form text that cannot be read; the message says where and why.
class KORHOST_EXPORT EFormFileError : public EHostError {
public:
    using EHostError::EHostError;
};

// The text of the form Designer designs: the form and every component it owns.
KORHOST_EXPORT QByteArray WriteFormText(const TFormDesigner *Designer);
// The text of some components of Root (a clipboard text): the same format, with only them.
KORHOST_EXPORT QByteArray WriteComponentsText(const TComponent *Root,
                                              const QList<TComponent *> &Components);

// Makes Designer's form match Text in place: components missing from the form are created,
// components the text does not name are deleted, the others have their properties set (those
// the text leaves out go back to their defaults; collection items are matched by index).
// References are resolved once every component exists. Raises EFormFileError, before anything
// changed, for a text that cannot be read.
KORHOST_EXPORT void ReadFormText(TFormDesigner *Designer, const QByteArray &Text);
// Only checks Text as ReadFormText would; raises EFormFileError.
KORHOST_EXPORT void CheckFormText(const QByteArray &Text);

// Adds the components of a clipboard text to Designer's form. A name already taken is replaced
// by a new one (TFormDesigner::UniqueName); references among the pasted components follow the
// new names, references to others resolve on the form (or to none). Controls move by Offset,
// and so do the icons of the others. Answers the new components, in text order.
KORHOST_EXPORT QList<TComponent *>
PasteComponentsText(TFormDesigner *Designer, const QByteArray &Text, QPoint Offset = QPoint(8, 8));

// ---- One component on its own ------------------------------------------------------------
// A component can also travel alone, as the text of the "properties" object of its entry, for
// forms laid out by other tools that keep the component's name, class and plain values
// themselves (a .ui file). Links in such a text name components that the caller finds.

// Which top-level properties of a component such a text holds. Compound: every value but the
// plain ones (numbers, Booleans, strings, characters, enumerations, sets, colours, cursors):
// string lists, collections, other sub-objects such as fonts, links to components and event
// handlers. Values below the top level are always whole.
enum class TPropertySelection { All, Compound };

// Finds the component a link names; nullptr while there is none of that name.
using TComponentResolver = std::function<TComponent *(const QString &Name)>;

// The links of an applied text that named components not there yet, and the activations
// (opening a data set, connecting) that wait for them.
class KORHOST_EXPORT TPendingLinks {
public:
    TPendingLinks();
    TPendingLinks(TPendingLinks &&) noexcept;
    TPendingLinks &operator=(TPendingLinks &&) noexcept;
    ~TPendingLinks();

    // True when nothing waits (links to objects that went are dropped).
    bool IsEmpty() const;
    // Sets every waiting link whose component Resolve finds now (a component of the wrong class
    // counts as none, as in ReadFormText); once no link waits, and when Activate says the
    // components linked to are complete, sets the activations. A value that cannot be set is
    // reported (HandleHostException) and dropped. Answers IsEmpty().
    bool Resolve(const TComponentResolver &Resolve, bool Activate = true);
    // The name a link of Instance's property waits for; empty when none waits.
    QString Target(const QObject *Instance, const QString &PropertyName) const;

    struct Data;

private:
    friend TPendingLinks ApplyComponentProperties(TComponent *, const QByteArray &,
                                                  TPropertySelection, const TComponentResolver &);
    std::unique_ptr<Data> m_data;
};

// The stored properties of Component that differ from their defaults (Which of them), as the
// "properties" object of its entry would hold them. A link in Pending that still waits is
// written as the name it waits for.
KORHOST_EXPORT QJsonObject WriteComponentProperties(const TComponent *Component,
                                                    TPropertySelection Which,
                                                    const TPendingLinks *Pending = nullptr);

// Makes Component match Text, a "properties" object holding Which of its properties (empty or
// blank text: none). The properties of that selection that the text leaves out go back to
// their defaults; the others are not touched. Links are set to what Resolve finds, the others
// wait in the answer (and hold none meanwhile); with Which All the activations are set last,
// at once when every link is set at once, else they wait too. Raises EFormFileError, before
// anything changed, for a text that cannot be read, and for plain values in a Compound text.
KORHOST_EXPORT TPendingLinks ApplyComponentProperties(TComponent *Component, const QByteArray &Text,
                                                      TPropertySelection Which,
                                                      const TComponentResolver &Resolve);
