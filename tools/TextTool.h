#pragma once
// The text tool: a click opens a text entry on the map with the host caret,
// typed characters appear in place, and Enter (or Escape, or the next click)
// adds the text to the map's editable layer.

#include "tools/MapTools.h"

#include <memory>
#include <string>

namespace cartova {

/// Types a TText in place. The entry is drawn directly on the map's window in
/// the map options' DefaultTextFont, with the pixels under it kept in a
/// background bitmap so that each change redraws it cleanly. Keys count only
/// while an entry is open. Characters are Unicode code points.
class TTextTool : public TCustomMapTool {
public:
    explicit TTextTool(TComponent* AOwner = nullptr);
    ~TTextTool() override;

    /// Left button: commits an open entry, then opens one at (X, Y).
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// While an entry is open: Backspace and Delete remove the character
    /// before or after the caret; Enter and Escape commit; Home, End, Left and
    /// Right move the caret within the text. Other keys do nothing.
    void KeyDown(Word& Key, TShiftState Shift) override;
    /// While an entry is open: inserts the character at the caret. Control
    /// characters (Backspace, Enter, Escape, Ctrl+letter, Delete…) are not text.
    void KeyPress(TKeyChar& Key) override;
    /// Adds a TText with the entered text (possibly empty) whose box's upper
    /// left corner is the entry's origin, fitted to DefaultTextFont, to the
    /// editable layer and closes the entry; the typed pixels stay until the
    /// map repaints. False with no entry open, no map or no editable layer
    /// (the entry then stays open). Raises no OnComplete.
    bool Complete() override;
    /// Drops an open entry and erases it from the screen. Raises no OnCancel.
    void Cancel() override;
    /// Drops an open entry (erasing it) and restores the map's cursor.
    void Done() override;
    /// A linked map with layers and an editable layer.
    bool GetEnabled() const override;

    using TCustomMapTool::Init;
    /// Opens an entry at client (X, Y): empty text, the caret (as high as
    /// "Wq" in DefaultTextFont) shown there. An entry still open is dropped
    /// first. Nothing without a map.
    void Init(int X, int Y);
    /// Redraws the entry: puts back the pixels under the previous text, keeps
    /// the pixels under the new one, writes the text at the origin.
    virtual void Draw();
    /// Moves the caret to before character Index (limited to 0..length), at
    /// the width of the text before it as drawn.
    void SetCurrentChar(int Index);
    /// The caret's character index.
    int GetCurrentChar() const { return FCurrentChar; }
    /// Removes the character before (Backward) or after the caret, if any.
    void DeleteCurrentChar(bool Backward);

    /// The entered text (UTF-8).
    std::string GetText() const;
    /// True while an entry is open.
    bool GetEntering() const { return FEntering; }
    /// Where the entry's text begins (its upper left corner), client pixels.
    TPoint GetOrigin() const { return FOrigin; }

protected:
    /// Forgets the caret when the map goes away.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    class TCaretHost;

    TCanvas* TextCanvas();
    void PlaceCaret();
    void ReleaseCaret();
    void EndEntry(bool Erase);

    TPoint FOrigin;
    std::u32string FText;
    int FCurrentChar = 0;
    bool FEntering = false;
    std::unique_ptr<TBitmap> FBackground;
    TPoint FBackgroundAt;
    std::unique_ptr<TCaretHost> FCaret;
};

} // namespace cartova
