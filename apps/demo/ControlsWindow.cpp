#include "ControlsWindow.h"

#include "DemoWindow.h"
#include "controls/DataBrowser.h"
#include "controls/LayerCtrl.h"
#include "controls/LayersComboBox.h"
#include "map/MapObjects.h"
#include "tools/StdMapTools.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <string>
#include <vector>

using namespace cartova;

namespace demo {

namespace {

constexpr int MapWidth = 600, MapHeight = 400, SideWidth = 330;

/// Attribute columns for every layer of Map: a name, the object's kind, an id
/// and the width and height of its box.
void AddAttributes(TCartova& Map)
{
    const std::vector<std::vector<std::string>> Names = {
        {"Green Island", "Square Field"},
        {"Blue River", "Coast Road", "Quarry Lane"},
        {"Depot", "Hatched Yard", "Pond", "Tower"},
    };
    for (int L = 0; L < Map.GetLayers()->Count(); ++L) {
        TMapLayer* Layer = Map.GetLayers()->GetLayers(L);
        TDataFields* Fields = Layer->GetFields();
        Fields->Add("Name", dtString, 40);
        Fields->Add("Kind", dtString, 20);
        Fields->Add("Id", dtInteger, 0);
        Fields->Add("Width", dtFloat, 0);
        Fields->Add("Height", dtFloat, 0);
        for (int I = 0; I < Layer->GetObjectCount(); ++I) {
            TCustomMapObject* O = Layer->GetObjects(I);
            O->GetFields()->Assign(Fields);  // objects take the schema when added
            const std::string Kind = O->ClassName().substr(1);
            const bool Named =
                L < static_cast<int>(Names.size()) && I < static_cast<int>(Names[L].size());
            const TBounds B = O->GetExtent();
            TDataFields* V = O->GetFields();
            V->GetFields(0)->SetAsString(Named ? Names[L][I] : Kind + " " + std::to_string(I + 1));
            V->GetFields(1)->SetAsString(Kind);
            V->GetFields(2)->SetAsInteger(100 * (L + 1) + I + 1);
            V->GetFields(3)->SetAsFloat(B.MaxX - B.MinX);
            V->GetFields(4)->SetAsFloat(B.MaxY - B.MinY);
        }
    }
}

/// A fixed-size Qt host for a control, placed in Layout.
QWidget* Host(QBoxLayout* Layout, TControl& Control, int Width, int Height)
{
    auto* H = new QWidget;
    H->setFixedSize(Width, Height);
    Layout->addWidget(H);
    Control.SetParentWidget(H);
    Control.SetBounds(0, 0, Width, Height);
    Control.Show();
    return H;
}

/// The window: the map on the left, its companion controls on the right.
class TControlsWindow {
public:
    explicit TControlsWindow(const std::function<void(TCartova&)>& BuildMap)
    {
        FWindow.setWindowTitle("Cartova demo: layer list, layer combo box and attribute grid");
        auto* Row = new QHBoxLayout(&FWindow);
        Host(Row, FMap, MapWidth, MapHeight);
        auto* Side = new QVBoxLayout;
        Row->addLayout(Side);
        BuildMap(FMap);
        AddAttributes(FMap);

        Side->addWidget(new QLabel("Layers (visible, selectable, editable, labels)"));
        Host(Side, FList, SideWidth, 100);
        FList.SetMap(&FMap);
        Side->addWidget(new QLabel("Attributes of the layer"));
        Host(Side, FCombo, SideWidth, 26);
        FCombo.SetMap(&FMap);
        FCombo.OnChange = [this](TObject*) { FGrid.SetLayer(FCombo.GetCurrentLayer()); };
        Host(Side, FGrid, SideWidth, MapHeight - 180);
        Side->addStretch();

        FSelect.SetCartova(&FMap);
        FSelect.SetActive(true);
        ShowSample();
    }

    QWidget& Window() { return FWindow; }
    TCartova& Map() { return FMap; }

    /// Selects the pond once the window shows: the map marks it and the grid
    /// writes its row number in bold.
    void SelectSample()
    {
        TMapLayer* Shapes = FMap.GetLayers()->Search("shapes");
        if (Shapes && Shapes->GetObjectCount() > 2)
            Shapes->GetObjects(2)->Select();
    }

private:
    /// Switches set so that every glyph shows; the grid shows the shapes.
    void ShowSample()
    {
        TMapLayers* Layers = FMap.GetLayers();
        if (TMapLayer* Areas = Layers->Search("areas"))
            Areas->SetAutoLabel(true);
        if (TMapLayer* Lines = Layers->Search("lines"))
            Lines->SetEditable(true);
        if (TMapLayer* Symbols = Layers->Search("symbols and texts"))
            Symbols->SetSelectable(false);
        if (TMapLayer* Shapes = Layers->Search("shapes")) {
            FCombo.SetItemIndex(Layers->IndexOf(Shapes));
            FGrid.SetLayer(Shapes);
            const int Widths[] = {96, 72, 36, 50, 50};  // the demo's columns, all in view
            for (int C = 1; C < FGrid.GetColCount() && C <= 5; ++C)
                FGrid.SetColWidths(C, Widths[C - 1]);
        }
    }

    QWidget FWindow;
    TCartova FMap;
    TLayerControl FList;
    TLayersComboBox FCombo;
    TDataBrowser FGrid;
    TSelectionTool FSelect;
};

} // namespace

int RunControlsWindow(const std::function<void(TCartova&)>& BuildMap, const std::string& PngPath)
{
    TControlsWindow W(BuildMap);
    return RunWindow(W.Window(), W.Map(), PngPath, "controls window", [&W] { W.SelectSample(); });
}

} // namespace demo
