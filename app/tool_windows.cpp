#include "tool_windows.h"

namespace zevo3 {

ToolWindows::ToolWindows(AppObjects &objects, Prompter &prompter)
    : main(std::make_unique<TfrmMain>(objects, prompter)),
      layout(std::make_unique<TfrmLayout>(objects.layout, prompter, main.get())),
      wave(std::make_unique<TfrmWave>(objects.waveStore, objects.waveGrid, main.get())),
      msgBox(std::make_unique<TfrmMsgBox>(main.get())),
      waveEdit(std::make_unique<TfrmWaveEdit>(main.get())) {
    main->attachWindows(*layout, *wave, *msgBox, *waveEdit);
}

// The children first: each still has its parent while it goes.
ToolWindows::~ToolWindows() {
    waveEdit.reset();
    msgBox.reset();
    wave.reset();
    layout.reset();
    main.reset();
}

} // namespace zevo3
