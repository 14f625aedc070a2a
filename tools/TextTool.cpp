#include "tools/TextTool.h"

#include "map/Cartova.h"
#include "map/CartovaOptions.h"
#include "objects/Text.h"
#include "tools/EditableLayer.h"

#include <QWidget>

#include <algorithm>

namespace cartova {

namespace {

std::string ToUtf8(std::u32string_view Text)
{
    std::string R;
    for (const char32_t C : Text)
        R += KeyCharToUtf8(C);
    return R;
}

bool IsControlChar(TKeyChar C) { return C < 32 || (C >= 127 && C < 160); }

} // namespace

/// The caret lives on the map's window surface.
class TTextTool::TCaretHost : public ICaretHost {
public:
    explicit TCaretHost(TTextTool& Tool) : FTool(Tool) {}
    TCanvas* CaretCanvas() override
    {
        TCartova* Map = FTool.GetCartova();
        return Map ? Map->TWinControl::GetCanvas() : nullptr;
    }
    void CaretInvalidate(const TRect& R) override
    {
        TCartova* Map = FTool.GetCartova();
        if (QWidget* W = Map ? Map->GetWidget() : nullptr)
            W->update(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    }

private:
    TTextTool& FTool;
};

TTextTool::TTextTool(TComponent* AOwner)
    : TCustomMapTool(AOwner), FBackground(std::make_unique<TBitmap>()),
      FCaret(std::make_unique<TCaretHost>(*this))
{
    SetDisplayName("Text Tool");
    SetCursor(crIBeam);
}

TTextTool::~TTextTool()
{
    ReleaseCaret();
    CaretHostDestroyed(FCaret.get());
}

void TTextTool::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft)
        return;
    if (FEntering)
        Complete();
    Init(X, Y);
}

void TTextTool::KeyDown(Word& Key, TShiftState)
{
    if (!FEntering)
        return;
    switch (Key) {
    case VK_BACK: DeleteCurrentChar(true); break;
    case VK_RETURN:
    case VK_ESCAPE: Complete(); break;
    case VK_END: SetCurrentChar(static_cast<int>(FText.size())); break;
    case VK_HOME: SetCurrentChar(0); break;
    case VK_LEFT: SetCurrentChar(FCurrentChar - 1); break;
    case VK_RIGHT: SetCurrentChar(FCurrentChar + 1); break;
    case VK_DELETE: DeleteCurrentChar(false); break;
    default: break;
    }
}

void TTextTool::KeyPress(TKeyChar& Key)
{
    if (!FEntering || !GetCartova() || IsControlChar(Key))
        return;
    HideCaret(FCaret.get());
    FText.insert(FText.begin() + FCurrentChar, Key);
    ++FCurrentChar;
    Draw();
    PlaceCaret();
    ShowCaret(FCaret.get());
}

bool TTextTool::Complete()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    if (!FEntering || !Layer)
        return false;
    ReleaseCaret(); // before the new object paints under it
    const TMapPoint P = ScreenToMap(FOrigin.X, FOrigin.Y);
    auto Created = std::make_unique<TText>();
    Created->SetX(P.X);
    Created->SetY(P.Y);
    // Adopting the text gives it the map's default text font.
    auto* Text = static_cast<TText*>(detail::AddToLayer(Layer, std::move(Created)));
    Text->SetText(GetText());
    Text->AutoSizeText();
    // The box hangs below its anchor's row as the entry did below the origin.
    Text->SetY(P.Y - Text->GetHeight());
    Text->UpdateBounds();
    EndEntry(false);
    return true;
}

void TTextTool::Cancel()
{
    EndEntry(true);
}

void TTextTool::Done()
{
    EndEntry(true);
    TCustomMapTool::Done();
}

bool TTextTool::GetEnabled() const
{
    return TCustomMapTool::GetEnabled() && detail::EditableLayer(*this);
}

void TTextTool::Init(int X, int Y)
{
    if (!GetCartova())
        return;
    EndEntry(true);
    TCanvas* Canvas = TextCanvas();
    FEntering = true;
    FText.clear();
    FCurrentChar = 0;
    FOrigin = {X, Y};
    CreateCaret(FCaret.get(), 0, Canvas->TextHeight("Wq"));
    SetCaretPos(X, Y);
    Draw();
    ShowCaret(FCaret.get());
}

void TTextTool::Draw()
{
    if (!GetCartova())
        return;
    TCanvas* Canvas = TextCanvas();
    if (!FBackground->Empty())
        Canvas->Draw(FBackgroundAt.X, FBackgroundAt.Y, FBackground.get());
    const std::string Text = GetText();
    // A margin of a quarter line on both sides keeps glyphs that reach past
    // their advance (italics, overhangs) inside the kept pixels.
    const int H = Canvas->TextHeight(Text.empty() ? "Wq" : Text);
    const int Margin = Text.empty() ? 0 : H / 4;
    const int W = Text.empty() ? 0 : Canvas->TextWidth(Text) + 2 * Margin;
    FBackgroundAt = {FOrigin.X - Margin, FOrigin.Y};
    FBackground->SetSize(W, H);
    if (W > 0)
        FBackground->GetCanvas()->CopyRect(Rect(0, 0, W, H), Canvas,
                                           Bounds(FBackgroundAt.X, FBackgroundAt.Y, W, H));
    const TBrushStyle Style = Canvas->GetBrush()->GetStyle();
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->TextOut(FOrigin.X, FOrigin.Y, Text);
    Canvas->GetBrush()->SetStyle(Style);
}

void TTextTool::SetCurrentChar(int Index)
{
    if (!GetCartova())
        return;
    FCurrentChar = std::clamp(Index, 0, static_cast<int>(FText.size()));
    HideCaret(FCaret.get());
    PlaceCaret();
    ShowCaret(FCaret.get());
}

void TTextTool::DeleteCurrentChar(bool Backward)
{
    if (!FEntering || !GetCartova())
        return;
    HideCaret(FCaret.get());
    if (Backward && FCurrentChar > 0)
        FText.erase(--FCurrentChar, 1);
    else if (!Backward && FCurrentChar < static_cast<int>(FText.size()))
        FText.erase(FCurrentChar, 1);
    Draw();
    PlaceCaret();
    ShowCaret(FCaret.get());
}

std::string TTextTool::GetText() const
{
    return ToUtf8(FText);
}

void TTextTool::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == GetCartova()) {
        CaretHostDestroyed(FCaret.get());
        FEntering = false;
        FText.clear();
        FBackground->SetSize(0, 0);
    }
    TCustomMapTool::Notification(AComponent, Operation);
}

TCanvas* TTextTool::TextCanvas()
{
    TCartova* Map = GetCartova();
    TCanvas* Canvas = Map->GetCanvas();
    Canvas->SetFont(Map->GetOptions()->GetDefaultTextFont());
    return Canvas;
}

void TTextTool::PlaceCaret()
{
    TCanvas* Canvas = TextCanvas();
    const std::string Before = ToUtf8(std::u32string_view(FText).substr(0, FCurrentChar));
    SetCaretPos(FOrigin.X + (Before.empty() ? 0 : Canvas->TextWidth(Before)), FOrigin.Y);
}

void TTextTool::ReleaseCaret()
{
    // Only the caret this tool created: another control may own the caret now.
    if (HideCaret(FCaret.get()))
        DestroyCaret();
}

void TTextTool::EndEntry(bool Erase)
{
    if (!FEntering)
        return;
    ReleaseCaret();
    if (Erase && !FBackground->Empty() && GetCartova())
        TextCanvas()->Draw(FBackgroundAt.X, FBackgroundAt.Y, FBackground.get());
    FEntering = false;
    FText.clear();
    FCurrentChar = 0;
    FBackground->SetSize(0, 0);
}

} // namespace cartova
