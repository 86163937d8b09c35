#include "formdocument.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

#include "formdesigner.h"
#include "formfile.h"
#include "hostdialogs.h"
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

// ---- naming a change ----------------------------------------------------------------------------

// The components of a form text by lower-case name, and the form's own entry under "".
QHash<QString, QJsonObject> formEntries(const QByteArray &Text)
{
    QHash<QString, QJsonObject> entries;
    const QJsonObject form = QJsonDocument::fromJson(Text).object();
    QJsonObject own = form;
    own.remove(QStringLiteral("components"));
    entries.insert(QString(), own);
    for (const QJsonValue component : form.value(QStringLiteral("components")).toArray()) {
        const QJsonObject entry = component.toObject();
        entries.insert(entry.value(QStringLiteral("name")).toString().toLower(), entry);
    }
    return entries;
}

QString entryName(const QJsonObject &Entry)
{
    return Entry.value(QStringLiteral("name")).toString();
}

// The top-level properties whose values differ between two entries of one component.
QStringList changedProperties(const QJsonObject &Before, const QJsonObject &After)
{
    const QJsonObject before = Before.value(QStringLiteral("properties")).toObject();
    const QJsonObject after = After.value(QStringLiteral("properties")).toObject();
    QStringList keys = before.keys();
    for (const QString &key : after.keys())
        if (!before.contains(key))
            keys.append(key);
    QStringList changed;
    for (const QString &key : std::as_const(keys))
        if (before.value(key) != after.value(key))
            changed.append(key);
    return changed;
}

// A few names as they are, more as a count.
QString nameList(const QStringList &Names)
{
    if (Names.size() <= 3)
        return Names.join(QStringLiteral(", "));
    return TFormDocument::tr("%n components", nullptr, int(Names.size()));
}

} // namespace

QString TFormDocument::DescribeChange(const QByteArray &Before, const QByteArray &After)
{
    const QHash<QString, QJsonObject> before = formEntries(Before);
    const QHash<QString, QJsonObject> after = formEntries(After);
    const QString formBefore = entryName(before.value(QString()));
    const QString formAfter = entryName(after.value(QString()));
    if (formBefore != formAfter)
        return tr("Rename %1 to %2").arg(formBefore, formAfter);

    // Components in the order of the later text (the earlier one's for those that went).
    QStringList added, removed, moved, changed, touched;
    QList<QPair<QString, QJsonObject>> removedEntries, addedEntries;
    const QJsonArray beforeList =
        QJsonDocument::fromJson(Before).object().value(QStringLiteral("components")).toArray();
    for (const QJsonValue component : beforeList) {
        const QJsonObject entry = component.toObject();
        if (!after.contains(entryName(entry).toLower())) {
            removed.append(entryName(entry));
            removedEntries.append({entryName(entry), entry});
        }
    }
    const QJsonArray afterList =
        QJsonDocument::fromJson(After).object().value(QStringLiteral("components")).toArray();
    QList<QJsonObject> entries{after.value(QString())};
    for (const QJsonValue component : afterList)
        entries.append(component.toObject());
    for (const QJsonObject &entry : std::as_const(entries)) {
        const QString name = entryName(entry);
        const bool isForm = &entry == &entries.first();
        const auto earlier = before.constFind(isForm ? QString() : name.toLower());
        if (earlier == before.constEnd()) {
            added.append(name);
            addedEntries.append({name, entry});
            continue;
        }
        if (*earlier == entry)
            continue;
        touched.append(name);
        const QStringList properties = changedProperties(*earlier, entry);
        for (const QString &property : properties)
            changed.append(name + QLatin1Char('.') + property);
        if (properties.isEmpty() && earlier->value(QStringLiteral("DesignPosition")) !=
                                        entry.value(QStringLiteral("DesignPosition")))
            moved.append(name);
    }

    if (removed.size() == 1 && added.size() == 1 && touched.isEmpty()) {
        QJsonObject renamed = addedEntries.first().second;
        renamed.insert(QStringLiteral("name"), removed.first());
        if (renamed == removedEntries.first().second)
            return tr("Rename %1 to %2").arg(removed.first(), added.first());
    }
    if (!added.isEmpty() && removed.isEmpty() && touched.isEmpty())
        return tr("Place %1").arg(nameList(added));
    if (!removed.isEmpty() && added.isEmpty() && touched.isEmpty())
        return tr("Delete %1").arg(nameList(removed));
    if (added.isEmpty() && removed.isEmpty()) {
        if (!moved.isEmpty() && changed.isEmpty())
            return tr("Move %1").arg(nameList(moved));
        if (!changed.isEmpty() && changed.size() <= 3)
            return tr("Change %1").arg(changed.join(QStringLiteral(", ")));
    }
    QStringList all = added + removed + touched;
    all.removeDuplicates();
    return all.isEmpty() ? tr("Change %1").arg(formAfter) : tr("Change %1").arg(nameList(all));
}

TFormDocument::TFormDocument(QObject *parent)
    : QObject(parent), m_designer(std::make_unique<TFormDesigner>(QStringLiteral("Form1"))),
      m_undoStack(std::make_unique<QUndoStack>())
{
    m_undoStack->setUndoLimit(UndoLimit);
    RegisterDesignNotification(this);
    connect(m_undoStack.get(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
    m_last = TFormEntries::Of(m_designer->GetRoot());
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
    record(Text, true);
}

void TFormDocument::RecordChange(const QString &Text, const QList<QObject *> &Touched)
{
    touch(Touched);
    record(Text, false);
}

void TFormDocument::CommitChange(const QString &Text, const QList<QObject *> &Touched)
{
    RecordChange(Text, Touched);
    const QScopedValueRollback announcing(m_announcing, true);
    m_designer->Modified();
}

void TFormDocument::FlushPendingChange()
{
    if (m_pending)
        record(QString(), false);
}

void TFormDocument::record(const QString &Text, bool Whole)
{
    m_pending = false;
    TFormTouched touched = std::exchange(m_touched, {});
    touched.Whole = touched.Whole || Whole;
    m_placed = false;
    if (m_applying || m_designer->IsClosed())
        return;
    if (std::unique_ptr<TFormChangeCommand> step =
            TFormChangeCommand::Record(this, m_last, m_designer->GetRoot(), Text, &touched))
        m_undoStack->push(step.release());
}

void TFormDocument::touch(const QList<QObject *> &Objects)
{
    const TComponent *root = m_designer->GetRoot();
    for (QObject *object : Objects)
        if (!m_touched.Add(root, object))
            m_touched.Whole = true; // what it changed is not known
}

namespace {

// The bytes a step holds, with those of the steps it is made of (a macro).
qsizetype bytesOf(const QUndoCommand *Step)
{
    const auto *change = dynamic_cast<const TFormChangeCommand *>(Step);
    qsizetype bytes = change ? change->Bytes() : 0;
    for (int i = 0; i < Step->childCount(); ++i)
        bytes += bytesOf(Step->child(i));
    return bytes;
}

void appendComponentsOf(const QUndoCommand *Step, QStringList &Names)
{
    if (const auto *change = dynamic_cast<const TFormChangeCommand *>(Step))
        for (const QString &name : change->Components())
            if (!Names.contains(name))
                Names.append(name);
    for (int i = 0; i < Step->childCount(); ++i)
        appendComponentsOf(Step->child(i), Names);
}

} // namespace

qsizetype TFormDocument::UndoBytes() const
{
    qsizetype bytes = 0;
    for (int i = 0; i < m_undoStack->count(); ++i)
        bytes += bytesOf(m_undoStack->command(i));
    return bytes;
}

QStringList TFormDocument::StepComponents(int Index) const
{
    QStringList names;
    if (const QUndoCommand *step = m_undoStack->command(Index))
        appendComponentsOf(step, names);
    return names;
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
    m_kept = {};
    m_openProblems.clear();
    m_damagedFile.clear();
    m_fileName.clear();
    emit FileNameChanged(m_fileName);
}

bool TFormDocument::Open(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EHostError(tr("Cannot open %1: %2").arg(FileName, file.errorString()));
    const QByteArray text = file.readAll();
    // The form is built aside and takes over only once the user has what can be read.
    auto designer = std::make_unique<TFormDesigner>(QStringLiteral("Form1"));
    TFormReadReport report;
    try {
        report = ReadFormTextTolerant(designer.get(), text);
    } catch (const EHostError &error) {
        designer->Close();
        throw EHostError(tr("Cannot open %1: %2").arg(FileName, error.Message()));
    }
    if (!report.Problems.isEmpty() &&
        !HostDialogs().ConfirmFormProblems(nullptr, FileName, report.Problems)) {
        designer->Close();
        return false;
    }
    replaceDesigner(std::move(designer));
    m_kept = std::move(report.Kept);
    m_openProblems = report.Problems;
    m_damagedFile = m_openProblems.isEmpty() ? QString() : QFileInfo(FileName).absoluteFilePath();
    m_fileName = FileName;
    addRecentFile(FileName);
    emit FileNameChanged(m_fileName);
    return true;
}

bool TFormDocument::Save(const QString &FileName)
{
    FlushPendingChange();
    const bool overDamaged =
        !m_damagedFile.isEmpty() && QFileInfo(FileName).absoluteFilePath() == m_damagedFile;
    if (overDamaged &&
        MessageDlg(tr("%1 opened with problems: what could not be read will be missing from it "
                      "(values this version does not know are kept). Save over it?")
                       .arg(FileName),
                   mtConfirmation, mbYes | mbNo) != mrYes)
        return false;
    const QByteArray text = WriteFormText(m_designer.get(), m_kept);
    // QSaveFile writes beside the old file and renames over it only once all is written.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EHostError(tr("Cannot save %1: %2").arg(FileName, reason));
    }
    m_undoStack->setClean();
    if (overDamaged) {
        m_damagedFile.clear();
        m_openProblems.clear();
    }
    if (m_fileName != FileName) {
        m_fileName = FileName;
        emit FileNameChanged(m_fileName);
    }
    addRecentFile(FileName);
    return true;
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
        RecordChange(tr("Paste"), {}); // the placed ones were announced
        throw;
    }
    QList<QObject *> objects;
    for (TComponent *component : std::as_const(pasted))
        objects.append(component->Object());
    RecordChange(tr("Paste"), objects);
    return pasted;
}

void TFormDocument::applyStep(const TFormChangeCommand &Step, bool After)
{
    if (m_designer->IsClosed())
        return;
    m_applying = true;
    const TComponent *root = m_designer->GetRoot();
    QList<QPointer<QObject>> existing; // those that go read as null
    QStringList order;
    for (TComponent *component : FormComponents(root)) {
        if (component->Owner() == root)
            existing.append(component->Object());
        order.append(component->Name());
    }
    // A change announced and not recorded yet, or a step that failed half way, leaves the form
    // other than the steps know it: then the whole form is read again for the next change.
    bool whole = m_pending;
    TFormPart part = Step.Part(After, order);
    if (whole) // the components may not be as the step knows them
        for (TFormPart::TEntry &entry : part.Components)
            entry.Now.reset();
    try {
        ReadFormPart(m_designer.get(), part);
    } catch (...) {
        whole = true;
        HandleHostException();
    }
    try {
        if (whole)
            m_last = TFormEntries::Of(root);
        else
            m_last.Refresh(root, part);
    } catch (...) {
        HandleHostException();
    }
    m_pending = false;
    m_touched = {};
    m_placed = false;
    // Design windows and the inspector read the form again; this notice is not a change.
    try {
        m_designer->Modified();
    } catch (...) {
        HandleHostException();
    }
    selectMadeAgain(existing);
    m_applying = false;
}

void TFormDocument::selectMadeAgain(const QList<QPointer<QObject>> &Existing)
{
    // Components a step made again (an undone deletion, a redone paste) are selected, so the
    // person sees what came back.
    const TComponent *root = m_designer->GetRoot();
    QList<QObject *> made;
    for (int i = 0; root && i < root->ComponentCount(); ++i)
        if (QObject *object = root->Components(i)->Object(); !Existing.contains(object))
            made.append(object);
    if (made.isEmpty())
        return;
    try {
        m_designer->SetSelections(made);
    } catch (...) {
        HandleHostException();
    }
}

void TFormDocument::replaceDesigner(std::unique_ptr<TFormDesigner> Designer)
{
    m_pending = false;
    m_touched = {};
    m_placed = false;
    std::unique_ptr<TFormDesigner> old = std::exchange(m_designer, std::move(Designer));
    old->Close();
    m_undoStack->clear();
    m_last = TFormEntries::Of(m_designer->GetRoot());
    emit DesignerReplaced(m_designer.get());
}

void TFormDocument::ItemDeleted(IDesigner *ADesigner, QObject *)
{
    // What went is found by comparing the components with those last recorded; the notice
    // says only that the next change is known.
    if (!m_applying && ADesigner == m_designer.get())
        m_placed = true;
}

void TFormDocument::ItemInserted(IDesigner *ADesigner, QObject *Item)
{
    if (m_applying || ADesigner != m_designer.get() || !Item)
        return;
    touch({Item});
    m_placed = true;
}

void TFormDocument::ItemsModified(IDesigner *ADesigner)
{
    if (m_applying || m_announcing || ADesigner != m_designer.get())
        return;
    // What changed: the objects the change names, else what was placed or deleted. A change
    // that names nothing (a designer page, the columns editor) may have been written to any
    // component, whatever is selected: the whole form is compared.
    const QList<QObject *> named = m_designer->ModifiedObjects();
    if (!named.isEmpty())
        touch(named);
    else if (!m_placed)
        m_touched.Whole = true;
    if (m_pending)
        return;
    // Recorded once the change is over: a designer page announces a change before the rest
    // of it (a grid refresh, another property) is done, often several times in a row.
    m_pending = true;
    QMetaObject::invokeMethod(this, &TFormDocument::FlushPendingChange, Qt::QueuedConnection);
}
