#pragma once
// TFormChangeCommand: one undo step of the form document. It holds only what its change touched:
// the entries (in the form-file format) of the components the change made, deleted or changed,
// before and after, their places in the form's order when those changed, and the form's own
// entry when that changed. Undo and redo apply just those entries in place (ReadFormPart), so a
// step costs what its change costs, whatever the size of the form.
//
// A change is found by comparing the form as it is now with TFormEntries, the form as last
// recorded: every component's entry, known by its object, so a rename is a change of one
// component rather than one going and another coming. Only the entries that may differ are
// written again: those of the components the designer's notices named (TFormTouched), of the
// components made or renamed since, and of those whose entries name a component that went or
// was renamed. A change no notice named is found by writing the whole form.

#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUndoCommand>
#include <memory>

class TComponent;
class TFormDocument;
struct TFormPart;

// What the changes since the last step touched, as the designer's notices name them.
struct TFormTouched {
    QList<QPointer<QObject>> Components; // components of the form, by object
    bool Form = false;                   // the form's own entry
    // A change whose touched components no notice named: the whole form is compared.
    bool Whole = false;

    // Adds the component Object belongs to: itself, or for a persistent object of one (a
    // column, a title, a font) the component that owns it; Root for the form's own entry.
    // Answers false when Object belongs to no component of Root.
    bool Add(const TComponent *Root, QObject *Object);
    bool IsEmpty() const { return Components.isEmpty() && !Form && !Whole; }
};

// The form as last recorded.
struct TFormEntries {
    QJsonObject Form;                 // the form's own entry
    QList<QPointer<QObject>> Objects; // its components in text order (null: deleted since)
    QList<QJsonObject> Entries;       // the entry of each

    // The entries of the form Root as it is now.
    static TFormEntries Of(const TComponent *Root);
    // The same, writing only the entries that may differ from these (see above); the others are
    // taken from here. Written answers, for each entry, whether it was written.
    TFormEntries Since(const TComponent *Root, const TFormTouched &Touched,
                       QList<bool> &Written) const;
    // After Applied was applied: the components it set take its entries (reading an entry gives
    // that entry back, so they need no writing), the others keep theirs.
    void Refresh(const TComponent *Root, const TFormPart &Applied);
};

class TFormChangeCommand : public QUndoCommand {
public:
    // The step from Last to the form Root as it is now, named Text (empty: after what changed,
    // TFormDocument::DescribeChange), or null when nothing changed. Last becomes the form now.
    // Touched says what changed since Last; null (or Whole): the whole form is compared.
    static std::unique_ptr<TFormChangeCommand> Record(TFormDocument *Document, TFormEntries &Last,
                                                      const TComponent *Root, const QString &Text,
                                                      const TFormTouched *Touched = nullptr);

    void undo() override;
    void redo() override;

    // What makes the form as it is on the other side match this step's After side (or Before
    // side): FormOrder holds the names of the form's components now, in text order.
    TFormPart Part(bool After, const QStringList &FormOrder) const;
    // Whether the step changes the form's own entry.
    bool ChangesForm() const { return !m_formBefore.isEmpty(); }
    // The components the step holds, by their names after it (before it, for those it deleted).
    QStringList Components() const;
    // The bytes of form text the step holds.
    qsizetype Bytes() const;

private:
    TFormChangeCommand(TFormDocument *Document, const QString &Text);

    // One component the change touched. A side where it is not there has no name.
    struct TComponentChange {
        QString Before, After;
        // Its entry on each side; none when it is the same on both (it only changed its place).
        QByteArray BeforeText, AfterText;
        // Its index in the form's text order on each side when it came, went or moved
        // among the others; -1 when it kept its place.
        qsizetype BeforeIndex = -1, AfterIndex = -1;

        bool Placed() const { return BeforeIndex >= 0 || AfterIndex >= 0; }
    };

    TFormDocument *m_document;
    QByteArray m_formBefore, m_formAfter;
    QList<TComponentChange> m_changes;
    bool m_pushed = false;
};
