#include "compedit.h"

#include <QAction>
#include <QMenu>
#include <vector>

#include "hosterrors.h"
#include "hostmessages.h"
#include "persistent.h"
#include "propedit.h"
#include "registration.h"

namespace {

// Events a double-click edits, best first; any other event ranks below them.
constexpr const char *PreferredEvents[] = {"OnCreate", "OnChange", "OnClick"};

int eventRank(const QString &Name)
{
    const int count = int(std::size(PreferredEvents));
    for (int i = 0; i < count; ++i)
        if (Name.compare(QLatin1String(PreferredEvents[i]), Qt::CaseInsensitive) == 0)
            return count + 1 - i;
    return 1;
}

} // namespace

TDefaultEditor::TDefaultEditor(const TComponentEditorArgs &Args)
    : m_object(Args.Component ? Args.Component->Object() : nullptr), m_component(Args.Component),
      m_designer(Args.Designer)
{
}

TDefaultEditor::~TDefaultEditor() = default;

TComponent *TDefaultEditor::Component() const
{
    return m_object ? m_component : nullptr;
}

void TDefaultEditor::Edit()
{
    TComponent *component = Component();
    if (!component)
        return;
    std::vector<std::unique_ptr<TPropertyEditor>> events;
    GetComponentProperties(
        m_designer, {component->Object()},
        [&](std::unique_ptr<TPropertyEditor> Prop) { events.push_back(std::move(Prop)); },
        [](PPropInfo Info) { return Info->Kind == TTypeKind::tkMethod; });
    m_best = nullptr;
    m_bestRank = 0;
    bool proceed = true;
    for (const auto &event : events) {
        EditProperty(event.get(), proceed);
        if (!proceed)
            break;
    }
    TPropertyEditor *best = m_best;
    m_best = nullptr;
    if (best)
        best->Edit();
}

void TDefaultEditor::ExecuteVerb(int) {}

QString TDefaultEditor::GetVerb(int)
{
    return {};
}

int TDefaultEditor::GetVerbCount()
{
    return 0;
}

void TDefaultEditor::Copy() {}

void TDefaultEditor::PrepareItem(int, QAction *) {}

void TDefaultEditor::EditProperty(TPropertyEditor *Prop, bool &)
{
    if (!Prop)
        return;
    const int rank = eventRank(Prop->GetName());
    if (rank > m_bestRank) {
        m_best = Prop;
        m_bestRank = rank;
    }
}

std::unique_ptr<TDefaultEditor> CreateComponentEditor(const QMetaObject *EditorClass,
                                                      TComponent *Component, IDesigner *Designer)
{
    if (!EditorClass || !EditorClass->inherits(&TDefaultEditor::staticMetaObject))
        throw EInvalidOperation(QStringLiteral("%1 is not a component editor class")
                                    .arg(EditorClass ? QString::fromLatin1(EditorClass->className())
                                                     : QStringLiteral("nil")));
    const TComponentEditorArgs args{Component, Designer};
    QObject *object = EditorClass->newInstance(Q_ARG(TComponentEditorArgs, args));
    if (!object)
        throw EInvalidOperation(
            QStringLiteral(
                "Component editor class %1 has no constructor (const TComponentEditorArgs &)")
                .arg(QString::fromLatin1(EditorClass->className())));
    return std::unique_ptr<TDefaultEditor>(static_cast<TDefaultEditor *>(object));
}

std::unique_ptr<TDefaultEditor> GetComponentEditor(TComponent *Component, IDesigner *Designer)
{
    if (!Component || !Component->Object())
        throw EInvalidOperation(QStringLiteral("No component to edit"));
    const QMetaObject *editorClass = GetComponentEditorClass(Component->Object()->metaObject());
    return CreateComponentEditor(editorClass ? editorClass : &TDefaultEditor::staticMetaObject,
                                 Component, Designer);
}

int AddComponentVerbs(QMenu *Menu, TDefaultEditor *Editor)
{
    if (!Menu || !Editor)
        return 0;
    const int count = Editor->GetVerbCount();
    for (int i = 0; i < count; ++i) {
        const QString verb = Editor->GetVerb(i);
        if (verb == QLatin1String("-")) {
            Menu->addSeparator();
            continue;
        }
        QAction *action = Menu->addAction(verb);
        Editor->PrepareItem(i, action);
        QPointer<TDefaultEditor> editor(Editor);
        QObject::connect(action, &QAction::triggered, Editor, [editor, i] {
            if (!editor)
                return;
            // A verb's error goes to the host's report, never into the menu's event loop.
            try {
                editor->ExecuteVerb(i);
            } catch (...) {
                HandleHostException();
            }
        });
    }
    return count;
}

void EditComponent(TComponent *Component, IDesigner *Designer)
{
    try {
        GetComponentEditor(Component, Designer)->Edit();
    } catch (...) {
        HandleHostException();
    }
}
