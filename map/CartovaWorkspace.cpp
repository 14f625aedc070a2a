// TCartova::LoadWOR and applying a parsed workspace to a map.
#include "map/Cartova.h"
#include "map/Workspace.h"

#include "objects/Text.h"

namespace cartova {

namespace {

// The largest file read as a workspace.
constexpr std::int64_t MaxWorkspaceSize = 64 << 20;

// The style record of a global layer: the parts no global layer gave come
// from the layer's own default brush, pen and font.
TMapStyle ResolvedStyle(const TWorkspaceStyle& S, const TMapLayer& Layer)
{
    TMapStyle M = S.Style;
    M.StyleSet = true;
    if (!S.HasBrush) {
        M.BrushColor = Layer.GetDefaultBrush()->GetColor();
        M.BrushStyle = static_cast<std::uint8_t>(Layer.GetDefaultBrush()->GetStyle());
        M.BrushUseBGColor = false;
        M.BrushBGColor = 0;
    }
    if (!S.HasPen) {
        M.PenColor = Layer.GetDefaultPen()->GetColor();
        M.PenStyle = static_cast<std::uint8_t>(Layer.GetDefaultPen()->GetStyle());
        M.PenWidth = Layer.GetDefaultPen()->GetWidth();
    }
    if (!S.HasFont) {
        M.FontName = Layer.GetDefaultFont()->GetName();
        M.FontColor = Layer.GetDefaultFont()->GetColor();
        M.FontBGColor = 0;
    }
    return M;
}

} // namespace

void ApplyMapStyle(const TMapStyle& Style, TCustomMapObject& Object)
{
    Object.GetBrush()->SetColor(Style.BrushColor);
    Object.GetBrush()->SetStyle(static_cast<TBrushStyle>(Style.BrushStyle));
    Object.SetBGColor(Style.BrushBGColor);
    Object.SetUseBGColor(Style.BrushUseBGColor);
    Object.GetPen()->SetColor(Style.PenColor);
    Object.GetPen()->SetStyle(static_cast<TPenStyle>(Style.PenStyle));
    Object.GetPen()->SetWidth(Style.PenWidth);
    if (auto* Text = dynamic_cast<TText*>(&Object)) {
        Text->GetFont()->SetName(Style.FontName);
        Text->GetFont()->SetColor(Style.FontColor);
        Text->SetBGColor(Style.FontBGColor);
        Text->SetUseBGColor(Style.FontBGColor != 0);
    }
}

TWorkspace ReadWorkspace(const std::string& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyNone);
    const std::int64_t Size = Stream.GetSize();
    if (Size > MaxWorkspaceSize)
        throw EReadError("\"" + FileName + "\" is too large for a workspace");
    std::string Bytes(static_cast<std::size_t>(Size), '\0');
    Stream.ReadBuffer(Bytes.data(), Size);
    return ParseWorkspace(Bytes);
}

TWorkspaceLoad ApplyWorkspace(TCartova& Map, const TWorkspace& Workspace, const std::string& Dir)
{
    TWorkspaceLoad Load;
    TMapLayers* Layers = Map.GetLayers();
    for (const TWorkspaceTable& T : Workspace.Tables) {
        const std::string Path = FindWorkspaceTable(T.Path, Dir);
        if (Path.empty()) {
            Load.Missing.push_back(T.Path);
            continue;
        }
        TMapLayer* Layer = Layers->Add("", T.Alias);
        Load.Layers.push_back(Layer);
        if (!T.Visible)
            Layer->SetVisible(false);
        if (T.Global)
            Layer->GetStyle() = ResolvedStyle(T.Style, *Layer);
        Layer->SetAutoLabel(T.AutoLabel);
        Layer->LoadFromFile(Path, T.Alias);
        // Providers that do not apply the override themselves (MIF) get it here.
        if (Layer->GetStyle().StyleSet)
            for (int I = 0; I < Layer->GetObjectCount(); ++I)
                ApplyMapStyle(Layer->GetStyle(), *Layer->GetObjects(I));
        if (T.Editable)
            Layer->SetEditable(true);
    }
    if (Workspace.HasCenter) {
        Map.BeginUpdate();
        Map.SetCenterX(Workspace.CenterX);
        Map.SetCenterY(Workspace.CenterY);
        Map.EndUpdate(true);
    }
    return Load;
}

void TCartova::LoadWOR(const std::string& FileName)
{
    const TWorkspace Workspace = ReadWorkspace(FileName);
    ApplyWorkspace(*this, Workspace, ExtractFileDir(ExpandFileName(FileName)));
}

} // namespace cartova
