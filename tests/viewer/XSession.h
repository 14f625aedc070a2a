#pragma once
// A private X server (Xvfb) for driving the viewer as a user does: the
// program runs on it, xdotool moves the pointer, clicks and types, and
// ImageMagick's import takes screenshots of the whole screen.

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <string>

namespace cartova::test {

class TXSession {
public:
    /// The programs a session needs that are missing from PATH, space separated.
    static QString MissingPrograms()
    {
        QStringList Missing;
        for (const char* P : {"Xvfb", "xdotool", "import"})
            if (QStandardPaths::findExecutable(P).isEmpty())
                Missing << P;
        return Missing.join(' ');
    }

    ~TXSession()
    {
        if (FProgram.state() != QProcess::NotRunning) {
            FProgram.kill();
            FProgram.waitForFinished(5000);
        }
        if (FServer.state() != QProcess::NotRunning) {
            FServer.terminate();
            if (!FServer.waitForFinished(5000))
                FServer.kill();
        }
    }

    /// Starts the X server on a free display; false when it did not come up.
    bool StartServer()
    {
        FServer.setProgram("Xvfb");
        FServer.setArguments({"-displayfd", "1", "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
        FServer.start();
        if (!FServer.waitForStarted(10000))
            return false;
        QByteArray Number;
        for (int I = 0; I < 100 && !Number.contains('\n'); ++I) {
            FServer.waitForReadyRead(100);
            Number += FServer.readAllStandardOutput();
        }
        if (!Number.contains('\n'))
            return false;
        FDisplay = ":" + QString::fromLatin1(Number.trimmed());
        return true;
    }

    const QString& Display() const { return FDisplay; }
    QString Dir() const { return FDir.path(); }

    /// Starts Program with Args on the display, with its own settings folder
    /// and the window layout written to Dir()/layout.json.
    bool StartProgram(const QString& Program, const QStringList& Args)
    {
        QFile::remove(LayoutPath());
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert("DISPLAY", FDisplay);
        Env.insert("QT_QPA_PLATFORM", "xcb");
        Env.insert("XDG_CONFIG_HOME", Dir() + "/config");
        Env.insert("XDG_RUNTIME_DIR", Dir());
        Env.insert("CARTOVA_VIEWER_LAYOUT", LayoutPath());
        FProgram.setProcessEnvironment(Env);
        FProgram.setProcessChannelMode(QProcess::MergedChannels);
        FProgram.start(Program, Args);
        return FProgram.waitForStarted(10000);
    }

    /// Waits for the program's layout report; an empty object after Seconds.
    QJsonObject Layout(int Seconds = 60)
    {
        for (int I = 0; I < Seconds * 10; ++I) {
            QFile F(LayoutPath());
            if (F.open(QIODevice::ReadOnly)) {
                const QJsonDocument D = QJsonDocument::fromJson(F.readAll());
                if (D.isObject())
                    return D.object();
            }
            if (FProgram.state() == QProcess::NotRunning)
                break;
            QThread::msleep(100);
        }
        return {};
    }

    /// Waits for the program to end; its exit code, or -1 when it did not end
    /// in Seconds (it is killed then) or crashed.
    int WaitForExit(int Seconds = 60)
    {
        if (!FProgram.waitForFinished(Seconds * 1000)) {
            FProgram.kill();
            FProgram.waitForFinished(5000);
            return -1;
        }
        return FProgram.exitStatus() == QProcess::NormalExit ? FProgram.exitCode() : -1;
    }
    /// What the program wrote (stdout and stderr).
    QString Output() { return QString::fromLocal8Bit(FProgram.readAll()); }

    /// Runs Program on the display and waits; true when it exited with 0.
    bool Run(const QString& Program, const QStringList& Args)
    {
        QProcess P;
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert("DISPLAY", FDisplay);
        P.setProcessEnvironment(Env);
        P.start(Program, Args);
        return P.waitForFinished(30000) && P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
    }

    bool Xdotool(const QStringList& Args) { return Run("xdotool", Args); }
    void Click(int X, int Y)
    {
        Xdotool({"mousemove", "--sync", QString::number(X), QString::number(Y)});
        Xdotool({"click", "1"});
    }
    void DoubleClick(int X, int Y)
    {
        Xdotool({"mousemove", "--sync", QString::number(X), QString::number(Y)});
        Xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
    }
    /// Presses the left button at (X1, Y1), moves in steps to (X2, Y2), releases.
    void Drag(int X1, int Y1, int X2, int Y2)
    {
        Xdotool({"mousemove", "--sync", QString::number(X1), QString::number(Y1)});
        Xdotool({"mousedown", "1"});
        for (int S = 1; S <= 5; ++S)
            Xdotool({"mousemove", "--sync", QString::number(X1 + (X2 - X1) * S / 5),
                     QString::number(Y1 + (Y2 - Y1) * S / 5)});
        Xdotool({"mouseup", "1"});
    }
    /// Gives the keyboard to the first window whose title holds Title and
    /// presses Keys there ("ctrl+n").
    void Key(const QString& Title, const QString& Keys)
    {
        Xdotool({"search", "--sync", "--name", Title, "windowfocus", "--sync", "%1"});
        Xdotool({"key", "--clearmodifiers", Keys});
    }
    void Type(const QString& Text) { Xdotool({"type", "--delay", "20", Text}); }

    /// A screenshot of the whole screen.
    QImage Shot()
    {
        const QString File = Dir() + "/shot.png";
        QFile::remove(File);
        Run("import", {"-window", "root", "-silent", File});
        return QImage(File).convertToFormat(QImage::Format_RGB32);
    }
    /// A screenshot once the screen has stopped changing (two equal shots in
    /// a row), or the last one after Seconds.
    QImage SettledShot(int Seconds = 20)
    {
        QImage Last = Shot();
        const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
        while (std::chrono::steady_clock::now() < End) {
            QThread::msleep(300);
            QImage Next = Shot();
            if (Next == Last)
                return Next;
            Last = Next;
        }
        return Last;
    }

private:
    QString LayoutPath() const { return Dir() + "/layout.json"; }

    QTemporaryDir FDir;
    QProcess FServer;
    QProcess FProgram;
    QString FDisplay;
};

} // namespace cartova::test
