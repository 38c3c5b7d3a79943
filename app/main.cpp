// The window program: one copy at a time, the main window and the hidden
// windows in their order, optionally against the simulated unit.

#include "command_set.h"
#include "guarded_application.h"
#include "language.h"
#include "link_texts.h"
#include "qt_serial_device.h"
#include "qt_sound_player.h"
#include "quit_signals.h"
#include "save_file.h"
#include "settings.h"
#include "sim_unit.h"
#include "single_instance.h"
#include "text_codec.h"
#include "tool_windows.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <memory>

using namespace zevo3;

namespace {

void reportFatal(const QString &text) {
    std::fprintf(stderr, "zevo3tool: %s\n", qPrintable(text));
    QtPrompter prompter;
    prompter.ask(nullptr, text, texts::appTitle(), MsgIcon::Warning, MsgButtons::Ok);
}

int run(GuardedApplication &app);

} // namespace

int main(int argc, char *argv[]) {
    GuardedApplication app(argc, argv, reportFatal);
    // No display name: the platform would add it to every window's caption,
    // and the captions are the tool's own texts exactly.
    QApplication::setApplicationName(QStringLiteral("zevo3tool"));
    QApplication::setApplicationVersion(QStringLiteral(ZEVO3_VERSION));
    // The desktop entry the window belongs to, and its icon (packaging/).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zevo3tool"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zevo3tool.png")));
    // The language first: every text made after it speaks it.
    if (!startLanguage(app, "zevo3tool")) return 2;
    int code = 3;
    deliverGuarded(
        [&] {
            code = run(app);
            return true;
        },
        reportFatal);
    return code;
}

namespace {

// What the command line asks for.
struct ToolArguments {
    QString iniPath; // as given; empty when not
    bool iniSet = false;
    bool simulate = false;
    QString screenshotPath;
    bool screenshot = false;
    QString openPath; // absolute; empty when no file is named
};

// Reads the command line; --help and more than one file end the program.
ToolArguments parseArguments(GuardedApplication &app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(texts::appTitle());
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption iniOption(
        QStringLiteral("ini"),
        QStringLiteral("Settings file to use instead of %1 (the one beside the program where "
                       "its folder can be written, otherwise in $XDG_CONFIG_HOME/zevo3tool/).")
            .arg(chooseSettingsPath(QCoreApplication::applicationFilePath())),
        QStringLiteral("PATH"));
    QCommandLineOption simulateOption(
        QStringLiteral("simulate"),
        QStringLiteral("Talk to a simulated unit; the settings file is read but never written."));
    QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the main window once the unit has answered, then end."),
        QStringLiteral("PNG"));
    QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("en: the window's texts in English; ja (the default). Also ZEVO3_LANG=en."),
        QStringLiteral("LANG"));
    parser.addOptions({iniOption, simulateOption, screenshotOption, langOption});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A table file to open, with its layout."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) parser.showHelp(2);

    ToolArguments args;
    args.openPath = files.isEmpty() ? QString() : QFileInfo(files[0]).absoluteFilePath();
    args.iniSet = parser.isSet(iniOption);
    args.iniPath = parser.value(iniOption);
    args.simulate = parser.isSet(simulateOption);
    args.screenshot = parser.isSet(screenshotOption);
    args.screenshotPath = parser.value(screenshotOption);
    return args;
}

// The simulated unit, started; null (and said on stderr) when it cannot start.
std::unique_ptr<SimUnit> startSimulatedUnit() {
    auto sim = std::make_unique<SimUnit>();
    QString error;
    if (!sim->start(&error)) {
        std::fprintf(stderr, "zevo3tool: cannot start the simulated unit: %s\n", qPrintable(error));
        return nullptr;
    }
    return sim;
}

// The main window, and the layout window beside it when it is shown.
QPixmap windowsPicture(TfrmMain &frmMain, TfrmLayout &frmLayout) {
    QPixmap picture = frmMain.grab();
    if (frmLayout.isVisible()) {
        const QRect both = frmMain.geometry().united(frmLayout.geometry());
        QPixmap canvas(both.size());
        canvas.fill(QColor(0xd8, 0xd8, 0xd8));
        QPainter painter(&canvas);
        painter.drawPixmap(frmMain.geometry().topLeft() - both.topLeft(), picture);
        painter.drawPixmap(frmLayout.geometry().topLeft() - both.topLeft(), frmLayout.grab());
        painter.end();
        picture = canvas;
    }
    return picture;
}

// Saves the picture of the windows as a PNG file and ends the program with
// code, or with 1 when the file cannot be written.
void takeScreenshot(TfrmMain &frmMain, TfrmLayout &frmLayout, const QString &shot, int code) {
    const QPixmap picture = windowsPicture(frmMain, frmLayout);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!picture.save(&buffer, "PNG") || !saveFileAtomically(shot, png, &error)) {
        std::fprintf(stderr, "zevo3tool: cannot write %s: %s\n", qPrintable(shot),
                     qPrintable(error));
        code = 1;
    }
    QCoreApplication::exit(code);
}

// The picture is taken once the unit's answer to "Version" is in the log, or
// after 15 seconds without it.
void arrangeScreenshot(AppObjects &objects, TfrmMain &frmMain, TfrmLayout &frmLayout,
                       const QString &shot) {
    auto take = [&frmMain, &frmLayout, shot](int code) {
        takeScreenshot(frmMain, frmLayout, shot, code);
    };
    QObject::connect(&objects.link, &Link::lineReceived, &frmMain, [take](const QByteArray &line) {
        if (line.contains(cmd::kModelWord)) QTimer::singleShot(300, [take] { take(0); });
    });
    QTimer::singleShot(15000, &frmMain, [take] {
        std::fprintf(stderr, "zevo3tool: no answer from the unit; picture taken anyway\n");
        take(2);
    });
}

// The main window ends the program when closed, and comes to the front or
// opens a file when another copy asks for it.
void connectMainWindow(GuardedApplication &app, SingleInstance &guard, TfrmMain &frmMain) {
    QObject::connect(&frmMain, &TfrmMain::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&guard, &SingleInstance::raiseRequested, &frmMain,
                     [&frmMain] { frmMain.comeToFront(); });
    QObject::connect(&guard, &SingleInstance::openRequested, &frmMain,
                     [&frmMain](const QString &path) { frmMain.openHandedOver(path); });
}

int run(GuardedApplication &app) {
    const ToolArguments args = parseArguments(app);

    // A terminating signal closes the window as Quit does: settings written,
    // port closed. Taken from here on; it acts once the event loop runs.
    TfrmMain *mainWindow = nullptr;
    QuitOnSignals quitOnSignals([&mainWindow] {
        if (mainWindow)
            mainWindow->close();
        else
            QCoreApplication::exit(0);
    });

    SingleInstance guard(texts::appTitle());
    if (!guard.claim(args.openPath)) return 0;

    std::unique_ptr<SimUnit> sim;
    if (args.simulate) {
        sim = startSimulatedUnit();
        if (!sim) return 1;
    }

    QtSerialDevice device;
    const QString settingsPath = args.iniSet
                                     ? QFileInfo(args.iniPath).absoluteFilePath()
                                     : chooseSettingsPath(QCoreApplication::applicationFilePath());
    AppObjects objects(device, settingsPath);
    if (!args.iniSet && settingsPath != settingsPathFor(QCoreApplication::applicationFilePath()))
        objects.settingsFolderToMake = QFileInfo(settingsPath).absolutePath();
    QtSoundPlayer sounds;
    objects.sounds = &sounds;
    if (sim) {
        objects.portOverride = toCp932(sim->devicePath());
        objects.settingsReadOnly = true;
    }

    QtPrompter prompter;
    ToolWindows windows(objects, prompter);
    TfrmMain &frmMain = *windows.main;
    connectMainWindow(app, guard, frmMain);
    mainWindow = &frmMain;
    if (args.screenshot) arrangeScreenshot(objects, frmMain, *windows.layout, args.screenshotPath);

    frmMain.show();
    const QString openPath = args.openPath;
    if (!openPath.isEmpty())
        QTimer::singleShot(0, &frmMain, [&frmMain, openPath] { frmMain.openTableFile(openPath); });
    const int code = app.exec();
    objects.link.ClosePort();
    return code;
}

} // namespace
