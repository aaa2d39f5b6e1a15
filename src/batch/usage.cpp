#include <memory>

#include "batch/interpreter.h"
#include "port/dialog.h"

namespace zelk {

std::string usage_text() {
  return R"(Usage: zelk-batch SCRIPT      run the steps of SCRIPT (- reads standard input)
       zelk-batch --full-precision SCRIPT
                                as above, with INFO texts and clipboard exports
                                in full-precision plain numbers
                                (Sample Mean = 579.004081632653 instead of
                                0.5790E+03); "do Full Precision Numbers" in a
                                script switches it on or off from that line
       zelk-batch --dialogs     list every dialog with its controls
       zelk-batch --help        show this text

A script runs the commands of the ZELK 2000 desktop program, one step a line,
and answers its dialogs, message boxes and file choosers from the script.
Words are split as a shell splits them: double quotes group; a backslash
before a double quote, # or a blank takes it literally (other backslash pairs
are kept as written); # starts a comment.

  do CMD                 run a command: its id (40047) or its menu text without
                         & and trailing blanks (Difference). The menu on the
                         frame is searched first. A text found in several
                         places is refused with their ids; name the submenus
                         to choose ("Histogram/Default",
                         "Residual Analysis/Histogram/Default") or give the id.
  dialog "TITLE" [KEY=VALUE ...] [press=BUTTON]
                         answer the next dialog with that title: set controls
                         by key or label (check boxes and radio buttons on/off,
                         lists 1-based item numbers or comma-separated values),
                         then press the button (default OK)
  message [BUTTON]       answer the next message box (default its first button)
  file PATH | cancel     answer the next file dialog
  clipboard text "TEXT"  set the clipboard text (\r \n \t \\ escapes)
  clipboard print        print the clipboard
  print windows          list the open windows: kind, caption, project
  print status           the three parts of the status bar
  print menu             every menu item with its id, enabled/greyed, checked
  print PREFIX           the text of the window whose caption starts with
                         PREFIX (an exact caption wins, else the shortest);
                         for a graph window, a summary of its panes
  focus PREFIX           give that window the focus (its project becomes current)
  import-table FILE [column N | columns LIST] [header on|off]
                         File > Import Table on FILE (CSV, TSV, semicolons with
                         decimal commas, or blanks): the column numbers of the
                         file to take (one for a univariate project, up to 25
                         for a multivariate one; default the value columns),
                         and whether the first row names the columns (default
                         detected). The same as: file FILE, dialog
                         "Import Table" columns=LIST header=on, do Import Table
  colour R G B | cancel  answer the next colour chooser (Choose Color in
                         "Customize Colors") with red, green and blue from 0
                         to 255, or cancel it; printed as COLOUR R G B -> R G B
  size PREFIX W H        show that window at W x H pixels (client area); Copy
                         to Clipboard, Print and save-picture draw at the
                         window's size, 800 x 600 until a size is given
  save-picture PREFIX FILE
                         write the graph window's picture to FILE (.svg; .png
                         and .pdf when built with QtGui)
  editor print           the project editor's tree, one node a line as
                         [NODE] LABEL; open it first with do "Project Editor"
  editor rename NODE "TEXT"
                         edit a node's label in place (a project's name or a
                         series name)
  editor move NODE PROJECT
                         drag a series onto another project; the question
                         "Confirm data transfer" takes the next message answer
  editor popup NODE ITEM a command of the node's right-click popup (Active
                         toggles a component of a multivariate project; Tile,
                         Cascade)
  editor ok | cancel     close the project editor (changes made stay)

A NODE is 0 (the root "ZELK Projects"), a project's entry (2), a series
within it (2.3, the third series of project 2), or a label.

Relative paths in file, import-table and save-picture are taken from the
script's folder (from the current folder for standard input). Captions and
titles match case-insensitively, surrounding blanks ignored. Message boxes are
printed as MESSAGE [TITLE] TEXT -> BUTTON; a dialog with no answer is
cancelled and printed as NO ANSWER "TITLE". The command Exit ends the script.

Exit status 0 when every line was carried out; 1 with a message naming the
line when one could not be (unknown step, command, window or file, a control
or button the dialog lacks), or when an answer was never used.

Every command's help page (Help > Contents in the desktop program; installed
in share/doc/zelk/help) ends with the script lines that do the same.
)";
}

void print_dialogs(const Registry& table, std::ostream& out) {
  for (const auto& make : table.dialogs()) {
    const std::unique_ptr<Dialog> d = make();
    out << "DIALOG \"" << d->title() << "\"\n";
    for (const Control& c : d->controls()) {
      out << "  " << c.key << "  " << control_kind_name(c.kind) << "  \"" << c.label << '"';
      if (!c.items.empty()) {
        out << "  items:";
        for (std::size_t i = 0; i < c.items.size(); ++i) out << ' ' << i + 1 << "=\"" << c.items[i] << '"';
      }
      out << '\n';
    }
    out << "  buttons: " << d->ok_label();
    if (d->has_cancel()) out << ", " << d->cancel_label();
    out << "\n\n";
  }
}

}  // namespace zelk
