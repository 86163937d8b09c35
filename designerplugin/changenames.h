#pragma once
// The names of the undo steps the package's windows make on a form: after the command the user
// gave (a button or a menu entry of the window, "Add All Fields"), else after what changed:
// "Change Title.Caption of Company" for one value of an item of a collection (named by its field
// or caption), "Change Options of grid1" for a value of the widget.

#include <QList>
#include <QString>
#include <QVariant>

struct TNamedChange {
    // The widget's object name and the property that changed.
    QString ObjectName;
    QString Property;
    QVariant Before;
    QVariant After;
};

// The step's name for Changes, all made by one command of a package window.
QString DescribeWidgetChanges(const QList<TNamedChange> &Changes);
// A command's text as a step name: without its mnemonic marks and trailing dots.
QString CommandStepName(QString Text);
