#pragma once
// Qt widgets that carry the visual components into Qt forms: each one owns
// its component, fills itself with the component's window and exposes the
// component's published properties as Qt properties, so that Qt Designer's
// property editor shows them, .ui files store them and uic-generated code
// (or QUiLoader) sets them. The component itself is reached through the
// widget's getter (GetCartova, GetLayerControl, ...) for everything else:
// layers, events, tools.
//
// The companion widgets name their map by the object name of a
// TCartovaWidget of the same window (property Map). The link is made when
// the property is set and the map widget exists, otherwise when the widget
// is polished or shown, or when LinkMap is called.

#include "controls/DataBrowser.h"
#include "controls/LayerCtrl.h"
#include "controls/LayersComboBox.h"
#include "map/Cartova.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <memory>

namespace cartova {

/// The map control TCartova in a Qt form.
class TCartovaWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Zoom READ GetZoom WRITE SetZoom)
    Q_PROPERTY(double CenterX READ GetCenterX WRITE SetCenterX)
    Q_PROPERTY(double CenterY READ GetCenterY WRITE SetCenterY)
    Q_PROPERTY(double MinZoom READ GetMinZoom WRITE SetMinZoom)
    Q_PROPERTY(double MaxZoom READ GetMaxZoom WRITE SetMaxZoom)
    Q_PROPERTY(QColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(bool WheelMouse READ GetWheelMouse WRITE SetWheelMouse)
    Q_PROPERTY(ZoomTypes ZoomType READ GetZoomType WRITE SetZoomType)
    Q_PROPERTY(bool ShowSelection READ GetShowSelection WRITE SetShowSelection)
    Q_PROPERTY(bool FastSelection READ GetFastSelection WRITE SetFastSelection)

public:
    /// TWheelMouseZoomType, with the same values, for Designer's editor.
    enum ZoomTypes { wmCenter = cartova::wmCenter, wmCursor = cartova::wmCursor, wmSelected = cartova::wmSelected };
    Q_ENUM(ZoomTypes)

    explicit TCartovaWidget(QWidget* Parent = nullptr);
    ~TCartovaWidget() override;

    /// The map control this widget shows.
    TCartova* GetCartova() const { return FCartova.get(); }

    double GetZoom() const { return FCartova->GetZoom(); }
    void SetZoom(double Value) { FCartova->SetZoom(Value); }
    double GetCenterX() const { return FCartova->GetCenterX(); }
    void SetCenterX(double Value) { FCartova->SetCenterX(Value); }
    double GetCenterY() const { return FCartova->GetCenterY(); }
    void SetCenterY(double Value) { FCartova->SetCenterY(Value); }
    double GetMinZoom() const { return FCartova->GetMinZoom(); }
    void SetMinZoom(double Value) { FCartova->SetMinZoom(Value); }
    double GetMaxZoom() const { return FCartova->GetMaxZoom(); }
    void SetMaxZoom(double Value) { FCartova->SetMaxZoom(Value); }
    QColor GetColor() const;
    void SetColor(const QColor& Value);
    bool GetWheelMouse() const { return FCartova->GetWheelMouse(); }
    void SetWheelMouse(bool Value) { FCartova->SetWheelMouse(Value); }
    ZoomTypes GetZoomType() const { return static_cast<ZoomTypes>(FCartova->GetZoomType()); }
    void SetZoomType(ZoomTypes Value);
    bool GetShowSelection() const { return FCartova->GetShowSelection(); }
    void SetShowSelection(bool Value) { FCartova->SetShowSelection(Value); }
    bool GetFastSelection() const { return FCartova->GetFastSelection(); }
    void SetFastSelection(bool Value) { FCartova->SetFastSelection(Value); }

    QSize sizeHint() const override { return {320, 240}; }

private:
    std::unique_ptr<TCartova> FCartova;
};

/// What the companion widgets share: the Map property naming a
/// TCartovaWidget of the same window, and the component's window inside.
class TMapCompanionWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Map READ GetMap WRITE SetMap)

public:
    /// The object name of the map widget ("" for none).
    QString GetMap() const { return FMapName; }
    /// Names the map widget; links at once when it exists, else later.
    void SetMap(const QString& Value);
    /// Looks the named map widget up in this widget's window and links the
    /// component to its map; true when linked (or when no map is named).
    bool LinkMap();

protected:
    explicit TMapCompanionWidget(QWidget* Parent);
    /// Fills the widget with the component's window.
    void Embed(TControl* Control);
    bool event(QEvent* E) override;
    /// Links the component to Map (nullptr unlinks).
    virtual void SetComponentMap(TCartova* Map) = 0;

private:
    QString FMapName;
    bool FLinked = true;
};

/// The layer list TLayerControl in a Qt form.
class TLayerControlWidget : public TMapCompanionWidget {
    Q_OBJECT
    Q_PROPERTY(bool Glyphs READ GetGlyphs WRITE SetGlyphs)
    Q_PROPERTY(bool DrawHorzLines READ GetDrawHorzLines WRITE SetDrawHorzLines)
    Q_PROPERTY(bool DrawVertLines READ GetDrawVertLines WRITE SetDrawVertLines)
    Q_PROPERTY(int ItemHeight READ GetItemHeight WRITE SetItemHeight)
    Q_PROPERTY(QColor Color READ GetColor WRITE SetColor)

public:
    explicit TLayerControlWidget(QWidget* Parent = nullptr);
    ~TLayerControlWidget() override;

    TLayerControl* GetLayerControl() const { return FControl.get(); }

    bool GetGlyphs() const { return FControl->GetGlyphs(); }
    void SetGlyphs(bool Value) { FControl->SetGlyphs(Value); }
    bool GetDrawHorzLines() const { return FControl->GetDrawHorzLines(); }
    void SetDrawHorzLines(bool Value) { FControl->SetDrawHorzLines(Value); }
    bool GetDrawVertLines() const { return FControl->GetDrawVertLines(); }
    void SetDrawVertLines(bool Value) { FControl->SetDrawVertLines(Value); }
    int GetItemHeight() const { return FControl->GetItemHeight(); }
    void SetItemHeight(int Value) { FControl->SetItemHeight(Value); }
    QColor GetColor() const;
    void SetColor(const QColor& Value);

    QSize sizeHint() const override { return {160, 200}; }

protected:
    void SetComponentMap(TCartova* Map) override { FControl->SetMap(Map); }

private:
    std::unique_ptr<TLayerControl> FControl;
};

/// The layer drop-down list TLayersComboBox in a Qt form.
class TLayersComboBoxWidget : public TMapCompanionWidget {
    Q_OBJECT
    Q_PROPERTY(int DropDownCount READ GetDropDownCount WRITE SetDropDownCount)

public:
    explicit TLayersComboBoxWidget(QWidget* Parent = nullptr);
    ~TLayersComboBoxWidget() override;

    TLayersComboBox* GetLayersComboBox() const { return FControl.get(); }

    int GetDropDownCount() const { return FControl->GetDropDownCount(); }
    void SetDropDownCount(int Value) { FControl->SetDropDownCount(Value); }

    QSize sizeHint() const override;

protected:
    void SetComponentMap(TCartova* Map) override { FControl->SetMap(Map); }

private:
    std::unique_ptr<TLayersComboBox> FControl;
};

/// The attribute grid TDataBrowser in a Qt form. It shows the layer its
/// program gives it (GetDataBrowser()->SetLayer), so it names no map.
class TDataBrowserWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AlwaysShowEditor READ GetAlwaysShowEditor WRITE SetAlwaysShowEditor)
    Q_PROPERTY(int DefaultColWidth READ GetDefaultColWidth WRITE SetDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ GetDefaultRowHeight WRITE SetDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GetGridLineWidth WRITE SetGridLineWidth)
    Q_PROPERTY(QColor FixedColor READ GetFixedColor WRITE SetFixedColor)
    Q_PROPERTY(QColor Color READ GetColor WRITE SetColor)

public:
    explicit TDataBrowserWidget(QWidget* Parent = nullptr);
    ~TDataBrowserWidget() override;

    TDataBrowser* GetDataBrowser() const { return FControl.get(); }

    bool GetAlwaysShowEditor() const { return FControl->GetAlwaysShowEditor(); }
    void SetAlwaysShowEditor(bool Value) { FControl->SetAlwaysShowEditor(Value); }
    int GetDefaultColWidth() const { return FControl->GetDefaultColWidth(); }
    void SetDefaultColWidth(int Value) { FControl->SetDefaultColWidth(Value); }
    int GetDefaultRowHeight() const { return FControl->GetDefaultRowHeight(); }
    void SetDefaultRowHeight(int Value) { FControl->SetDefaultRowHeight(Value); }
    int GetGridLineWidth() const { return FControl->GetGridLineWidth(); }
    void SetGridLineWidth(int Value) { FControl->SetGridLineWidth(Value); }
    QColor GetFixedColor() const;
    void SetFixedColor(const QColor& Value);
    QColor GetColor() const;
    void SetColor(const QColor& Value);

    QSize sizeHint() const override { return {320, 160}; }

private:
    std::unique_ptr<TDataBrowser> FControl;
};

} // namespace cartova
