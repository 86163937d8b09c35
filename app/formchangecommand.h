#pragma once
// TFormChangeCommand: one undo step of the form document. It holds only what its change touched:
// the entries (in the form-file format) of the components the change made, deleted or changed,
// before and after, their places in the form's order when those changed, and the form's own
// entry when that changed. Undo and redo apply just those entries in place (ReadFormPart), so a
// step costs what its change costs, whatever the size of the form.
//
// A change is found by comparing the form as it is now with TFormEntries, the form as last
// recorded: every component's entry, known by its object, so a rename is a change of one
// component rather than one going and another coming.

#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUndoCommand>
#include <memory>

class TComponent;
class TFormDocument;
struct TFormPart;

// The form as last recorded.
struct TFormEntries {
    QJsonObject Form;                 // the form's own entry
    QList<QPointer<QObject>> Objects; // its components in text order (null: deleted since)
    QList<QJsonObject> Entries;       // the entry of each

    // The entries of the form Root as it is now.
    static TFormEntries Of(const TComponent *Root);
    // After Applied was applied: the components it set take its entries (reading an entry gives
    // that entry back, so they need no writing), the others keep theirs.
    void Refresh(const TComponent *Root, const TFormPart &Applied);
};

class TFormChangeCommand : public QUndoCommand {
public:
    // The step from Last to the form Root as it is now, named Text (empty: after what changed,
    // TFormDocument::DescribeChange), or null when nothing changed. Last becomes the form now.
    static std::unique_ptr<TFormChangeCommand> Record(TFormDocument *Document, TFormEntries &Last,
                                                      const TComponent *Root, const QString &Text);

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
