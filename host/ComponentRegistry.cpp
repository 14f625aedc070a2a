#include "host/ComponentRegistry.h"

#include "host/Exceptions.h"
#include "host/StrUtils.h"

#include <QFileInfo>
#include <QPixmap>
#include <QString>

#include <algorithm>

namespace cartova::host {

namespace {

// The registry in palette order: pages in order of first registration, and
// within a page the classes in order. Everything runs on the GUI thread.
struct TRegistry {
    std::vector<std::string> Pages;
    std::vector<TRegisteredComponent> Classes;
};

TRegistry& Registry()
{
    static TRegistry Instance;
    return Instance;
}

auto FindClass(std::vector<TRegisteredComponent>& Classes, const std::string& ClassName)
{
    return std::find_if(Classes.begin(), Classes.end(), [&](const TRegisteredComponent& C) {
        return SameText(C.GetClassName(), ClassName);
    });
}

} // namespace

TRegisteredComponent::TRegisteredComponent(std::string APage, TComponentClass AClass)
    : FPage(std::move(APage)), FClass(std::move(AClass))
{
}

std::string TRegisteredComponent::GetBitmapName() const
{
    return UpperCase(FClass.ClassName);
}

QImage TRegisteredComponent::GetPaletteBitmap() const
{
    const QString Path = QStringLiteral(":/cartova/") + QString::fromStdString(GetBitmapName());
    if (!QFileInfo(Path).isFile())
        return {};
    return QImage(Path);
}

QIcon TRegisteredComponent::GetPaletteIcon() const
{
    QImage Image = GetPaletteBitmap();
    if (Image.isNull())
        return {};
    Image = Image.convertToFormat(QImage::Format_ARGB32);
    const QRgb Transparent = Image.pixel(0, Image.height() - 1);
    for (int Y = 0; Y < Image.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Image.scanLine(Y));
        for (int X = 0; X < Image.width(); ++X)
            if (Line[X] == Transparent)
                Line[X] = qRgba(0, 0, 0, 0);
    }
    return QIcon(QPixmap::fromImage(Image));
}

TComponent* TRegisteredComponent::Create(TComponent* AOwner) const
{
    return FClass.Create(AOwner);
}

void RegisterComponents(const std::string& Page, const std::vector<TComponentClass>& Classes)
{
    if (Page.empty())
        throw EInvalidArgument("A palette page needs a name");
    for (const TComponentClass& C : Classes) {
        if (C.ClassName.empty())
            throw EInvalidArgument("A registered class needs a name");
        if (!C.Create)
            throw EInvalidArgument("Class " + C.ClassName + " has no factory");
    }
    TRegistry& R = Registry();
    if (std::find(R.Pages.begin(), R.Pages.end(), Page) == R.Pages.end())
        R.Pages.push_back(Page);
    for (const TComponentClass& C : Classes) {
        auto It = FindClass(R.Classes, C.ClassName);
        if (It != R.Classes.end() && It->GetPage() == Page) {
            *It = TRegisteredComponent(Page, C);
            continue;
        }
        if (It != R.Classes.end())
            R.Classes.erase(It);
        R.Classes.emplace_back(Page, C);
    }
}

std::vector<std::string> GetRegisteredPages()
{
    // A page whose classes all moved elsewhere or were removed is not listed.
    std::vector<std::string> Result;
    for (const std::string& Page : Registry().Pages)
        if (!GetRegisteredComponents(Page).empty())
            Result.push_back(Page);
    return Result;
}

std::vector<TRegisteredComponent> GetRegisteredComponents(const std::string& Page)
{
    std::vector<TRegisteredComponent> Result;
    for (const TRegisteredComponent& C : Registry().Classes)
        if (C.GetPage() == Page)
            Result.push_back(C);
    return Result;
}

std::optional<TRegisteredComponent> FindRegisteredComponent(const std::string& ClassName)
{
    auto& Classes = Registry().Classes;
    auto It = FindClass(Classes, ClassName);
    if (It == Classes.end())
        return std::nullopt;
    return *It;
}

TComponent* CreateRegisteredComponent(const std::string& ClassName, TComponent* AOwner)
{
    const auto C = FindRegisteredComponent(ClassName);
    if (!C)
        throw EInvalidArgument("Class " + ClassName + " not found");
    return C->Create(AOwner);
}

void UnregisterComponents(const std::string& Page)
{
    TRegistry& R = Registry();
    if (Page.empty()) {
        R.Pages.clear();
        R.Classes.clear();
        return;
    }
    std::erase_if(R.Classes, [&](const TRegisteredComponent& C) { return C.GetPage() == Page; });
    std::erase(R.Pages, Page);
}

} // namespace cartova::host
