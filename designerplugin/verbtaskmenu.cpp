#include "verbtaskmenu.h"

#include <QAction>
#include <QWidget>

#include "compedit.h"
#include "formwindowdesigner.h"
#include "hostmessages.h"
#include "pluginhost.h"
#include "uicomponents.h"

TVerbTaskMenu::TVerbTaskMenu(QWidget *Widget, QObject *Parent) : QObject(Parent), m_widget(Widget)
{
}

TVerbTaskMenu::~TVerbTaskMenu()
{
    qDeleteAll(m_actions);
}

QList<QAction *> TVerbTaskMenu::taskActions() const
{
    qDeleteAll(m_actions);
    m_actions.clear();
    TDesignerPluginHost *host = TDesignerPluginHost::Current();
    TComponent *component = m_widget ? WidgetComponent(m_widget) : nullptr;
    TFormWindowDesigner *designer = host ? host->DesignerOfWidget(m_widget) : nullptr;
    if (!component || !designer)
        return {};
    try {
        const std::unique_ptr<TDefaultEditor> editor = GetComponentEditor(component, designer);
        const int count = editor->GetVerbCount();
        for (int i = 0; i < count; ++i) {
            auto *action = new QAction(editor->GetVerb(i));
            if (action->text() == QLatin1String("-")) {
                action->setText(QString());
                action->setSeparator(true);
            } else {
                editor->PrepareItem(i, action);
                connect(action, &QAction::triggered, this, [this, i] { RunVerb(i); });
            }
            m_actions.append(action);
        }
    } catch (...) {
        HandleHostException();
    }
    return m_actions;
}

void TVerbTaskMenu::RunVerb(int Index) const
{
    TDesignerPluginHost *host = TDesignerPluginHost::Current();
    TComponent *component = m_widget ? WidgetComponent(m_widget) : nullptr;
    TFormWindowDesigner *designer = host ? host->DesignerOfWidget(m_widget) : nullptr;
    if (!component || !designer)
        return;
    try {
        // What the window changes is compared with the form as it is now.
        designer->TakeSnapshot();
        GetComponentEditor(component, designer)->ExecuteVerb(Index);
    } catch (...) {
        HandleHostException();
    }
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
