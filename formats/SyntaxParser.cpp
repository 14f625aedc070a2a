#include "formats/SyntaxParser.h"

#include "formats/Progresser.h"

namespace cartova {

namespace {

// Classification rules, first match wins.
TSyntaxItemKind Classify(const std::string& Value, const TDelimiters& Delimiters,
                         const std::string& CommentsFlag, char Quote, const TStrings* ReservedWords)
{
    if (Value == " ")
        return sikWhiteSpace;
    if (Value.size() == 1 && Delimiters.Contains(Value[0]))
        return sikDelimiter;
    // An empty marker marks nothing: Read never starts a comment with it either.
    if (!CommentsFlag.empty() && Value.compare(0, CommentsFlag.size(), CommentsFlag) == 0)
        return sikComment;
    if (!Value.empty() && Value[0] == Quote)
        return sikString;
    if (ReservedWords && ReservedWords->IndexOf(Value) >= 0)
        return sikReservedWord;
    double Number = 0;
    if (TryStrToFloat(Value, Number))
        return sikNumber;
    return sikIdentifier;
}

} // namespace

TSyntaxParser* TSyntaxItem::GetSyntaxParser() const
{
    return dynamic_cast<TSyntaxParser*>(GetCollection());
}

TSyntaxItemKind TSyntaxItem::GetKind() const
{
    if (const TSyntaxParser* Parser = GetSyntaxParser())
        return Classify(FValue, Parser->GetDelimiters(), Parser->GetCommentsFlag(), Parser->GetQuote(),
                        Parser->GetReservedWords());
    static const TDelimiters Initial = TSyntaxParser::InitialDelimiters();
    return Classify(FValue, Initial, "'", '"', nullptr);
}

bool TSyntaxItem::Equal(const std::string& S) const
{
    return AnsiCompareText(S, FValue) == 0;
}

TSyntaxParser::TSyntaxParser(TCollectionItemClass AItemClass)
    : TCollection(AItemClass), FDelimiters(InitialDelimiters()), FReservedWords(std::make_unique<TStringList>())
{
}

TSyntaxParser::~TSyntaxParser() = default;

TDelimiters TSyntaxParser::InitialDelimiters()
{
    return TDelimiters{9, 10, 13, 32, 34, 39, 40, 41, 42, 43, 44, 45, 46, 47, 58, 59, 61};
}

void TSyntaxParser::SetReservedWords(const TStrings* Value)
{
    if (Value == FReservedWords.get())
        return;
    FReservedWords->Clear();
    if (Value)
        for (int I = 0; I < Value->Count(); ++I)
            FReservedWords->Add(Value->Get(I));
}

TSyntaxItem* TSyntaxParser::Add(const std::string& Value, int Offset, int Line)
{
    TCollectionItem* Created = TCollection::Add();
    auto* Item = dynamic_cast<TSyntaxItem*>(Created);
    if (!Item) {
        delete Created;
        throw EInvalidOperation("The items of a TSyntaxParser must be TSyntaxItems");
    }
    Item->SetValue(Value == "\t" ? std::string(" ") : Value);
    Item->SetOffset(Offset);
    Item->SetLine(Line);
    return Item;
}

void TSyntaxParser::Read(const std::string& Source, int Line, bool Plain, bool Clear)
{
    if (Clear)
        TCollection::Clear();
    const bool CommentsOn = !Plain && FCommentsFlag.size() == 1;
    const int Length = static_cast<int>(Source.size());
    std::string Pending;
    bool InString = false;
    // Adds the pending token, which ended just before 1-based position I.
    auto Flush = [&](int I) {
        if (!Pending.empty()) {
            Add(Pending, I - 1 - static_cast<int>(Pending.size()), Line);
            Pending.clear();
        }
    };
    for (int I = 1; I <= Length; ++I) {
        const char C = Source[static_cast<std::size_t>(I - 1)];
        if (CommentsOn && !InString && C == FCommentsFlag[0]) {
            Flush(I);
            if (!FSkipKinds.Contains(sikComment))
                Add(Source.substr(static_cast<std::size_t>(I - 1)), I - 1, Line);
            return;
        }
        if (!Plain && C == FQuote) {
            if (InString) {
                Pending += C;
                Add(Pending, I - static_cast<int>(Pending.size()), Line);
                Pending.clear();
                InString = false;
            } else {
                Flush(I);
                Pending.assign(1, C);
                InString = true;
            }
        } else if (!InString && FDelimiters.Contains(C)) {
            Flush(I);
            if (!FSkipChars.Contains(C))
                Add(std::string(1, C), I - 1, Line);
        } else {
            Pending += C;
        }
    }
    if (!Pending.empty())
        Add(Pending, Length - static_cast<int>(Pending.size()), Line);
}

void TSyntaxParser::ReadFromStrings(const TStrings& Strings)
{
    const int LineCount = Strings.Count();
    detail::CallStartProgress(0, LineCount - 1, "Reading source");
    try {
        // The items always end up holding exactly this text's tokens, also
        // when it has no lines.
        TCollection::Clear();
        for (int I = 0; I < LineCount; ++I) {
            detail::CallShowProgress(I);
            Read(Strings.Get(I), I, false, I == 0);
        }
    } catch (...) {
        detail::CallStopProgress();
        throw;
    }
    detail::CallStopProgress();
}

void TSyntaxParser::ReadFromFile(const std::string& FileName)
{
    TStringList Lines;
    Lines.LoadFromFile(FileName);
    ReadFromStrings(Lines);
}

void TSyntaxParser::Write(std::string& S) const
{
    S.clear();
    for (int I = 0; I < Count(); ++I)
        S += GetItems(I)->GetValue();
}

void TSyntaxParser::Pack()
{
    detail::CallStartProgress(0, Count() - 1, "Packing Data");
    try {
        for (int I = Count() - 1; I >= 0; --I) {
            detail::CallShowProgress(Count() - I - 1);
            const TSyntaxItem* Item = GetItems(I);
            if (Item->GetValue() == " " || Item->GetKind() == sikComment)
                Delete(I);
        }
    } catch (...) {
        detail::CallStopProgress();
        throw;
    }
    detail::CallStopProgress();
}

TSyntaxItem* TSyntaxParser::ItemFromOffset(int Offset) const
{
    for (int I = 0; I < Count(); ++I) {
        TSyntaxItem* Item = GetItems(I);
        if (Item->GetOffset() <= Offset && Offset < Item->GetOffset() + Item->GetLength())
            return Item;
    }
    return nullptr;
}

bool TSyntaxParser::ValidIndex(int Index) const
{
    return Index >= 0 && Index < Count();
}

} // namespace cartova
