// `cartova info`: the human form names the columns as declared, the
// coordinate system, the extent and the objects per class; --json gives the
// same as one object that is valid UTF-8 whatever bytes the file holds; a
// file that cannot be read is reported after the good ones are described.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>

using cartova::test::Cartova;
using cartova::test::WriteFile;

namespace {

const std::string Data = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/";
const std::string Output = CARTOVA_TEST_OUTPUT_DIR;

QJsonObject ParseJson(const std::string& Text)
{
    QJsonParseError Error;
    const QJsonDocument Doc =
        QJsonDocument::fromJson(QByteArray(Text.data(), static_cast<qsizetype>(Text.size())), &Error);
    EXPECT_EQ(Error.error, QJsonParseError::NoError) << Error.errorString().toStdString() << "\n" << Text;
    return Doc.object();
}

} // namespace

TEST(InfoTest, TheHumanFormDescribesEachLayer)
{
    const auto R = Cartova("info " + Data + "records.mif " + Data + "others.mif");
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(R.Out.rfind("Layer: records\n"
                          "  File: " + Data + "records.mif\n"
                          "  Coordinate system: CoordSys Earth Projection 1, 104 Bounds (-180, -90) (180, 90)\n"
                          "  Charset: Neutral\n"
                          "  Extent: (13.0000000000001, 52.1) - (13.3, 52.9876543210987)\n"
                          "  Objects: 4 (TNoGeometry 1, TPolyline 1, TRegion 1, TSymbol 1)\n"
                          "  Columns: 4\n"
                          "    name: Char(12)\n"
                          "    value: Decimal(12,4)\n"
                          "    id: Integer\n"
                          "    note: Char(40)\n"
                          "Layer: others\n",
                          0),
              0u)
        << R.Out;
    EXPECT_NE(R.Out.find("  Skipped: 1 (Ellipse 1), of kinds Cartova has no class for\n"), std::string::npos);
    EXPECT_NE(R.Out.find("    n: Decimal(8,2)\n"), std::string::npos);
    // The reader's warnings name the file.
    EXPECT_NE(R.Err.find("cartova info: warning: " + Data + "others.mif: 2 values of"), std::string::npos) << R.Err;

    // A layer without objects has no extent; one without a CoordSys says so.
    const std::string Empty = Output + "/info-empty.mif";
    WriteFile(Empty, "Version 300\nColumns 1\n  a Char(5)\nData\n");
    const auto E = Cartova("info " + Empty);
    ASSERT_EQ(E.Status, 0) << E.Err;
    EXPECT_NE(E.Out.find("  Coordinate system: none declared\n"), std::string::npos) << E.Out;
    EXPECT_NE(E.Out.find("  Extent: none (no object with geometry)\n  Objects: 0\n  Columns: 1\n    a: Char(5)\n"),
              std::string::npos)
        << E.Out;
}

TEST(InfoTest, JsonGivesCoordSysSkippedKindsAndDeclarations)
{
    const auto R = Cartova("info --json " + Data + "others.mif " + Data + "records.mif");
    ASSERT_EQ(R.Status, 0) << R.Err;
    const QJsonArray Layers = ParseJson(R.Out)["layers"].toArray();
    ASSERT_EQ(Layers.size(), 2);
    const QJsonObject Others = Layers[0].toObject();
    EXPECT_EQ(Others["name"].toString(), "others");
    EXPECT_EQ(Others["coordsys"].toString(), "CoordSys Earth Projection 1, 104");
    EXPECT_EQ(Others["charset"].toString(), "WindowsLatin1");
    EXPECT_EQ(Others["objects"].toInt(), 6);
    EXPECT_EQ(Others["skipped"].toObject(), QJsonObject({{"Ellipse", 1}}));
    const QJsonObject N = Others["fields"].toArray()[3].toObject();
    EXPECT_EQ(N, QJsonObject({{"name", "n"}, {"type", "Decimal"}, {"declared", "Decimal(8,2)"}}));
    EXPECT_EQ(Others["extent"].toArray(), QJsonArray({1, 1, 70, 55}));
    const QJsonObject Records = Layers[1].toObject();
    EXPECT_EQ(Records["coordsys"].toString(), "CoordSys Earth Projection 1, 104 Bounds (-180, -90) (180, 90)");
    EXPECT_FALSE(Records.contains("skipped"));
    EXPECT_EQ(Records["classes"].toObject(),
              QJsonObject({{"TNoGeometry", 1}, {"TPolyline", 1}, {"TRegion", 1}, {"TSymbol", 1}}));
}

TEST(InfoTest, JsonIsValidUtf8WhateverTheFileHolds)
{
    // A Neutral file keeps its bytes: Latin-1 letters, an overlong slash, a
    // surrogate, a sequence cut short; and UTF-8 letters, which stay.
    const std::string Neutral = Output + "/info-neutral.mif";
    WriteFile(Neutral, "Version 300\nCharset \"Neutral\"\nColumns 3\n  caf\xE9 Char(10)\n"
                       "  a\xC0\xAF" "b\xED\xA0\x80" "c\xE2\x82 Integer\n  Stra\xC3\x9F" "e Char(5)\n"
                       "Data\nPoint 1 2\n");
    WriteFile(Output + "/info-neutral.mid", "\"\xE9t\xE9\",1,\"x\"\n");
    const auto R = Cartova("info --json " + Neutral);
    ASSERT_EQ(R.Status, 0) << R.Err;
    const QJsonArray Fields = ParseJson(R.Out)["layers"].toArray()[0].toObject()["fields"].toArray();
    ASSERT_EQ(Fields.size(), 3);
    EXPECT_EQ(Fields[0].toObject()["name"].toString(), QString::fromUtf8("caf\uFFFD"));
    EXPECT_EQ(Fields[1].toObject()["name"].toString(),
              QString::fromUtf8("a\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFDc\uFFFD\uFFFD"));
    EXPECT_EQ(Fields[2].toObject()["name"].toString(), QString::fromUtf8("Stra\u00DFe"));
    EXPECT_NE(R.Err.find("cartova info: warning: " + Neutral +
                         ": has names that are not valid UTF-8 (its charset is Neutral); the JSON shows each such "
                         "byte as U+FFFD"),
              std::string::npos)
        << R.Err;
    // Control characters are escaped.
    const std::string Controls = Output + "/info-controls.mif";
    WriteFile(Controls, "Version 300\nCharset \"Neutral\"\nColumns 1\n  a\x01\"\\b Char(5)\nData\n");
    const auto C = Cartova("info --json " + Controls);
    ASSERT_EQ(C.Status, 0) << C.Err;
    EXPECT_NE(C.Out.find("{\"name\": \"a\\u0001\\\"\\\\b\""), std::string::npos) << C.Out;
    EXPECT_EQ(ParseJson(C.Out)["layers"].toArray()[0].toObject()["fields"].toArray()[0].toObject()["name"],
              QString("a\x01\"\\b"));
}

TEST(InfoTest, AFileThatCannotBeReadIsReportedAfterTheGoodOnes)
{
    const std::string Bad = Output + "/info-bad.mif";
    WriteFile(Bad, "Version 300\nData\nLine 0 0 1 y\n");
    const std::string Good = Data + "records.mif";
    const auto R = Cartova("info " + Good + " " + Bad + " " + Data + "styles.mif");
    EXPECT_EQ(R.Status, 1);
    EXPECT_EQ(R.Out.rfind("Layer: records\n", 0), 0u) << R.Out;
    EXPECT_NE(R.Out.find("Layer: styles\n"), std::string::npos);
    EXPECT_EQ(R.Out.find("info-bad"), std::string::npos);
    EXPECT_NE(R.Err.find("cartova info: " + Bad + ": line "), std::string::npos) << R.Err;

    // Joined, the good layer comes before the error.
    std::string Joined;
    EXPECT_EQ(cartova::test::RunCli("info " + Good + " " + Bad, Joined), 1);
    EXPECT_LT(Joined.find("Layer: records"), Joined.find("cartova info: " + Bad));

    const auto J = Cartova("info --json " + Bad + " " + Good);
    EXPECT_EQ(J.Status, 1);
    const QJsonArray Layers = ParseJson(J.Out)["layers"].toArray();
    ASSERT_EQ(Layers.size(), 1);
    EXPECT_EQ(Layers[0].toObject()["name"].toString(), "records");
    EXPECT_NE(J.Err.find("cartova info: " + Bad + ": "), std::string::npos);
}
