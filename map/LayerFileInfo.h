#pragma once
// What a format provider learned about a layer's file beyond its objects and
// schema: the declarations a save writes back (charset, delimiter, column
// types as declared), the objects the reader could not represent and those
// the last save could not write.

#include <map>
#include <string>
#include <vector>

namespace cartova {

/// Objects a reader met but has no class for, counted by kind ("Ellipse").
/// Their attribute records were consumed, so the other objects keep theirs.
class TSkippedObjects {
public:
    void Add(const std::string& Kind, int Count = 1);
    /// Counts one object of a class under its name without the leading T
    /// ("TCircle" → "Circle").
    void AddClass(const std::string& ClassName);
    bool Empty() const { return FCounts.empty(); }
    /// The number of objects skipped, of every kind.
    int Total() const;
    /// Counts by kind, in kind order.
    const std::map<std::string, int>& Counts() const { return FCounts; }
    /// "Arc 2, Ellipse 1"; "" when nothing was skipped.
    std::string ToString() const;
    void Clear() { FCounts.clear(); }

private:
    std::map<std::string, int> FCounts;
};

/// One column as the file declared it.
struct TColumnDeclaration {
    std::string Name;
    std::string Type; ///< as written, without the name: "Decimal(12,4)", "LargeInt"
};

/// The file a layer was read from, as far as a save needs it.
struct TLayerFileInfo {
    /// The text charset the file declared ("Neutral", "WindowsLatin1", …);
    /// empty for a layer built in code.
    std::string Charset;
    /// The attribute delimiter the file used; empty for a layer built in code.
    std::string Delimiter;
    /// The column declarations of the file, in file order.
    std::vector<TColumnDeclaration> Columns;
    /// Objects read past, by kind; loading more files into a layer adds up.
    TSkippedObjects Skipped;
    /// Objects the last save could not write (kinds the format cannot hold), by kind.
    TSkippedObjects Unsaved;

    /// The declaration of column Name, or nullptr.
    const TColumnDeclaration* FindColumn(const std::string& Name) const;
};

} // namespace cartova
