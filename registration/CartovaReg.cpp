#include "registration/CartovaReg.h"

#include "controls/DataBrowser.h"
#include "controls/LayerCtrl.h"
#include "controls/LayersComboBox.h"
#include "formats/MapInfoFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"
#include "map/Cartova.h"
#include "tools/StdMapTools.h"

namespace cartova {

void Register()
{
    RegisterComponents(CartovaBasicPage, {
        ComponentClassOf<TCartova>(),
        ComponentClassOf<TLayerControl>(),
        ComponentClassOf<TLayersComboBox>(),
        ComponentClassOf<TDataBrowser>(),
    });
    RegisterComponents(CartovaMapToolsPage, {
        ComponentClassOf<TSelectionTool>(),
        ComponentClassOf<TZoomInTool>(),
        ComponentClassOf<TZoomOutTool>(),
        ComponentClassOf<TPanTool>(),
        ComponentClassOf<TLineTool>(),
        ComponentClassOf<TPolylineTool>(),
        ComponentClassOf<TRectTool>(),
        ComponentClassOf<TRegionTool>(),
        ComponentClassOf<TCircleTool>(),
        ComponentClassOf<TSymbolTool>(),
        ComponentClassOf<TTextTool>(),
    });
    RegisterComponents(CartovaFormatProvidersPage, {
        ComponentClassOf<TSimpleMIFFormatProvider>(),
        ComponentClassOf<TMapInfoFormatProvider>(),
    });
}

} // namespace cartova
