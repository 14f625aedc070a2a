#pragma once
// The component registry of the form designer: RegisterComponents records
// component classes on named palette pages, in order, each with a factory
// and a palette bitmap. Designer integrations and tool bars list it by page
// and create components through it.
//
// A palette bitmap is the Qt resource ":/cartova/NAME", NAME being the class
// name in upper case ("TCARTOVA", "TSELECTIONTOOL").

#include "host/Classes.h"

#include <QIcon>
#include <QImage>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace cartova::host {

/// Creates a component; a given owner frees it, otherwise the caller does.
using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;

/// A class as RegisterComponents takes it: its name and its factory.
struct TComponentClass {
    std::string ClassName;
    TComponentFactory Create;
};

/// The TComponentClass of T: named as T's ClassName, created by T(AOwner).
/// Abstract classes cannot be registered.
template <class T>
TComponentClass ComponentClassOf()
{
    static_assert(std::is_base_of_v<TComponent, T>, "only components are registered");
    static_assert(!std::is_abstract_v<T>, "abstract classes are not registered");
    return {ClassNameOf(typeid(T)), [](TComponent* AOwner) -> TComponent* { return new T(AOwner); }};
}

/// One class of the registry, as listed by GetRegisteredComponents.
class TRegisteredComponent {
public:
    TRegisteredComponent(std::string APage, TComponentClass AClass);

    const std::string& GetPage() const { return FPage; }
    const std::string& GetClassName() const { return FClass.ClassName; }
    /// The palette bitmap's resource name: the class name in upper case.
    std::string GetBitmapName() const;
    /// The palette bitmap; a null image when the resource is missing.
    QImage GetPaletteBitmap() const;
    /// The palette bitmap as an icon for tool bars and widget boxes: its
    /// bottom-left pixel's colour is transparent. Null when it is missing.
    QIcon GetPaletteIcon() const;
    /// Creates a component of this class owned by AOwner (may be nullptr:
    /// the caller then frees it).
    TComponent* Create(TComponent* AOwner) const;

private:
    std::string FPage;
    TComponentClass FClass;
};

/// Records Classes on Page, after the classes already there. A class already
/// registered (by name, case-insensitive) is replaced: in place when it is on
/// the same page, otherwise it moves to the end of Page. Raises
/// EInvalidArgument for an empty page or class name, or a class without a
/// factory; nothing is recorded then.
void RegisterComponents(const std::string& Page, const std::vector<TComponentClass>& Classes);

/// The pages in the order they were first registered.
std::vector<std::string> GetRegisteredPages();
/// The classes of Page in palette order (empty for an unknown page).
std::vector<TRegisteredComponent> GetRegisteredComponents(const std::string& Page);
/// The class registered under ClassName (case-insensitive), if any.
std::optional<TRegisteredComponent> FindRegisteredComponent(const std::string& ClassName);
/// Creates a registered class by name; raises EInvalidArgument
/// "Class X not found" when it is not registered.
TComponent* CreateRegisteredComponent(const std::string& ClassName, TComponent* AOwner);
/// Removes every class of Page (all pages when Page is empty).
void UnregisterComponents(const std::string& Page = {});

} // namespace cartova::host

namespace cartova {
using host::TComponentFactory;
using host::TComponentClass;
using host::ComponentClassOf;
using host::TRegisteredComponent;
using host::RegisterComponents;
using host::GetRegisteredPages;
using host::GetRegisteredComponents;
using host::FindRegisteredComponent;
using host::CreateRegisteredComponent;
using host::UnregisterComponents;
} // namespace cartova
