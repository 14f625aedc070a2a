#include "apps/viewer/MapToolBar.h"

#include "map/MapObjects.h"
#include "registration/CartovaReg.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>

using namespace cartova;

namespace viewer {

std::vector<TToolClass> MapToolClasses()
{
    Register();
    std::vector<TToolClass> Classes;
    for (const TRegisteredComponent& C : GetRegisteredComponents(CartovaMapToolsPage))
        Classes.push_back({C.GetClassName(), C.GetPaletteBitmap(), [C]() -> TCustomMapTool* {
                               std::unique_ptr<TComponent> Made(C.Create(nullptr));
                               auto* Tool = dynamic_cast<TCustomMapTool*>(Made.get());
                               if (Tool)
                                   Made.release();
                               return Tool;
                           }});
    return Classes;
}

TMapToolBar::TMapToolBar(TCartova& Map, QToolBar& Bar, const std::vector<TToolClass>& Classes)
    : FGroup(new QActionGroup(&Bar))
{
    for (const TToolClass& C : Classes) {
        std::unique_ptr<TCustomMapTool> Tool(C.Create());
        if (!Tool)
            continue;
        TCustomMapTool* T = Tool.get();
        T->SetCartova(&Map);
        T->OnToolStateChanged = [this](TCustomMapTool*) { Refresh(); };
        const QString Name = QString::fromStdString(T->GetDisplayName());
        QAction* A = Bar.addAction(QIcon(QPixmap::fromImage(C.Bitmap)), Name);
        A->setToolTip(Name);
        A->setCheckable(true);
        A->setObjectName(QString::fromStdString(C.ClassName));
        FGroup->addAction(A);
        QObject::connect(A, &QAction::triggered, A, [this, T] {
            if (!FRefreshing)
                T->SetActive(true);
            Refresh();
        });
        FEntries.push_back({C.ClassName, std::move(Tool), A});
    }
    Refresh();
}

TMapToolBar::~TMapToolBar()
{
    for (TEntry& E : FEntries) {
        delete E.Action;
        E.Tool->OnToolStateChanged = nullptr;
    }
}

void TMapToolBar::Refresh()
{
    FRefreshing = true;
    for (TEntry& E : FEntries) {
        E.Action->setChecked(E.Tool->GetActive());
        E.Action->setEnabled(E.Tool->GetEnabled());
    }
    FRefreshing = false;
}

TCustomMapTool* TMapToolBar::Tool(const std::string& ClassName) const
{
    for (const TEntry& E : FEntries)
        if (SameText(E.ClassName, ClassName))
            return E.Tool.get();
    return nullptr;
}

QAction* TMapToolBar::Action(const std::string& ClassName) const
{
    for (const TEntry& E : FEntries)
        if (SameText(E.ClassName, ClassName))
            return E.Action;
    return nullptr;
}

void TMapToolBar::Activate(const std::string& ClassName)
{
    if (TCustomMapTool* T = Tool(ClassName))
        T->SetActive(true);
    Refresh();
}

} // namespace viewer
