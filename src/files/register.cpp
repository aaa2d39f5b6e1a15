// The File menu: projects, their files, import and export.
#include <memory>

#include "files/export.h"
#include "files/features.h"
#include "files/project_dialogs.h"
#include "files/project_editor.h"
#include "files/project_file_ops.h"
#include "files/multivariate_file_ops.h"
#include "files/project_ops.h"
#include "files/table_import.h"
#include "port/rules.h"
#include "port/session.h"

namespace zelk {
namespace {

CommandSpec file_command(int id, const char* text, CommandScope scope, int order, const char* multivariate_text = nullptr) {
  CommandSpec c;
  c.id = id;
  c.text = text;
  c.scope = scope;
  c.places = {{MenuKind::Univariate, "&File", order}, {MenuKind::Multivariate, "&File", order, multivariate_text}};
  return c;
}

}  // namespace

Feature describe_files() {
  Feature f;
  f.name = "files";
  f.popups = {{MenuKind::Univariate, "&File", 0, {}}, {MenuKind::Multivariate, "&File", 0, {}}};
  using S = CommandScope;

  CommandSpec c = file_command(cmd::New, "&New", S::Any, 10);
  c.shortcut = StandardShortcut::New;
  c.tooltip = "New Project";
  c.button = {kEveryBar, 2, -1, StandardImage::New};
  c.project_event = true;
  c.session = [](Session& s) {
    if (create_project(s) == 0) s.projects.set_current(s.projects.last_open_entry());
  };
  f.commands.push_back(c);

  c = file_command(cmd::Open, "&Open", S::Any, 11);
  c.shortcut = StandardShortcut::Open;
  c.tooltip = "Open Project";
  c.button = {kEveryBar, 3, -1, StandardImage::Open};
  c.project_event = true;
  c.session = [](Session& s) { open_project(s); };
  f.commands.push_back(c);

  c = file_command(cmd::Save, "&Save", S::NeedsProject, 12);
  c.shortcut = StandardShortcut::Save;
  c.session = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) save_project(s, e, *u);
    else if (MultivariateRecord* m = s.projects.multivariate(e)) save_project(s, e, *m);
  };
  f.commands.push_back(c);

  c = file_command(cmd::SaveAs, "Save &As", S::NeedsProject, 13);
  c.shortcut = StandardShortcut::SaveAs;
  c.tooltip = "Save project as";
  c.button = {kEveryBar, 4, -1, StandardImage::SaveAs};
  c.session = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) save_project_as(s, e, *u);
    else if (MultivariateRecord* m = s.projects.multivariate(e)) save_project_as(s, e, *m);
  };
  f.commands.push_back(c);

  c = file_command(cmd::Close, "&Close ", S::NeedsProject, 14);
  c.shortcut = StandardShortcut::Close;
  c.tooltip = "Close Project";
  c.button = {kEveryBar, 5, -1, StandardImage::Close};
  c.project_event = true;
  c.session = [](Session& s) { close_current_project(s); };
  f.commands.push_back(c);

  c = file_command(cmd::Rename, "&Rename", S::NeedsProject, 20);
  c.session = [](Session& s) { rename_project(s, s.projects.current()); };
  f.commands.push_back(c);
  c = file_command(cmd::Minimize, "&Minimize ", S::NeedsProject, 21);
  c.session = [](Session& s) { set_project_minimized(s, s.projects.current(), true); };
  f.commands.push_back(c);
  c = file_command(cmd::Restore, "&Restore", S::NeedsProject, 22);
  c.session = [](Session& s) { set_project_minimized(s, s.projects.current(), false); };
  f.commands.push_back(c);

  c = file_command(cmd::ProjectEditor, "Project Editor", S::NeedsProject, 23);
  c.tooltip = "Project Editor";
  c.button = {kEveryBar, 1, 20, StandardImage::None};
  c.session = [](Session& s) { open_project_editor(s); };
  f.commands.push_back(c);

  c = file_command(cmd::ImportFile, "&Import File", S::NeedsProject, 30, "&Import");
  c.enabled = rules::project_open;
  c.tooltip = "Import new data to project";
  c.button = {kUnivariateBar | kMultivariateBar, 10, 0, StandardImage::None};
  c.project_event = true;
  c.session = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) import_file(s, e, *u, "Import File");
    else if (MultivariateRecord* m = s.projects.multivariate(e)) import_file(s, e, *m, "Import");
  };
  f.commands.push_back(c);

  // Order 30 as well: it follows Import File, before Import Clipboard.
  c = file_command(cmd::ImportTable, "Import &Table", S::NeedsProject, 30);
  c.enabled = rules::project_open;
  c.project_event = true;
  c.session = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) import_table(s, e, *u);
    else if (MultivariateRecord* m = s.projects.multivariate(e)) import_table(s, e, *m);
  };
  f.commands.push_back(c);

  c = file_command(cmd::ImportClipboard, "Im&port Clipboard", S::NeedsProject, 31, "Import &Clipboard");
  c.project_event = true;
  c.session = [](Session& s) {
    const int e = s.projects.current();
    if (UnivariateRecord* u = s.projects.univariate(e)) import_clipboard(s, e, *u);
    else if (MultivariateRecord* m = s.projects.multivariate(e)) import_clipboard(s, e, *m);
  };
  f.commands.push_back(c);

  c = file_command(cmd::Export, "&Export", S::NeedsProject, 32);
  c.enabled = rules::unless_empty_project;
  c.tooltip = "Export data";
  c.button = {kUnivariateBar | kMultivariateBar, 52, 29, StandardImage::None};
  c.session = [](Session& s) {
    if (UnivariateRecord* u = s.projects.current_univariate()) export_project(s, *u);
    else if (MultivariateRecord* m = s.projects.current_multivariate()) export_project(s, *m);
  };
  f.commands.push_back(c);

  c = file_command(cmd::CloseAll, "Close &All", S::Any, 50);
  c.project_event = true;
  c.session = [](Session& s) { close_all_projects(s); };
  f.commands.push_back(c);

  // The project editor's tree popups: the editor carries them out.
  for (auto [id, text] : {std::pair<int, const char*>{cmd::TreeClose, "&Close"}, {cmd::TreeActive, "&Active"},
                          {cmd::TreeSave, "&Save"}, {cmd::TreeNewProject, "&New Project"}}) {
    CommandSpec t;
    t.id = id;
    t.text = text;
    t.scope = S::Popup;
    f.commands.push_back(t);
  }

  f.windows.push_back({windows::Project, [](Session& s, int e, UnivariateRecord& r) { plot_project_window(s, e, r); },
                       {}, {}, {}});

  f.dialogs.push_back([] { return std::make_unique<CreateProjectDialog>(); });
  f.dialogs.push_back([] { return std::make_unique<MultivariateDataDialog>(nullptr); });
  f.dialogs.push_back([] {
    const char* sample = "date,level\n1875-01-01,580.38\n";
    return std::make_unique<ImportTableDialog>(sample, *scan_table(sample).shape, false);
  });
  f.dialogs.push_back([] { return std::make_unique<RenameProjectDialog>("New Univariate Project"); });
  f.dialogs.push_back([] {
    std::vector<double> one{1.0};
    return std::make_unique<ExportDialog>(std::vector<std::span<const double>>{one});
  });
  return f;
}

}  // namespace zelk
