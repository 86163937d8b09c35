#include "uicomponents.h"

#include "columnsdialog.h"
#include "db.h"
#include "sqldata.h"

// First cut: the shapes of the .ui support; the text itself follows.

QString ComponentFormText(const TComponent *)
{
    return {};
}

void ApplyComponentFormText(TComponent *, const QString &) {}

QWidget *ComponentWidget(const TComponent *Component)
{
    return qobject_cast<QWidget *>(const_cast<QObject *>(Component ? Component->Object() : nullptr));
}

TComponent *WidgetComponent(QWidget *Widget)
{
    if (auto *placeholder = qobject_cast<TComponentPlaceholder *>(Widget))
        return placeholder->Component();
    return AsComponent(Widget);
}

const QMetaObject *UiWidgetClass(const QMetaObject *Class)
{
    return Class;
}

QWidget *CreateUiWidget(const QMetaObject *, QWidget *)
{
    return nullptr;
}

TComponentPlaceholder::TComponentPlaceholder(std::unique_ptr<TComponent> Component,
                                             QWidget *Parent)
    : QWidget(Parent), m_component(std::move(Component))
{
}

TComponentPlaceholder::~TComponentPlaceholder() = default;

TComponent *TComponentPlaceholder::Component() const
{
    return m_component.get();
}

QString TComponentPlaceholder::FormText() const
{
    return ComponentFormText(m_component.get());
}

void TComponentPlaceholder::SetFormText(const QString &Text)
{
    ApplyComponentFormText(m_component.get(), Text);
}

TDataSourcePlaceholder::TDataSourcePlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TDataSource>(), Parent)
{
}

TSQLConnectionPlaceholder::TSQLConnectionPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TSQLConnection>(), Parent)
{
}

TSQLDataSetPlaceholder::TSQLDataSetPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TSQLDataSet>(), Parent)
{
}

TKorDBColumnsDialogPlaceholder::TKorDBColumnsDialogPlaceholder(QWidget *Parent)
    : TComponentPlaceholder(std::make_unique<TKorDBColumnsDialog>(), Parent)
{
}
