#include "verbtaskmenu.h"

#include <QAction>
#include <QWidget>

#include "compedit.h"
#include "formwindowdesigner.h"
#include "hostmessages.h"
#include "linksdialog.h"
#include "pluginhost.h"
#include "propertysheet.h"
#include "uicomponents.h"

TVerbTaskMenu::TVerbTaskMenu(QWidget *Widget, QObject *Parent)
    : QObject(Parent), m_widget(Widget), m_editAction(new QAction(tr("Edit..."), this)),
      m_linksAction(new QAction(tr("Links..."), this)), m_linksSeparator(new QAction(this))
{
    connect(m_editAction, &QAction::triggered, this, &TVerbTaskMenu::RunEdit);
    connect(m_linksAction, &QAction::triggered, this, &TVerbTaskMenu::OpenLinks);
    m_linksSeparator->setSeparator(true);
}

TVerbTaskMenu::~TVerbTaskMenu()
{
    qDeleteAll(m_actions);
}

template <typename Action> void TVerbTaskMenu::withEditor(Action &&Run) const
{
    TDesignerPluginHost *host = TDesignerPluginHost::Current();
    TComponent *component = m_widget ? WidgetComponent(m_widget) : nullptr;
    TFormWindowDesigner *designer = host ? host->DesignerOfWidget(m_widget) : nullptr;
    if (!component || !designer)
        return;
    try {
        Run(*GetComponentEditor(component, designer), *designer);
    } catch (...) {
        HandleHostException();
    }
}

QAction *TVerbTaskMenu::preferredEditAction() const
{
    QAction *action = nullptr;
    withEditor([&](TDefaultEditor &Editor, TFormWindowDesigner &) {
        if (Editor.metaObject() != &TDefaultEditor::staticMetaObject)
            action = m_editAction;
    });
    return action;
}

QList<QAction *> TVerbTaskMenu::taskActions() const
{
    qDeleteAll(m_actions);
    m_actions.clear();
    withEditor([this](TDefaultEditor &Editor, TFormWindowDesigner &) {
        const int count = Editor.GetVerbCount();
        for (int i = 0; i < count; ++i) {
            auto *action = new QAction(Editor.GetVerb(i));
            if (action->text() == QLatin1String("-")) {
                action->setText(QString());
                action->setSeparator(true);
            } else {
                Editor.PrepareItem(i, action);
                connect(action, &QAction::triggered, this, [this, i] { RunVerb(i); });
            }
            m_actions.append(action);
        }
    });
    QList<QAction *> actions = m_actions;
    if (!ComponentLinks(m_widget ? WidgetComponent(m_widget) : nullptr).isEmpty()) {
        if (!actions.isEmpty())
            actions.append(m_linksSeparator);
        actions.append(m_linksAction);
    }
    return actions;
}

void TVerbTaskMenu::RunVerb(int Index) const
{
    withEditor([Index](TDefaultEditor &Editor, TFormWindowDesigner &Designer) {
        // What the window changes is compared with the form as it is now.
        Designer.TakeSnapshot();
        Editor.ExecuteVerb(Index);
    });
}

void TVerbTaskMenu::RunEdit() const
{
    withEditor([](TDefaultEditor &Editor, TFormWindowDesigner &Designer) {
        Designer.TakeSnapshot();
        Editor.Edit();
    });
}

void TVerbTaskMenu::OpenLinks() const
{
    withEditor([this](TDefaultEditor &, TFormWindowDesigner &Designer) {
        TLinksDialog::Open(Designer.FormWindow(), m_widget);
    });
}

TVerbTaskMenuFactory::TVerbTaskMenuFactory(QExtensionManager *Parent) : QExtensionFactory(Parent) {}

QObject *TVerbTaskMenuFactory::createExtension(QObject *Object, const QString &Iid,
                                               QObject *Parent) const
{
    auto *widget = qobject_cast<QWidget *>(Object);
    if (Iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)) || !widget ||
        !WidgetComponent(widget))
        return nullptr;
    return new TVerbTaskMenu(widget, Parent);
}
