#include "formdocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

#include "formdesigner.h"
#include "formfile.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "regini.h"

namespace {

constexpr int kMaxRecentFiles = 8;

QString recentKey()
{
    return BaseRegistryKey() + QStringLiteral("\\Workbench");
}

const QString kRecentSection = QStringLiteral("Recent Files");

} // namespace

// One recorded change: the form's text before and after it.
class TFormChangeCommand : public QUndoCommand {
public:
    TFormChangeCommand(TFormDocument *Document, const QString &Text, QByteArray Before,
                       QByteArray After)
        : QUndoCommand(Text), m_document(Document), m_before(std::move(Before)),
          m_after(std::move(After))
    {
    }

    void undo() override { m_document->applyText(m_before); }
    void redo() override
    {
        // Pushing the step must not apply it: the form is already as After says.
        if (m_pushed)
            m_document->applyText(m_after);
        m_pushed = true;
    }

private:
    TFormDocument *m_document;
    QByteArray m_before;
    QByteArray m_after;
    bool m_pushed = false;
};

TFormDocument::TFormDocument(QObject *parent)
    : QObject(parent), m_designer(std::make_unique<TFormDesigner>(QStringLiteral("Form1"))),
      m_undoStack(std::make_unique<QUndoStack>())
{
    m_undoStack->setUndoLimit(UndoLimit);
    RegisterDesignNotification(this);
    connect(m_undoStack.get(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
    m_lastText = WriteFormText(m_designer.get());
}

TFormDocument::~TFormDocument()
{
    UnregisterDesignNotification(this);
    m_undoStack->clear(); // the steps refer to this document
    m_designer->Close();
}

TFormDesigner *TFormDocument::Designer() const
{
    return m_designer.get();
}

QUndoStack *TFormDocument::UndoStack() const
{
    return m_undoStack.get();
}

void TFormDocument::RecordChange(const QString &Text)
{
    m_pending = false;
    if (m_applying || m_designer->IsClosed())
        return;
    QByteArray now = WriteFormText(m_designer.get());
    if (now == m_lastText)
        return;
    QByteArray before = std::exchange(m_lastText, now);
    m_undoStack->push(new TFormChangeCommand(this, Text, std::move(before), std::move(now)));
}

void TFormDocument::FlushPendingChange()
{
    if (m_pending)
        RecordChange(tr("Change properties"));
}

bool TFormDocument::IsModified() const
{
    return !m_undoStack->isClean();
}

QString TFormDocument::FileName() const
{
    return m_fileName;
}

void TFormDocument::New()
{
    replaceDesigner(std::make_unique<TFormDesigner>(QStringLiteral("Form1")));
    m_fileName.clear();
    emit FileNameChanged(m_fileName);
}

void TFormDocument::Open(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EHostError(tr("Cannot open %1: %2").arg(FileName, file.errorString()));
    const QByteArray text = file.readAll();
    // The form is built aside and takes over only when the whole file could be read.
    auto designer = std::make_unique<TFormDesigner>(QStringLiteral("Form1"));
    try {
        ReadFormText(designer.get(), text);
    } catch (const EHostError &error) {
        designer->Close();
        throw EHostError(tr("Cannot open %1: %2").arg(FileName, error.Message()));
    }
    replaceDesigner(std::move(designer));
    m_fileName = FileName;
    addRecentFile(FileName);
    emit FileNameChanged(m_fileName);
}

void TFormDocument::Save(const QString &FileName)
{
    FlushPendingChange();
    const QByteArray text = WriteFormText(m_designer.get());
    // QSaveFile writes beside the old file and renames over it only once all is written.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EHostError(tr("Cannot save %1: %2").arg(FileName, reason));
    }
    m_undoStack->setClean();
    if (m_fileName != FileName) {
        m_fileName = FileName;
        emit FileNameChanged(m_fileName);
    }
    addRecentFile(FileName);
}

QStringList TFormDocument::RecentFiles() const
{
    const TRegIniFile settings(recentKey());
    QStringList files;
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString file =
            settings.ReadString(kRecentSection, QStringLiteral("File%1").arg(i), QString());
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void TFormDocument::addRecentFile(const QString &FileName)
{
    const QString path = QFileInfo(FileName).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    writeRecentFiles(files);
}

void TFormDocument::RemoveRecentFile(const QString &FileName)
{
    QStringList files = RecentFiles();
    files.removeAll(FileName);
    files.removeAll(QFileInfo(FileName).absoluteFilePath());
    writeRecentFiles(files);
}

void TFormDocument::writeRecentFiles(const QStringList &Files)
{
    TRegIniFile settings(recentKey());
    settings.BeginUpdate();
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString ident = QStringLiteral("File%1").arg(i + 1);
        if (i < Files.size())
            settings.WriteString(kRecentSection, ident, Files.at(i));
        else
            settings.DeleteKey(kRecentSection, ident);
    }
    settings.EndUpdate(); // a settings folder that cannot be written costs only the list
}

QByteArray TFormDocument::CopyComponents(const QList<TComponent *> &Components) const
{
    return WriteComponentsText(m_designer->GetRoot(), Components);
}

QList<TComponent *> TFormDocument::PasteComponents(const QByteArray &Text)
{
    FlushPendingChange();
    QList<TComponent *> pasted;
    try {
        pasted = PasteComponentsText(m_designer.get(), Text);
    } catch (...) {
        // Whatever was placed before the failure is kept as one step, so it can be undone.
        RecordChange(tr("Paste"));
        throw;
    }
    RecordChange(tr("Paste"));
    return pasted;
}

void TFormDocument::applyText(const QByteArray &Text)
{
    if (m_designer->IsClosed())
        return;
    m_applying = true;
    try {
        ReadFormText(m_designer.get(), Text);
    } catch (...) {
        HandleHostException();
    }
    // The form as it now is: components made again come last, so it may differ in order.
    m_lastText = WriteFormText(m_designer.get());
    m_pending = false;
    // Design windows and the inspector read the form again; this notice is not a change.
    try {
        m_designer->Modified();
    } catch (...) {
        HandleHostException();
    }
    m_applying = false;
}

void TFormDocument::replaceDesigner(std::unique_ptr<TFormDesigner> Designer)
{
    m_pending = false;
    std::unique_ptr<TFormDesigner> old = std::exchange(m_designer, std::move(Designer));
    old->Close();
    m_undoStack->clear();
    m_lastText = WriteFormText(m_designer.get());
    emit DesignerReplaced(m_designer.get());
}

void TFormDocument::ItemDeleted(IDesigner *, QObject *) {}
void TFormDocument::ItemInserted(IDesigner *, QObject *) {}

void TFormDocument::ItemsModified(IDesigner *ADesigner)
{
    if (m_applying || ADesigner != m_designer.get() || m_pending)
        return;
    // Recorded once the change is over: a designer page announces a change before the rest
    // of it (a grid refresh, another property) is done, often several times in a row.
    m_pending = true;
    QMetaObject::invokeMethod(this, &TFormDocument::FlushPendingChange, Qt::QueuedConnection);
}

void TFormDocument::SelectionChanged(IDesigner *, const QList<QObject *> &) {}
void TFormDocument::DesignerOpened(IDesigner *, bool) {}
void TFormDocument::DesignerClosed(IDesigner *, bool) {}
