#include "host/ImageList.h"

#include "host/Canvas.h"
#include "host/Exceptions.h"

#include <QPainter>

namespace cartova::host {

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TCustomImageList::SetWidth(int Value)
{
    if (Value > 0 && Value != FWidth) {
        FWidth = Value;
        FImages.clear();
    }
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value > 0 && Value != FHeight) {
        FHeight = Value;
        FImages.clear();
    }
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* /*Mask*/)
{
    if (!Image || Image->Empty())
        return -1;
    QImage img(FWidth, FHeight, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, Image->GetTransparent() ? Image->GetMaskedImage() : Image->GetImage());
    }
    FImages.push_back(std::move(img));
    return Count() - 1;
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    FImages.erase(FImages.begin() + Index);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const
{
    if (!Image || Index < 0 || Index >= Count())
        return false;
    Image->SetImage(FImages[static_cast<size_t>(Index)]);
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index) const
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    QPainter* p = Canvas->RequirePainter();
    if (p)
        p->drawImage(X, Y, FImages[static_cast<size_t>(Index)]);
}

} // namespace cartova::host
