#pragma once
// A hidden developer mode: runs a short script of commands on the frame, with
// dialogs and message boxes answered from the script, and saves pictures of
// the frame. scripts/screenshots.sh uses it to look at the program.
#include <QString>

namespace zelk {

class MainFrame;

// Steps, one a line ('#' starts a comment, words split as a shell does):
//   do CMD                      command by id or menu text
//   dialog "TITLE" KEY=VALUE... [press=BUTTON]
//   message BUTTON | file PATH | clipboard "TEXT"
//   focus PREFIX                give the focus to a window by caption
//   drag PREFIX X0 Y0 X1 Y1     mouse drag in a graph, fractions of its size
//   panes PREFIX N              fill a duplicate graph with N panes
//   dialogs                     save every dialog as OUTDIR/dialog-NN-TITLE.png
//   maximize PREFIX             maximise a window
//   size W H                    frame size in pixels
//   shot NAME                   save the frame as OUTDIR/NAME.png
//   shot-help NAME              save the help viewer
// Returns 0 when every step ran, else 1 with a message on standard error.
int run_screenshot_script(MainFrame& frame, const QString& script, const QString& outdir);

}  // namespace zelk
