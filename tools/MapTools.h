#pragma once
// The tool framework: TCustomMapTool, the base of the components that turn
// the map's mouse and key input into actions, and TMapToolsManager, the map's
// list of linked tools of which the first active one receives the input.

#include "host/Host.h"
#include "objects/MapPoints.h"

#include <functional>
#include <string>

namespace cartova {

class TCartova;
class TCustomMapTool;
class TMapToolsManager;

/// A tool's notification (Sender is the tool).
using TMapToolNotifyEvent = std::function<void(TCustomMapTool* Sender)>;

/// Base of every map tool. Link it to a map with SetCartova, then make it the
/// map's current tool with SetActive(true); the map forwards its input to the
/// first active tool of its manager.
class TCustomMapTool : public TComponent {
public:
    explicit TCustomMapTool(TComponent* AOwner = nullptr);
    /// Leaves the tools manager of the map.
    ~TCustomMapTool() override;

    // Input from the map control, in client pixels; the base does nothing.
    virtual void DblClick() {}
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {}
    virtual void MouseMove(TShiftState Shift, int X, int Y) {}
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {}
    virtual void KeyDown(Word& Key, TShiftState Shift) {}
    virtual void KeyUp(Word& Key, TShiftState Shift) {}
    virtual void KeyPress(TKeyChar& Key) {}

    /// Finishes the current action: raises OnComplete and returns true.
    virtual bool Complete();
    /// Abandons the current action: raises OnCancel.
    virtual void Cancel();
    /// Called when the tool becomes active: shows the tool's cursor on the map.
    virtual void Init();
    /// Called when the tool stops being active: restores the default cursor.
    virtual void Done();
    /// True when a map with at least one layer is linked (for the application).
    virtual bool GetEnabled() const;

    bool GetActive() const { return FActive; }
    /// Activates or deactivates the tool; activation deactivates the map's
    /// other tools first, then runs Init.
    void SetActive(bool Value);
    const std::string& GetDisplayName() const { return FDisplayName; }
    void SetDisplayName(const std::string& Value) { FDisplayName = Value; }
    TCursor GetCursor() const { return FCursor; }
    /// Stores the cursor; the map shows it at the next Init.
    void SetCursor(TCursor Value) { FCursor = Value; }
    TCartova* GetCartova() const { return FCartova; }
    /// Links the tool to a map (nullptr unlinks), moving it between managers;
    /// neither activates nor deactivates anything.
    void SetCartova(TCartova* Value);
    TMapToolsManager* GetMapToolsManager() const { return FMapToolsManager; }
    void SetMapToolsManager(TMapToolsManager* Value) { FMapToolsManager = Value; }

    /// The first map control owned by Root at any depth (depth first, in
    /// ownership order), or nullptr.
    static TCartova* FindCartova(TComponent* Root);

    TMapToolNotifyEvent OnComplete;
    TMapToolNotifyEvent OnCancel;
    TMapToolNotifyEvent OnToolStateChanged;

protected:
    /// The map point under client pixel (X, Y) of the linked map (the map's
    /// ScreenToMap); (0, 0) without a map. Tools convert through this only.
    TMapPoint ScreenToMap(int X, int Y) const;
    /// Forgets the map when it is destroyed.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FActive = false;
    std::string FDisplayName = "CustomMapTool";
    TCursor FCursor = crDefault;
    TCartova* FCartova = nullptr;
    TMapToolsManager* FMapToolsManager = nullptr;
};

/// The tools linked to one map, in linking order; it does not own them.
class TMapToolsManager : public TList<TCustomMapTool> {
public:
    TMapToolsManager() = default;
    /// Clears every listed tool's manager reference; the tools stay alive.
    ~TMapToolsManager() override;

    TCustomMapTool* GetMapTools(int Index) const { return GetItems(Index); }
    void SetMapTools(int Index, TCustomMapTool* Tool) { SetItems(Index, Tool); }
    /// Index of the first active tool in list order, or -1.
    int GetActiveMapToolIndex() const;
    /// The first active tool, or nullptr.
    TCustomMapTool* GetActiveMapTool() const;
};

} // namespace cartova
