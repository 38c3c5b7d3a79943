#pragma once
// The application's objects, made once by main() (or by a test) and handed
// to the windows by reference.

#include "code_table.h"
#include "layout_data.h"
#include "link.h"
#include "port_search.h"
#include "settings.h"
#include "sound_player.h"
#include "tick_clock.h"
#include "wave_grid.h"
#include "wave_store.h"
#include "wave_view.h"

#include <QString>

namespace zevo3 {

struct AppObjects {
    explicit AppObjects(SerialDevice &device, QString settingsFile)
        : device(device), link(device, com, clock), settingsPath(std::move(settingsFile)) {}

    SerialDevice &device;
    ComSettings com;
    WaveSettings wave;
    SteadyTickClock clock;
    Link link;
    CodeTable table;
    LayoutData layout;
    WaveViewState view;
    // The learned waveform and the wave data grid's texts, filled together.
    WaveStore waveStore;
    WaveGridData waveGrid;
    // The code check's sounds: silent unless main() or a test hands in a player.
    SilentSoundPlayer silence;
    SoundPlayer *sounds = &silence;

    // Where the port search looks; tests hand in their own.
    SystemPortLister systemPorts;
    const PortLister *ports = &systemPorts;

    QString settingsPath;
    // An installed program's settings folder (under ~/.config), made on the
    // first save; empty where the settings file lies beside the program.
    QString settingsFolderToMake;
    // With the simulated unit the port name is replaced for the run and the
    // operator's settings file is never written.
    QByteArray portOverride;
    bool settingsReadOnly = false;
};

} // namespace zevo3
