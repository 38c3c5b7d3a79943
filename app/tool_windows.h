#pragma once
// The tool's windows, made in the order the program makes them and attached
// to each other: the main window, then the layout window, the wave data
// window, the three-way message box and the wave information editor (the
// later ones hidden, children of the main window). Destroyed in the reverse
// order.

#include "R_layout.h"
#include "R_main.h"
#include "R_msgbox.h"
#include "R_wave.h"
#include "R_waveedit.h"

#include <memory>

namespace zevo3 {

struct ToolWindows {
    ToolWindows(AppObjects &objects, Prompter &prompter);
    ~ToolWindows();
    ToolWindows(const ToolWindows &) = delete;
    ToolWindows &operator=(const ToolWindows &) = delete;

    // Members in the order of making; each is destroyed before the one above.
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<TfrmLayout> layout;
    std::unique_ptr<TfrmWave> wave;
    std::unique_ptr<TfrmMsgBox> msgBox;
    std::unique_ptr<TfrmWaveEdit> waveEdit;
};

} // namespace zevo3
