#include "objects/Sprite.h"


namespace cartova {

/// Hears of the destruction of the sprite's image list and forgets it: the
/// sprite is no component, so a small one listens for it.
class TSprite::TImageListLink : public TComponent {
public:
    explicit TImageListLink(TSprite& Sprite) : FSprite(Sprite) {}

    void Watch(TCustomImageList* Old, TCustomImageList* New)
    {
        if (Old)
            RemoveFreeNotification(Old);
        if (New)
            FreeNotification(New);
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FSprite.FImageList)
            FSprite.FImageList = nullptr;
    }

private:
    TSprite& FSprite;
};

TSprite::TSprite()
    : FGlyph(std::make_unique<TBitmap>()),
      FBackground(std::make_unique<TBitmap>()),
      FImageListLink(std::make_unique<TImageListLink>(*this))
{
    FGlyph->SetTransparent(true);
    FGlyph->SetTransparentMode(tmAuto);
    AnchorOrAdd(0, 0);
}

TSprite::~TSprite()
{
    FImageListLink->Watch(FImageList, nullptr);
}

void TSprite::Assign(const TPersistent* Source)
{
    TCustomMapObject::Assign(Source);
    if (const auto* Other = dynamic_cast<const TSprite*>(Source)) {
        FGlyph->Assign(Other->FGlyph.get());
        FVisible = Other->FVisible;
        FImageListLink->Watch(FImageList, Other->FImageList);
        FImageList = Other->FImageList;
        FImageIndex = Other->FImageIndex;
    }
}

// ---- glyph

void TSprite::SetGlyph(const TBitmap* Value)
{
    Hide();
    FGlyph->Assign(Value);
    FGlyph->SetTransparent(true);
    Show();
}

void TSprite::SetImageList(TCustomImageList* Value)
{
    FImageListLink->Watch(FImageList, Value);
    FImageList = Value;
    Hide();
    LoadImage();
    Show();
}

void TSprite::SetImageIndex(int Value)
{
    Hide();
    FImageIndex = Value;
    LoadImage();
    Show();
}

void TSprite::LoadImage()
{
    if (FImageList)
        FImageList->GetBitmap(FImageIndex, FGlyph.get());
}

void TSprite::GlyphChanged()
{
    Hide();
    Show();
}

void TSprite::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    if (Value)
        Show();
    else
        Hide();
}

// ---- anchor

TMapPoint& TSprite::AnchorOrAdd(double X, double Y) const
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints* Points = Parts->First()->GetPoints();
    if (Points->Empty())
        Points->Add(X, Y);
    return Points->GetPoint(0);
}

double TSprite::GetX() const { return AnchorOrAdd(0, 0).X; }
double TSprite::GetY() const { return AnchorOrAdd(0, 0).Y; }

void TSprite::SetX(double Value)
{
    Hide();
    AnchorOrAdd(Value, 0).X = Value;
    Show();
}

void TSprite::SetY(double Value)
{
    Hide();
    AnchorOrAdd(0, Value).Y = Value;
    Show();
}

void TSprite::Move(double X, double Y)
{
    if (FVisible)
        Hide();
    FMoving = true;
    SetX(X);
    SetY(Y);
    FMoving = false;
    if (FVisible)
        Show();
}

TPoint TSprite::AnchorPixel() const
{
    const TMapPoint& A = AnchorOrAdd(0, 0);
    TPoint P;
    GetMap()->MapToScreen(A.X, A.Y, P.X, P.Y, false);
    return P;
}

// ---- showing

void TSprite::Show()
{
    auto* Map = GetMap();
    if (FMoving || !Map || !FVisible)
        return;
    SaveBackground();
    Map->GetCanvas()->Draw(FSavedAt.X, FSavedAt.Y, FGlyph.get());
    FShown = true;
}

void TSprite::Hide()
{
    if (FMoving || !FShown)
        return;
    RestoreBackground();
    FShown = false;
}

void TSprite::SaveBackground()
{
    auto* Map = GetMap();
    if (!Map)
        return;
    // The whole glyph box, also for odd sizes (w div 2 on both sides would
    // leave the last column and row out).
    const int W = FGlyph->GetWidth(), H = FGlyph->GetHeight();
    const TPoint P = AnchorPixel();
    FSavedAt = {P.X - W / 2, P.Y - H / 2};
    FSavedView = Map->GetViewBounds();
    FBackground->SetSize(W, H);
    if (W > 0 && H > 0)
        FBackground->GetCanvas()->CopyRect(Rect(0, 0, W, H), Map->GetCanvas(),
                                           Rect(FSavedAt.X, FSavedAt.Y, FSavedAt.X + W, FSavedAt.Y + H));
}

void TSprite::RestoreBackground()
{
    auto* Map = GetMap();
    if (!Map || FBackground->Empty())
        return;
    const TBounds View = Map->GetViewBounds();
    if (!(View == FSavedView) || !IntersectsRect(View.MinX, View.MinY, View.MaxX, View.MaxY))
        return;
    Map->GetCanvas()->Draw(FSavedAt.X, FSavedAt.Y, FBackground.get());
}

// ---- map object protocol

void TSprite::Draw()
{
    // The map is painting afresh: whatever was shown before is gone.
    FShown = false;
    FDrawn = false;
    auto* Map = GetMap();
    if (!Map || !FVisible)
        return;
    const TBounds View = Map->GetViewBounds();
    if (!WithinRect(View.MinX, View.MinY, View.MaxX, View.MaxY))
        return;
    Show();
    FDrawn = FShown;
}

TBounds TSprite::GetExtent() const
{
    const TMapPoint& A = AnchorOrAdd(0, 0);
    return {A.X, A.Y, A.X, A.Y};
}

bool TSprite::ContainsPoint(double PX, double PY) const
{
    auto* Map = GetMap();
    if (!Map)
        return false;
    const int W = FGlyph->GetWidth(), H = FGlyph->GetHeight();
    const TPoint S = AnchorPixel();
    int QX, QY;
    Map->MapToScreen(PX, PY, QX, QY, false);
    return S.X - W / 2 <= QX && QX <= S.X + W / 2 && S.Y - H / 2 <= QY && QY <= S.Y + H / 2;
}

bool TSprite::IntersectsRect(double X0, double Y0, double X1, double Y1) const
{
    auto* Map = GetMap();
    if (!Map)
        return WithinRect(X0, Y0, X1, Y1);
    const int W = FGlyph->GetWidth() / 2, H = FGlyph->GetHeight() / 2;
    const TPoint S = AnchorPixel();
    const TPoint Corners[] = {{S.X - W, S.Y - H}, {S.X + W, S.Y - H}, {S.X + W, S.Y + H}, {S.X - W, S.Y + H}};
    for (const TPoint& C : Corners) {
        double MX, MY;
        Map->ScreenToMap(C.X, C.Y, MX, MY);
        if (PointInRect(MX, MY, X0, Y0, X1, Y1))
            return true;
    }
    return false;
}

bool TSprite::WithinRect(double X0, double Y0, double X1, double Y1) const
{
    const TMapPoint& A = AnchorOrAdd(0, 0);
    return PointInRect(A.X, A.Y, X0, Y0, X1, Y1);
}

bool TSprite::Contains(const TCustomMapObject*) const { return false; }
bool TSprite::Intersects(const TCustomMapObject*) const { return false; }
bool TSprite::ContainsRect(double, double, double, double) const { return false; }

} // namespace cartova
