#pragma once
// TSyntaxParser: a configurable tokenizer that splits lines of text into
// TSyntaxItem tokens (text, 0-based offset in its line, line number) and
// classifies them on demand. The delimiters, the quote character, the
// comment marker, the reserved words and the dropped characters are settable.

#include "host/Core.h"

#include <bitset>
#include <initializer_list>
#include <memory>
#include <string>

namespace cartova {

/// Token classes, in this order from 0. sikSymbol is never produced.
enum TSyntaxItemKind {
    sikWhiteSpace,
    sikDelimiter,
    sikComment,
    sikReservedWord,
    sikIdentifier,
    sikSymbol,
    sikNumber,
    sikString
};

/// A set of token classes.
class TSyntaxItemKinds {
public:
    constexpr TSyntaxItemKinds() = default;
    constexpr TSyntaxItemKinds(std::initializer_list<TSyntaxItemKind> Kinds)
    {
        for (TSyntaxItemKind K : Kinds)
            FBits |= Bit(K);
    }
    constexpr bool Contains(TSyntaxItemKind K) const { return (FBits & Bit(K)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSyntaxItemKinds& Include(TSyntaxItemKind K) { FBits |= Bit(K); return *this; }
    constexpr TSyntaxItemKinds& Exclude(TSyntaxItemKind K) { FBits &= ~Bit(K); return *this; }
    friend constexpr bool operator==(TSyntaxItemKinds, TSyntaxItemKinds) = default;

private:
    static constexpr unsigned Bit(TSyntaxItemKind K) { return 1u << static_cast<unsigned>(K); }
    unsigned FBits = 0;
};

/// A set of 8-bit character codes (0..255); UTF-8 text is examined byte by byte.
class TCharSet {
public:
    TCharSet() = default;
    TCharSet(std::initializer_list<unsigned char> Chars)
    {
        for (unsigned char C : Chars)
            FBits.set(C);
    }
    bool Contains(char C) const { return FBits.test(static_cast<unsigned char>(C)); }
    bool Empty() const { return FBits.none(); }
    TCharSet& Include(char C) { FBits.set(static_cast<unsigned char>(C)); return *this; }
    TCharSet& Exclude(char C) { FBits.reset(static_cast<unsigned char>(C)); return *this; }
    friend bool operator==(const TCharSet&, const TCharSet&) = default;

private:
    std::bitset<256> FBits;
};

using TDelimiters = TCharSet;
using TSetOfChar = TCharSet;

class TSyntaxParser;

/// One token: its text as it stood in the line (a string keeps its quotes),
/// the 0-based offset of its first character, and the caller's line number.
class TSyntaxItem : public TCollectionItem {
public:
    explicit TSyntaxItem(TCollection* ACollection = nullptr) : TCollectionItem(ACollection) {}

    const std::string& GetValue() const { return FValue; }
    void SetValue(const std::string& Value) { FValue = Value; }
    int GetOffset() const { return FOffset; }
    void SetOffset(int Value) { FOffset = Value; }
    int GetLine() const { return FLine; }
    void SetLine(int Value) { FLine = Value; }
    /// Length of Value in bytes (the unit of Offset).
    int GetLength() const { return static_cast<int>(FValue.size()); }
    /// The parser that owns the item, or nullptr.
    TSyntaxParser* GetSyntaxParser() const;

    /// Classifies the token with its parser's settings (the initial settings
    /// when it has none). Computed on every call, a float parse included:
    /// callers that test the kind repeatedly keep the result.
    TSyntaxItemKind GetKind() const;
    /// True when S equals Value ignoring case (AnsiCompareText).
    bool Equal(const std::string& S) const;

private:
    int FOffset = 0;
    std::string FValue;
    int FLine = 0;
};

/// Tokenizes lines into TSyntaxItems (the item class given to the constructor
/// must create TSyntaxItem or a subclass).
class TSyntaxParser : public TCollection {
public:
    explicit TSyntaxParser(TCollectionItemClass AItemClass = CollectionItemClass<TSyntaxItem>());
    ~TSyntaxParser() override;

    /// The initial delimiters: tab, LF, CR, space, " ' ( ) * + , - . / : ; =.
    static TDelimiters InitialDelimiters();

    char GetQuote() const { return FQuote; }
    void SetQuote(char Value) { FQuote = Value; }
    /// Only a one-character marker starts a comment while reading; an empty
    /// marker means there are no comments.
    const std::string& GetCommentsFlag() const { return FCommentsFlag; }
    void SetCommentsFlag(const std::string& Value) { FCommentsFlag = Value; }
    const TDelimiters& GetDelimiters() const { return FDelimiters; }
    void SetDelimiters(const TDelimiters& Value) { FDelimiters = Value; }
    /// The reserved words (owned; matched ignoring case).
    TStrings* GetReservedWords() const { return FReservedWords.get(); }
    /// Copies Value's lines into the owned list (nullptr empties it).
    void SetReservedWords(const TStrings* Value);
    /// Token kinds not added while reading (only sikComment is consulted).
    TSyntaxItemKinds GetSkipKinds() const { return FSkipKinds; }
    void SetSkipKinds(TSyntaxItemKinds Value) { FSkipKinds = Value; }
    /// Delimiter characters that end a token but are not added themselves.
    const TSetOfChar& GetSkipChars() const { return FSkipChars; }
    void SetSkipChars(const TSetOfChar& Value) { FSkipChars = Value; }

    /// Item Index (EListError when out of range).
    TSyntaxItem* GetItems(int Index) const { return static_cast<TSyntaxItem*>(TCollection::GetItems(Index)); }
    /// Copies Value into item Index.
    void SetItems(int Index, const TSyntaxItem* Value) { TCollection::SetItems(Index, Value); }

    /// Appends a token; a Value of one tab character is stored as one space.
    TSyntaxItem* Add(const std::string& Value, int Offset, int Line);

    /// Tokenizes one line, numbered Line. Clear empties the items first; Plain
    /// recognises neither quotes nor comments.
    virtual void Read(const std::string& Source, int Line, bool Plain, bool Clear);
    /// Replaces the items by the tokens of every line (line numbers from 0),
    /// reporting progress through the Progresser hooks.
    virtual void ReadFromStrings(const TStrings& Strings);
    /// ReadFromStrings of a text file's lines; EFOpenError when it cannot be read.
    virtual void ReadFromFile(const std::string& FileName);
    /// S becomes all item Values concatenated in order.
    virtual void Write(std::string& S) const;

    /// Deletes the single-space and comment items, reporting progress.
    void Pack();
    /// The first item whose [Offset, Offset + Length) holds Offset, on any line; nullptr when none.
    TSyntaxItem* ItemFromOffset(int Offset) const;
    /// True when Index addresses an item (0 <= Index < Count).
    bool ValidIndex(int Index) const;

private:
    char FQuote = '"';
    std::string FCommentsFlag = "'";
    TDelimiters FDelimiters;
    std::unique_ptr<TStringList> FReservedWords;
    TSyntaxItemKinds FSkipKinds;
    TSetOfChar FSkipChars;
};

} // namespace cartova
