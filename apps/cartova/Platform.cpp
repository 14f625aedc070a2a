#include "apps/cartova/Platform.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace cartova::cli {

namespace {

QtMessageHandler QtDefault = nullptr;
bool PlatformChosenHere = false;

// Qt's notes on its set-up, which say nothing about the user's files: the
// runtime folder it falls back to, the features the offscreen platform
// lacks, and, on the platform the program chose, the platform's own notes.
bool IsPlatformNote(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtCriticalMsg || Type == QtFatalMsg)
        return false;
    return Message.startsWith("QStandardPaths: ") || Message.contains("propagateSizeHints") ||
           Message.startsWith("This plugin does not support") ||
           (PlatformChosenHere && QString::fromLatin1(Context.category ? Context.category : "").startsWith("qt.qpa"));
}

void FilterQtMessages(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (IsPlatformNote(Type, Context, Message))
        return;
    if (QtDefault)
        QtDefault(Type, Context, Message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(Type, Context, Message)));
}

} // namespace

void SetUpHeadlessPlatform()
{
    PlatformChosenHere = !std::getenv("QT_QPA_PLATFORM");
    if (PlatformChosenHere)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QtDefault = qInstallMessageHandler(FilterQtMessages);
}

} // namespace cartova::cli
