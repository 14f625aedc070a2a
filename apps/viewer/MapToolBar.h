#pragma once
// The viewer's map tools and the tool bar buttons that switch them: one tool
// of each class of the map tools' palette page, linked to the map, each with
// a checkable button showing its palette bitmap and its DisplayName. The
// buttons follow the tools: checked while the tool is Active, enabled while
// GetEnabled holds.

#include <QImage>
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QToolBar;

namespace cartova {
class TCartova;
class TCustomMapTool;
} // namespace cartova

namespace viewer {

/// A tool class of the tool bar: its name, its palette bitmap and a factory
/// that creates a tool the caller owns.
struct TToolClass {
    std::string ClassName;
    QImage Bitmap;
    std::function<cartova::TCustomMapTool*()> Create;
};

/// The classes of the registry's map tools page (registering the library's
/// components first), in palette order, with their palette bitmaps.
std::vector<TToolClass> MapToolClasses();

class TMapToolBar {
public:
    /// Creates one tool per class, links it to Map and adds its button to Bar.
    TMapToolBar(cartova::TCartova& Map, QToolBar& Bar, const std::vector<TToolClass>& Classes);
    ~TMapToolBar();
    TMapToolBar(const TMapToolBar&) = delete;
    TMapToolBar& operator=(const TMapToolBar&) = delete;

    /// Sets every button's checked and enabled state from its tool.
    void Refresh();
    /// The tool of class ClassName, or nullptr.
    cartova::TCustomMapTool* Tool(const std::string& ClassName) const;
    /// The button of the tool of class ClassName, or nullptr.
    QAction* Action(const std::string& ClassName) const;
    /// Activates the tool of class ClassName.
    void Activate(const std::string& ClassName);

private:
    struct TEntry {
        std::string ClassName;
        std::unique_ptr<cartova::TCustomMapTool> Tool;
        QAction* Action = nullptr;
    };
    std::vector<TEntry> FEntries;
    QActionGroup* FGroup = nullptr;
    bool FRefreshing = false;
};

} // namespace viewer
