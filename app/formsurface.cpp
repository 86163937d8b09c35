#include "formsurface.h"

// Placeholder bodies until the form surface lands; they let the workbench library link.
TFormSurface::TFormSurface(TFormDocument *, QWidget *parent) : QWidget(parent) {}
TFormSurface::~TFormSurface() = default;
void TFormSurface::SetPendingClass(const QMetaObject *) {}
const QMetaObject *TFormSurface::PendingClass() const { return nullptr; }
TComponent *TFormSurface::PlaceComponent(const QMetaObject *, const QRect &) { return nullptr; }
void TFormSurface::MoveSelection(const QPoint &) {}
void TFormSurface::ResizeSelection(const QSize &) {}
void TFormSurface::DeleteSelection() {}
void TFormSurface::CutSelection() {}
void TFormSurface::CopySelection() {}
void TFormSurface::Paste() {}
