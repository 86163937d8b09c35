#pragma once
// The "Links..." window of a package widget in Qt Designer: one combo box per link of the
// widget's component (those of its sub-objects by their path, "Totals.DataSource"), listing
// "(none)" and the form's components of the class the link takes.
// Its OK writes the links chosen as one undo step of the form.

#include <QDialog>
#include <QList>
#include <QPair>
#include <QPointer>

class QComboBox;
class QDesignerFormWindowInterface;

class TLinksDialog : public QDialog {
    Q_OBJECT
public:
    TLinksDialog(QDesignerFormWindowInterface *Form, QWidget *Widget, QWidget *Parent = nullptr);

    // The text of the entry that clears a link.
    static QString NoneText();
    // Writes the links that differ from the component's as one command of the form (named after
    // the component); false when none differs.
    bool Apply();

    // Opens the window for Widget (not waiting for it); OK applies, Cancel changes nothing.
    static TLinksDialog *Open(QDesignerFormWindowInterface *Form, QWidget *Widget);

private:
    QPointer<QDesignerFormWindowInterface> m_form;
    QPointer<QWidget> m_widget;
    // The link's property name and its combo box.
    QList<QPair<QString, QComboBox *>> m_links;
};
