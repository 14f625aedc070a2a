#pragma once
// TStringParser: splits one line of delimiter-separated values into fields
// (TParserItem) and joins fields back into a line. Each field keeps its raw
// text and offers typed views of it that never raise.

#include "host/Core.h"

#include <cstdint>
#include <string>

namespace cartova {

/// A fixed-point amount in ten-thousandths (the host's currency: four decimals).
using TCurrency = std::int64_t;

/// One field of a split line: its raw text and typed views of that text.
class TParserItem : public TCollectionItem {
public:
    explicit TParserItem(TCollection* ACollection = nullptr) : TCollectionItem(ACollection) {}

    const std::string& GetRawData() const { return FRawData; }
    void SetRawData(const std::string& Value) { FRawData = Value; }

    /// The raw text.
    const std::string& GetAsString() const { return FRawData; }
    void SetAsString(const std::string& Value) { FRawData = Value; }
    /// StrToInt of the text; 0 when it is not an integer.
    int GetAsInteger() const;
    void SetAsInteger(int Value);
    /// StrToFloat of the text; 0 when it is not a number.
    double GetAsFloat() const;
    void SetAsFloat(double Value);
    /// The number times 10000, rounded; 0 when the text is not a number (or out of range).
    TCurrency GetAsCurrency() const;
    /// Writes Value / 10000 with FloatToStr.
    void SetAsCurrency(TCurrency Value);
    /// True exactly when the text is the integer 1.
    bool GetAsBoolean() const;
    /// Writes "1" or "0".
    void SetAsBoolean(bool Value);
    /// StrToDate of the text; the current date and time when it is not a date.
    TDateTime GetAsDate() const;
    void SetAsDate(TDateTime Value);
    /// StrToTime of the text; the current date and time when it is not a time.
    TDateTime GetAsTime() const;
    void SetAsTime(TDateTime Value);

    /// Copies the raw text into Dest (a TParserItem); nothing when Dest is nil,
    /// the host's assignment error for any other class.
    void AssignTo(TPersistent* Dest) const override;

private:
    std::string FRawData;
};

/// The fields of one line, split at (and joined with) Delimiter, ";" initially.
class TStringParser : public TCollection {
public:
    TStringParser();

    const std::string& GetDelimiter() const { return FDelimiter; }
    /// Any text, also longer than one character or empty (then nothing splits).
    void SetDelimiter(const std::string& Value) { FDelimiter = Value; }

    /// Appends an empty field.
    TParserItem* Add();
    /// Field Index. Past the last field: shows "Error reading object properties
    /// from string!" through the message handler and returns nullptr; a negative
    /// Index raises EListError.
    TParserItem* GetItems(int Index) const;
    /// Copies Value's text into field Index (EListError when out of range).
    void SetItems(int Index, const TParserItem* Value);

    /// Replaces the fields by the pieces of S between delimiters: n delimiters
    /// give n + 1 fields. There is no quoting.
    void FromString(const std::string& S);
    /// The field texts, each followed by the delimiter, without the last delimiter.
    std::string ToString() const;

    /// Replaces Dest's fields (a TStringParser) by copies of these; the delimiter
    /// is not copied. Nothing when Dest is nil.
    void AssignTo(TPersistent* Dest) const override;

private:
    std::string FDelimiter = ";";
};

} // namespace cartova
