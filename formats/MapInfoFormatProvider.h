#pragma once
// TMapInfoFormatProvider: MapInfo TAB files (and MIF files) through the MITAB
// library that Mitab_dyn binds at run time.

#include "formats/CustomFormatProvider.h"
#include "formats/DataFields.h"
#include "formats/Mitab_dyn.h"

#include <string>

namespace cartova {

class TCustomMapObject;
struct TLayerFileInfo;

/// The TAB and MIF provider; accepts names ending in ".tab" or ".mif" in any case.
class TMapInfoFormatProvider : public TCustomFormatProvider {
public:
    /// Registers the provider, then binds the MITAB library (MITAB_load;
    /// every construction tries again). A missing library is no error here.
    explicit TMapInfoFormatProvider(TComponent* AOwner = nullptr);

    /// "MapInfo Format Provider (mif, tab)".
    std::string GetDescription() const override;
    /// "MapInfo Files (*.mif; *.tab)|*.mif; *.tab".
    std::string GetFilter() const override;
    /// {4AC2894A-85A3-4613-80D2-27DDCDFEA816}.
    TGUID GetGUID() const override;
    /// Reads a TAB or MIF file into Layer: its schema, its CoordSys clause
    /// (with the file's bounds), symbols, texts, polylines, regions
    /// (rectangles too) and rows without geometry; other kinds are counted
    /// in the layer's file info. Raises Exception when the library is
    /// missing; false, with the library's message shown through the host's
    /// message handler, when the file cannot be read.
    bool Load(TMapLayer* Layer, const std::string& FileName) override;
    /// Writes Layer as a TAB or MIF file (by the extension) in the layer's
    /// CoordSys, with bounds that hold every object. Objects the format
    /// cannot hold (circles) are counted in the layer's file info. False
    /// without the library, and, with the library's message shown, when
    /// anything could not be written; the old file set then stays.
    bool Save(TMapLayer* Layer, const std::string& FileName) override;
    /// True for the extensions ".mif" and ".tab", compared ignoring case.
    bool CanProcessFile(const std::string& FileName) const override;

    /// The feature's attribute values into the object's record: each field's
    /// text, with one surrounding pair of apostrophes removed ('abc' → abc,
    /// '' and ' → empty), stored by the field's type. True when Feature is given.
    bool ReadData(mitab_feature Feature, TCustomMapObject* Object);
    /// The feature's parts and vertices appended to the object's; true when
    /// the feature has a part.
    bool ReadGeometry(mitab_feature Feature, TCustomMapObject* Object);
    /// Pen and brush, and for texts and font points the font, from the
    /// feature. True when Feature is given.
    bool ReadStyle(mitab_feature Feature, TCustomMapObject* Object);
    /// The object's values (and a text's string) into the feature; false when
    /// Feature is missing or the library refused a value.
    bool WriteData(mitab_feature Feature, TCustomMapObject* Object);
    /// The object's parts into the feature (a rectangle as its closed
    /// five-point ring); false when it has none or the library refused them.
    bool WriteGeometry(mitab_feature Feature, TCustomMapObject* Object);
    /// Pen, brush, and the font, text display or symbol into the feature;
    /// false when Feature is missing or the library refused a style.
    bool WriteStyle(mitab_feature Feature, TCustomMapObject* Object);
};

/// Field types, reading: Integer dtInteger, SmallInt dtSmallInt, Decimal
/// dtDecimal, Float dtFloat, Date and DateTime dtDateTime, Time dtTime,
/// Logical dtBoolean, any other dtString.
TDataType DataTypeOfMitab(int FieldType);
/// Field types, writing: the type Field was declared with in the file the
/// layer was read from while that still reads back as the field's type;
/// otherwise Char, Float, Decimal, Integer, SmallInt, DateTime, Date, Time
/// or Logical by the field's type. Width and precision: a Char's Size
/// (1..254), a Decimal's declared ones, else Decimal(20, 8).
int MitabFieldType(const TDataField& Field, const TLayerFileInfo& Info, int& Width, int& Precision);

} // namespace cartova
