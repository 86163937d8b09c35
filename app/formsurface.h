#pragma once
// TFormSurface: the form as a person edits it. Pick a class on the palette, then click on the
// form (default size) or drag a rectangle to place one; select by click, Ctrl+click and a rubber
// band; move and resize with the mouse (handles, grid snapping) and the arrow keys; Delete,
// cut, copy and paste. Components that are not controls show as small icons with their names.
// Every change is recorded on the form document's undo stack.

#include <QPointer>
#include <QRect>
#include <QWidget>

class TComponent;
class TFormDocument;

class TFormSurface : public QWidget {
    Q_OBJECT
public:
    explicit TFormSurface(TFormDocument *Document, QWidget *parent = nullptr);
    ~TFormSurface() override;

    // The class the next click or drag on the form places; nullptr picks the arrow again.
    void SetPendingClass(const QMetaObject *Class);
    const QMetaObject *PendingClass() const;

    // Places a component of Class at Bounds (an empty size: the class's default size at
    // Bounds' top left), selects it and records "Place <name>". Errors are reported, and then
    // the answer is nullptr.
    TComponent *PlaceComponent(const QMetaObject *Class, const QRect &Bounds);
    // Moves, resizes (by Delta's width and height) and deletes the selected components, each
    // one undoable step.
    void MoveSelection(const QPoint &Delta);
    void ResizeSelection(const QSize &Delta);
    void DeleteSelection();
    void CutSelection();
    void CopySelection();
    void Paste();

    // The grid that placing, moving and resizing snap to, in pixels.
    static constexpr int GridSize = 8;
};
