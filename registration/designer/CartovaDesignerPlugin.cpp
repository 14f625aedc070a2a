// The Qt Designer plugin: puts the visual components of the component
// registry into Designer's widget box, under their palette page and with
// their palette icons, as the Qt widgets of registration/FormWidgets.h.
// The non-visual components (tools, format providers) stay in the registry:
// Designer has no place for them, programs create them in code.

#include "host/ComponentRegistry.h"
#include "registration/CartovaReg.h"
#include "registration/FormWidgets.h"

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QList>
#include <QObject>
#include <QString>
#include <QWidget>

namespace cartova::designer {

/// How a component class appears in Qt forms.
struct TFormWidgetClass {
    const char* ComponentClass;  // the registered class, "TCartova"
    const char* WidgetClass;     // the Qt widget class, "cartova::TCartovaWidget"
    const char* ObjectName;      // the default object name of a new widget
    QWidget* (*Create)(QWidget* Parent);
};

/// One widget of the widget box.
class TCartovaDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    TCartovaDesignerWidget(const TFormWidgetClass& Form, TRegisteredComponent Component, QObject* Parent);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* Parent) override;
    bool isInitialized() const override { return FInitialized; }
    void initialize(QDesignerFormEditorInterface* Core) override;
    QString domXml() const override;

private:
    TFormWidgetClass FForm;
    TRegisteredComponent FComponent;
    bool FInitialized = false;
};

/// The plugin: the visual components of the registry's pages, in palette order.
class TCartovaDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TCartovaDesignerPlugin(QObject* Parent = nullptr);

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

private:
    QList<QDesignerCustomWidgetInterface*> FWidgets;
};

namespace {

template <class W>
QWidget* CreateWidget(QWidget* Parent)
{
    return new W(Parent);
}

const TFormWidgetClass FormWidgetClasses[] = {
    {"TCartova", "cartova::TCartovaWidget", "map", &CreateWidget<TCartovaWidget>},
    {"TLayerControl", "cartova::TLayerControlWidget", "layerControl", &CreateWidget<TLayerControlWidget>},
    {"TLayersComboBox", "cartova::TLayersComboBoxWidget", "layersComboBox", &CreateWidget<TLayersComboBoxWidget>},
    {"TDataBrowser", "cartova::TDataBrowserWidget", "dataBrowser", &CreateWidget<TDataBrowserWidget>},
};

const TFormWidgetClass* FormWidgetClassOf(const std::string& ComponentClass)
{
    for (const TFormWidgetClass& Form : FormWidgetClasses)
        if (ComponentClass == Form.ComponentClass)
            return &Form;
    return nullptr;
}

} // namespace

TCartovaDesignerWidget::TCartovaDesignerWidget(const TFormWidgetClass& Form, TRegisteredComponent Component,
                                               QObject* Parent)
    : QObject(Parent), FForm(Form), FComponent(std::move(Component))
{
}

QString TCartovaDesignerWidget::name() const
{
    return QString::fromLatin1(FForm.WidgetClass);
}

QString TCartovaDesignerWidget::group() const
{
    return QString::fromStdString(FComponent.GetPage());
}

QString TCartovaDesignerWidget::toolTip() const
{
    return QString::fromStdString(FComponent.GetClassName());
}

QString TCartovaDesignerWidget::whatsThis() const
{
    return QStringLiteral("The Cartova component %1 (widget %2); the component itself is reached "
                          "through the widget's Get%3 in code.")
        .arg(toolTip(), name(), toolTip().mid(1));
}

QString TCartovaDesignerWidget::includeFile() const
{
    return QStringLiteral("registration/FormWidgets.h");
}

QIcon TCartovaDesignerWidget::icon() const
{
    return FComponent.GetPaletteIcon();
}

QWidget* TCartovaDesignerWidget::createWidget(QWidget* Parent)
{
    return FForm.Create(Parent);
}

void TCartovaDesignerWidget::initialize(QDesignerFormEditorInterface*)
{
    FInitialized = true;
}

QString TCartovaDesignerWidget::domXml() const
{
    // The widget box shows the component's class name; forms store the widget class.
    return QStringLiteral("<ui language=\"c++\" displayname=\"%1\">\n"
                          " <widget class=\"%2\" name=\"%3\"/>\n"
                          "</ui>\n")
        .arg(toolTip(), name(), QString::fromLatin1(FForm.ObjectName));
}

TCartovaDesignerPlugin::TCartovaDesignerPlugin(QObject* Parent) : QObject(Parent)
{
    Register();
    for (const std::string& Page : GetRegisteredPages())
        for (const TRegisteredComponent& Component : GetRegisteredComponents(Page))
            if (const TFormWidgetClass* Form = FormWidgetClassOf(Component.GetClassName()))
                FWidgets.append(new TCartovaDesignerWidget(*Form, Component, this));
}

} // namespace cartova::designer

#include "CartovaDesignerPlugin.moc"
