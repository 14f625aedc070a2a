#pragma once
// Substrates: raster images placed under the layers at map coordinates.

#include "host/Host.h"

#include <memory>
#include <string>

namespace cartova {

class TCartova;
class TRectangle;

/// A raster image stretched onto a rectangle of the map, painted under the
/// layers. The placement rectangle given by the caller is a reference the
/// substrate never frees; one it makes from coordinates is its own.
class TSubstrate : public TPersistent {
public:
    TSubstrate();
    ~TSubstrate() override;

    /// Places the image on (X, Y)–(X + Width, Y + Height) and loads it;
    /// raises the host's bitmap loading error for an unreadable file.
    void LoadFromFile(const std::string& FileName, double X, double Y, double Width,
                      double Height);
    /// Keeps Rectangle as the placement, creates the bitmap and loads the file.
    void LoadFromFile(const std::string& FileName, TRectangle* Rectangle);

    /// Stretches the image onto the placement's screen rectangle on the
    /// map's Canvas; nothing without a map, a placement or an image.
    virtual void Paint();

    TBitmap* GetBitmap() const { return FBitmap.get(); }
    TRectangle* GetRectangle() const { return FRectangle; }
    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }

private:
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TRectangle> FOwnRectangle;
    TRectangle* FRectangle = nullptr;
    TCartova* FMap = nullptr;
};

/// The map's substrates: an owning list, painted in index order.
class TSubstrates : public TObjectList<TSubstrate> {
public:
    explicit TSubstrates(TCartova* AMap = nullptr) : FMap(AMap) {}
    /// Frees every substrate.
    ~TSubstrates() override;

    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }
    TSubstrate* GetSubstrates(int Index) const { return GetItems(Index); }

    /// Sets the substrate's map, appends it (the list owns it from then on),
    /// marks the map modified and repaints it at once.
    TSubstrate* Add(TSubstrate* Substrate);
    /// Creates a substrate, loads the file onto the rectangle and adds it.
    /// When loading fails the new substrate is freed and the error raised.
    TSubstrate* LoadFromFile(const std::string& FileName, double X, double Y, double Width,
                             double Height);
    TSubstrate* LoadFromFile(const std::string& FileName, TRectangle* Rectangle);
    /// Paints each substrate in index order.
    void Paint();
    /// Takes the substrate out of the list without freeing it; raises
    /// EListError for a substrate the list does not hold.
    void Remove(TSubstrate* Substrate);
    /// Frees every substrate and empties the list.
    void Clear() override;

private:
    TCartova* FMap;
};

} // namespace cartova
