#pragma once
// A main window on the in-memory device, with its settings file in a
// temporary folder and every message box recorded.

#include "R_layout.h"
#include "R_main.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"
#include "fake_serial_device.h"
#include "recording_prompter.h"
#include "tool_windows.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zevo3::test {

class MainWindowTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("zevo3tool.ini")); }
    void writeIni(const QByteArray &bytes) {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readIni() const {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TfrmMain &create() {
        objects = std::make_unique<AppObjects>(device, iniPath());
        window = std::make_unique<TfrmMain>(*objects, prompter);
        return *window;
    }
    // The main window with the windows made after it at start-up, as the
    // program makes them.
    TfrmMain &createAll() {
        objects = std::make_unique<AppObjects>(device, iniPath());
        takeWindows(ToolWindows(*objects, prompter));
        return *window;
    }
    // All windows made, the main window shown and active, as the operator
    // meets it.
    TfrmMain &openShown() {
        TfrmMain &w = createAll();
        w.show();
        QApplication::setActiveWindow(&w);
        return w;
    }
    // The windows of an assembly, kept by the test from here on.
    void takeWindows(ToolWindows &&windows) {
        window = std::move(windows.main);
        layout = std::move(windows.layout);
        wave = std::move(windows.wave);
        msgBox = std::move(windows.msgBox);
        waveEdit = std::move(windows.waveEdit);
    }
    template <typename T> T *control(const char *name) const {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    FakeSerialDevice device;
    RecordingPrompter prompter;
    std::unique_ptr<AppObjects> objects;
    std::unique_ptr<TfrmMain> window;
    std::unique_ptr<TfrmLayout> layout;
    std::unique_ptr<TfrmWave> wave;
    std::unique_ptr<TfrmMsgBox> msgBox;
    std::unique_ptr<TfrmWaveEdit> waveEdit;

    void TearDown() override {
        waveEdit.reset();
        msgBox.reset();
        wave.reset();
        layout.reset();
        window.reset();
        objects.reset();
    }
};

} // namespace zevo3::test
