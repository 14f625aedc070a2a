#include "DemoWindow.h"

#include "map/Cartova.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <iostream>

namespace demo {

int RunWindow(QWidget& Window, cartova::TCartova& Map, const std::string& PngPath,
              const std::string& What, const std::function<void()>& Shown)
{
    Window.show();
    QApplication::processEvents();
    if (Shown)
        Shown();
    const QString Platform = QGuiApplication::platformName();
    if (Platform != "offscreen" && Platform != "minimal")
        return QApplication::exec();
    Map.Repaint();
    if (!Window.grab().save(QString::fromStdString(PngPath))) {
        std::cerr << "cartova-demo: cannot write " << PngPath << "\n";
        return 1;
    }
    std::cout << "No display: the " << What << " was written to " << PngPath << "\n";
    return 0;
}

} // namespace demo
