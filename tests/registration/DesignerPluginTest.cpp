// The Qt Designer plugin, loaded as Designer loads it, and forms that use
// its widgets: through QUiLoader and through uic-generated code.

#include "registration/CartovaReg.h"
#include "map/MapObjects.h"
#include "registration/FormWidgets.h"

#include "ui_MapForm.h"

#include <gtest/gtest.h>

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>

#include <memory>

namespace cartova {
namespace {

const char* const FormFile = CARTOVA_REGISTRATION_TEST_DIR "/MapForm.ui";

// The form's settings, read back through the components' getters.
void ExpectFormProperties(QWidget* Form)
{
    auto* Map = Form->findChild<TCartovaWidget*>("map");
    auto* Layers = Form->findChild<TLayerControlWidget*>("layers");
    auto* Combo = Form->findChild<TLayersComboBoxWidget*>("combo");
    auto* Grid = Form->findChild<TDataBrowserWidget*>("grid");
    ASSERT_TRUE(Map && Layers && Combo && Grid);

    const TCartova* Cartova = Map->GetCartova();
    EXPECT_EQ(Cartova->GetZoom(), 2.5);
    EXPECT_EQ(Cartova->GetCenterX(), 12.25);
    EXPECT_EQ(Cartova->GetCenterY(), -41.5);
    EXPECT_EQ(Cartova->GetMinZoom(), 0.5);
    EXPECT_EQ(Cartova->GetMaxZoom(), 40.0);
    EXPECT_EQ(Cartova->GetColor(), TColor(10 | 20 << 8 | 200 << 16));
    EXPECT_FALSE(Cartova->GetWheelMouse());
    EXPECT_EQ(Cartova->GetZoomType(), wmCursor);
    EXPECT_FALSE(Cartova->GetShowSelection());
    EXPECT_FALSE(Cartova->GetFastSelection());

    const TLayerControl* LayerControl = Layers->GetLayerControl();
    EXPECT_FALSE(LayerControl->GetGlyphs());
    EXPECT_FALSE(LayerControl->GetDrawHorzLines());
    EXPECT_TRUE(LayerControl->GetDrawVertLines());
    EXPECT_EQ(LayerControl->GetItemHeight(), 20);
    EXPECT_EQ(Combo->GetLayersComboBox()->GetDropDownCount(), 12);
    EXPECT_TRUE(Grid->GetDataBrowser()->GetAlwaysShowEditor());
    EXPECT_EQ(Grid->GetDataBrowser()->GetDefaultColWidth(), 80);

    // The layer list comes before the map in the form: it links once the
    // form is polished, and then follows the map's layers.
    Form->ensurePolished();
    EXPECT_EQ(LayerControl->GetMap(), Cartova);
    EXPECT_EQ(Combo->GetLayersComboBox()->GetMap(), Cartova);
    Map->GetCartova()->GetLayers()->Add("", "roads");
    EXPECT_EQ(LayerControl->Count(), 1);
    EXPECT_EQ(Combo->GetLayersComboBox()->Count(), 1);
}

TEST(DesignerPluginTest, LoadsAndCreatesEachWidgetOfTheBasicPage)
{
    QPluginLoader Loader(QStringLiteral(CARTOVA_DESIGNER_PLUGIN));
    QObject* Instance = Loader.instance();
    ASSERT_NE(Instance, nullptr) << Loader.errorString().toStdString();
    auto* Collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(Instance);
    ASSERT_NE(Collection, nullptr);

    const QList<QDesignerCustomWidgetInterface*> Widgets = Collection->customWidgets();
    const QStringList Names{"cartova::TCartovaWidget", "cartova::TLayerControlWidget",
                            "cartova::TLayersComboBoxWidget", "cartova::TDataBrowserWidget"};
    const QStringList Components{"TCartova", "TLayerControl", "TLayersComboBox", "TDataBrowser"};
    ASSERT_EQ(Widgets.size(), Names.size());
    QWidget Form;
    Form.show();
    for (int I = 0; I < Widgets.size(); ++I) {
        QDesignerCustomWidgetInterface* W = Widgets[I];
        SCOPED_TRACE(Names[I].toStdString());
        EXPECT_EQ(W->name(), Names[I]);
        EXPECT_EQ(W->group(), "Cartova - Basic");
        EXPECT_EQ(W->toolTip(), Components[I]);
        EXPECT_EQ(W->includeFile(), "registration/FormWidgets.h");
        EXPECT_FALSE(W->isContainer());
        const int Side = (I == 0 || I == 3) ? 24 : 20;
        EXPECT_FALSE(W->icon().isNull());
        EXPECT_EQ(W->icon().availableSizes().value(0), QSize(Side, Side));
        // The widget box shows the component's name; forms store the widget class.
        EXPECT_TRUE(W->domXml().contains(QStringLiteral("displayname=\"%1\"").arg(Components[I])));
        EXPECT_TRUE(W->domXml().contains(QStringLiteral("class=\"%1\"").arg(Names[I])));

        std::unique_ptr<QWidget> Created(W->createWidget(&Form));
        ASSERT_NE(Created, nullptr);
        EXPECT_EQ(QString::fromLatin1(Created->metaObject()->className()), Names[I]);
        EXPECT_EQ(Created->parentWidget(), &Form);
        // Filled by the component's window, which follows its size.
        Created->resize(150, 90);
        Created->show();
        auto* Window = Created->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(Window, nullptr);
        EXPECT_EQ(Window->size(), QSize(150, 90));
    }
    // Every published property of the map named here is a Qt property.
    const QMetaObject* Meta = &TCartovaWidget::staticMetaObject;
    for (const char* Property : {"Zoom", "CenterX", "CenterY", "MinZoom", "MaxZoom", "Color", "WheelMouse",
                                 "ZoomType", "ShowSelection", "FastSelection"})
        EXPECT_GE(Meta->indexOfProperty(Property), 0) << Property;
    UnregisterComponents();
}

TEST(DesignerPluginTest, UiLoaderSetsThePropertiesOfAForm)
{
    QUiLoader Loader;
    Loader.clearPluginPaths();
    Loader.addPluginPath(QFileInfo(QStringLiteral(CARTOVA_DESIGNER_PLUGIN)).absolutePath());
    EXPECT_TRUE(Loader.availableWidgets().contains("cartova::TCartovaWidget"));

    QFile File(QString::fromLatin1(FormFile));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> Form(Loader.load(&File));
    ASSERT_NE(Form, nullptr) << Loader.errorString().toStdString();
    ExpectFormProperties(Form.get());
    UnregisterComponents();
}

TEST(DesignerPluginTest, UicGeneratedCodeSetsThePropertiesOfAForm)
{
    QWidget Form;
    Ui::MapForm Ui;
    Ui.setupUi(&Form);
    EXPECT_EQ(Ui.map->GetCartova()->GetZoom(), 2.5);
    ExpectFormProperties(&Form);
}

TEST(DesignerPluginTest, CompanionLinksFollowTheNamedMap)
{
    QWidget Form;
    auto* Layers = new TLayerControlWidget(&Form);
    // No such map yet: not linked.
    Layers->SetMap("world");
    EXPECT_FALSE(Layers->LinkMap());
    EXPECT_EQ(Layers->GetLayerControl()->GetMap(), nullptr);

    auto* World = new TCartovaWidget(&Form);
    World->setObjectName("world");
    auto* Other = new TCartovaWidget(&Form);
    Other->setObjectName("other");
    EXPECT_TRUE(Layers->LinkMap());
    EXPECT_EQ(Layers->GetLayerControl()->GetMap(), World->GetCartova());

    // Renaming links at once to an existing map; an empty name unlinks.
    Layers->SetMap("other");
    EXPECT_EQ(Layers->GetLayerControl()->GetMap(), Other->GetCartova());
    Layers->SetMap("");
    EXPECT_EQ(Layers->GetLayerControl()->GetMap(), nullptr);

    // A map widget destroyed first leaves the layer list without a map.
    Layers->SetMap("world");
    delete World;
    EXPECT_EQ(Layers->GetLayerControl()->GetMap(), nullptr);
    EXPECT_EQ(Layers->GetMap(), "world");
}

} // namespace
} // namespace cartova
