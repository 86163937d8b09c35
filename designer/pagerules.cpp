// Conditions of the pages' enabling rules: terms over published properties of the grid, the
// list's instance or the chosen total object, combined with and, or and not.

#include "pagetable.h"

#include "grid.h"

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
