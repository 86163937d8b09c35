#include "formdocument.h"

#include <QUndoStack>

#include "formdesigner.h"
#include "hosterrors.h"

TFormDocument::TFormDocument(QObject *parent)
    : QObject(parent), m_designer(std::make_unique<TFormDesigner>(QStringLiteral("Form1"))),
      m_undoStack(std::make_unique<QUndoStack>())
{
    RegisterDesignNotification(this);
    connect(m_undoStack.get(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
}

TFormDocument::~TFormDocument()
{
    UnregisterDesignNotification(this);
    m_designer->Close();
}

TFormDesigner *TFormDocument::Designer() const { return m_designer.get(); }

QUndoStack *TFormDocument::UndoStack() const { return m_undoStack.get(); }

void TFormDocument::RecordChange(const QString &) {}

bool TFormDocument::IsModified() const { return !m_undoStack->isClean(); }

QString TFormDocument::FileName() const { return m_fileName; }

void TFormDocument::New()
{
    m_designer->Close();
    m_designer = std::make_unique<TFormDesigner>(QStringLiteral("Form1"));
    m_undoStack->clear();
    m_fileName.clear();
    emit DesignerReplaced(m_designer.get());
    emit FileNameChanged(m_fileName);
}

void TFormDocument::Open(const QString &FileName)
{
    throw EHostError(tr("Cannot open %1: form files cannot be read yet").arg(FileName));
}

void TFormDocument::Save(const QString &FileName)
{
    throw EHostError(tr("Cannot save %1: form files cannot be written yet").arg(FileName));
}

QStringList TFormDocument::RecentFiles() const { return {}; }

QByteArray TFormDocument::CopyComponents(const QList<TComponent *> &) const { return {}; }

QList<TComponent *> TFormDocument::PasteComponents(const QByteArray &) { return {}; }

void TFormDocument::ItemDeleted(IDesigner *, QObject *) {}
void TFormDocument::ItemInserted(IDesigner *, QObject *) {}
void TFormDocument::ItemsModified(IDesigner *) {}
void TFormDocument::SelectionChanged(IDesigner *, const QList<QObject *> &) {}
void TFormDocument::DesignerOpened(IDesigner *, bool) {}
void TFormDocument::DesignerClosed(IDesigner *, bool) {}
