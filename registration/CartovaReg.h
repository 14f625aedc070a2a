#pragma once
// Unit CartovaReg: puts the library's components on the form designer's
// palette. Register fills the host's component registry with three pages:
//
//   "Cartova - Basic"             TCartova, TLayerControl, TLayersComboBox,
//                                 TDataBrowser
//   "Cartova - Map Tools"         TSelectionTool, TZoomInTool, TZoomOutTool,
//                                 TPanTool, TLineTool, TPolylineTool,
//                                 TRectTool, TRegionTool, TCircleTool,
//                                 TSymbolTool, TTextTool
//   "Cartova - Format Providers"  TSimpleMIFFormatProvider,
//                                 TMapInfoFormatProvider
//
// Each class's palette bitmap is the resource named after it in upper case
// (24 x 24 for the map, the data browser and the providers, 20 x 20 for the
// others). The abstract tool and provider bases are not registered.
//
// An application lists the pages with GetRegisteredPages and
// GetRegisteredComponents (host/ComponentRegistry.h) after calling Register.

#include "host/ComponentRegistry.h"

namespace cartova {

inline constexpr const char* CartovaBasicPage = "Cartova - Basic";
inline constexpr const char* CartovaMapToolsPage = "Cartova - Map Tools";
inline constexpr const char* CartovaFormatProvidersPage = "Cartova - Format Providers";

/// Registers the components on their three pages, in palette order. Calling
/// it again registers the same classes in the same places.
void Register();

} // namespace cartova
