#include "host/StringList.h"

#include "host/Exceptions.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace cartova::host {

namespace {

int CompareNoCase(const std::string& A, const std::string& B)
{
    return QString::fromStdString(A).compare(QString::fromStdString(B), Qt::CaseInsensitive);
}

bool NeedsQuotes(const std::string& S)
{
    return S.empty() || S.find_first_of(" ,\"\t") != std::string::npos;
}

} // namespace

int TStrings::Add(const std::string& S)
{
    const int Index = Count();
    Insert(Index, S);
    return Index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    const int Index = Add(S);
    PutObject(Index, AObject);
    return Index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings)
{
    for (int I = 0; I < Strings.Count(); ++I)
        AddObject(Strings.Get(I), Strings.GetObject(I));
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    const std::string S = Get(CurIndex);
    TObject* O = GetObject(CurIndex);
    if (NewIndex < 0 || NewIndex >= Count())
        throw EListError::OutOfBounds(NewIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, S, O);
}

void TStrings::Exchange(int Index1, int Index2)
{
    const std::string S1 = Get(Index1);
    TObject* O1 = GetObject(Index1);
    const std::string S2 = Get(Index2);
    TObject* O2 = GetObject(Index2);
    Put(Index1, S2);
    PutObject(Index1, O2);
    Put(Index2, S1);
    PutObject(Index2, O1);
}

int TStrings::IndexOf(const std::string& S) const
{
    for (int I = 0; I < Count(); ++I)
        if (CompareNoCase(Get(I), S) == 0)
            return I;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const
{
    for (int I = 0; I < Count(); ++I) {
        const std::string Line = Get(I);
        const auto P = Line.find(FNameValueSeparator);
        if (P != std::string::npos && CompareNoCase(Line.substr(0, P), Name) == 0)
            return I;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int I = 0; I < Count(); ++I)
        if (GetObject(I) == AObject)
            return I;
    return -1;
}

std::string TStrings::GetNames(int Index) const
{
    const std::string Line = Get(Index);
    const auto P = Line.find(FNameValueSeparator);
    return P == std::string::npos ? std::string() : Line.substr(0, P);
}

std::string TStrings::GetValues(const std::string& Name) const
{
    const int I = IndexOfName(Name);
    return I < 0 ? std::string() : GetValueFromIndex(I);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value)
{
    const int I = IndexOfName(Name);
    if (Value.empty()) {
        if (I >= 0)
            Delete(I);
        return;
    }
    const std::string Line = Name + FNameValueSeparator + Value;
    if (I >= 0)
        Put(I, Line);
    else
        Add(Line);
}

std::string TStrings::GetValueFromIndex(int Index) const
{
    const std::string Line = Get(Index);
    const auto P = Line.find(FNameValueSeparator);
    return P == std::string::npos ? std::string() : Line.substr(P + 1);
}

std::string TStrings::GetText() const
{
    std::string Result;
    for (int I = 0; I < Count(); ++I) {
        Result += Get(I);
        Result += '\n';
    }
    return Result;
}

void TStrings::SetText(const std::string& Value)
{
    BeginUpdate();
    Clear();
    std::size_t Start = 0;
    const std::size_t N = Value.size();
    while (Start < N) {
        std::size_t End = Start;
        while (End < N && Value[End] != '\n' && Value[End] != '\r')
            ++End;
        Add(Value.substr(Start, End - Start));
        if (End < N && Value[End] == '\r') {
            ++End;
            if (End < N && Value[End] == '\n')
                ++End;
        } else if (End < N) {
            ++End;
        }
        Start = End;
    }
    EndUpdate();
}

std::string TStrings::GetCommaText() const
{
    std::string Result;
    for (int I = 0; I < Count(); ++I) {
        if (I)
            Result += ',';
        const std::string S = Get(I);
        if (!NeedsQuotes(S)) {
            Result += S;
            continue;
        }
        Result += '"';
        for (char C : S) {
            if (C == '"')
                Result += '"';
            Result += C;
        }
        Result += '"';
    }
    return Result;
}

void TStrings::SetCommaText(const std::string& Value)
{
    BeginUpdate();
    Clear();
    std::size_t P = 0;
    const std::size_t N = Value.size();
    auto SkipBlanks = [&] {
        while (P < N && static_cast<unsigned char>(Value[P]) <= ' ')
            ++P;
    };
    SkipBlanks();
    while (P < N) {
        std::string Item;
        if (Value[P] == '"') {
            ++P;
            while (P < N) {
                if (Value[P] == '"') {
                    if (P + 1 < N && Value[P + 1] == '"') {
                        Item += '"';
                        P += 2;
                        continue;
                    }
                    ++P;
                    break;
                }
                Item += Value[P++];
            }
        } else {
            while (P < N && Value[P] != ',' && static_cast<unsigned char>(Value[P]) > ' ')
                Item += Value[P++];
        }
        Add(Item);
        SkipBlanks();
        if (P < N && Value[P] == ',') {
            ++P;
            SkipBlanks();
            if (P >= N)
                Add("");
        }
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    QFile File(QString::fromStdString(FileName));
    if (!File.open(QIODevice::ReadOnly))
        throw EFOpenError("Cannot open file \"" + FileName + "\". " +
                          File.errorString().toStdString());
    const QByteArray Data = File.readAll();
    std::string Text(Data.constData(), static_cast<std::size_t>(Data.size()));
    if (Text.rfind("\xEF\xBB\xBF", 0) == 0)
        Text.erase(0, 3);
    SetText(Text);
}

void TStrings::SaveToFile(const std::string& FileName) const
{
    QSaveFile File(QString::fromStdString(FileName));
    const std::string Text = GetText();
    if (!File.open(QIODevice::WriteOnly) ||
        File.write(Text.data(), static_cast<qint64>(Text.size())) != static_cast<qint64>(Text.size()) ||
        !File.commit())
        throw EFCreateError("Cannot create file \"" + FileName + "\". " +
                            File.errorString().toStdString());
}

void TStrings::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TStrings*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    BeginUpdate();
    Clear();
    FNameValueSeparator = Other->FNameValueSeparator;
    AddStrings(*Other);
    EndUpdate();
}

bool TStrings::Equals(const TStrings& Other) const
{
    if (Count() != Other.Count())
        return false;
    for (int I = 0; I < Count(); ++I)
        if (Get(I) != Other.Get(I))
            return false;
    return true;
}

TStringList::~TStringList()
{
    TStringList::Clear();
}

void TStringList::Check(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
}

int TStringList::Compare(const std::string& A, const std::string& B) const
{
    if (FCaseSensitive)
        return QString::fromStdString(A).compare(QString::fromStdString(B), Qt::CaseSensitive);
    return CompareNoCase(A, B);
}

std::string TStringList::Get(int Index) const
{
    Check(Index);
    return FItems[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S)
{
    if (FSorted)
        throw EInvalidOperation("Operation not allowed on sorted list");
    Check(Index);
    FItems[static_cast<std::size_t>(Index)].S = S;
}

TObject* TStringList::GetObject(int Index) const
{
    Check(Index);
    return FItems[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    Check(Index);
    FItems[static_cast<std::size_t>(Index)].Object = AObject;
}

int TStringList::Add(const std::string& S)
{
    if (!FSorted) {
        InsertItem(Count(), S, nullptr);
        return Count() - 1;
    }
    int Index = 0;
    if (Find(S, Index)) {
        if (FDuplicates == dupIgnore)
            return Index;
        if (FDuplicates == dupError)
            throw EListError("String list does not allow duplicates");
    }
    InsertItem(Index, S, nullptr);
    return Index;
}

void TStringList::Insert(int Index, const std::string& S)
{
    if (FSorted)
        throw EInvalidOperation("Operation not allowed on sorted list");
    if (Index < 0 || Index > Count())
        throw EListError::OutOfBounds(Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject)
{
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
}

void TStringList::Delete(int Index)
{
    Check(Index);
    TObject* O = FItems[static_cast<std::size_t>(Index)].Object;
    FItems.erase(FItems.begin() + Index);
    if (FOwnsObjects)
        delete O;
}

void TStringList::Clear()
{
    std::vector<TItem> Old;
    Old.swap(FItems);
    if (FOwnsObjects)
        for (TItem& Item : Old)
            delete Item.Object;
}

void TStringList::Exchange(int Index1, int Index2)
{
    Check(Index1);
    Check(Index2);
    std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
}

int TStringList::IndexOf(const std::string& S) const
{
    if (FSorted) {
        int Index = 0;
        return Find(S, Index) ? Index : -1;
    }
    for (int I = 0; I < Count(); ++I)
        if (Compare(FItems[static_cast<std::size_t>(I)].S, S) == 0)
            return I;
    return -1;
}

bool TStringList::Find(const std::string& S, int& Index) const
{
    int Lo = 0;
    int Hi = Count() - 1;
    bool Found = false;
    while (Lo <= Hi) {
        const int Mid = (Lo + Hi) / 2;
        const int C = Compare(FItems[static_cast<std::size_t>(Mid)].S, S);
        if (C < 0) {
            Lo = Mid + 1;
        } else {
            Hi = Mid - 1;
            if (C == 0) {
                Found = true;
                if (FDuplicates != dupAccept)
                    Lo = Mid;
            }
        }
    }
    Index = Lo;
    return Found;
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const TItem& A, const TItem& B) { return Compare(A.S, B.S) < 0; });
}

void TStringList::SetSorted(bool Value)
{
    if (Value && !FSorted)
        Sort();
    FSorted = Value;
}

} // namespace cartova::host
