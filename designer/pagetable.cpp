#include "pagetable.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>

#include "column.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/updown.h"
#include "designwindow.h"
#include "grid.h"

// ---- Factories ----

TControlClass FactoryControlClass(TFactory Factory)
{
    switch (Factory) {
    case TFactory::Unbound:
    case TFactory::AddNoneProp:
        return TControlClass::Any;
    case TFactory::AddBoolProp:
    case TFactory::AddGrayProp:
    case TFactory::AddElemProp:
    case TFactory::AddSelectProp:
    case TFactory::AddSwitchProp:
        return TControlClass::CheckBox;
    case TFactory::AddColorProp:
    case TFactory::AddBackColorProp:
    case TFactory::AddFontColorProp:
    case TFactory::AddKorDBGridFixedColorProp:
    case TFactory::AddKorColumnTitleColorProp:
    case TFactory::AddKorColumnTotalColorProp:
        return TControlClass::ColorBox;
    case TFactory::AddTextProp:
    case TFactory::AddCharProp:
    case TFactory::AddValueProp:
    case TFactory::AddFontSizeProp:
        return TControlClass::Edit;
    case TFactory::AddMemoProp:
        return TControlClass::Memo;
    default:
        return TControlClass::ComboBox;
    }
}

TControlClass ControlClassOfName(const QString &Name)
{
    static const QList<QPair<QString, TControlClass>> suffixes{
        {QStringLiteral("CheckBox"), TControlClass::CheckBox},
        {QStringLiteral("ComboBox"), TControlClass::ComboBox},
        {QStringLiteral("ColorBox"), TControlClass::ColorBox},
        {QStringLiteral("Edit"), TControlClass::Edit},
        {QStringLiteral("Memo"), TControlClass::Memo},
        {QStringLiteral("GroupBox"), TControlClass::GroupBox},
    };
    for (const auto &suffix : suffixes)
        if (Name.endsWith(suffix.first))
            return suffix.second;
    return TControlClass::Any;
}

const char *FactoryName(TFactory Factory)
{
    static const char *const names[] = {
        "Unbound",
        "AddNoneProp",
        "AddBoolProp",
        "AddGrayProp",
        "AddElemProp",
        "AddSelectProp",
        "AddSwitchProp",
        "AddListProp",
        "AddEnumProp",
        "AddCursProp",
        "AddLinkProp",
        "AddFontNameProp",
        "AddFieldNameProp",
        "AddColorProp",
        "AddBackColorProp",
        "AddFontColorProp",
        "AddTextProp",
        "AddCharProp",
        "AddMemoProp",
        "AddValueProp",
        "AddFontSizeProp",
        "AddKorDBGridFixedColorProp",
        "AddKorDBGridImageIndexProp",
        "AddKorColumnFieldNameProp",
        "AddKorColumnFormatProp",
        "AddKorColumnLookupFieldNameProp",
        "AddKorColumnTitleColorProp",
        "AddKorColumnTitleImageIndexProp",
        "AddKorColumnTotalNameProp",
        "AddKorColumnTotalColorProp",
        "AddKorColumnTotalFieldNameProp",
        "AddKorColumnTotalFormatProp",
        "AddKorColumnTotalImageIndexProp",
        "AddCollectionProp",
    };
    const int index = int(Factory);
    return index >= 0 && index < int(std::size(names)) ? names[index] : "?";
}

bool FactoryHasSpinner(TFactory Factory)
{
    return Factory == TFactory::AddValueProp || Factory == TFactory::AddFontSizeProp;
}

bool FactoryHasNoProperty(TFactory Factory)
{
    return Factory == TFactory::Unbound || Factory == TFactory::AddSelectProp ||
           Factory == TFactory::AddSwitchProp || Factory == TFactory::AddKorColumnTotalNameProp;
}

// ---- Conditions ----

struct TCond::Node {
    enum Kind { Term, And, Or, Not } kind = Term;
    std::shared_ptr<const TRuleTerm> term;
    std::shared_ptr<const Node> a;
    std::shared_ptr<const Node> b;

    bool eval(const TRuleContext &Context) const
    {
        switch (kind) {
        case Term:
            return term->Eval(Context);
        case And:
            return a->eval(Context) && b->eval(Context);
        case Or:
            return a->eval(Context) || b->eval(Context);
        case Not:
            return !a->eval(Context);
        }
        return false;
    }

    void terms(QList<const TRuleTerm *> &Result, QStringList &Seen) const
    {
        if (kind == Term) {
            const QString text = term->Text();
            if (!Seen.contains(text)) {
                Seen.append(text);
                Result.append(term.get());
            }
            return;
        }
        a->terms(Result, Seen);
        if (b)
            b->terms(Result, Seen);
    }

    QString text() const
    {
        switch (kind) {
        case Term:
            return term->Text();
        case And:
            return QStringLiteral("(%1 and %2)").arg(a->text(), b->text());
        case Or:
            return QStringLiteral("(%1 or %2)").arg(a->text(), b->text());
        case Not:
            return QStringLiteral("not %1").arg(a->text());
        }
        return {};
    }
};

TCond::TCond(std::shared_ptr<const TRuleTerm> Term)
{
    auto node = std::make_shared<Node>();
    node->term = std::move(Term);
    m_node = std::move(node);
}

bool TCond::Eval(const TRuleContext &Context) const
{
    // An empty condition always holds.
    return !m_node || m_node->eval(Context);
}

QList<const TRuleTerm *> TCond::Terms() const
{
    QList<const TRuleTerm *> result;
    QStringList seen;
    if (m_node)
        m_node->terms(result, seen);
    return result;
}

QString TCond::Text() const
{
    return m_node ? m_node->text() : QStringLiteral("always");
}

TCond operator&&(const TCond &A, const TCond &B)
{
    auto node = std::make_shared<TCond::Node>();
    node->kind = TCond::Node::And;
    node->a = A.m_node;
    node->b = B.m_node;
    TCond result;
    result.m_node = std::move(node);
    return result;
}

TCond operator||(const TCond &A, const TCond &B)
{
    auto node = std::make_shared<TCond::Node>();
    node->kind = TCond::Node::Or;
    node->a = A.m_node;
    node->b = B.m_node;
    TCond result;
    result.m_node = std::move(node);
    return result;
}

TCond operator!(const TCond &A)
{
    auto node = std::make_shared<TCond::Node>();
    node->kind = TCond::Node::Not;
    node->a = A.m_node;
    TCond result;
    result.m_node = std::move(node);
    return result;
}

namespace {

QObject *subjectOf(const TRuleContext &Context, TSubject Subject)
{
    switch (Subject) {
    case TSubject::Grid:
        return Context.Grid;
    case TSubject::Instance:
        return Context.Instance;
    case TSubject::TotalItem:
        return Context.TotalItem;
    }
    return nullptr;
}

const char *subjectName(TSubject Subject)
{
    switch (Subject) {
    case TSubject::Grid:
        return "grid";
    case TSubject::Instance:
        return "instance";
    case TSubject::TotalItem:
        return "total";
    }
    return "";
}

// A term over one published property, reached by a dotted path from its subject.
class TPropertyTerm : public TRuleTerm {
public:
    enum Kind { Element, Boolean, Ordinal, NotEmptyString, AssignedObject };

    TPropertyTerm(Kind AKind, TSubject Subject, const char *Path, int Number)
        : m_kind(AKind), m_subject(Subject),
          m_path(QString::fromLatin1(Path).split(QLatin1Char('.'))), m_number(Number)
    {
    }

    bool Eval(const TRuleContext &Context) const override
    {
        QObject *object = owner(Context);
        if (!object)
            return false;
        const QString &name = m_path.constLast();
        switch (m_kind) {
        case Element:
            return (quint32(GetOrdProp(object, name)) >> m_number) & 1u;
        case Boolean:
            return GetOrdProp(object, name) != 0;
        case Ordinal:
            return GetOrdProp(object, name) == m_number;
        case NotEmptyString:
            return !GetStrProp(object, name).isEmpty();
        case AssignedObject:
            return GetObjectProp(object, name) != nullptr;
        }
        return false;
    }

    bool Make(const TRuleContext &Context, bool Value) const override
    {
        QObject *object = owner(Context);
        if (!object)
            return false;
        const QString &name = m_path.constLast();
        try {
            switch (m_kind) {
            case Element: {
                const quint32 bit = 1u << m_number;
                const quint32 set = quint32(GetOrdProp(object, name));
                SetOrdProp(object, name, qint32(Value ? set | bit : set & ~bit));
                break;
            }
            case Boolean:
                SetOrdProp(object, name, Value ? 1 : 0);
                break;
            case Ordinal: {
                if (Value) {
                    SetOrdProp(object, name, m_number);
                    break;
                }
                PPropInfo info = GetPropInfo(object, name);
                const int count = info ? info->EnumCount() : 0;
                if (count == 1)
                    return false;
                SetOrdProp(object, name, m_number == 0 ? 1 : 0);
                break;
            }
            case NotEmptyString:
                SetStrProp(object, name, Value ? QStringLiteral("X") : QString());
                break;
            case AssignedObject:
                if (Value)
                    return false;
                SetObjectProp(object, name, nullptr);
                break;
            }
        } catch (const EHostError &) {
            return false;
        }
        return Eval(Context) == Value;
    }

    QString Text() const override
    {
        const QString path = m_path.join(QLatin1Char('.'));
        const QString subject = QString::fromLatin1(subjectName(m_subject));
        switch (m_kind) {
        case Element:
            return QStringLiteral("%1 %2[%3]").arg(subject, path).arg(m_number);
        case Boolean:
            return QStringLiteral("%1 %2").arg(subject, path);
        case Ordinal:
            return QStringLiteral("%1 %2 = %3").arg(subject, path).arg(m_number);
        case NotEmptyString:
            return QStringLiteral("%1 %2 not empty").arg(subject, path);
        case AssignedObject:
            return QStringLiteral("%1 %2 assigned").arg(subject, path);
        }
        return {};
    }

private:
    // The object that owns the path's last property; nullptr when the path cannot be followed.
    QObject *owner(const TRuleContext &Context) const
    {
        QObject *object = subjectOf(Context, m_subject);
        for (int i = 0; object && i + 1 < m_path.size(); ++i)
            object = GetObjectProp(object, m_path.at(i));
        return object;
    }

    Kind m_kind;
    TSubject m_subject;
    QStringList m_path;
    int m_number;
};

class TFactTerm : public TRuleTerm {
public:
    TFactTerm(QString Name, TFactEval Eval, TFactMake Make)
        : m_name(std::move(Name)), m_eval(std::move(Eval)), m_make(std::move(Make))
    {
    }
    bool Eval(const TRuleContext &Context) const override { return m_eval(Context); }
    bool Make(const TRuleContext &Context, bool Value) const override
    {
        return m_make && m_make(Context, Value) && Eval(Context) == Value;
    }
    QString Text() const override { return m_name; }

private:
    QString m_name;
    TFactEval m_eval;
    TFactMake m_make;
};

TCond propertyTerm(TPropertyTerm::Kind Kind, TSubject Subject, const char *Path, int Number)
{
    return TCond(std::make_shared<TPropertyTerm>(Kind, Subject, Path, Number));
}

} // namespace

TCond ElemOf(TSubject Subject, const char *Path, int Index)
{
    return propertyTerm(TPropertyTerm::Element, Subject, Path, Index);
}

TCond BoolOf(TSubject Subject, const char *Path)
{
    return propertyTerm(TPropertyTerm::Boolean, Subject, Path, 0);
}

TCond OrdOf(TSubject Subject, const char *Path, int Ordinal)
{
    return propertyTerm(TPropertyTerm::Ordinal, Subject, Path, Ordinal);
}

TCond NotEmptyOf(TSubject Subject, const char *Path)
{
    return propertyTerm(TPropertyTerm::NotEmptyString, Subject, Path, 0);
}

TCond AssignedOf(TSubject Subject, const char *Path)
{
    return propertyTerm(TPropertyTerm::AssignedObject, Subject, Path, 0);
}

TCond Fact(const QString &Name, TFactEval Eval, TFactMake Make)
{
    return TCond(std::make_shared<TFactTerm>(Name, std::move(Eval), std::move(Make)));
}

TCond ColumnsCustomized()
{
    static const TCond cond = Fact(
        QStringLiteral("grid Columns customised"),
        [](const TRuleContext &Context) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            return grid && grid->Columns()->State() == Kor::csCustomized;
        },
        [](const TRuleContext &Context, bool Value) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            if (!grid)
                return false;
            grid->Columns()->setState(Value ? Kor::csCustomized : Kor::csDefault);
            return true;
        });
    return cond;
}

// ---- Building a page ----

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

// One container of a page and the flow of its entries: columns of label/control lines.
struct TContainer {
    QWidget *widget = nullptr;  // the named container
    QWidget *content = nullptr; // where its controls go
    const TPageGroup *group = nullptr;
    bool placed = false;
    // A group of another page's sheet (see TPageGroup::Parent).
    bool foreign = false;
    QHBoxLayout *columns = nullptr;
    QGridLayout *column = nullptr;
    int nextRow = 0;
    int lastRow = 0;
    QHBoxLayout *lastField = nullptr;
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

class TPageBuilder {
public:
    TPageBuilder(QWidget *TabSheet, const TPageTable &Table, QWidget *Form = nullptr)
        : m_table(Table), m_form(Form)
    {
        TContainer &sheet = m_containers[QString::fromLatin1(OnSheet)];
        sheet.widget = TabSheet;
        sheet.content = TabSheet;
        sheet.placed = true;
    }

    void MakeGroups()
    {
        for (const TPageGroup &group : m_table.Groups) {
            const QString name = QString::fromLatin1(group.Name);
            if (m_containers.contains(name))
                throw EHostError(QStringLiteral("group %1 is declared twice").arg(name));
            if (QWidget *sheet = foreignSheet(group.Parent)) {
                // A group of another page: its rows are made here and placed by that page.
                TContainer &c = m_containers[name];
                c.group = &group;
                c.content = sheet;
                c.placed = true;
                c.foreign = true;
                continue;
            }
            TContainer &parent = containerOf(group.Parent, name);
            TContainer &c = m_containers[name];
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
    QWidget *MakeRow(const TPageRow &Row)
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
                TContainer &c = containerOf(Row.Group, name);
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
        TContainer &c = containerOf(Row.Group, name);
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
        const QString caption =
            Row.Caption ? QString::fromUtf8(Row.Caption) : lastSegment(Row.Path);

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
    void Finish()
    {
        if (!m_pendingLeads.isEmpty())
            throw EHostError(QStringLiteral("%1 stands beside %2, which is no line of page %3")
                                 .arg(m_pendingLeads.constBegin().value()->objectName(),
                                      m_pendingLeads.constBegin().key(),
                                      QString::fromLatin1(m_table.TabSheet)));
        for (const TPageGroup &group : m_table.Groups)
            place(QString::fromLatin1(group.Name));
        for (TContainer &c : m_containers) {
            if (!c.columns)
                continue;
            for (int i = 0; i < c.columns->count(); ++i)
                if (auto *grid = qobject_cast<QGridLayout *>(c.columns->itemAt(i)->layout())) {
                    grid->setRowStretch(grid->rowCount(), 1);
                    grid->setColumnStretch(2, 1);
                }
        }
    }

    QWidget *widgetOf(const char *Name) const
    {
        if (!Name)
            return nullptr;
        auto it = m_containers.find(QString::fromLatin1(Name));
        return it != m_containers.end() ? it->widget : nullptr;
    }

private:
    // The tab sheet of another page that a group names as its parent; nullptr for the groups
    // of this page.
    QWidget *foreignSheet(const char *Parent) const
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

    TContainer &containerOf(const char *Name, const QString &User)
    {
        auto it = m_containers.find(QString::fromLatin1(Name ? Name : OnSheet));
        if (it == m_containers.end())
            throw EHostError(
                QStringLiteral("%1 lies in %2, which is not a group of page %3")
                    .arg(User, QString::fromLatin1(Name), QString::fromLatin1(m_table.TabSheet)));
        return *it;
    }

    // Puts a group into its parent's flow, once, its parent first.
    void place(const QString &Name)
    {
        TContainer &c = m_containers[Name];
        if (c.placed)
            return;
        c.placed = true;
        const QString parentName = QString::fromLatin1(c.group->Parent);
        place(parentName);
        addEntry(m_containers[parentName], nullptr, c.widget, nullptr, c.group->Place);
    }

    // Each column is a grid of lines: a leading control (column 0), a label (1) and the field
    // (2); controls without a label take the whole line.
    void addEntry(TContainer &C, QWidget *Label, QWidget *Control, QWidget *Spinner, TPlace Place,
                  const char *BesideOf = nullptr)
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

    const TPageTable &m_table;
    QWidget *m_form;
    QHash<QString, TContainer> m_containers;
    // The grid and line of every control that starts a line.
    QHash<QString, QPair<QGridLayout *, int>> m_lines;
    // Leading controls whose line is not made yet, by the name of that line's control.
    QHash<QString, QWidget *> m_pendingLeads;
};

} // namespace

// ---- TPageTableList ----

QWidget *TPageTableList::Form()
{
    return List().OwnerForm;
}

QWidget *TPageTableList::FindPageWidget(const QString &Name)
{
    QWidget *form = Form();
    if (!form)
        throw EHostError(QStringLiteral("page %1 has no designer window")
                             .arg(QString::fromLatin1(m_table.TabSheet)));
    auto *widget = form->findChild<QWidget *>(Name);
    if (!widget)
        throw EHostError(QStringLiteral("the designer window has no control %1").arg(Name));
    return widget;
}

QWidget *TPageTableList::TabSheet()
{
    if (!m_tabSheet)
        m_tabSheet = FindPageWidget(QString::fromLatin1(m_table.TabSheet));
    return m_tabSheet;
}

TPropItem *TPageTableList::Item(const QString &ControlName) const
{
    return m_itemsByName.value(ControlName);
}

void TPageTableList::BuildPage()
{
    QWidget *sheet = TabSheet();
    TPageBuilder builder(sheet, m_table, Form());
    builder.MakeGroups();
    for (const TPageRow &row : m_table.Rows) {
        QWidget *control = builder.MakeRow(row);
        if (row.Factory != TFactory::Unbound)
            Bind(row, control);
    }
    builder.Finish();

    m_ruleItems.clear();
    for (const TPageRule &rule : m_table.Rules) {
        std::vector<TPropItem *> items;
        for (const QString &name : rule.Controls) {
            TPropItem *item = Item(name);
            if (!item)
                throw EHostError(QStringLiteral("a rule of page %1 names %2, which no item binds")
                                     .arg(QString::fromLatin1(m_table.TabSheet), name));
            items.push_back(item);
        }
        m_ruleItems.push_back(std::move(items));
    }
}

namespace {

template <class L> L &listAs(TPropList &List, const TPageRow &Row)
{
    auto *list = dynamic_cast<L *>(&List);
    if (!list)
        throw EHostError(QStringLiteral("%1 of %2 needs a list of class %3")
                             .arg(QString::fromLatin1(FactoryName(Row.Factory)),
                                  QString::fromLatin1(Row.Control),
                                  QString::fromLatin1(L::staticMetaObject.className())));
    return *list;
}

} // namespace

void TPageTableList::Bind(const TPageRow &Row, QWidget *Control)
{
    TPropList &list = List();
    const QString name = QString::fromLatin1(Row.Control);
    const QString path = QString::fromLatin1(Row.Path ? Row.Path : "");
    const TRowArgs &a = Row.Args;
    auto check = [&] { return PageControl<TCheckBox>(name); };
    auto combo = [&] { return PageControl<TComboBox>(name); };
    auto colors = [&] { return PageControl<TColorBox>(name); };
    auto edit = [&] { return PageControl<TEdit>(name); };
    auto named = [&](const char *Other) -> QWidget * {
        return Other ? PageControl<QWidget>(QString::fromLatin1(Other)) : nullptr;
    };
    const int before = list.ItemCount();

    switch (Row.Factory) {
    case TFactory::Unbound:
        return;
    case TFactory::AddNoneProp:
        list.AddNoneProp(path, Control);
        break;
    case TFactory::AddBoolProp:
        list.AddBoolProp(path, check(), a.Inverted);
        break;
    case TFactory::AddGrayProp:
        list.AddGrayProp(path, check(), a.Inverted);
        break;
    case TFactory::AddElemProp:
        list.AddElemProp(path, check(), a.ElemIndex, a.Inverted);
        break;
    case TFactory::AddSelectProp:
        list.AddSelectProp(path, check(), a.Checked, QString::fromUtf8(a.HintText));
        break;
    case TFactory::AddSwitchProp:
        list.AddSwitchProp(path, check(), named(a.ShowControl), named(a.HideControl), a.Checked,
                           QString::fromUtf8(a.HintText));
        break;
    case TFactory::AddListProp:
        list.AddListProp(path, combo());
        break;
    case TFactory::AddEnumProp:
        list.AddEnumProp(path, combo());
        break;
    case TFactory::AddCursProp:
        list.AddCursProp(path, combo());
        break;
    case TFactory::AddLinkProp:
        list.AddLinkProp(path, combo());
        break;
    case TFactory::AddFontNameProp:
        list.AddFontNameProp(path, combo());
        break;
    case TFactory::AddFieldNameProp:
        list.AddFieldNameProp(path, combo());
        break;
    case TFactory::AddColorProp: {
        TColor defaultColor = a.DefaultColor;
        if (a.DefaultColorOf) {
            QObject *grid = RuleContext().Grid;
            defaultColor = grid ? a.DefaultColorOf(grid) : clDefault;
        }
        list.AddColorProp(path, colors(), defaultColor, a.NoneColor);
        break;
    }
    case TFactory::AddBackColorProp:
        list.AddBackColorProp(path, colors());
        break;
    case TFactory::AddFontColorProp:
        list.AddFontColorProp(path, colors());
        break;
    case TFactory::AddTextProp:
        list.AddTextProp(path, edit());
        break;
    case TFactory::AddCharProp:
        list.AddCharProp(path, edit());
        break;
    case TFactory::AddMemoProp:
        list.AddMemoProp(path, PageControl<TMemo>(name));
        break;
    case TFactory::AddValueProp:
        list.AddValueProp(path, edit(), qint16(a.MinValue), qint16(a.MaxValue));
        break;
    case TFactory::AddFontSizeProp:
        list.AddFontSizeProp(path, edit());
        break;
    case TFactory::AddKorDBGridFixedColorProp:
        listAs<TKorDBGridPropList>(list, Row).AddKorDBGridFixedColorProp(path, colors());
        break;
    case TFactory::AddKorDBGridImageIndexProp:
        listAs<TKorDBGridPropList>(list, Row).AddKorDBGridImageIndexProp(path, combo());
        break;
    case TFactory::AddKorColumnFieldNameProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnFormatProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnFormatProp(path, combo());
        break;
    case TFactory::AddKorColumnLookupFieldNameProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnLookupFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnTitleColorProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnTitleColorProp(path, colors());
        break;
    case TFactory::AddKorColumnTitleImageIndexProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnTitleImageIndexProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalNameProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalNameProp(
            combo(),
            PageControl<TCheckBox>(QString::fromLatin1(a.ResultCheckBox ? a.ResultCheckBox : "")),
            named(a.ResultGroup), named(a.ColorGroup), named(a.FontGroup));
        break;
    case TFactory::AddKorColumnTotalColorProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalColorProp(path, colors());
        break;
    case TFactory::AddKorColumnTotalFieldNameProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalFormatProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalFormatProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalImageIndexProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalImageIndexProp(path, combo());
        break;
    case TFactory::AddCollectionProp:
        listAs<TCollectionPropList>(list, Row).AddCollectionProp(path, combo());
        break;
    }
    if (list.ItemCount() > before)
        m_itemsByName.insert(name, list.Items(list.ItemCount() - 1));
}

void TPageTableList::ApplyRules()
{
    const TRuleContext context = RuleContext();
    for (size_t i = 0; i < m_ruleItems.size() && i < m_table.Rules.size(); ++i) {
        const bool enabled = m_table.Rules[i].When.Eval(context);
        for (TPropItem *item : m_ruleItems[i])
            item->SetEnabled(enabled);
    }
    RunHook(m_table.AfterUpdateEnabled);
}

// ---- Page list classes ----

TGridPagePropList::TGridPagePropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid,
                                     const TPageTable &Table)
    : TKorDBGridPropList(AOwnerForm, Grid), TPageTableList(Table)
{
}

TRuleContext TGridPagePropList::RuleContext()
{
    QObject *grid = TPropList::Instance();
    return {this, grid, grid, nullptr};
}

void TGridPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TGridPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorDBGridPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TGridPagePropList::UpdateVisible()
{
    TKorDBGridPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TGridPagePropList::UpdateEnabled()
{
    ApplyRules();
}

TColumnPagePropList::TColumnPagePropList(TDesignWindow *AOwnerForm, TKorColumn *Column,
                                         const TPageTable &Table)
    : TKorColumnPropList(AOwnerForm, Column), TPageTableList(Table)
{
}

TRuleContext TColumnPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), nullptr};
}

void TColumnPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TColumnPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorColumnPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TColumnPagePropList::UpdateVisible()
{
    TKorColumnPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TColumnPagePropList::UpdateEnabled()
{
    ApplyRules();
}

TColumnTotalPagePropList::TColumnTotalPagePropList(TDesignWindow *AOwnerForm, TKorColumn *Column,
                                                   const TPageTable &Table)
    : TKorColumnTotalPropList(AOwnerForm, Column), TPageTableList(Table)
{
}

TRuleContext TColumnTotalPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), GetTotalItem()};
}

void TColumnTotalPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TColumnTotalPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorColumnTotalPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TColumnTotalPagePropList::UpdateVisible()
{
    TKorColumnTotalPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TColumnTotalPagePropList::UpdateEnabled()
{
    ApplyRules();
}
