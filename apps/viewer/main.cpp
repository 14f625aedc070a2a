// cartova-viewer: the desktop map viewer. Opens the map files given (MIF,
// TAB, workspaces), or the bundled samples without any, in a window; without
// a display, --picture draws them as a finished map into a PNG.
#include "apps/cartova/Platform.h"
#include "apps/viewer/FinishedMap.h"
#include "apps/viewer/MapFiles.h"
#include "apps/viewer/ViewerWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Usage = R"(Usage: cartova-viewer [FILE...]
       cartova-viewer --picture OUTPUT.png [--size WxH] [FILE...]

Shows the map FILEs (.mif, .tab, .wor), the first at the bottom, in a window
with the layer list, the attribute grid and the map tools. Without FILE it
opens the bundled samples (the world's countries and the small countries).

Options:
  --picture OUTPUT.png  draw the files as a finished map into a PNG picture
                        instead of opening a window (works without a display)
  --size WxH            the picture's size in pixels (default 1600x800)
  -h, --help            print this help and exit
  --version             print the version and exit

The environment variable CARTOVA_VIEWER_LAYOUT, when it names a file, has the
window write the screen positions of its parts there once it shows (for
driving the window from tests).
)";

bool HasDisplay()
{
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

bool Headless()
{
    const QString P = QGuiApplication::platformName();
    return P == "offscreen" || P == "minimal";
}

// The bundled samples: beside an installed program, or in the source tree.
std::vector<std::string> Samples()
{
    const QStringList Dirs = {QCoreApplication::applicationDirPath() + "/../share/cartova/samples",
                              QStringLiteral(CARTOVA_VIEWER_SAMPLES)};
    for (const QString& D : Dirs) {
        const QString Countries = D + "/countries110.mif", Small = D + "/tiny_countries50.mif";
        if (QFileInfo::exists(Countries) && QFileInfo::exists(Small))
            return {QDir::cleanPath(Countries).toStdString(), QDir::cleanPath(Small).toStdString()};
    }
    return {};
}

struct TOptions {
    std::vector<std::string> Files;
    std::string Picture;
    int Width = 1600, Height = 800;
};

// Parses the command line; returns an exit status to stop with, or -1 to go on.
int Parse(int argc, char** argv, TOptions& O)
{
    for (int I = 1; I < argc; ++I) {
        const std::string A = argv[I];
        if (A == "-h" || A == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (A == "--version") {
            std::cout << "cartova-viewer " << cartova::LibraryVersion() << "\n";
            return 0;
        }
        if (A == "--picture" || A == "--size") {
            if (I + 1 >= argc) {
                std::cerr << "cartova-viewer: " << A << " needs a value\n";
                return 2;
            }
            const std::string V = argv[++I];
            if (A == "--picture") {
                O.Picture = V;
                continue;
            }
            int W = 0, H = 0;
            char X = 0, Rest = 0;
            if (std::sscanf(V.c_str(), "%d%c%d%c", &W, &X, &H, &Rest) != 3 || X != 'x' || W < 16 || H < 16 ||
                W > 8192 || H > 8192) {
                std::cerr << "cartova-viewer: --size wants WIDTHxHEIGHT between 16 and 8192, not '" << V << "'\n";
                return 2;
            }
            O.Width = W;
            O.Height = H;
            continue;
        }
        if (A.size() > 1 && A[0] == '-') {
            std::cerr << "cartova-viewer: unknown option " << A << "\n" << Usage;
            return 2;
        }
        O.Files.push_back(A);
    }
    return -1;
}

int WritePicture(const TOptions& O)
{
    try {
        const QImage Picture = viewer::RenderFinishedMap(O.Files, O.Width, O.Height);
        if (!Picture.save(QString::fromStdString(O.Picture), "PNG")) {
            std::cerr << "cartova-viewer: " << O.Picture << ": the picture could not be written\n";
            return 1;
        }
    } catch (const std::exception& E) {
        std::cerr << "cartova-viewer: " << E.what() << "\n";
        return 1;
    }
    const QString Written = QFileInfo(QString::fromStdString(O.Picture)).absoluteFilePath();
    std::cout << "The map was drawn into " << Written.toStdString() << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TOptions O;
    if (const int Status = Parse(argc, argv, O); Status >= 0)
        return Status;
    if (!O.Picture.empty() || !HasDisplay())
        cartova::cli::SetUpHeadlessPlatform();
    QApplication App(argc, argv);
    QApplication::setApplicationName("cartova-viewer");
    QApplication::setOrganizationName("Cartova");
    if (O.Files.empty())
        O.Files = Samples();

    if (!O.Picture.empty()) {
        viewer::TProviders Providers;
        return WritePicture(O);
    }
    if (Headless()) {
        std::cerr << "cartova-viewer: there is no display to show the window on; to draw the map into a "
                     "picture instead: cartova-viewer --picture map.png [FILE...]\n";
        return 1;
    }

    viewer::TViewerWindow Window;
    QStringList Files;
    for (const std::string& F : O.Files)
        Files << QString::fromStdString(F);
    Window.show();
    Window.OpenFiles(Files);
    if (const char* Layout = std::getenv("CARTOVA_VIEWER_LAYOUT"); Layout && *Layout) {
        const QString Path = QString::fromLocal8Bit(Layout);
        QTimer::singleShot(500, &Window, [&Window, Path] {
            if (!Window.WriteLayout(Path))
                std::cerr << "cartova-viewer: cannot write the layout to " << Path.toStdString() << "\n";
        });
    }
    return QApplication::exec();
}
