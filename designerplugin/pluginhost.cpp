#include "pluginhost.h"

#include <QCoreApplication>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>

#include "fieldseditor.h"
#include "formwindowdesigner.h"
#include "hostdataaccess.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "hostsession.h"
#include "packages.h"
#include "propertysheet.h"
#include "registration.h"
#include "snapshothook.h"
#include "verbtaskmenu.h"

namespace {

TDesignerPluginHost *g_current = nullptr;

// A host that never emits aboutToQuit still ends the session while its application exists: the
// host's registries are gone by the time the plugin's library is finalised.
void shutdownCurrent()
{
    if (g_current)
        g_current->Shutdown();
}

void loadPackage()
{
    const QString name = QString::fromLatin1(TDesignerPluginHost::PackageFile);
    if (IsPackageLoaded(name))
        return;
    const QString file = FindPackageFile(name);
    if (file.isEmpty())
        throw EHostError(QStringLiteral("Package %1 was not found in %2")
                             .arg(name, PackageSearchPath().join(QStringLiteral(", "))));
    LoadPackage(file);
}

} // namespace

TDesignerPluginHost::TDesignerPluginHost()
    : m_session(std::make_unique<THostSession>()), m_dialogs(std::make_unique<TRuntimeDialogs>()),
      m_dialogsScope(std::make_unique<THostDialogsScope>(*m_dialogs))
{
    g_current = this;
    try {
        RegisterHostDataAccess();
        loadPackage();
    } catch (...) {
        HandleHostException();
    }
    // Package windows and the package go while the application and its event loop still exist.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TDesignerPluginHost::Shutdown);
    qAddPostRoutine(shutdownCurrent);
}

TDesignerPluginHost::~TDesignerPluginHost()
{
    qRemovePostRoutine(shutdownCurrent);
    Shutdown();
    if (g_current == this)
        g_current = nullptr;
}

TDesignerPluginHost *TDesignerPluginHost::Current()
{
    return g_current;
}

QList<TDesignerPluginHost::TPaletteEntry> TDesignerPluginHost::PaletteEntries()
{
    QList<TPaletteEntry> entries;
    for (const QString &page : GetPalettePages())
        for (const QMetaObject *cls : GetPaletteClasses(page))
            entries.append({page, cls});
    return entries;
}

void TDesignerPluginHost::Initialize(QDesignerFormEditorInterface *Core)
{
    if (m_down || !Core || m_cores.contains(Core))
        return;
    m_cores.append(Core);
    QExtensionManager *extensions = Core->extensionManager();
    extensions->registerExtensions(new TVerbTaskMenuFactory(extensions),
                                   Q_TYPEID(QDesignerTaskMenuExtension));
    TKorPropertySheetFactory::Register(extensions);
    // Every form window has its designer from the start, so its widgets are the components of
    // its root as soon as they are on it.
    if (QDesignerFormWindowManagerInterface *manager = Core->formWindowManager()) {
        connect(manager, &QDesignerFormWindowManagerInterface::formWindowAdded, this,
                [this](QDesignerFormWindowInterface *Form) { DesignerOf(Form); });
        connect(manager, &QDesignerFormWindowManagerInterface::formWindowRemoved, this,
                &TDesignerPluginHost::formWindowRemoved);
        for (int i = 0; i < manager->formWindowCount(); ++i)
            DesignerOf(manager->formWindow(i));
    }
    if (const QString shot = qEnvironmentVariable("KOR_DESIGNER_SNAPSHOT"); !shot.isEmpty())
        InstallSnapshotHook(Core, shot);
}

TFormWindowDesigner *TDesignerPluginHost::DesignerOf(QDesignerFormWindowInterface *Form)
{
    if (m_down || !Form)
        return nullptr;
    for (const auto &designer : m_designers)
        if (designer->FormWindow() == Form)
            return designer.get();
    m_designers.push_back(std::make_unique<TFormWindowDesigner>(Form));
    // Deleting a widget clears the links to its component within Designer's delete command.
    connect(Form, &QDesignerFormWindowInterface::widgetRemoved, this,
            [Form](QWidget *Widget) { ClearLinksTo(Form, Widget); });
    // A form window made outside the manager still takes its designer with it.
    connect(Form, &QObject::destroyed, this,
            [this, Form] { formWindowRemoved(static_cast<QDesignerFormWindowInterface *>(Form)); });
    return m_designers.back().get();
}

TFormWindowDesigner *TDesignerPluginHost::DesignerOfWidget(QWidget *Widget)
{
    return DesignerOf(QDesignerFormWindowInterface::findFormWindow(Widget));
}

void TDesignerPluginHost::formWindowRemoved(QDesignerFormWindowInterface *Form)
{
    const auto it =
        std::find_if(m_designers.begin(), m_designers.end(), [Form](const auto &designer) {
            return designer->FormWindow() == Form || !designer->FormWindow();
        });
    if (it == m_designers.end())
        return;
    // Out of the list first: windows closing now may ask for the form's designer again.
    std::unique_ptr<TFormWindowDesigner> designer = std::move(*it);
    m_designers.erase(it);
    designer->Close();
}

void TDesignerPluginHost::Shutdown()
{
    if (m_down)
        return;
    m_down = true;
    std::vector<std::unique_ptr<TFormWindowDesigner>> designers = std::move(m_designers);
    m_designers.clear();
    for (const auto &designer : designers)
        designer->Close();
    designers.clear();
    try {
        m_session.reset();
    } catch (...) {
        HandleHostException();
    }
}
