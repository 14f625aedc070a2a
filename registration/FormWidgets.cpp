#include "registration/FormWidgets.h"

#include <QEvent>

namespace cartova {

namespace {

// Fills Host with Control's window, which then follows Host's size; the
// keyboard focus given to Host goes to the control.
void EmbedControl(QWidget* Host, TControl* Control)
{
    Control->SetParentWidget(Host);
    Control->SetAlign(alClient);
    Host->setFocusProxy(Control->GetWidget());
}

} // namespace

// ---- TCartovaWidget

TCartovaWidget::TCartovaWidget(QWidget* Parent)
    : QWidget(Parent), FCartova(std::make_unique<TCartova>(nullptr))
{
    EmbedControl(this, FCartova.get());
}

// The component goes first, taking its window with it, before QWidget
// deletes the remaining children.
TCartovaWidget::~TCartovaWidget()
{
    setFocusProxy(nullptr);
}

QColor TCartovaWidget::GetColor() const
{
    return ColorToQColor(FCartova->GetColor());
}

void TCartovaWidget::SetColor(const QColor& Value)
{
    FCartova->SetColor(QColorToColor(Value));
}

void TCartovaWidget::SetZoomType(ZoomTypes Value)
{
    if (Value >= wmCenter && Value <= wmSelected)
        FCartova->SetZoomType(static_cast<TWheelMouseZoomType>(Value));
}

// ---- TMapCompanionWidget

TMapCompanionWidget::TMapCompanionWidget(QWidget* Parent) : QWidget(Parent) {}

void TMapCompanionWidget::Embed(TControl* Control)
{
    EmbedControl(this, Control);
}

void TMapCompanionWidget::SetMap(const QString& Value)
{
    FMapName = Value;
    FLinked = false;
    LinkMap();
}

bool TMapCompanionWidget::LinkMap()
{
    if (FLinked)
        return true;
    if (FMapName.isEmpty()) {
        SetComponentMap(nullptr);
        FLinked = true;
        return true;
    }
    auto* MapWidget = window()->findChild<TCartovaWidget*>(FMapName);
    if (!MapWidget && window()->objectName() == FMapName)
        MapWidget = qobject_cast<TCartovaWidget*>(window());
    if (!MapWidget) {
        SetComponentMap(nullptr);
        return false;
    }
    SetComponentMap(MapWidget->GetCartova());
    FLinked = true;
    return true;
}

bool TMapCompanionWidget::event(QEvent* E)
{
    if (!FLinked && (E->type() == QEvent::Polish || E->type() == QEvent::Show))
        LinkMap();
    return QWidget::event(E);
}

// ---- TLayerControlWidget

TLayerControlWidget::TLayerControlWidget(QWidget* Parent)
    : TMapCompanionWidget(Parent), FControl(std::make_unique<TLayerControl>(nullptr))
{
    Embed(FControl.get());
}

TLayerControlWidget::~TLayerControlWidget()
{
    setFocusProxy(nullptr);
}

QColor TLayerControlWidget::GetColor() const
{
    return ColorToQColor(FControl->GetColor());
}

void TLayerControlWidget::SetColor(const QColor& Value)
{
    FControl->SetColor(QColorToColor(Value));
}

// ---- TLayersComboBoxWidget

TLayersComboBoxWidget::TLayersComboBoxWidget(QWidget* Parent)
    : TMapCompanionWidget(Parent), FControl(std::make_unique<TLayersComboBox>(nullptr))
{
    Embed(FControl.get());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

TLayersComboBoxWidget::~TLayersComboBoxWidget()
{
    setFocusProxy(nullptr);
}

QSize TLayersComboBoxWidget::sizeHint() const
{
    const QWidget* Combo = FControl->GetWidget();
    return Combo ? QSize(160, Combo->sizeHint().height()) : QSize(160, 24);
}

// ---- TDataBrowserWidget

TDataBrowserWidget::TDataBrowserWidget(QWidget* Parent)
    : QWidget(Parent), FControl(std::make_unique<TDataBrowser>(nullptr))
{
    EmbedControl(this, FControl.get());
}

TDataBrowserWidget::~TDataBrowserWidget()
{
    setFocusProxy(nullptr);
}

QColor TDataBrowserWidget::GetFixedColor() const
{
    return ColorToQColor(FControl->GetFixedColor());
}

void TDataBrowserWidget::SetFixedColor(const QColor& Value)
{
    FControl->SetFixedColor(QColorToColor(Value));
}

QColor TDataBrowserWidget::GetColor() const
{
    return ColorToQColor(FControl->GetColor());
}

void TDataBrowserWidget::SetColor(const QColor& Value)
{
    FControl->SetColor(QColorToColor(Value));
}

} // namespace cartova
