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
// ReadFormText checks the whole text first (syntax, classes, property names and value types,
// the components that references name) and changes nothing when any of it is wrong: the
// message names the line and column of a syntax error, or the component and the property path.
// ReadFormTextTolerant reads what it can and lists the rest (see below).

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

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
// The text of some components of Root (a clipboard text): the same format, with only them and
// what they own (a data set's fields), each owned one after its owner.
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

// ---- Parts of a form ------------------------------------------------------------------------
// Undo keeps only the entries of the components a change touched, and applies only those.

// The components of the form Root in the order its text lists them: each of the form's own,
// followed by the named components it owns (and theirs).
KORHOST_EXPORT QList<TComponent *> FormComponents(const TComponent *Root);
// The entries of a form text, as WriteFormText writes them: with WithForm the form's own entry
// first (its "name", "class" and "properties", no "components"), then one for each of
// Components. The defaults are found once for all of them, so writing every component of a
// form this way costs what writing the form does.
KORHOST_EXPORT QList<QJsonObject>
WriteFormEntries(const TComponent *Root, const QList<TComponent *> &Components, bool WithForm);

// Part of a form text, to be applied to the form in place.
struct KORHOST_EXPORT TFormPart {
    struct TEntry {
        QString Name;     // the component as it is named now; empty: one to make
        QJsonObject Text; // the entry it is to match, as WriteFormEntries writes it
        // The entry it matches now, when known: then only what differs from it is set.
        std::optional<QJsonObject> Now;
    };
    std::optional<QJsonObject> Form; // the form's own entry; none: the form is left as it is
    QStringList Deleted;             // components to delete (with what they own), by name
    QList<TEntry> Components;        // an owner before what it owns
    QStringList Order;               // every component's name in text order; empty: kept
};

// Makes Designer's form match Part as ReadFormText makes it match a whole text, touching only
// what Part names: the Deleted go, each entry's component is made (with its owner) or renamed
// and has its properties set, the form's own entry is applied, and the components are put in
// Order. Links in the entries name components anywhere on the form; they are set once every
// component exists. Raises EFormFileError, before anything changed, for an entry that cannot
// be read.
KORHOST_EXPORT void ReadFormPart(TFormDesigner *Designer, const TFormPart &Part);

// ---- Reading what can be read ------------------------------------------------------------
// A form text from a newer version, or one edited by hand, may hold what this host cannot
// read. The tolerant reader reads everything else and lists each problem, as a compiler lists
// its diagnostics. Values the host does not know are kept, to be written back unchanged.
//
// What it does with each problem:
// - an unknown class, or a class the host cannot make: the component is not created; its whole
//   entry is kept, at its place among the components;
// - an unknown property (at any depth) or an unknown entry of the form or of a component: left
//   out, and kept;
// - a value of the wrong type or out of range, a link to no component or to one of the wrong
//   class, a DesignPosition that is not [x, y], properties that are not an object, a collection
//   item that is not an object: left out (the property keeps its default; an item its
//   defaults), not kept; a link to a component whose entry is kept is kept with it;
// - a component name that is empty, not an identifier or taken twice (letter case ignored):
//   the component is read under a new name (UniqueName's rule), and links to the old name
//   follow the first component that has it; a form name that is not an identifier: the form
//   keeps the name it has; a form class other than the designer's: read as the designer's;
// - a value its property setter refuses while the form is read: left out, not kept.
// A text that is not a form at all (not JSON, not an object, no list of "components") is
// refused whole: EFormFileError saying where and why, before anything changed.

// One problem of a form text. Line and Column (from 1) are where its entry starts in the text,
// 0 when not known; Component is the component's name as the text gives it, or its number
// among the components when it has none, empty for the form itself; Property is the property's
// path below the component ("Columns[1].Title.Colour"), empty for the component itself.
struct KORHOST_EXPORT TFormProblem {
    int Line = 0;
    int Column = 0;
    QString Component;
    QString Property;
    QString Message;

    // "Line 3, column 9: Component Grid1, property Colour: no such property".
    QString Text() const;
    bool operator==(const TFormProblem &) const = default;
};

// What a tolerant read kept of a text: entries of the form it does not know, values below
// components (by the path from the component's entry: "properties", then property names and
// item indexes), and the entries of components it could not create, with their index among
// the components. Values follow their component when it is renamed; those of a component that
// is deleted go with it.
struct KORHOST_EXPORT TFormKeptValues {
    struct TValue {
        QPointer<QObject> Instance; // the component, while it lives
        QString Name;               // the component's name as read
        QJsonArray Path;
        QJsonValue Value;
        bool operator==(const TValue &Other) const
        {
            return Name == Other.Name && Path == Other.Path && Value == Other.Value;
        }
    };
    struct TComponentEntry {
        qsizetype Index = 0;
        QJsonObject Text;
        bool operator==(const TComponentEntry &) const = default;
    };
    QJsonObject FormEntries;
    QList<TValue> Values;
    QList<TComponentEntry> Components;

    bool IsEmpty() const
    {
        return FormEntries.isEmpty() && Values.isEmpty() && Components.isEmpty();
    }
    bool operator==(const TFormKeptValues &) const = default;
};

struct KORHOST_EXPORT TFormReadReport {
    QList<TFormProblem> Problems; // in text order, those without a place last
    QByteArray Text;              // what was read: a form text the strict reader reads as is
    TFormKeptValues Kept;

    bool operator==(const TFormReadReport &) const = default;
};

// Makes Designer's form match what can be read of Text, as ReadFormText does, and answers the
// problems and the kept values. Reading the same text gives the same report. Raises
// EFormFileError, before anything changed, only for a text that is not a form at all.
KORHOST_EXPORT TFormReadReport ReadFormTextTolerant(TFormDesigner *Designer,
                                                    const QByteArray &Text);
// The text of Designer's form with Kept put back: kept entries and values where the form's
// own text has none, and kept components at their index (or last). Kept values of a component
// no longer on the form are dropped.
KORHOST_EXPORT QByteArray WriteFormText(const TFormDesigner *Designer, const TFormKeptValues &Kept);

// Adds the components of a clipboard text to Designer's form. A name already taken, taken twice
// in the text, empty or not an identifier is replaced by a new one (TFormDesigner::UniqueName);
// references among the pasted components follow the new names (the first component of a name
// taken twice), references to others resolve on the form (or to none). Controls move by Offset,
// and so do the icons of the others. Answers the new components, in text order.
//
// A component pasted with its owner goes to the owner's copy; one whose owner is not in the text
// (a field copied alone) goes to the selected component when that can own it, else to the owner
// of the selected component. Either is named after its new owner the way the owner's own are:
// the copy "Customers1" of a data set "Customers" owns "Customers1Company" where the original
// owned "CustomersCompany", with a number added when the name is taken. When nothing selected
// can own it, EComponentError says so before anything is pasted.
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
