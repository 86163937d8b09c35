#include "pagebuilder.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>

#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/updown.h"

namespace {

// Keeps a caption-less switch check box over the start of the caption of whichever of its two
// groups is shown.
class TCaptionOverlay : public QObject {
public:
    TCaptionOverlay(QWidget *CheckBox, QWidget *First, QWidget *Second)
        : QObject(CheckBox), m_checkBox(CheckBox), m_first(First), m_second(Second)
    {
        First->installEventFilter(this);
        if (Second)
            Second->installEventFilter(this);
        place();
    }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        switch (Event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    void place()
    {
        QWidget *group = m_first && !m_first->isHidden() ? m_first.data() : m_second.data();
        if (!group || !m_checkBox)
            return;
        m_checkBox->adjustSize();
        const QPoint at = group->mapTo(m_checkBox->parentWidget(), QPoint(6, 0));
        m_checkBox->move(at);
        m_checkBox->raise();
    }

    QPointer<QWidget> m_checkBox;
    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
};

QString replaceSuffix(const QString &Name, const QStringList &Suffixes, const QString &By)
{
    for (const QString &suffix : Suffixes)
        if (Name.endsWith(suffix))
            return Name.left(Name.size() - suffix.size()) + By;
    return Name + By;
}

QString labelName(const QString &Control)
{
    static const QStringList suffixes{QStringLiteral("ComboBox"), QStringLiteral("ColorBox"),
                                      QStringLiteral("Edit"), QStringLiteral("Memo")};
    return replaceSuffix(Control, suffixes, QStringLiteral("Label"));
}

QString lastSegment(const char *Path)
{
    const QString path = QString::fromLatin1(Path ? Path : "");
    return path.section(QLatin1Char('.'), -1);
}

QWidget *makeControl(TControlClass Class, QWidget *Parent)
{
    switch (Class) {
    case TControlClass::CheckBox:
        return new TCheckBox(Parent);
    case TControlClass::ComboBox:
        return new TComboBox(Parent);
    case TControlClass::ColorBox:
        return new TColorBox(Parent);
    case TControlClass::Edit:
        return new TEdit(Parent);
    case TControlClass::Memo:
        return new TMemo(Parent);
    case TControlClass::GroupBox:
        return new TGroupBox(Parent);
    case TControlClass::Any:
        break;
    }
    return nullptr;
}
} // namespace

TPageBuilder::TPageBuilder(QWidget *TabSheet, const TPageTable &Table, QWidget *Form)
    : m_table(Table), m_form(Form)
{
    TPageContainer &sheet = m_containers[QString::fromLatin1(OnSheet)];
    sheet.widget = TabSheet;
    sheet.content = TabSheet;
    sheet.placed = true;
}

void TPageBuilder::MakeGroups()
{
    for (const TPageGroup &group : m_table.Groups) {
        const QString name = QString::fromLatin1(group.Name);
        if (m_containers.contains(name))
            throw EHostError(QStringLiteral("group %1 is declared twice").arg(name));
        if (QWidget *sheet = foreignSheet(group.Parent)) {
            // A group of another page: its rows are made here and placed by that page.
            TPageContainer &c = m_containers[name];
            c.group = &group;
            c.content = sheet;
            c.placed = true;
            c.foreign = true;
            continue;
        }
        TPageContainer &parent = containerOf(group.Parent, name);
        TPageContainer &c = m_containers[name];
        c.group = &group;
        switch (group.Kind) {
        case TGroupKind::GroupBox:
            c.widget = c.content = new TGroupBox(
                QString::fromUtf8(group.Caption ? group.Caption : ""), parent.content);
            break;
        case TGroupKind::Panel: {
            auto *panel = new QFrame(parent.content);
            c.widget = c.content = panel;
            break;
        }
        case TGroupKind::ScrollBox: {
            auto *scroll = new QScrollArea(parent.content);
            scroll->setWidgetResizable(true);
            scroll->setFrameShape(QFrame::StyledPanel);
            auto *inner = new QWidget;
            inner->setObjectName(name + QStringLiteral("Contents"));
            scroll->setWidget(inner);
            c.widget = scroll;
            c.content = inner;
            break;
        }
        }
        c.widget->setObjectName(name);
    }
    // The groups on the tab sheet are laid out in table order; a group inside another group
    // takes its place in its parent's flow where a row first names it (or it).
    for (const TPageGroup &group : m_table.Groups)
        if (QString::fromLatin1(group.Parent) == QLatin1String(OnSheet))
            place(QString::fromLatin1(group.Name));
}

// Makes the control of a row (and its label and spinner) and puts it into its container.
QWidget *TPageBuilder::MakeRow(const TPageRow &Row)
{
    const QString name = QString::fromLatin1(Row.Control);
    auto group = m_containers.find(name);
    if (group != m_containers.end() && group->group) {
        // A group bound as a whole.
        if (QString::fromLatin1(group->group->Parent) != QString::fromLatin1(Row.Group))
            throw EHostError(QStringLiteral("group %1 lies in %2, not in %3")
                                 .arg(name, QString::fromLatin1(group->group->Parent),
                                      QString::fromLatin1(Row.Group)));
        place(name);
        return group->widget;
    }

    // A control that another page's row made for this page's group is placed here.
    if (Row.Factory == TFactory::Unbound && m_form)
        if (auto *made = m_form->findChild<QWidget *>(name)) {
            TPageContainer &c = containerOf(Row.Group, name);
            place(QString::fromLatin1(Row.Group));
            auto *label = m_form->findChild<QWidget *>(labelName(name));
            auto *spinner = m_form->findChild<QWidget *>(
                replaceSuffix(name, {QStringLiteral("Edit")}, QStringLiteral("UpDown")));
            for (QWidget *w : {made, label, spinner})
                if (w) {
                    w->setParent(c.content);
                    w->show();
                }
            addEntry(c, label, made, spinner, Row.Place, Row.BesideOf);
            return made;
        }

    TControlClass cls = Row.Factory == TFactory::Unbound ? ControlClassOfName(name)
                                                         : FactoryControlClass(Row.Factory);
    if (cls == TControlClass::Any)
        throw EHostError(QStringLiteral("%1: %2 needs a group box declared as a group")
                             .arg(name, QString::fromLatin1(FactoryName(Row.Factory))));
    const QString groupName = QString::fromLatin1(Row.Group);
    TPageContainer &c = containerOf(Row.Group, name);
    place(groupName);

    // A caption-less switch on the sheet lies over the caption of the groups it switches; so
    // does an unbound check box on the sheet that names two groups as a switch does.
    const bool switchLike = Row.Factory == TFactory::AddSwitchProp ||
                            (Row.Factory == TFactory::Unbound && Row.Args.ShowControl);
    if (switchLike && groupName == QLatin1String(OnSheet)) {
        QWidget *show = widgetOf(Row.Args.ShowControl);
        QWidget *hide = widgetOf(Row.Args.HideControl);
        QWidget *host = show && show->parentWidget() ? show->parentWidget() : c.content;
        auto *check = new TCheckBox(host);
        check->setObjectName(name);
        if (Row.Caption && *Row.Caption)
            check->setText(QString::fromUtf8(Row.Caption));
        if (show)
            new TCaptionOverlay(check, show, hide);
        return check;
    }

    QWidget *control = makeControl(cls, c.content);
    control->setObjectName(name);
    const QString caption = Row.Caption ? QString::fromUtf8(Row.Caption) : lastSegment(Row.Path);

    if (cls == TControlClass::CheckBox) {
        static_cast<TCheckBox *>(control)->setText(caption);
        addEntry(c, nullptr, control, nullptr, Row.Place, Row.BesideOf);
        return control;
    }
    if (cls == TControlClass::GroupBox) {
        static_cast<TGroupBox *>(control)->setTitle(caption);
        addEntry(c, nullptr, control, nullptr, Row.Place);
        return control;
    }

    TLabel *label = nullptr;
    if (!caption.isEmpty()) {
        label = new TLabel(caption, c.content);
        label->setObjectName(labelName(name));
        label->SetFocusControl(control);
    }
    TUpDown *spinner = nullptr;
    if (FactoryHasSpinner(Row.Factory)) {
        spinner = new TUpDown(c.content);
        spinner->setObjectName(
            replaceSuffix(name, {QStringLiteral("Edit")}, QStringLiteral("UpDown")));
        spinner->SetAssociate(static_cast<TEdit *>(control));
    }
    if (cls == TControlClass::Memo)
        control->setMinimumHeight(48);
    if (c.foreign) {
        // Left where the other page's sheet holds it until that page places it.
        for (QWidget *w : {static_cast<QWidget *>(label), control, static_cast<QWidget *>(spinner)})
            if (w)
                w->hide();
        return control;
    }
    addEntry(c, label, control, spinner, Row.Place, Row.BesideOf);
    return control;
}

// Places the groups that no row reached and lets every column end in free space.
void TPageBuilder::Finish()
{
    if (!m_pendingLeads.isEmpty())
        throw EHostError(QStringLiteral("%1 stands beside %2, which is no line of page %3")
                             .arg(m_pendingLeads.constBegin().value()->objectName(),
                                  m_pendingLeads.constBegin().key(),
                                  QString::fromLatin1(m_table.TabSheet)));
    for (const TPageGroup &group : m_table.Groups)
        place(QString::fromLatin1(group.Name));
    for (TPageContainer &c : m_containers) {
        if (!c.columns)
            continue;
        for (int i = 0; i < c.columns->count(); ++i)
            if (auto *grid = qobject_cast<QGridLayout *>(c.columns->itemAt(i)->layout())) {
                stretchColumn(grid);
                grid->setColumnStretch(2, 1);
            }
    }
}

// The lines that hold a control growing downwards (a memo, a scroll box, a group holding one)
// take the height a taller window gives the column; without such a line it goes below the last.
void TPageBuilder::stretchColumn(QGridLayout *Column)
{
    bool grows = false;
    for (int row = 0; row < Column->rowCount(); ++row) {
        bool rowGrows = false;
        for (int col = 0; col < Column->columnCount() && !rowGrows; ++col)
            rowGrows = growsDown(Column->itemAtPosition(row, col));
        if (rowGrows)
            Column->setRowStretch(row, 1);
        grows = grows || rowGrows;
    }
    if (!grows)
        Column->setRowStretch(Column->rowCount(), 1);
}

bool TPageBuilder::growsDown(QLayoutItem *Item)
{
    if (!Item)
        return false;
    if (QWidget *widget = Item->widget()) {
        if (widget->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag)
            return true;
        return growsDown(widget->layout());
    }
    if (QLayout *layout = Item->layout())
        for (int i = 0; i < layout->count(); ++i)
            if (growsDown(layout->itemAt(i)))
                return true;
    return false;
}

// The tab sheet of another page that a group names as its parent; nullptr for the groups of this
// page.
QWidget *TPageBuilder::foreignSheet(const char *Parent) const
{
    const QString name = QString::fromLatin1(Parent ? Parent : OnSheet);
    if (m_containers.contains(name) || !m_form)
        return nullptr;
    for (const TPageGroup &group : m_table.Groups)
        if (name == QLatin1String(group.Name))
            return nullptr;
    auto *sheet = m_form->findChild<QWidget *>(name);
    return sheet && name.endsWith(QLatin1String("TabSheet")) ? sheet : nullptr;
}

QWidget *TPageBuilder::widgetOf(const char *Name) const
{
    if (!Name)
        return nullptr;
    auto it = m_containers.find(QString::fromLatin1(Name));
    return it != m_containers.end() ? it->widget : nullptr;
}

TPageContainer &TPageBuilder::containerOf(const char *Name, const QString &User)
{
    auto it = m_containers.find(QString::fromLatin1(Name ? Name : OnSheet));
    if (it == m_containers.end())
        throw EHostError(
            QStringLiteral("%1 lies in %2, which is not a group of page %3")
                .arg(User, QString::fromLatin1(Name), QString::fromLatin1(m_table.TabSheet)));
    return *it;
}

// Puts a group into its parent's flow, once, its parent first.
void TPageBuilder::place(const QString &Name)
{
    TPageContainer &c = m_containers[Name];
    if (c.placed)
        return;
    c.placed = true;
    const QString parentName = QString::fromLatin1(c.group->Parent);
    place(parentName);
    addEntry(m_containers[parentName], nullptr, c.widget, nullptr, c.group->Place);
}

// Each column is a grid of lines: a leading control (column 0), a label (1) and the field
// (2); controls without a label take the whole line.
void TPageBuilder::addEntry(TPageContainer &C, QWidget *Label, QWidget *Control, QWidget *Spinner,
                            TPlace Place, const char *BesideOf)
{
    if (!C.columns) {
        C.columns = new QHBoxLayout(C.content);
        const bool sheet = C.content == m_containers[QString::fromLatin1(OnSheet)].content;
        if (!sheet)
            C.columns->setContentsMargins(6, 4, 6, 6);
        C.columns->setSpacing(sheet ? 6 : 12);
    }
    if (Place == TPlace::Beside && BesideOf) {
        // In front of the named control's line; that control may come later.
        const QString target = QString::fromLatin1(BesideOf);
        auto line = m_lines.find(target);
        if (line != m_lines.end())
            line->first->addWidget(Control, line->second, 0);
        else
            m_pendingLeads.insert(target, Control);
        return;
    }
    if (Place == TPlace::Beside && C.lastField) {
        if (Label)
            C.lastField->addWidget(Label);
        C.lastField->addWidget(Control, 1);
        if (Spinner)
            C.lastField->addWidget(Spinner);
        return;
    }
    if (!C.column || Place == TPlace::NewColumn) {
        C.column = new QGridLayout;
        C.column->setVerticalSpacing(3);
        C.column->setHorizontalSpacing(4);
        C.columns->addLayout(C.column, 1);
        C.nextRow = 0;
        C.lastRow = 0;
    }
    const int row = Place == TPlace::Same ? C.lastRow : C.nextRow++;
    C.lastRow = row;
    auto *field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(Control, 1);
    if (Spinner)
        field->addWidget(Spinner);
    if (Label) {
        C.column->addWidget(Label, row, 1);
        C.column->addLayout(field, row, 2);
    } else {
        C.column->addLayout(field, row, 0, 1, 3);
    }
    C.lastField = field;
    m_lines.insert(Control->objectName(), {C.column, row});
    if (QWidget *lead = m_pendingLeads.take(Control->objectName()))
        C.column->addWidget(lead, row, 0);
}
