#include "workbenchseams.h"

#include <QFileDialog>
#include <QGuiApplication>

namespace {

// Nothing waits for a person on a platform without a screen.
bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

TWorkbenchSeams TWorkbenchSeams::Defaults()
{
    TWorkbenchSeams seams;
    seams.GetOpenFileName = [](QWidget *Parent, const QString &Caption, const QString &Dir,
                               const QString &Filter) {
        return headless() ? QString() : QFileDialog::getOpenFileName(Parent, Caption, Dir, Filter);
    };
    seams.GetSaveFileName = [](QWidget *Parent, const QString &Caption, const QString &FileName,
                               const QString &Filter) {
        return headless() ? QString()
                          : QFileDialog::getSaveFileName(Parent, Caption, FileName, Filter);
    };
    return seams;
}

TWorkbenchSeams &WorkbenchSeams()
{
    static TWorkbenchSeams seams = TWorkbenchSeams::Defaults();
    return seams;
}

TWorkbenchSeamsScope::TWorkbenchSeamsScope(const TWorkbenchSeams &Seams) : m_saved(WorkbenchSeams())
{
    TWorkbenchSeams &current = WorkbenchSeams();
    if (Seams.GetOpenFileName)
        current.GetOpenFileName = Seams.GetOpenFileName;
    if (Seams.GetSaveFileName)
        current.GetSaveFileName = Seams.GetSaveFileName;
}

TWorkbenchSeamsScope::~TWorkbenchSeamsScope()
{
    WorkbenchSeams() = m_saved;
}
