#pragma once
// TFormDesigner: the host's in-process form designer. It owns one form (TDesignForm), creates
// and deletes the components placed on it, keeps the selection, and tells every design window
// about each of these through the design notifications of designintf.h.
//
// Notices it sends: DesignerOpened when created; ItemInserted for each component placed;
// ItemDeleted before a component goes (also when it is destroyed by other means than
// DeleteComponent: then the notice comes from its destructor, so listeners must only compare
// the pointer); SelectionChanged on every selection; ItemsModified from Modified();
// DesignerClosed once, when the designer closes or its form is destroyed.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls/controlbase.h"
#include "designintf.h"
#include "korhost_export.h"
#include "persistent.h"
#include "published.h"

// The root component of a designed form; it owns the components placed on it. Its caption,
// size, colour and font are published like a component's and kept in the form file.
class KORHOST_EXPORT TDesignForm : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    KOR_PUBLISHED(tkLString, "string", Caption, "")
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    KOR_PUBLISHED(tkInteger, "Integer", Width, "640")
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    KOR_PUBLISHED(tkInteger, "Integer", Height, "480")
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    KOR_PUBLISHED(tkInteger, "TColor", Color, "clBtnFace")
    KOR_CONTROL_FONT

public:
    // The size a new form has, and an older form file without one opens with.
    static constexpr int DefaultWidth = 640;
    static constexpr int DefaultHeight = 480;

    Q_INVOKABLE explicit TDesignForm(QWidget *parent = nullptr);
    ~TDesignForm() override;

    // The caption is the window title.
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &Value) { setWindowTitle(Value); }
    int Width() const { return width(); }
    void SetWidth(int Value);
    int Height() const { return height(); }
    void SetHeight(int Value);
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);

    // Told when an owned component leaves the form (Destroying: because it is being destroyed).
    std::function<void(TComponent *Component, bool Destroying)> OnComponentRemoved;
    // Told first thing when the form itself is being destroyed.
    std::function<void()> OnDestroying;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    TColor m_color = clBtnFace;
};

class KORHOST_EXPORT TFormDesigner : public QObject, public IDesigner {
    Q_OBJECT
public:
    // Makes a component of one class, unowned; the designer places it on the form.
    using TComponentFactory = std::function<TComponent *()>;

    explicit TFormDesigner(const QString &FormName = QStringLiteral("Form1"),
                           QObject *parent = nullptr);
    ~TFormDesigner() override;

    TDesignForm *Form() const { return m_form; }

    // How CreateComponent makes a component of Class; without a factory it uses a Q_INVOKABLE
    // constructor that takes no argument. A nil factory removes the registration. A factory
    // registered by a package's Register procedure is removed when that package is unloaded.
    static void RegisterComponentFactory(const QMetaObject *Class, TComponentFactory Factory);
    // Makes an unowned component of Class as CreateComponent does, without placing it; raises
    // EComponentError when the class cannot be made or is not a component.
    static std::unique_ptr<TComponent> NewComponent(const QMetaObject *Class);
    // The class named ClassName among those the host can make (registered factories and palette
    // classes), or nullptr.
    static const QMetaObject *FindComponentClass(const QString &ClassName);

    // Places a new component of Class on the form, named UniqueName(Class); raises
    // EComponentError when the class cannot be made or is not a component.
    TComponent *CreateComponent(const QMetaObject *Class);
    template <class T, class... Args> T *Create(Args &&...args)
    {
        auto component = std::make_unique<T>(std::forward<Args>(args)...);
        AddComponent(component.get());
        return component.release();
    }
    // Places an existing component on the form (the form becomes its owner); an empty name is
    // replaced by UniqueName. Raises EComponentError, leaving it untouched, when its name is
    // taken or is not an identifier (IsValidComponentName); once placed, the component is being
    // designed and TComponent::SetName keeps its name valid and unique on the form.
    void AddComponent(TComponent *Component);
    // Sends ItemDeleted, then destroys the component. The form itself cannot be deleted.
    void DeleteComponent(TComponent *Component);
    // The class name without its leading "T", followed by the lowest number not yet taken
    // ("KorDBGrid1").
    QString UniqueName(const QMetaObject *Class) const;

    // Sends DesignerClosed and destroys the form; later calls do nothing.
    void Close();
    bool IsClosed() const { return m_closed; }
    int ModifiedCount() const { return m_modifiedCount; }
    int ActivateCount() const { return m_activateCount; }

    // IDesigner
    void Activate() override;
    void Modified() override;
    void ObjectsModified(const QList<QObject *> &Objects) override;
    // While ObjectsModified's ItemsModified notices go out: the objects it named (those still
    // there). Empty for a change announced by Modified.
    QList<QObject *> ModifiedObjects() const;
    void SelectComponent(QObject *Instance) override;
    void SetSelections(const QList<QObject *> &List) override;
    QList<QObject *> GetSelections() const override;
    void GetComponentNames(const QMetaObject *Class,
                           const std::function<void(const QString &)> &Proc) const override;
    TComponent *GetComponent(const QString &Name) const override;
    QString GetComponentName(const TComponent *Component) const override;
    TComponent *GetRoot() const override;

private:
    struct Tracked {
        TComponent *component;
        QObject *object;
    };
    qsizetype indexOf(const TComponent *component) const;
    qsizetype indexOf(const QObject *object) const;
    // Forgets a component that is going; answers whether it was on the form.
    bool untrack(qsizetype index);
    // A component leaves by other means than DeleteComponent.
    void componentGoing(qsizetype index);
    bool dropFromSelection(const QObject *object);

    QPointer<TDesignForm> m_form;
    QList<Tracked> m_components;
    QList<QPointer<QObject>> m_selection;
    QList<QPointer<QObject>> m_modifiedObjects;
    bool m_closed = false;
    int m_modifiedCount = 0;
    int m_activateCount = 0;
};
