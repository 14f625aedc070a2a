#include "formats/StringParserU.h"

#include <cmath>

namespace cartova {

int TParserItem::GetAsInteger() const
{
    int Result = 0;
    return TryStrToInt(FRawData, Result) ? Result : 0;
}

void TParserItem::SetAsInteger(int Value)
{
    FRawData = IntToStr(Value);
}

double TParserItem::GetAsFloat() const
{
    double Result = 0;
    return TryStrToFloat(FRawData, Result) ? Result : 0;
}

void TParserItem::SetAsFloat(double Value)
{
    FRawData = FloatToStr(Value);
}

TCurrency TParserItem::GetAsCurrency() const
{
    double Value = 0;
    if (!TryStrToFloat(FRawData, Value))
        return 0;
    // Round raises for values outside the 64-bit range; a getter never does.
    const double Scaled = Value * 10000.0;
    if (!(std::fabs(Scaled) < 9.2e18))
        return 0;
    return Round(Scaled);
}

void TParserItem::SetAsCurrency(TCurrency Value)
{
    FRawData = FloatToStr(static_cast<double>(Value) / 10000.0);
}

bool TParserItem::GetAsBoolean() const
{
    int Value = 0;
    return TryStrToInt(FRawData, Value) && Value == 1;
}

void TParserItem::SetAsBoolean(bool Value)
{
    FRawData.assign(1, Value ? '1' : '0');
}

TDateTime TParserItem::GetAsDate() const
{
    TDateTime Value = 0;
    return TryStrToDate(FRawData, Value) ? Value : Now();
}

void TParserItem::SetAsDate(TDateTime Value)
{
    FRawData = DateToStr(Value);
}

TDateTime TParserItem::GetAsTime() const
{
    TDateTime Value = 0;
    return TryStrToTime(FRawData, Value) ? Value : Now();
}

void TParserItem::SetAsTime(TDateTime Value)
{
    FRawData = TimeToStr(Value);
}

void TParserItem::AssignTo(TPersistent* Dest) const
{
    if (!Dest)
        return;
    auto* Item = dynamic_cast<TParserItem*>(Dest);
    if (!Item) {
        TCollectionItem::AssignTo(Dest);
        return;
    }
    Item->SetRawData(FRawData);
}

TStringParser::TStringParser() : TCollection(CollectionItemClass<TParserItem>()) {}

TParserItem* TStringParser::Add()
{
    return static_cast<TParserItem*>(TCollection::Add());
}

TParserItem* TStringParser::GetItems(int Index) const
{
    if (Index > Count() - 1) {
        MessageDlg("Error reading object properties from string!", mtError, mbOK);
        return nullptr;
    }
    return static_cast<TParserItem*>(TCollection::GetItems(Index));
}

void TStringParser::SetItems(int Index, const TParserItem* Value)
{
    TCollection::SetItems(Index, Value);
}

void TStringParser::FromString(const std::string& S)
{
    BeginUpdate();
    try {
        Clear();
        std::string::size_type Start = 0;
        if (!FDelimiter.empty()) {
            for (auto At = S.find(FDelimiter); At != std::string::npos; At = S.find(FDelimiter, Start)) {
                Add()->SetRawData(S.substr(Start, At - Start));
                Start = At + FDelimiter.size();
            }
        }
        Add()->SetRawData(S.substr(Start));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStringParser::ToString() const
{
    // Joined with the delimiter between fields: the whole trailing delimiter
    // goes, so a delimiter of any length (or none) round-trips through FromString.
    std::string Result;
    for (int I = 0; I < Count(); ++I) {
        if (I > 0)
            Result += FDelimiter;
        Result += static_cast<const TParserItem*>(TCollection::GetItems(I))->GetRawData();
    }
    return Result;
}

void TStringParser::AssignTo(TPersistent* Dest) const
{
    if (!Dest)
        return;
    auto* Parser = dynamic_cast<TStringParser*>(Dest);
    if (!Parser) {
        TCollection::AssignTo(Dest);
        return;
    }
    if (Parser == this)
        return;
    Parser->BeginUpdate();
    try {
        Parser->Clear();
        for (int I = 0; I < Count(); ++I)
            Parser->Add()->Assign(TCollection::GetItems(I));
    } catch (...) {
        Parser->EndUpdate();
        throw;
    }
    Parser->EndUpdate();
}

} // namespace cartova
