#pragma once
// The property sheet Qt Designer's property editor shows for a package widget, and the one path
// by which the plugin's own windows write a property of a widget on a form.
//
// The sheet offers what a Qt developer edits in Designer, in the types Designer has editors for:
// - links to other components (DataSource, DataSet, SQLConnection, MasterGrid, ...) as the
//   linked component's name, those of sub-objects by their path ("Totals.DataSource"); a name is
//   looked up among the form's components of the class the link takes; a name that is not there
//   changes nothing and says so without a modal box;
// - the component's texts a placeholder keeps (DatabaseName, CommandText, ...);
// - colours as QColor and cursors as QCursor, under the Qt-style name ("fillerColor" for
//   FillerColor), while the host's number stays the property saved, so uic and QUiLoader set
//   it as before; the package's Cursor gives way to the widget's own cursor, which Designer
//   would otherwise hide beside it. clDefault shows as the colour the component uses for it
//   (a grid's filler its window colour), clNone as transparent (a colour picked with no opacity
//   is clDefault); a colour shown for clDefault or a named system colour and written back
//   unchanged keeps what it was, and undo brings it back;
// - one geometry, one enabled, one visible: the package's Left/Top/Width/Height and
//   Enabled/Visible mirrors are not offered;
// - formText, the storage of everything else, is not offered for typing (Designer still saves
//   it, and the package's windows write it through Designer's commands); a text that does not
//   read is refused as a whole.
// Values Designer has no editor for (sub-objects, collections, fonts, events) stay in formText
// and are not offered. Links and the placeholder's texts are saved in formText only.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtDesigner/private/qdesigner_propertysheet_p.h>

class QDesignerFormWindowInterface;
class QWidget;
class TComponent;
struct TPropInfo;

class TKorPropertySheet : public QDesignerPropertySheet {
    Q_OBJECT
public:
    TKorPropertySheet(QWidget *Widget, QObject *Parent);

    bool isVisible(int Index) const override;
    bool isChanged(int Index) const override;
    void setChanged(int Index, bool Changed) override;
    bool hasReset(int Index) const override;
    bool reset(int Index) override;
    QVariant property(int Index) const override;
    void setProperty(int Index, const QVariant &Value) override;

private:
    // Shown: a property of Designer's own that stands for a package property of the same name
    // (the widget's cursor), offered although Designer would hide it beside that one.
    enum class TRole { Plain, Shown, Hidden, Link, Text, Color, Cursor, FormText };
    TRole roleOf(int Index) const { return m_roles.value(Index, TRole::Plain); }
    // Writes a link by the name of the component it is to name; false when nothing changed.
    bool setLink(int Index, const QString &Name);
    // Whether the property is the sheet's own view of a value saved elsewhere.
    bool isOwnValue(int Index) const;
    // Writes Raw to the host's number a colour or cursor property stands for; it is saved.
    void writeAliased(int Index, qint32 Raw);
    // A value written here changed the component's formText: it is saved with the form.
    void formTextChanged();
    // Shows a problem with a value where the user sees it, without a modal box.
    void notify(const QString &Message) const;
    // The raw value kept for a shown value, when the sheet showed it for one (so undo and an
    // unchanged colour bring back a system colour by its name).
    bool rememberedRaw(int Index, const QVariant &Shown, qint32 &Raw) const;
    void remember(int Index, const QVariant &Shown, qint32 Raw) const;

    QWidget *m_widget;
    TComponent *m_component;
    QHash<int, TRole> m_roles;
    // A colour's or cursor's property: the index of the host's number it shows.
    QHash<int, int> m_aliasOf;
    // Text typed for a link that names no component of the form yet, kept while it is typed.
    QHash<int, QString> m_pending;
    QMetaObject::Connection m_pendingEnds;
    mutable QHash<int, QList<QPair<QVariant, qint32>>> m_shown;
};

// Makes a TKorPropertySheet for every widget that stands for a component.
class TKorPropertySheetFactory : public QDesignerAbstractPropertySheetFactory {
    Q_OBJECT
public:
    explicit TKorPropertySheetFactory(QExtensionManager *Parent);
    // Registers a factory with Manager for Designer's property sheets of package widgets.
    static void Register(QExtensionManager *Manager);

private:
    QObject *createPropertySheet(QObject *Object, QObject *Parent) const override;
};

// The links of Component (published properties naming another component), by name, then the
// links of its persistent sub-objects by their path ("Totals.DataSource").
QStringList ComponentLinks(const TComponent *Component);

// Where a link of ComponentLinks lives: the object holding it and the property's name there.
// Owner is nullptr when Instance has no such path.
struct TLinkSlot {
    QObject *Owner = nullptr;
    QString Property;
};
TLinkSlot LinkSlot(QObject *Instance, const QString &Path);

// Sets property Name of Widget, a widget of Form, to Value through Designer's property command,
// as the property editor does, so that Designer's undo takes it back. False when the widget's
// property sheet has no such property.
bool WriteDesignerProperty(QDesignerFormWindowInterface *Form, QWidget *Widget, const QString &Name,
                           const QVariant &Value);

// Clears every link of Form's components to the component of Removed (or of a widget in it),
// each through WriteDesignerProperty: within Designer's delete command the links come back with
// the widget on undo.
void ClearLinksTo(QDesignerFormWindowInterface *Form, QWidget *Removed);
