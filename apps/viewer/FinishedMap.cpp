#include "apps/viewer/FinishedMap.h"

#include "apps/viewer/MapExtent.h"
#include "apps/viewer/MapFiles.h"
#include "map/MapObjects.h"

#include <QRect>
#include <QWidget>

#include <algorithm>
#include <utility>

using namespace cartova;

namespace viewer {

namespace {

constexpr int LabelPointSize = 7;
constexpr TColor LabelColor = TColor(0x3C3C3C);

bool IsArea(const TCustomMapObject* O)
{
    return dynamic_cast<const TRegion*>(O) || dynamic_cast<const TRectangle*>(O) ||
           dynamic_cast<const TCircle*>(O);
}

// The layer to label: the one with the most regions among those with a
// column named NameColumn.
TMapLayer* LayerToLabel(TCartova& Map, const std::string& NameColumn)
{
    TMapLayer* Best = nullptr;
    int BestCount = 0;
    for (int L = 0; L < Map.GetLayers()->Count(); ++L) {
        TMapLayer* Layer = Map.GetLayers()->GetLayers(L);
        if (!Layer->GetFields()->FieldByName(NameColumn))
            continue;
        int Count = 0;
        for (int I = 0; I < Layer->GetObjectCount(); ++I)
            Count += IsArea(Layer->GetObjects(I));
        if (Count > BestCount) {
            Best = Layer;
            BestCount = Count;
        }
    }
    return Best;
}

// Whether (X, Y) lies on the area of O's rings (even-odd, so holes count out).
bool OnArea(TCustomMapObject* O, double X, double Y)
{
    bool Inside = false;
    TParts* Parts = O->GetParts();
    for (int P = 0; P < Parts->Count(); ++P) {
        const TMapPoints& Ring = *Parts->GetItems(P)->GetPoints();
        for (int I = 0, J = Ring.Count() - 1; I < Ring.Count(); J = I++) {
            const TMapPoint &A = Ring[I], &B = Ring[J];
            if ((A.Y > Y) != (B.Y > Y) && X < (B.X - A.X) * (Y - A.Y) / (B.Y - A.Y) + A.X)
                Inside = !Inside;
        }
    }
    return Inside;
}

} // namespace

int PlaceLabels(TMapLayer& Layer, const std::string& NameColumn)
{
    TCartova* Map = Layer.GetMap();
    TDataFields* Schema = Layer.GetFields();
    const TDataField* NameField = Schema->FieldByName(NameColumn);
    if (!Map || !NameField)
        return 0;
    const int NameIndex = NameField->GetIndex();
    Schema->Add("label", dtString, 254);
    const int LabelIndex = Schema->Count() - 1;

    // The objects' boxes on the screen, largest first.
    struct TCandidate {
        TCustomMapObject* Object;
        QRect Box;
    };
    std::vector<TCandidate> Candidates;
    for (int I = 0; I < Layer.GetObjectCount(); ++I) {
        TCustomMapObject* O = Layer.GetObjects(I);
        O->GetFields()->Add("label", dtString, 254);
        TParts* Parts = O->GetParts();
        if (Parts->Count() == 0)
            continue;
        int X0, Y0, X1, Y1;
        Map->MapToScreen(Parts->GetMinX(), Parts->GetMaxY(), X0, Y0, false);
        Map->MapToScreen(Parts->GetMaxX(), Parts->GetMinY(), X1, Y1, false);
        Candidates.push_back({O, QRect(QPoint(X0, Y0), QPoint(X1, Y1)).normalized()});
    }
    std::stable_sort(Candidates.begin(), Candidates.end(), [](const TCandidate& A, const TCandidate& B) {
        return static_cast<long long>(A.Box.width()) * A.Box.height() >
               static_cast<long long>(B.Box.width()) * B.Box.height();
    });

    // Each name is measured as the labels draw it: centred on the box's centre.
    TCanvas* Canvas = Map->GetMapCanvas();
    Canvas->SetFont(Layer.GetAutoLabelFont());
    std::vector<QRect> Placed;
    for (const TCandidate& C : Candidates) {
        if (NameIndex >= C.Object->GetFields()->Count())
            continue;
        const std::string Name = C.Object->GetFields()->GetFields(NameIndex)->GetAsString();
        if (Name.empty())
            continue;
        const int W = Canvas->TextWidth(Name), H = Canvas->TextHeight(Name);
        const QRect Label(C.Box.center().x() - W / 2, C.Box.center().y() - H / 2, W, H);
        // The labels draw centred on the box; objects drawn later would cover
        // a name reaching beyond its own object, so the name must lie on it.
        const auto Covers = [&](int X, int Y) {
            double MX, MY;
            Map->ScreenToMap(X, Y, MX, MY);
            return OnArea(C.Object, MX, MY);
        };
        const bool Fits = W <= C.Box.width() * 9 / 10 && H <= C.Box.height() &&
                          Covers(Label.center().x(), Label.center().y()) &&
                          Covers(Label.left(), Label.center().y()) && Covers(Label.right(), Label.center().y());
        const QRect Spaced = Label.adjusted(-H / 3, -H / 6, H / 3, H / 6);
        if (!Fits || std::any_of(Placed.begin(), Placed.end(),
                                 [&](const QRect& P) { return P.intersects(Spaced); }))
            continue;
        C.Object->GetFields()->GetFields(LabelIndex)->SetAsString(Name);
        Placed.push_back(Spaced);
    }
    Layer.SetLabelFieldIndex(LabelIndex);
    Layer.SetAutoLabel(true);
    return static_cast<int>(Placed.size());
}

void StyleFinishedMap(TCartova& Map, int Scale)
{
    TMapUpdateGuard Update(&Map);
    Map.SetColor(static_cast<TColor>(SeaColor));
    for (int L = 0; L < Map.GetLayers()->Count(); ++L) {
        TMapLayer* Layer = Map.GetLayers()->GetLayers(L);
        for (int I = 0; I < Layer->GetObjectCount(); ++I) {
            TCustomMapObject* O = Layer->GetObjects(I);
            O->GetPen()->SetWidth(std::max(1, O->GetPen()->GetWidth()) * Scale);
            if (dynamic_cast<TSymbol*>(O))
                O->GetFont()->SetSize(O->GetFont()->GetSize() * Scale);
        }
        TFont* Font = Layer->GetAutoLabelFont();
        Font->SetSize(LabelPointSize * Scale);
        Font->SetColor(LabelColor);
    }
    if (TMapLayer* Countries = LayerToLabel(Map, "name"))
        PlaceLabels(*Countries, "name");
}

QImage RenderFinishedMap(const std::vector<std::string>& Files, int Width, int Height, int Scale)
{
    QWidget Parent;
    Parent.resize(Width * Scale, Height * Scale);
    TCartova Map;
    Map.SetParentWidget(&Parent);
    Map.SetBounds(0, 0, Width * Scale, Height * Scale);
    std::string Warnings;
    for (const std::string& File : Files)
        OpenMapFile(Map, File, Warnings);
    AdoptDataExtent(Map);
    ShowWholeMap(Map, 0.97);
    StyleFinishedMap(Map, Scale);
    Map.SetModified(true);
    Map.PaintMapToBitmap();
    TBitmap Bitmap;
    Map.AssignToBitmap(&Bitmap);
    return Bitmap.GetImage()
        .convertToFormat(QImage::Format_RGB32)
        .scaled(Width, Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace viewer
