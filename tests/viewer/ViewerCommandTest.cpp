// The cartova-viewer command as a user's shell runs it without a display.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cartova::test {
namespace {

struct TResult {
    int Status = -1;
    QString Out, Err;
};

// Runs the viewer with Args, without a display or a chosen Qt platform.
TResult RunViewer(const QStringList& Args)
{
    QProcess P;
    QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        Env.remove(Name);
    P.setProcessEnvironment(Env);
    P.start(CARTOVA_VIEWER_EXE, Args);
    if (!P.waitForFinished(90000))
        return {};
    return {P.exitStatus() == QProcess::NormalExit ? P.exitCode() : -1,
            QString::fromLocal8Bit(P.readAllStandardOutput()), QString::fromLocal8Bit(P.readAllStandardError())};
}

const QString Samples = CARTOVA_SAMPLE_DIR;

TEST(ViewerCommand, DrawsAPictureWithoutADisplay)
{
    QTemporaryDir Dir;
    const QString Png = Dir.path() + "/world.png";
    const TResult R = RunViewer({"--picture", Png, "--size", "400x200", Samples + "/countries110_robinson.tab",
                                 Samples + "/tiny_countries50.tab"});
    ASSERT_EQ(R.Status, 0) << R.Err.toStdString();
    EXPECT_EQ(R.Out.trimmed(), "The map was drawn into " + Png);
    const QImage Picture(Png);
    EXPECT_EQ(Picture.size(), QSize(400, 200));

    // Without files it draws the bundled samples.
    const TResult Samples = RunViewer({"--picture", Png});
    EXPECT_EQ(Samples.Status, 0) << Samples.Err.toStdString();
    EXPECT_EQ(QImage(Png).size(), QSize(1600, 800));
}

TEST(ViewerCommand, ExplainsWhatItCannotDo)
{
    const TResult Help = RunViewer({"--help"});
    EXPECT_EQ(Help.Status, 0);
    EXPECT_TRUE(Help.Out.startsWith("Usage: cartova-viewer [FILE...]"));

    QTemporaryDir Dir;
    const TResult Missing = RunViewer({"--picture", Dir.path() + "/x.png", Dir.path() + "/missing.mif"});
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_TRUE(Missing.Err.contains("cartova-viewer: " + Dir.path() + "/missing.mif: no such file"))
        << Missing.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Dir.path() + "/x.png"));

    const TResult Size = RunViewer({"--picture", Dir.path() + "/x.png", "--size", "3x3"});
    EXPECT_EQ(Size.Status, 2);
    EXPECT_TRUE(Size.Err.contains("--size wants WIDTHxHEIGHT")) << Size.Err.toStdString();
    EXPECT_EQ(RunViewer({"--frobnicate"}).Status, 2);

    // No display and no picture asked for: it says how to get one.
    const TResult Window = RunViewer({Samples + "/countries110.mif"});
    EXPECT_EQ(Window.Status, 1);
    EXPECT_TRUE(Window.Err.contains("cartova-viewer --picture map.png")) << Window.Err.toStdString();
}

} // namespace
} // namespace cartova::test
