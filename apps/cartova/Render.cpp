#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"

#include <QBuffer>
#include <QColor>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace cartova::cli {

namespace {

const char* const Help = R"(Usage: cartova render FILE... -o OUTPUT [OPTIONS]

Draws the layers of the map FILEs, the first at the bottom, into an image.
A workspace (.wor) brings the tables of its map window with their styles.

Options:
  -o, --output OUTPUT  the image to write; its extension chooses the format:
                       .png, .jpg (or .jpeg) or .bmp; - writes PNG to
                       standard output
  --size WxH           the image size in pixels (default 1024x512)
  --bbox MINX,MINY,MAXX,MAXY
                       show this box of map coordinates, as large as the
                       image holds it (not with --center or --zoom)
  --center X,Y         the map point at the centre of the image (default: the
                       centre a workspace gives, else the centre of all layers)
  --zoom Z             the scale relative to the view that fits all layers,
                       which is 1: at 2 a map unit is twice as many pixels
                       long and the image shows half the width
  --rotate DEG         turn the map DEG degrees clockwise about the centre of
                       the view
  --background COLOR   the colour behind the map: a name (white, lightblue)
                       or #RRGGBB (default white)
  --antialias          smooth the edges of lines and outlines
  -h, --help           print this help and exit

Without --bbox, --center and --zoom the view holds every layer whole, turned
by --rotate if given, with a small margin.

Examples:
  cartova render countries.mif -o world.png
  cartova render countries.mif cities.mif -o europe.jpg --bbox -25,34,45,72 --size 800x600
  cartova render countries.mif -o - --rotate 30 --background lightblue > turned.png
)";

constexpr int MaxSide = 16384;

// The Qt image format OUTPUT names by its extension; "" when it names none.
const char* ImageFormat(const std::string& Output)
{
    if (Output == "-")
        return "png";
    const std::string Ext = LowerCase(ExtractFileExt(Output));
    if (Ext == ".png")
        return "png";
    if (Ext == ".jpg" || Ext == ".jpeg")
        return "jpg";
    if (Ext == ".bmp")
        return "bmp";
    return "";
}

std::vector<double> Numbers(const TArguments& A, const std::string& Option, char Separator, std::size_t Count,
                            const std::string& Form)
{
    std::vector<double> N;
    if (!ParseNumbers(A.Get(Option), Separator, Count, N))
        throw TUsageError(Option + " wants " + Form + ", not '" + A.Get(Option) + "'");
    return N;
}

// The boxes (in map coordinates) the view must hold: the --bbox, or each
// object's extent. Turning the map turns each box's corners.
std::vector<TBounds> ObjectExtents(TCartova& Map)
{
    std::vector<TBounds> Boxes;
    TMapLayers* Layers = Map.GetLayers();
    for (int L = 0; L < Layers->Count(); ++L) {
        TMapLayer* Layer = Layers->GetLayers(L);
        for (int I = 0; I < Layer->GetObjectCount(); ++I)
            if (const TBounds B = GatherExtent({Layer->GetObjects(I)}); B.MinX <= B.MaxX && B.MinY <= B.MaxY)
                Boxes.push_back(B);
    }
    return Boxes;
}

// The box that holds every box of Boxes as the map's rotation turns it.
TBounds Turned(const TCartova& Map, const std::vector<TBounds>& Boxes)
{
    TBounds R{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const TBounds& B : Boxes)
        for (const auto& [X, Y] : {std::pair(B.MinX, B.MinY), std::pair(B.MaxX, B.MinY), std::pair(B.MinX, B.MaxY),
                                   std::pair(B.MaxX, B.MaxY)}) {
            const double TX = Map.GetisMapRotated() ? Map.RotateX(X, Y) : X;
            const double TY = Map.GetisMapRotated() ? Map.RotateY(X, Y) : Y;
            R = {std::min(R.MinX, TX), std::min(R.MinY, TY), std::max(R.MaxX, TX), std::max(R.MaxY, TY)};
        }
    return R;
}

// The zoom at which Box fills Fill of the image along its tighter side; the
// current zoom for a box without width and height.
double FittingZoom(const TCartova& Map, const TBounds& Box, double Fill)
{
    const double W = Box.MaxX - Box.MinX, H = Box.MaxY - Box.MinY;
    if (W <= 0 && H <= 0)
        return Map.GetZoom();
    const double Cw = Map.GetClientWidth(), Ch = Map.GetClientHeight();
    const double PixelsPerUnit = std::min(W > 0 ? Cw / W : INFINITY, H > 0 ? Ch / H : INFINITY) * Fill;
    // The map's scale is ClientWidth × Zoom / (MaxX − MinX) pixels per map unit.
    return PixelsPerUnit * (Map.GetMaxX() - Map.GetMinX()) / Cw;
}

// Writes Image to Output ("-": standard output) in Format, replacing a file
// only once the whole image is written.
void WriteImage(const QImage& Image, const std::string& Output, const char* Format)
{
    QByteArray Bytes;
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::WriteOnly);
    QImageWriter Writer(&Buffer, Format);
    if (!Writer.write(Image))
        throw TFileError(Output, "the image could not be encoded: " + Writer.errorString().toStdString());
    if (Output == "-") {
        if (std::fwrite(Bytes.constData(), 1, Bytes.size(), stdout) != static_cast<std::size_t>(Bytes.size()) ||
            std::fflush(stdout) != 0)
            throw TFileError("standard output", std::strerror(errno));
        return;
    }
    QSaveFile File(QString::fromStdString(Output));
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit())
        throw TFileError(Output, "cannot be written: " + File.errorString().toStdString());
}

} // namespace

int Render(const TArgs& Args)
{
    const TArguments A(Args, {{"--output", "OUTPUT", "-o"},
                              {"--size", "WxH", ""},
                              {"--bbox", "MINX,MINY,MAXX,MAXY", ""},
                              {"--center", "X,Y", ""},
                              {"--zoom", "Z", ""},
                              {"--rotate", "DEG", ""},
                              {"--background", "COLOR", ""},
                              {"--antialias", "", ""}});
    if (A.Help()) {
        std::cout << Help;
        return ExitSuccess;
    }
    // Everything the command line says is checked before a file is read.
    if (A.Operands().empty())
        throw TUsageError("no FILE given: cartova render FILE... -o OUTPUT");
    const std::string Output = A.Get("--output");
    if (Output.empty())
        throw TUsageError("no output given: add -o OUTPUT (a .png, .jpg or .bmp file, or - for standard output)");
    const char* Format = ImageFormat(Output);
    if (!*Format)
        throw TUsageError("cannot tell the image format of '" + Output +
                          "': name the output .png, .jpg or .bmp, or - for PNG on standard output");
    int Width = 1024, Height = 512;
    if (A.Has("--size")) {
        const std::vector<double> S = Numbers(A, "--size", 'x', 2, "WIDTHxHEIGHT, e.g. 800x600");
        if (S[0] < 1 || S[1] < 1 || S[0] > MaxSide || S[1] > MaxSide || S[0] != std::floor(S[0]) ||
            S[1] != std::floor(S[1]))
            throw TUsageError("--size wants whole numbers of pixels between 1 and " + std::to_string(MaxSide) +
                              ", not '" + A.Get("--size") + "'");
        Width = static_cast<int>(S[0]);
        Height = static_cast<int>(S[1]);
    }
    const bool HasBox = A.Has("--bbox"), HasCenter = A.Has("--center"), HasZoom = A.Has("--zoom");
    if (HasBox && (HasCenter || HasZoom))
        throw TUsageError("--bbox gives the whole view: use it without --center and --zoom");
    TBounds Box{};
    if (HasBox) {
        const std::vector<double> B = Numbers(A, "--bbox", ',', 4, "MINX,MINY,MAXX,MAXY");
        if (!(B[0] < B[2] && B[1] < B[3]))
            throw TUsageError("--bbox wants MINX < MAXX and MINY < MAXY, not '" + A.Get("--bbox") + "'");
        Box = {B[0], B[1], B[2], B[3]};
    }
    std::vector<double> Center{0, 0};
    if (HasCenter)
        Center = Numbers(A, "--center", ',', 2, "X,Y");
    double Zoom = 1;
    if (HasZoom && (!TryStrToFloat(A.Get("--zoom"), Zoom) || !std::isfinite(Zoom) || Zoom <= 0))
        throw TUsageError("--zoom wants a number above 0, not '" + A.Get("--zoom") + "'");
    double Rotate = 0;
    if (A.Has("--rotate") && (!TryStrToFloat(A.Get("--rotate"), Rotate) || !std::isfinite(Rotate)))
        throw TUsageError("--rotate wants degrees, not '" + A.Get("--rotate") + "'");
    QColor Background(Qt::white);
    if (A.Has("--background")) {
        Background = QColor::fromString(A.Get("--background"));
        if (!Background.isValid() || Background.alpha() != 255)
            throw TUsageError("--background wants a colour name (white, lightblue) or #RRGGBB, not '" +
                              A.Get("--background") + "'");
    }

    TMapSession Session(Width, Height);
    TCartova& Map = Session.Map();
    Map.SetColor(QColorToColor(Background));
    Map.GetOptions()->SetAntialias(A.Has("--antialias"));
    for (const std::string& File : A.Operands())
        Session.Open(File);
    // A workspace's centre stands for --center.
    const bool Centred = HasCenter || (!HasBox && Session.WorkspaceCenter());
    if (!HasCenter && Centred)
        Center = {Session.WorkspaceCenter()->first, Session.WorkspaceCenter()->second};

    // The view: the point it turns about and centres on, and what it must hold.
    TBounds Extent;
    const bool HasExtent = MapExtent(Map, Extent);
    double CX = Map.GetCenterX(), CY = Map.GetCenterY();
    if (HasBox) {
        CX = (Box.MinX + Box.MaxX) / 2;
        CY = (Box.MinY + Box.MaxY) / 2;
    } else if (Centred) {
        CX = Center[0];
        CY = Center[1];
    } else if (HasExtent) {
        CX = (Extent.MinX + Extent.MaxX) / 2;
        CY = (Extent.MinY + Extent.MaxY) / 2;
    }
    std::vector<TBounds> Hold;
    if (HasBox)
        Hold = {Box};
    else if (HasExtent)
        Hold = Rotate != 0 ? ObjectExtents(Map) : std::vector<TBounds>{Extent};
    if (Rotate != 0)
        Map.RotateMap(CX, CY, Rotate);
    double Scale = Map.GetZoom();
    if (!Hold.empty()) {
        const TBounds View = Turned(Map, Hold);
        if (!HasBox && !Centred) {
            CX = (View.MinX + View.MaxX) / 2;
            CY = (View.MinY + View.MaxY) / 2;
        }
        Scale = FittingZoom(Map, View, HasBox ? 1.0 : 0.98);
    }
    Map.SetCenterX(CX);
    Map.SetCenterY(CY);
    Map.SetZoom(Scale * Zoom);

    Map.SetModified(true);
    Map.PaintMapToBitmap();
    TBitmap Bitmap;
    Map.AssignToBitmap(&Bitmap);
    WriteImage(Bitmap.GetImage().convertToFormat(QImage::Format_RGB32), Output, Format);
    if (Output != "-")
        std::cout << "wrote " << ExpandFileName(Output) << " (" << Width << "x" << Height << ")\n";
    return ExitSuccess;
}

} // namespace cartova::cli
