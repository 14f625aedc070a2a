#include "apps/viewer/MapToolBar.h"

#include "map/MapObjects.h"
#include "tools/StdMapTools.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

using namespace cartova;

namespace viewer {

namespace {

template <class T>
TToolClass ToolClass()
{
    T Probe;
    return {Probe.ClassName(), QImage(), [] { return new T; }};
}

// A stand-in for a missing palette bitmap: the initials of the tool's name.
QImage InitialsBitmap(const std::string& DisplayName)
{
    QString Initials;
    for (const QString& Word : QString::fromStdString(DisplayName).split(' ', Qt::SkipEmptyParts))
        if (Word != "Tool")
            Initials += Word.left(Word.size() > 4 ? 2 : 1);
    QImage Image(20, 20, QImage::Format_ARGB32);
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QColor(40, 70, 120));
    P.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
    QFont F = P.font();
    F.setPixelSize(9);
    F.setBold(true);
    P.setFont(F);
    P.drawText(Image.rect(), Qt::AlignCenter, Initials.left(3));
    return Image;
}

} // namespace

std::vector<TToolClass> MapToolClasses()
{
    return {ToolClass<TSelectionTool>(), ToolClass<TZoomInTool>(),  ToolClass<TZoomOutTool>(),
            ToolClass<TPanTool>(),       ToolClass<TLineTool>(),    ToolClass<TPolylineTool>(),
            ToolClass<TRectTool>(),      ToolClass<TRegionTool>(),  ToolClass<TCircleTool>(),
            ToolClass<TSymbolTool>(),    ToolClass<TTextTool>()};
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
        const QImage Bitmap = C.Bitmap.isNull() ? InitialsBitmap(T->GetDisplayName()) : C.Bitmap;
        QAction* A = Bar.addAction(QIcon(QPixmap::fromImage(Bitmap)), Name);
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
