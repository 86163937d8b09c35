#include "linksdialog.h"

#include <QComboBox>
#include <QDesignerFormWindowInterface>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QUndoStack>
#include <QVBoxLayout>

#include "formwindowdesigner.h"
#include "hostmessages.h"
#include "persistent.h"
#include "pluginhost.h"
#include "propertysheet.h"
#include "runthenalways.h"
#include "typinfo.h"
#include "uicomponents.h"

TLinksDialog::TLinksDialog(QDesignerFormWindowInterface *Form, QWidget *Widget, QWidget *Parent)
    : QDialog(Parent), m_form(Form), m_widget(Widget)
{
    setObjectName(QStringLiteral("LinksDialog"));
    TComponent *component = WidgetComponent(Widget);
    TDesignerPluginHost *host = TDesignerPluginHost::Current();
    TFormWindowDesigner *designer = host ? host->DesignerOf(Form) : nullptr;
    setWindowTitle(tr("Links of %1").arg(component ? component->Name() : QString()));

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    if (component && designer) {
        // The component's own links, then those of its sub-objects by their path.
        for (const QString &link : ComponentLinks(component)) {
            const TLinkSlot slot = LinkSlot(component->Object(), link);
            if (!slot.Owner)
                continue;
            auto *box = new QComboBox(this);
            box->setObjectName(link);
            box->addItem(NoneText());
            const QMetaObject *cls = GetObjectPropClass(slot.Owner, slot.Property);
            designer->GetComponentNames(cls, [&](const QString &Name) {
                if (Name.compare(component->Name(), Qt::CaseInsensitive) != 0)
                    box->addItem(Name);
            });
            const TComponent *linked = AsComponent(GetObjectProp(slot.Owner, slot.Property));
            box->setCurrentIndex(linked ? std::max(0, box->findText(linked->Name())) : 0);
            form->addRow(link + QLatin1Char(':'), box);
            m_links.append({link, box});
        }
    }
    if (m_links.isEmpty())
        layout->addWidget(new QLabel(tr("This component has no links."), this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(qMax(sizeHint().width(), 360), sizeHint().height());
}

QString TLinksDialog::NoneText()
{
    return tr("(none)");
}

bool TLinksDialog::Apply()
{
    TComponent *component = m_widget ? WidgetComponent(m_widget) : nullptr;
    if (!m_form || !component)
        return false;
    QList<QPair<QString, QString>> changes;
    for (const auto &[name, box] : m_links) {
        const QString chosen = box->currentIndex() <= 0 ? QString() : box->currentText();
        const TLinkSlot slot = LinkSlot(component->Object(), name);
        const TComponent *linked =
            slot.Owner ? AsComponent(GetObjectProp(slot.Owner, slot.Property)) : nullptr;
        if (chosen != (linked ? linked->Name() : QString()))
            changes.append({name, chosen});
    }
    if (changes.isEmpty())
        return false;
    QDesignerFormWindowInterface *form = m_form;
    RunThenAlways(
        [&] {
            form->beginCommand(tr("Change links of %1").arg(component->Name()));
            for (const auto &[name, value] : changes)
                WriteDesignerProperty(form, m_widget, name, value);
        },
        [&] { form->endCommand(); });
    return true;
}

TLinksDialog *TLinksDialog::Open(QDesignerFormWindowInterface *Form, QWidget *Widget)
{
    auto *dialog = new TLinksDialog(Form, Widget, Form ? Form->window() : nullptr);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, dialog, [dialog] {
        try {
            dialog->Apply();
        } catch (...) {
            HandleHostException();
        }
    });
    dialog->open();
    return dialog;
}
