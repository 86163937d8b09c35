#pragma once
// TDesignerPluginHost: the design host the package runs in inside Qt Designer, one per process.
// It sets up the host's services, puts the host's data-access components on the palette and
// loads the design-time package, as the workbench does; it gives each of Designer's form windows
// its IDesigner (TFormWindowDesigner) and each form editor the package's task menus. Before
// the application quits (or the plugin goes) the form windows' designers close, and with them
// every package window, then the package is unloaded.
//
// Errors of package code are reported through the host (HandleHostException); none reaches
// Designer.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;
class QWidget;
class THostDialogsScope;
class THostSession;
class TRuntimeDialogs;
class TFormWindowDesigner;

class TDesignerPluginHost : public QObject {
    Q_OBJECT
public:
    // The package module loaded at start.
    static constexpr const char *PackageFile = "DCLKorDBGrid90";

    TDesignerPluginHost();
    ~TDesignerPluginHost() override;

    // The host of this process, while there is one.
    static TDesignerPluginHost *Current();

    // A class on the palette and the page it is on, in palette order.
    struct TPaletteEntry {
        QString Page;
        const QMetaObject *Class = nullptr;
    };
    static QList<TPaletteEntry> PaletteEntries();

    // Once per form editor: registers the task menus and follows its form windows.
    void Initialize(QDesignerFormEditorInterface *Core);
    // The designer of a form window (made on first use); nullptr once the host is down.
    TFormWindowDesigner *DesignerOf(QDesignerFormWindowInterface *Form);
    // The designer of the form window that holds Widget.
    TFormWindowDesigner *DesignerOfWidget(QWidget *Widget);
    // Closes every form window's designer and unloads the package; later calls do nothing.
    void Shutdown();
    bool IsDown() const { return m_down; }

private:
    void formWindowRemoved(QDesignerFormWindowInterface *Form);

    std::unique_ptr<THostSession> m_session;
    // The host's dialogs with the fields editor's, in use while the plugin host lives.
    std::unique_ptr<TRuntimeDialogs> m_dialogs;
    std::unique_ptr<THostDialogsScope> m_dialogsScope;
    QList<QPointer<QDesignerFormEditorInterface>> m_cores;
    std::vector<std::unique_ptr<TFormWindowDesigner>> m_designers;
    bool m_down = false;
};
