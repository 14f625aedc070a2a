#pragma once
// TStrings (an abstract list of strings, each with an associated object) and
// TStringList, its plain implementation. Lines may be name=value pairs.

#include "host/Classes.h"

#include <string>
#include <vector>

namespace cartova::host {

/// A list of strings with associated objects. Subclasses store the lines
/// (a string list, a list box's rows, a combo box's items); this class gives
/// them names and values, search, text and file access.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    /// Line Index; raises EListError when out of range.
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S) = 0;
    virtual TObject* GetObject(int Index) const = 0;
    virtual void PutObject(int Index, TObject* AObject) = 0;
    /// Inserts S before Index (0..Count).
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    std::string GetStrings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const std::string& S) { Put(Index, S); }
    std::string operator[](int Index) const { return Get(Index); }
    TObject* GetObjects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    /// Appends S and returns its index.
    virtual int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    /// Moves line CurIndex (with its object) to NewIndex.
    virtual void Move(int CurIndex, int NewIndex);
    virtual void Exchange(int Index1, int Index2);

    /// Index of the first line equal to S ignoring case, or -1.
    virtual int IndexOf(const std::string& S) const;
    /// Index of the first line whose name (text before '=') is Name, or -1.
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    /// The name part of line Index ("" when the line has no '=').
    std::string GetNames(int Index) const;
    /// The value of the first line named Name, or "".
    std::string GetValues(const std::string& Name) const;
    /// Sets the value of Name; an empty value deletes the line.
    void SetValues(const std::string& Name, const std::string& Value);
    std::string GetValueFromIndex(int Index) const;
    char GetNameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char C) { FNameValueSeparator = C; }

    /// The lines, each followed by a line break ("\n").
    std::string GetText() const;
    /// Replaces the lines by those of Value (LF, CR LF or CR breaks).
    void SetText(const std::string& Value);
    /// The lines separated by commas, quoting those with spaces or commas.
    std::string GetCommaText() const;
    void SetCommaText(const std::string& Value);

    /// Replaces the lines by those of the file (UTF-8; a BOM is skipped);
    /// raises EFOpenError when the file cannot be read.
    void LoadFromFile(const std::string& FileName);
    /// Writes the lines to the file atomically; raises EFCreateError on failure.
    void SaveToFile(const std::string& FileName) const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate()
    {
        if (FUpdateCount > 0)
            --FUpdateCount;
    }
    int GetUpdateCount() const { return FUpdateCount; }

    /// Copies the lines and objects of another TStrings.
    void Assign(const TPersistent* Source) override;
    bool Equals(const TStrings& Other) const;

private:
    char FNameValueSeparator = '=';
    int FUpdateCount = 0;
};

/// Duplicate handling of a sorted string list.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// A TStrings that keeps its lines itself, optionally sorted; it never owns
/// the associated objects unless OwnsObjects is set.
class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    int Add(const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const std::string& S) const override;

    /// Binary search of a sorted list: true when found, Index the position
    /// where S is or would be.
    bool Find(const std::string& S, int& Index) const;
    /// Sorts the lines ignoring case.
    void Sort();
    bool GetSorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    bool GetOwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

private:
    struct TItem {
        std::string S;
        TObject* Object = nullptr;
    };
    void Check(int Index) const;
    int Compare(const std::string& A, const std::string& B) const;
    void InsertItem(int Index, const std::string& S, TObject* AObject);

    std::vector<TItem> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

} // namespace cartova::host

namespace cartova {
using host::TStrings;
using host::TStringList;
using host::TDuplicates;
using host::dupIgnore;
using host::dupAccept;
using host::dupError;
} // namespace cartova
